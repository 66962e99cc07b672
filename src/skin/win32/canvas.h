// An off-screen canvas: a memory DC with a 32-bit top-down DIB section selected, whose pixels the
// portable painters draw into and on which GDI draws text. It keeps its bitmap until asked for a
// different size, so a window composes into the same memory paint after paint.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "skin/bitmap.h"
#include "ui/gdi.h"

namespace quillet::skin::win32 {

class Canvas {
 public:
  Canvas() = default;
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // Makes the canvas w x h (at least 1 x 1); a no-op when it already is. False when the system
  // has no memory for it.
  bool Resize(int w, int h);
  void Release();

  HDC Dc() const { return dc_ ? dc_->Get() : nullptr; }
  int Width() const { return w_; }
  int Height() const { return h_; }
  // The pixels; call GdiFlush before reading what GDI drew, as View does.
  BitmapView View();
  // Copies a rectangle of the canvas to a device context at the same place.
  void CopyTo(HDC dc, int x, int y, int w, int h, int sx, int sy) const;

 private:
  ui::gdi::Bitmap bitmap_;
  std::optional<ui::gdi::MemoryDC> dc_;  // declared after the bitmap: it goes first and puts the bitmap out
  Pixel* bits_ = nullptr;
  int w_ = 0, h_ = 0;
};

// A portable bitmap as a DIB section (for image lists and brushes).
ui::gdi::Bitmap MakeBitmap(const Bitmap32& b);

// The font to select for `font`: itself, or the system's GUI font when there is none.
HGDIOBJ FontOrDefault(HFONT font);

// The size of a text in a font, as DrawText measures it with the given flags (DT_CALCRECT added).
SIZE TextExtent(HFONT font, const std::wstring& text, UINT flags);

}  // namespace quillet::skin::win32
