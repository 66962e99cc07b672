// The check box and radio button skins (TSkinCheckBox, TSkinRadioButton): the frame of the
// check or radio picture for a state, where the picture and the text go, and the drawing of
// the picture.
//
// The window layer reads the value (BM_GETSTATE, or the toolkit's "State" property), WS_DISABLED,
// hot, pressed and focus, BS_LEFTTEXT, whether the window text is empty, the font colour and
// the system version, and asks PlanCheckBox. It composes off-screen: the parent's painting or
// the face colour, DrawCheckBox, then the text in textArea (vertically centred, right-aligned
// when textRight, right-to-left reading when the control reads so) in textColor, and, when
// focusRect, a focus rectangle TextFocusRect around the text measured with the same flags.
#pragma once

#include <cstdint>
#include <string_view>

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"

namespace quillet::skin {

enum class CheckValue { Unchecked, Checked, Indeterminate };

// BM_GETSTATE's answer.
CheckValue CheckValueFromButtonState(std::uint32_t state);
// The toolkit's "State" property: text containing "uncheck", "check" or "gray".
CheckValue CheckValueFromStateProperty(std::string_view text);
// A control that draws its own check picture (TSkinObjImage) tells its value by its "State"
// property when it has one, else by "Checked" ("True" or "False", any case).
CheckValue CheckValueFromProperties(const std::string* state, const std::string* checked);

struct CheckState {
  CheckValue value = CheckValue::Unchecked;
  bool enabled = true;
  bool hot = false;
  bool pressed = false;
};

// The frame of a check or radio picture of `frames` frames.
// 12 frames: rows of four (normal, hot, pressed, disabled) for unchecked, checked and
// indeterminate. Fewer: 1 unchecked, 2 checked, 2 more when disabled, 4 for indeterminate;
// pictures of 8 or more frames also carry hot (5 unchecked, 6 checked) and pressed (7, 8).
int CheckFrame(const CheckState& s, int frames);

struct CheckInput {
  int width = 0, height = 0;
  CheckState state;
  bool radio = false;
  bool focused = false;
  bool leftText = false;  // BS_LEFTTEXT: the picture goes right, the text before it
  bool textEmpty = false;
  bool windows6 = false;  // these systems draw no focus rectangle around the text
  ColorRef fontColor = 0;
};

struct CheckPaint {
  int frame = 1;
  Rect image;     // where the picture's frame goes
  Rect textArea;  // the text, vertically centred, starts 2 pixels after the picture
  bool textRight = false;
  ColorRef textColor = 0;
  bool focusRect = false;
};

CheckPaint PlanCheckBox(const CheckInput& in, const TSkinElements& s, const SkinSystem& system);
// False (nothing drawn) when the skin has no picture for it.
bool DrawCheckBox(BitmapView v, const TSkinElements& s, const CheckPaint& p, bool radio, bool overParent);

}  // namespace quillet::skin
