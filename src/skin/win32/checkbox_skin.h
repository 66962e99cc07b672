// The check box and radio button skins (TSkinCheckBox, TSkinRadioButton): the box or circle from
// the skin's check or radio picture, in the frame for the value and state, and the text beside
// it. The native button keeps the mouse and the keyboard; the skin paints over whatever it shows.
#pragma once

#include "skin/ctl/checkbox.h"
#include "skin/win32/control_skin.h"

namespace quillet::skin::win32 {

class TSkinCheckBox : public TSkinControl {
 public:
  TSkinCheckBox() = default;
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;

 protected:
  explicit TSkinCheckBox(bool radio) : radio_(radio) {}
  virtual CheckValue Value() const;

 private:
  bool CanPaint() const;

  bool radio_ = false;
  bool hot_ = false;
};

class TSkinRadioButton : public TSkinCheckBox {
 public:
  TSkinRadioButton() : TSkinCheckBox(true) {}
};

// Check boxes and radio buttons of controls that draw their own pictures (TSkinObjImage): painted
// as the check box skin paints, the value read from the control's "State" or "Checked" property.
// The check and third styles use the check picture, the radio style the radio picture.
class TSkinObjImage : public TSkinCheckBox {
 public:
  explicit TSkinObjImage(SkinMode mode) : TSkinCheckBox(mode == SkinMode::Radio) {}

 protected:
  CheckValue Value() const override;
};

}  // namespace quillet::skin::win32
