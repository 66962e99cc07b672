// The date-time picker skin (TSkinDateTime) and its drop-down button (TArrowButton): where the
// button goes and how it is drawn. The picker's border is the edit skin's.
//
// The window layer covers the picker's own drop-down button with a small window at
// DateTimeButtonRect (client coordinates of the picker: its client size and SM_CXVSCROLL), which
// draws DrawArrowButton in the frame ArrowButtonFrame gives for its state (pressed while the mouse
// holds it or the picker's calendar is open, hot under the pointer, the picker's WS_DISABLED) and
// hands presses to the picker underneath.
#pragma once

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"

namespace quillet::skin {

constexpr Rect DateTimeButtonRect(int clientW, int clientH, int buttonW) {
  return {clientW - buttonW < 0 ? 0 : clientW - buttonW, 0, clientW, clientH};
}

// Frames of "ComboxArrow", as a combo box's button: 1 normal, 2 pressed, 3 disabled, 4 hot.
int ArrowButtonFrame(bool pressed, bool hot, bool enabled);

// The whole view: the "ComboxArrow" frame stretched over it; without the picture a face-coloured
// button with a "ButtonShadow" edge and an arrow glyph.
void DrawArrowButton(BitmapView v, int frame, const TSkinElements& s, const Palette& pal);

}  // namespace quillet::skin
