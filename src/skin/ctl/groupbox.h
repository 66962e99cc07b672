// The group box skin (TSkinGroupBox): where its line and its text go, and the drawing of the
// line.
//
// The window layer measures, in the box's font, the height of "0" and the size of the text
// (the window text, or the "Caption" property of a toolkit box whose window text is empty),
// reads WS_EX_RIGHT, and asks PlanGroupBox. It composes at the box's size with DrawGroupBox
// (for a foreign box, over what the box's window shows: only the frames are drawn there),
// draws the text into `text` on the face colour (DT_EXPANDTABS; DT_RIGHT when textRight, with
// right-to-left reading when the box reads so) in the font's colour, and for a toolkit box
// then paints the graphic child controls.
#pragma once

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"

namespace quillet::skin {

struct GroupBoxInput {
  int width = 0, height = 0;
  int zeroHeight = 0;  // the height of "0" in the box's font
  int textWidth = 0, textHeight = 0;
  bool rightAligned = false;  // WS_EX_RIGHT
  bool foreign = false;       // a group box of a window that is not ours
  int dpi = 96;               // the box's
};

struct GroupBoxPaint {
  int lineY = 0;
  Rect box;   // the rounded rectangle's bounds, right and bottom exclusive
  Rect text;  // empty for an empty text
  bool textRight = false;
};

GroupBoxPaint PlanGroupBox(const GroupBoxInput& in);
// A toolkit box is filled with the face colour first; a foreign one has the part from the
// line down framed twice in it. Then the rounded rectangle in "ButtonShadow", and the text's
// place on the face colour.
void DrawGroupBox(BitmapView v, const GroupBoxInput& in, const GroupBoxPaint& p, const Palette& pal);

}  // namespace quillet::skin
