#include "skin/win32/overlay.h"

#include "skin/skin_messages.h"

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
  HDC dc = GetDC(nullptr);
  const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(bm.bmHeight), out.Row(0), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (rows != bm.bmHeight) return {};
  // Only a 32-bit picture brings an opacity; the rest come back with whatever lay in that byte.
  if (bm.bmBitsPixel != 32)
    for (int y = 0; y < out.Height(); ++y)
      for (int x = 0; x < out.Width(); ++x) out.Set(x, y, out.At(x, y) & 0xFFFFFF);
  return out;
}

TSkinOverlay::~TSkinOverlay() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool TSkinOverlay::Create(HWND parent, const RECT& r) {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kOverlayClass;
    return RegisterClassA(&wc) != 0;
  }();
  if (!registered || hwnd_ || !parent) return false;
  hwnd_ = CreateWindowExA(0, kOverlayClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, parent, nullptr, GetModuleHandleA(nullptr), this);
  if (hwnd_) SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return hwnd_ != nullptr;
}

void TSkinOverlay::Place(const RECT& r) {
  if (hwnd_)
    SetWindowPos(hwnd_, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
}

void TSkinOverlay::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CALLBACK TSkinOverlay::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
  auto* self = reinterpret_cast<TSkinOverlay*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == SKINMSG_QUERYSKIP) return 1;
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT cr{};
      GetClientRect(hwnd, &cr);
      if (dc && self->canvas_.Resize(cr.right, cr.bottom)) {
        try {
          self->PaintOverlay(self->canvas_.View(), self->canvas_.Dc());
          self->canvas_.CopyTo(dc, 0, 0, cr.right, cr.bottom, 0, 0);
        } catch (...) {
          // Left unpainted; the control under it still works.
        }
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      self->Mouse(msg, at);
      return 0;
    case WM_MOUSELEAVE:
      self->Mouse(msg, {-1, -1});
      return 0;
    case WM_TIMER:
      self->Timer();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace quillet::skin::win32
