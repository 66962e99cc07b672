#include "ui/popup_menu.h"

#include "ui/forms.h"

namespace quillet::ui {

namespace {

// Appends the items to a native menu; an item's command id is its place in `flat` plus one.
void Build(HMENU menu, std::vector<TMenuItem>& items, std::vector<TMenuItem*>& flat) {
  for (TMenuItem& item : items) {
    if (item.caption == "-") {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::string text = item.shortcut.empty() ? item.caption : item.caption + "\t" + item.shortcut;
    const UINT flags = (item.enabled ? 0 : MF_GRAYED) | (item.checked ? MF_CHECKED : 0);
    if (!item.items.empty()) {
      HMENU sub = CreatePopupMenu();
      Build(sub, item.items, flat);
      AppendMenuA(menu, MF_POPUP | flags, reinterpret_cast<UINT_PTR>(sub), text.c_str());
      continue;
    }
    flat.push_back(&item);
    const UINT id = static_cast<UINT>(flat.size());
    AppendMenuA(menu, MF_STRING | flags, id, text.c_str());
    if (item.isDefault) SetMenuDefaultItem(menu, id, FALSE);
  }
}

}  // namespace

TMenuItem& TMenuItem::Add(std::string text, Event onClick) {
  items.push_back({});
  items.back().caption = std::move(text);
  items.back().OnClick = std::move(onClick);
  return items.back();
}

TPopupMenu::TPopupMenu(TComponent* owner, std::string name) : TComponent(owner) { SetName(std::move(name)); }

HWND TPopupMenu::OwnerWindow() const {
  for (TComponent* c = Owner(); c; c = c->Owner())
    if (auto* f = dynamic_cast<TForm*>(c); f && f->HandleAllocated()) return f->HandleIfAny();
  return GetActiveWindow();
}

void TPopupMenu::Popup(int x, int y) {
  if (showing_) return;
  std::vector<TMenuItem*> flat;
  HMENU menu = CreatePopupMenu();
  Build(menu, root_.items, flat);
  showing_ = true;
  if (OnMenuBuilt) OnMenuBuilt(menu);
  const UINT id = static_cast<UINT>(
      TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, OwnerWindow(), nullptr));
  if (OnMenuClosed) OnMenuClosed(menu);
  showing_ = false;
  DestroyMenu(menu);
  // Last: the handler may close the window the menu belongs to.
  if (id >= 1 && id <= flat.size())
    if (Event click = flat[id - 1]->OnClick) click();
}

}  // namespace quillet::ui
