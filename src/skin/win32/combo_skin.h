// The combo box skin (TSkinComBox): the frame and the drop-down button from the skin, hot while
// the pointer is over the button, pressed while it is held or the list is open. The control paints
// its text and list itself.
#pragma once

#include "skin/win32/control_skin.h"

namespace quillet::skin::win32 {

class TSkinComBox : public TSkinControl {
 public:
  // `extended`: a combo-box-ex, drawn as one.
  explicit TSkinComBox(bool extended = false) : extended_(extended) {}
  ~TSkinComBox() override;

  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;

 protected:
  // Skins the list and takes the edit part's painting.
  void Attached() override;

 private:
  void HookEditPart(HWND edit);
  void UnhookEditPart();
  void SetPressed(bool pressed);
  static LRESULT CALLBACK EditPartProc(HWND, UINT, WPARAM, LPARAM);

  bool extended_;
  bool pressed_ = false;
  bool hot_ = false;
  bool dropped_ = false;
  RECT button_{};  // in client coordinates, for hot tests
  HWND edit_ = nullptr;
};

}  // namespace quillet::skin::win32
