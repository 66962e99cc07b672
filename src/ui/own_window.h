#pragma once
// Windows of the program's own small classes (the skin's overlays): each class is registered once,
// each window is bound to the object that made it from its creation parameters, and unbound when
// it is destroyed or the object goes, so no message ever reaches an object that is gone.

#include <windows.h>

namespace quillet::ui {

class OwnWindow {
 public:
  OwnWindow() = default;
  // Destroys the window; its last messages go to the default procedure alone.
  virtual ~OwnWindow();
  OwnWindow(const OwnWindow&) = delete;
  OwnWindow& operator=(const OwnWindow&) = delete;

  HWND Hwnd() const { return hwnd_; }

 protected:
  // Makes the window of the class `class_name` (registered with `class_style` the first time).
  // False when the system refused it.
  bool CreateOwnWindow(const char* class_name, UINT class_style, DWORD ex_style, DWORD style, const RECT& r,
                       HWND parent);
  // Every message while the object is bound. Errors never leave it: a message whose handling
  // throws gets the default handling.
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd_, msg, wp, lp); }
  // The window went (WM_NCDESTROY), made or ended by someone else.
  virtual void WindowDestroyed() {}

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
};

}  // namespace quillet::ui
