// What the skins of glyph buttons and players share: reading a bitmap handle's pixels, and the
// small windows a skin lays over part of a control (the date-time picker's drop-down button, the
// media player's buttons).
#pragma once

#include <windows.h>

#include "skin/bitmap.h"
#include "skin/win32/canvas.h"
#include "ui/own_window.h"

namespace quillet::skin::win32 {

// A bitmap's pixels, top row first, with the top byte of 32-bit pictures kept (their alpha).
Bitmap32 BitmapPixels(HBITMAP bitmap);

// A borderless child window over part of a control, owned by the control's skin: it paints from
// the skin and takes the pointer. It answers the engine's query-skip message with 1, so the
// control-skin walk leaves it alone.
class TSkinOverlay : public ui::OwnWindow {
 public:
  // In front of the parent's other children, at r (parent client coordinates).
  bool Create(HWND parent, const RECT& r);
  void Place(const RECT& r);
  void Invalidate();

 protected:
  // Draws the whole overlay onto a canvas of its size.
  virtual void PaintOverlay(BitmapView v, HDC dc) = 0;
  // WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP and WM_MOUSELEAVE, in client coordinates.
  virtual void Mouse(UINT, POINT) {}
  virtual void Timer() {}

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  Canvas canvas_;
};

}  // namespace quillet::skin::win32
