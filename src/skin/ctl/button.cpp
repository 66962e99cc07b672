#include "skin/ctl/button.h"

#include "skin/painter.h"
#include "skin/text.h"

namespace quillet::skin {

int ButtonFrame(const PushButtonState& s) {
  if (!s.enabled) return 3;
  if (s.pressed) return 2;
  if (s.hot) return 4;
  if (s.focused || s.isDefault) return 5;
  return 1;
}

bool ButtonDrawsTransparent(int tag, TSkinOptions options) { return tag == 5555 || options.Has(xoTransparent); }

bool ButtonTakesNoForwardedPress(std::string_view className) {
  const std::string lower = AsciiLower(std::string(className.substr(0, 3)));
  return lower == "trz" || lower == "tel";
}

ButtonPaint PlanButton(const ButtonInput& in, const TSkinElements& s, const SkinSystem& system) {
  const TDataSkinButton& b = s.Buttons;
  ButtonPaint p;
  p.frame = ButtonFrame(in.state);
  p.textColor = in.fontColor;
  if (b.NormalColourPresent)
    p.textColor = system.Resolve(b.NormalColour2);
  else if (in.foreign)
    p.textColor = system.Resolve(s.Color(slot::ButtonText));
  if (in.state.hot && b.MouseOverColourPresent) p.textColor = system.Resolve(b.MouseOverColour2);
  if (in.state.pressed && b.PressedColourPresent) p.textColor = system.Resolve(b.PressedColour2);
  if (!in.state.enabled) p.textColor = system.SysColor(sys::BtnShadow);
  p.textArea = Inset(Rect{0, 0, in.width, in.height}, Px(s, 2));
  p.focusRect = in.state.focused && !in.options.Has(xoNoFocusRect);
  return p;
}

bool DrawButton(BitmapView v, const TSkinElements& s, int frame, bool overParent) {
  if (!s.Buttons.HasBitmap()) return false;
  const Rect all{0, 0, v.width, v.height};
  if (!overParent) FillSolid(v, all, s.FaceColor);
  DrawElement(v, all, s.Buttons, frame, 5);
  return true;
}

}  // namespace quillet::skin
