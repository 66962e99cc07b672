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

 private:
  bool CanPaint() const;
  CheckValue Value() const;

  bool radio_ = false;
  bool hot_ = false;
};

class TSkinRadioButton : public TSkinCheckBox {
 public:
  TSkinRadioButton() : TSkinCheckBox(true) {}
};

}  // namespace quillet::skin::win32
