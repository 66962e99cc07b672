// Popup menus of a skinned form whose items the skin draws (xcPopupMenu): each time such a menu
// opens, its items are made owner-drawn, and the skin of the window that owns the menu measures
// and draws them, as it does the skinned system menu's.
#pragma once

namespace quillet::ui {
class TPopupMenu;
}

namespace quillet::skin::win32 {

// Hooks the menu. While it opens, its owner window must still be a skinned window whose component
// skins popup menus; otherwise the menu shows as the system draws it.
void SkinPopupMenuItems(ui::TPopupMenu& menu);

}  // namespace quillet::skin::win32
