#pragma once
// The toolkit's own notifications. A control with a window gets them through its window, like the
// window's messages, so that whatever subclassed the window (the skin engine) sees them too.
// The numbers sit in the application range and stay clear of the skin engine's fixed ones.

#include <cstdint>
#include <functional>

namespace quillet::ui {

struct Message {
  unsigned msg = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
  std::intptr_t result = 0;
};

// A control's replaceable message handler; the default one ends in the control's own handling.
using MessageHandler = std::function<void(Message&)>;

// The toolkit's own notifications, from QM_BASE to QM_LAST; the system's windows never see them.
inline constexpr unsigned QM_BASE = 0xB000;
inline constexpr unsigned QM_LAST = QM_BASE + 0xFF;
inline constexpr unsigned QM_ENABLEDCHANGED = QM_BASE + 0;  // after Enabled changed
inline constexpr unsigned QM_VISIBLECHANGED = QM_BASE + 1;  // wparam: the new visibility
inline constexpr unsigned QM_TEXTCHANGED = QM_BASE + 2;     // after the caption or text changed
// Sent to every windowed control of a form when the focus moves; lparam: the control that has it.
inline constexpr unsigned QM_FOCUSCHANGED = QM_BASE + 3;
// A navigation key (Tab, Enter, Escape, arrows) offered to the form before the focused control;
// wparam: the virtual key. A handler that uses it sets result to 1.
inline constexpr unsigned QM_DIALOGKEY = QM_BASE + 4;
inline constexpr unsigned QM_MOUSELEAVE = QM_BASE + 5;      // the pointer left the control
inline constexpr unsigned QM_RECREATEWND = QM_BASE + 6;     // the default handling re-creates the window
inline constexpr unsigned QM_MENUCHANGED = QM_BASE + 7;     // a form's menu was replaced
// A parent's WM_COMMAND / WM_NOTIFY / WM_CTLCOLOR* / WM_DRAWITEM handed on to the control it is about,
// with the original wparam and lparam.
inline constexpr unsigned QM_COMMAND = QM_BASE + 8;
inline constexpr unsigned QM_NOTIFY = QM_BASE + 9;
inline constexpr unsigned QM_CTLCOLOR = QM_BASE + 10;  // wparam: the HDC, lparam: the original message
inline constexpr unsigned QM_DRAWITEM = QM_BASE + 11;
inline constexpr unsigned QM_MEASUREITEM = QM_BASE + 12;
// The control object is being destroyed; its window goes with it and no message reaches its
// handler after this one.
inline constexpr unsigned QM_DESTROYING = QM_BASE + 13;
// The control's form moved to another DPI and the control stands at it now; wparam: the DPI.
inline constexpr unsigned QM_DPICHANGED = QM_BASE + 14;

}  // namespace quillet::ui
