#pragma once
// What the main window's system menu and keyboard make of the history: the items' texts and the
// keys that undo and redo. Portable, so that both are tested without windows.

#include <string>

namespace quillet::app {

// "&Undo Create / Save {...}\tCtrl+Z": the change named as the history names it, its ampersands
// shown as such, a long name cut short; "&Undo\tCtrl+Z" when there is nothing to undo.
std::string UndoItemText(const std::string& title);
std::string RedoItemText(const std::string& title);
inline constexpr char kOpenHistoryItemText[] = "Open &History Folder";

enum class HistoryKey { None, Undo, Redo };
// As Windows programs take them: Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo. In a text field
// they are the field's own (its typing undone), so they are left to it.
HistoryKey HistoryKeyOf(unsigned virtual_key, bool ctrl, bool shift, bool alt, bool in_text_field);

}  // namespace quillet::app
