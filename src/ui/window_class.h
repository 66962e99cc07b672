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

// Tracks the messages the toolkit is handling on its thread: a handler that fails while a window
// paints (or during a message sent from a paint) must not open a modal box there; its error waits
// until the outermost message has been handled.
class MessageScope {
 public:
  MessageScope(unsigned msg, std::intptr_t lparam);
  ~MessageScope();
  MessageScope(const MessageScope&) = delete;
  MessageScope& operator=(const MessageScope&) = delete;
  static bool Painting() { return painting_ > 0; }
  static bool Outermost() { return depth_ == 0; }

 private:
  static int depth_, painting_;
  bool paint_;
};

// Runs a message's handling; an error it ends with goes to the error box (held back while
// painting), and the program goes on.
template <class F>
void HandleMessage(unsigned msg, std::intptr_t lparam, F&& handle) {
  {
    MessageScope scope(msg, lparam);
    try {
      handle();
    } catch (...) {
      HandleCurrentException();
    }
  }
  if (MessageScope::Outermost()) Application().ShowHeldBackErrors();
}

}  // namespace quillet::ui
