#pragma once
// The toolkit's side of the window system: its window classes, the binding between a window and
// its control, and the one window procedure every toolkit class shares. Internal to the toolkit.

#include <windows.h>

#include <cstdint>

#include "ui/forms.h"

namespace quillet::ui {

// Registers the toolkit class p names (superclassing p.system_class when there is one) the first
// time it is asked for; returns the procedure the class builds on.
WNDPROC RegisterWindowClass(const CreateParams& p);

// Creates the control's window. The control is bound to it from WM_NCCREATE on, through the
// creation parameters, so windows made while another is being made (by hooks, or by the new
// window's own creation) each find their own control.
HWND CreateControlWindow(TWinControl& control, const CreateParams& p, HMENU id);

// Lets the window's last messages go to its class alone.
void UnbindWindow(HWND hwnd);

// Deletes the back-pointer property's global atom; the toolkit calls it when it shuts down.
void ReleaseWindowProperty();
// Makes the toolkit's window tables; the application calls it first thing, so that they outlive it
// and the windows it frees at exit can still be unbound.
void PrepareWindowTables();

// Marks a paint message (or one sent while painting: colours, owner and custom drawing) for the
// time it is handled, so that an error raised there is not shown by a modal box inside the paint.
class PaintScope {
 public:
  PaintScope(unsigned msg, std::intptr_t lparam);
  ~PaintScope();
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  static bool Painting() { return painting_ > 0; }

 private:
  static int painting_;
  bool paint_;
};

// Runs a message's handling; an error it ends with goes to the error box (after the message,
// when it came while painting), and the program goes on.
template <class F>
void HandleMessage(unsigned msg, std::intptr_t lparam, F&& handle) {
  PaintScope scope(msg, lparam);
  try {
    handle();
  } catch (...) {
    HandleCurrentException();
  }
}

}  // namespace quillet::ui
