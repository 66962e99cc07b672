// The push button's skin (TSkinButton): frame choice, text colour and placement, and the
// drawing of everything but the text.
//
// The window layer gathers the button's state (pressed by the mouse or the space key, hot,
// focused, the "Default" property, WS_DISABLED), whether it is a foreign button, the colour of
// its font and the skin's Options, and asks PlanButton. It composes off-screen at the button's
// size: the parent's painting when ButtonDrawsTransparent, then DrawButton; then it measures
// CaptionLines(caption) inside textArea (DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS |
// DT_WORDBREAK), centres it with CentreIn, draws it transparent in textColor, and when
// focusRect is set draws a focus rectangle ButtonFocusRect around it.
#pragma once

#include <string_view>

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"
#include "skin/skin_types.h"

namespace quillet::skin {

struct PushButtonState {
  bool pressed = false;
  bool hot = false;
  bool focused = false;
  bool isDefault = false;
  bool enabled = true;
  bool operator==(const PushButtonState&) const = default;
};

// Frames of the "Buttons" picture: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused or
// default. A disabled button shows 3 whatever else holds.
int ButtonFrame(const PushButtonState& s);

// Drawn over the parent's background: Tag 5555 or the xoTransparent option.
bool ButtonDrawsTransparent(int tag, TSkinOptions options);
// Buttons of these toolkits take no forwarded presses: class names beginning "trz" or "tel".
bool ButtonTakesNoForwardedPress(std::string_view className);

struct ButtonInput {
  int width = 0, height = 0;
  PushButtonState state;
  bool foreign = false;    // a button of a window that is not ours
  ColorRef fontColor = 0;  // the colour of the button's font
  TSkinOptions options;
};

struct ButtonPaint {
  int frame = 1;
  ColorRef textColor = 0;
  Rect textArea;  // the caption is measured and centred inside this
  bool focusRect = false;
};

ButtonPaint PlanButton(const ButtonInput& in, const TSkinElements& s, const SkinSystem& system);
// The focus rectangle: two pixels outside the drawn text.
constexpr Rect ButtonFocusRect(const Rect& text) { return Inset(text, -2); }

// The "Buttons" frame over the whole view, on the face colour unless the view already holds
// the parent's painting. False (and nothing drawn) when the skin has no "Buttons" picture.
bool DrawButton(BitmapView v, const TSkinElements& s, int frame, bool overParent);

}  // namespace quillet::skin
