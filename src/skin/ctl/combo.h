// The combo box skin (TSkinComBox): state frame, where its button is in each look, and the
// drawing of its frame and button.
//
// The window layer gathers the style bits, the state (pressed, focused, hot, WS_DISABLED),
// GetComboBoxInfo's button rectangle and state, the system metrics SM_CYVTHUMB and
// SM_CXHSCROLL, the colour of the control's background brush and, for the extended mode,
// whether the client area is smaller than the window and the first child's rectangle. It
// asks PlanCombo; when `draw` is set it composes a bitmap of the control's size with
// DrawCombo and copies it to the control leaving out `keep` (the inner area the control
// paints itself). It remembers `button` for hot tests.
#pragma once

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"

namespace quillet::skin {

// pressed 2, focused or hot 4, else 1; disabled 3.
int ComboStateFrame(bool pressed, bool focused, bool hot, bool enabled);

enum class ComboLook {
  ButtonStrip,  // "ComboButton" Style 1: the button over a strip at the edge
  Extended,     // a combo-box-ex: frames and the "ComboxArrow" over its first child
  Combined,     // "ComboButton" Style 2: the combined edit-and-button picture over everything
  SunkEdge,     // "SunkEdge" around the control, the button and its arrow glyph at the edge
};

struct ComboInput {
  int width = 0, height = 0;
  bool pressed = false, focused = false, hot = false, enabled = true;
  bool extended = false;       // attached in extended mode
  bool leftScrollBar = false;  // WS_EX_LEFTSCROLLBAR: the button is at the left edge
  Rect infoButton;             // GetComboBoxInfo's button rectangle
  bool buttonInvisible = false;
  int cyVThumb = 17, cxHScroll = 17;
  ColorRef background = 0xFFFFFF;  // the control's background brush (ButtonStrip)
  bool clientSmaller = true;       // (Extended) the client area is smaller than the window
  Rect firstChild;                 // (Extended) the first child window's rectangle
};

struct ComboPaint {
  bool draw = false;
  ComboLook look = ComboLook::ButtonStrip;
  int frame = 1;
  Rect button;  // the button rectangle for hot tests
  Rect keep;    // left as the control painted it
};

ComboPaint PlanCombo(const ComboInput& in, const TSkinElements& s);
void DrawCombo(BitmapView v, const ComboInput& in, const ComboPaint& p, const TSkinElements& s, const Palette& pal);

}  // namespace quillet::skin
