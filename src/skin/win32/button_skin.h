// The push button's skin (TSkinButton): its face from the skin's "Buttons" picture, hot while the
// pointer is over it. A mouse press never reaches the native button: the skin holds the pointer,
// shows the pressed face while the pointer stays over the button, and clicks when it is released
// there. Space stays the native button's, which clicks through its parent as always.
#pragma once

#include "skin/ctl/button.h"
#include "skin/win32/control_skin.h"

namespace quillet::skin::win32 {

class TSkinButton : public TSkinControl {
 public:
  ~TSkinButton() override;
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;

 private:
  bool CanPaint() const;
  PushButtonState State() const;
  bool Inside(std::intptr_t lparam) const;
  void RepaintIfChanged();
  void Click();

  bool mouse_down_ = false;  // a press of ours is under way; the button holds the pointer
  bool inside_ = false;      // ... and the pointer is over the button
  bool hot_ = false;
  PushButtonState painted_;
};

}  // namespace quillet::skin::win32
