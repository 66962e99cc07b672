#include "skin/win32/overlay.h"

#include "skin/skin_messages.h"
#include "skin/win32/system_api.h"
#include "ui/gdi.h"

namespace quillet::skin::win32 {

namespace {

constexpr const char* kOverlayClass = "QuilletSkinOverlay";

}  // namespace

Bitmap32 BitmapPixels(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return {};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  Bitmap32 out(bm.bmWidth, bm.bmHeight);
  const int rows = GetDIBits(ui::gdi::ScreenDC(), bitmap, 0, static_cast<UINT>(bm.bmHeight), out.Row(0), &bi,
                             DIB_RGB_COLORS);
  if (rows != bm.bmHeight) return {};
  // Only a 32-bit picture brings an opacity; the rest come back with whatever lay in that byte.
  if (bm.bmBitsPixel != 32)
    for (int y = 0; y < out.Height(); ++y)
      for (int x = 0; x < out.Width(); ++x) out.Set(x, y, out.At(x, y) & base::kRgbMask);
  return out;
}

bool TSkinOverlay::Create(HWND parent, const RECT& r) {
  if (hwnd_ || !parent ||
      !CreateOwnWindow(kOverlayClass, 0, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, r, parent))
    return false;
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

void TSkinOverlay::Place(const RECT& r) {
  if (hwnd_)
    SetWindowPos(hwnd_, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
}

void TSkinOverlay::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT TSkinOverlay::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == SKINMSG_QUERYSKIP) return 1;
  const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  switch (msg) {
    case WM_PAINT: {
      const ui::gdi::PaintDC dc(hwnd_);
      RECT cr{};
      GetClientRect(hwnd_, &cr);
      if (dc && canvas_.Resize(cr.right, cr.bottom)) {
        try {
          PaintOverlay(canvas_.View(), canvas_.Dc());
          canvas_.CopyTo(dc, 0, 0, cr.right, cr.bottom, 0, 0);
        } catch (...) {
          // Left unpainted; the control under it still works.
        }
      }
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      Mouse(msg, at);
      return 0;
    case WM_MOUSELEAVE:
      LeaveCame(hwnd_);
      Mouse(msg, {-1, -1});
      return 0;
    case WM_TIMER:
      Timer();
      return 0;
    default:
      return DefWindowProcA(hwnd_, msg, wp, lp);
  }
}

}  // namespace quillet::skin::win32
