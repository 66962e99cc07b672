// The base of the control skins: one object per skinned control, owned by the skin of the window
// the control sits on.
#pragma once

#include <windows.h>

namespace quillet::skin::win32 {

class TWinSkinForm;
class TSkinData;

class TSkinControl {
 public:
  enum State { kNew = 0, kAttached = 1, kDead = 6 };
  virtual ~TSkinControl() = default;

  HWND Hwnd() const { return hwnd_; }
  bool Dead() const { return state_ == kDead; }
  // Gives the control back its own look; `windowGoing` when its window is being destroyed.
  virtual void Detach(bool windowGoing) = 0;
  // After a skin change.
  virtual void Refresh() = 0;

 protected:
  HWND hwnd_ = nullptr;
  State state_ = kNew;
  TSkinData* data_ = nullptr;
  TWinSkinForm* form_skin_ = nullptr;
};

}  // namespace quillet::skin::win32
