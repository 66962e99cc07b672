// The push button's skin (TSkinButton): its face from the skin's "Buttons" picture, hot while the
// pointer is over it. A mouse press never reaches the native button: the skin holds the pointer,
// shows the pressed face while the pointer stays over the button, and clicks when it is released
// there. Space stays the native button's, which clicks through its parent as always.
#pragma once

#include <string>

#include "skin/ctl/button.h"
#include "skin/win32/control_skin.h"

namespace quillet::skin::win32 {

class TSkinButton : public TSkinControl {
 public:
  ~TSkinButton() override;
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;

 protected:
  // Whether the skin has what the button is drawn from; without it the system draws it.
  virtual bool CanPaint() const;
  virtual PushButtonState State() const;
  // Drawn over the parent's painting rather than the face colour.
  virtual bool OverParent() const;
  virtual bool TakesFocusOnPress() const { return true; }
  // Everything over the background: the face, the caption and the focus rectangle.
  virtual void PaintFace(HDC cdc, const ButtonInput& in, const ButtonPaint& p);
  // In the font the caller has selected.
  void PaintCaption(HDC cdc, const std::wstring& text, const Rect& at, const ButtonPaint& p);

 private:
  bool Inside(std::intptr_t lparam) const;
  void RepaintIfChanged();
  void Click();

  bool mouse_down_ = false;  // a press of ours is under way; the button holds the pointer
  bool inside_ = false;      // ... and the pointer is over the button
  bool hot_ = false;
  PushButtonState painted_;
};

}  // namespace quillet::skin::win32
