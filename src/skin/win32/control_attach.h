// Where the window skins hand over to the control skins: attaching a skin to every control of a
// skinned window, and the few requests a window skin passes on to them.
#pragma once

#include <windows.h>

namespace quillet::skin::win32 {

class TWinSkinForm;

// Gives the controls of the window their skins: a toolkit form's controls by the control map, a
// foreign window's child windows by their class.
void AttachControlSkins(TWinSkinForm& form);
// A child window made after its window was skinned (a page first shown, a re-created control).
void AttachChildWindow(TWinSkinForm& form, HWND child);
// The window stopped being active: hot controls of foreign windows go back to normal.
void LeaveHotControls(TWinSkinForm& form);

}  // namespace quillet::skin::win32
