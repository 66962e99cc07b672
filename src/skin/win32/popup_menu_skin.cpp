#include "skin/win32/popup_menu_skin.h"

#include <memory>
#include <vector>

#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32/menus.h"
#include "ui/popup_menu.h"

namespace quillet::skin::win32 {

void SkinPopupMenuItems(ui::TPopupMenu& menu) {
  // The items live while the menu shows; they go back to plain text before it is destroyed.
  auto items = std::make_shared<std::vector<std::unique_ptr<SkinMenuItem>>>();
  menu.OnMenuBuilt = [&menu, items](HMENU native) {
    TSkinManage* manager = TSkinManage::Instance();
    const HWND owner = menu.OwnerWindow();
    TWinSkinForm* form = manager && owner ? manager->FindForm(GetAncestor(owner, GA_ROOT)) : nullptr;
    if (!form || form->Dead() || form->Hwnd() != owner || !form->Data() ||
        !form->Data()->SkinControls.Has(xcPopupMenu))
      return;
    MakeOwnerDrawn(native, *items);
  };
  menu.OnMenuClosed = [items](HMENU) { UndoOwnerDrawn(*items); };
}

}  // namespace quillet::skin::win32
