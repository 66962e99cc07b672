#include "skin/win32/canvas.h"

#include <algorithm>
#include <cstring>

namespace quillet::skin::win32 {

namespace {
BITMAPINFO TopDownInfo(int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}
}  // namespace

Canvas::~Canvas() { Release(); }

void Canvas::Release() {
  if (dc_) {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  old_ = nullptr;
  bits_ = nullptr;
  w_ = h_ = 0;
}

bool Canvas::Resize(int w, int h) {
  w = std::max(w, 1);
  h = std::max(h, 1);
  if (dc_ && w == w_ && h == h_) return true;
  if (!dc_) {
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) return false;
  }
  BITMAPINFO bi = TopDownInfo(w, h);
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp) return false;
  HGDIOBJ prev = SelectObject(dc_, bmp);
  if (!old_) old_ = prev;
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = bmp;
  bits_ = static_cast<Pixel*>(bits);
  w_ = w;
  h_ = h;
  return true;
}

BitmapView Canvas::View() {
  GdiFlush();
  return {bits_, w_, h_, w_};
}

void Canvas::CopyTo(HDC dc, int x, int y, int w, int h, int sx, int sy) const {
  if (dc_ && w > 0 && h > 0) BitBlt(dc, x, y, w, h, dc_, sx, sy, SRCCOPY);
}

HBITMAP MakeBitmap(const Bitmap32& b) {
  if (b.Empty()) return nullptr;
  BITMAPINFO bi = TopDownInfo(b.Width(), b.Height());
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bmp && bits) std::memcpy(bits, b.Pixels().data(), b.Pixels().size() * sizeof(Pixel));
  return bmp;
}

SIZE TextExtent(HFONT font, const std::wstring& text, UINT flags) {
  SIZE s{0, 0};
  HDC dc = GetDC(nullptr);
  if (!dc) return s;
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
  s.cx = r.right - r.left;
  s.cy = r.bottom - r.top;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return s;
}

}  // namespace quillet::skin::win32
