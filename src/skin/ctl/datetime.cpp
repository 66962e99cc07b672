#include "skin/ctl/datetime.h"

#include <algorithm>

#include "skin/ctl/combo.h"
#include "skin/painter.h"

namespace quillet::skin {

int ArrowButtonFrame(bool pressed, bool hot, bool enabled) { return ComboStateFrame(pressed, false, hot, enabled); }

void DrawArrowButton(BitmapView v, int frame, const TSkinElements& s, const Palette& pal) {
  const Rect all{0, 0, v.width, v.height};
  if (s.ComboxArrow && s.ComboxArrow->HasBitmap()) {
    FillSolid(v, all, 0xFFFFFF);
    DrawElement(v, all, *s.ComboxArrow, frame, std::max(1, s.ComboxArrow->Frame));
    return;
  }
  FillSolid(v, all, pal.face);
  Outline(v, all, pal.shadow);
  DrawArrowGlyph(v, frame == 2 ? Offset(all, 1, 1) : all, Direction::Down, frame == 3 ? pal.disabledText : pal.buttonText);
}

}  // namespace quillet::skin
