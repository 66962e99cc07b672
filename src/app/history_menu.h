#pragma once
// The history on the main windows: its items in each one's system menu (which the skin engine
// draws from the same menu), kept up to date as the history changes, and its keyboard shortcuts.

#include <windows.h>

#include <string>

namespace quillet::app {

// System commands carry their id in all but the lowest four bits, and ids from 0xF000 up are the
// system's.
inline constexpr unsigned kUndoCommand = 0x0110;
inline constexpr unsigned kRedoCommand = 0x0120;
inline constexpr unsigned kOpenHistoryCommand = 0x0130;
// Posted to a main window when the history's writer is done with a record.
inline constexpr UINT kHistoryWrittenMessage = WM_APP + 0x118;

// Where the records go: the user's local application data folder under Quillet\History (the
// sandbox keeps them beside its Quillet.reg instead). Empty when the system names no such folder.
std::string LocalHistoryFolder();

// A main window takes part: its system menu gains the items, before "Close", and the shortcuts
// pressed in it ask it for the commands. It leaves before its window goes.
void JoinHistory(HWND window);
void LeaveHistory(HWND window);
// Every main window's items as the current history stands.
void UpdateHistoryMenus();
// Tells the user, once, that a change has no record.
void TellUnrecorded(const std::string& text);
// From the history's writer thread: has a main window collect what was written.
void PostHistoryWritten();

}  // namespace quillet::app
