#include "skin/win32/canvas.h"

#include <algorithm>
#include <cstring>
#include <utility>

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
  dc_.reset();
  bitmap_.Reset();
  bits_ = nullptr;
  w_ = h_ = 0;
}

bool Canvas::Resize(int w, int h) {
  w = std::max(w, 1);
  h = std::max(h, 1);
  if (dc_ && w == w_ && h == h_) return true;
  if (!dc_ && !dc_.emplace().Get()) {
    dc_.reset();
    return false;
  }
  BITMAPINFO bi = TopDownInfo(w, h);
  void* bits = nullptr;
  ui::gdi::Bitmap bmp(CreateDIBSection(dc_->Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp) return false;
  dc_->Select(bmp.Get());
  bitmap_ = std::move(bmp);
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
  if (dc_ && w > 0 && h > 0) BitBlt(dc, x, y, w, h, dc_->Get(), sx, sy, SRCCOPY);
}

ui::gdi::Bitmap MakeBitmap(const Bitmap32& b) {
  if (b.Empty()) return {};
  BITMAPINFO bi = TopDownInfo(b.Width(), b.Height());
  void* bits = nullptr;
  ui::gdi::Bitmap bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bmp && bits) std::memcpy(bits, b.Pixels().data(), b.Pixels().size() * sizeof(Pixel));
  return bmp;
}

HGDIOBJ FontOrDefault(HFONT font) { return font ? font : GetStockObject(DEFAULT_GUI_FONT); }

SIZE TextExtent(HFONT font, const std::wstring& text, UINT flags) {
  SIZE s{0, 0};
  const ui::gdi::ScreenDC dc;
  if (!dc) return s;
  const ui::gdi::Select selected(dc, FontOrDefault(font));
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
  s.cx = r.right - r.left;
  s.cy = r.bottom - r.top;
  return s;
}

}  // namespace quillet::skin::win32
