#include "skin/ctl/checkbox.h"

#include <algorithm>

#include "skin/painter.h"
#include "skin/text.h"

namespace quillet::skin {

namespace {

const Bitmap32& Picture(const TSkinElements& s, bool radio) {
  return radio ? s.Buttons.RadioBitmap : s.Buttons.CheckBitmap;
}
int Frames(const TSkinElements& s, bool radio) {
  return std::max(radio ? s.Buttons.RadioFrame : s.Buttons.CheckFrame, 1);
}

}  // namespace

CheckValue CheckValueFromButtonState(std::uint32_t state) {
  if (state & 2) return CheckValue::Indeterminate;
  return (state & 1) ? CheckValue::Checked : CheckValue::Unchecked;
}

CheckValue CheckValueFromProperties(const std::string* state, const std::string* checked) {
  if (state) return CheckValueFromStateProperty(*state);
  return checked && AsciiLower(*checked) == "true" ? CheckValue::Checked : CheckValue::Unchecked;
}

CheckValue CheckValueFromStateProperty(std::string_view text) {
  const std::string lower = AsciiLower(std::string(text));
  if (lower.find("uncheck") != std::string::npos) return CheckValue::Unchecked;
  if (lower.find("check") != std::string::npos) return CheckValue::Checked;
  if (lower.find("gray") != std::string::npos) return CheckValue::Indeterminate;
  return CheckValue::Unchecked;
}

int CheckFrame(const CheckState& s, int frames) {
  const int value = static_cast<int>(s.value);
  if (frames >= 12) {
    const int column = !s.enabled ? 4 : s.pressed ? 3 : s.hot ? 2 : 1;
    return value * 4 + column;
  }
  if (s.value == CheckValue::Indeterminate) return 4;
  const int base = value + 1;
  if (!s.enabled) return base + 2;
  if (frames >= 8 && s.pressed) return base + 6;
  if (frames >= 8 && s.hot) return base + 4;
  return base;
}

CheckPaint PlanCheckBox(const CheckInput& in, const TSkinElements& s, const SkinSystem& system) {
  CheckPaint p;
  const int frames = Frames(s, in.radio);
  const Bitmap32& pic = Picture(s, in.radio);
  p.frame = CheckFrame(in.state, frames);
  const int iw = pic.Width() / frames, ih = pic.Height();
  const int y = (in.height - ih) / 2;
  if (in.leftText) {
    p.image = {in.width - iw, y, in.width, y + ih};
    p.textArea = {0, 0, p.image.left - Px(s, 2), in.height};
    p.textRight = true;
  } else {
    p.image = {0, y, iw, y + ih};
    p.textArea = {iw + Px(s, 2), 0, in.width, in.height};
  }
  p.textColor = in.state.enabled ? in.fontColor : system.SysColor(sys::BtnShadow);
  p.focusRect = in.focused && !in.textEmpty && !in.windows6;
  return p;
}

bool DrawCheckBox(BitmapView v, const TSkinElements& s, const CheckPaint& p, bool radio, bool overParent) {
  const Bitmap32& pic = Picture(s, radio);
  if (pic.Empty()) return false;
  if (!overParent) FillSolid(v, {0, 0, v.width, v.height}, s.FaceColor);
  DrawFrame(v, p.image, {&pic, p.frame, Frames(s, radio), false}, {}, false, s.Buttons.Trans != 0);
  return true;
}

}  // namespace quillet::skin
