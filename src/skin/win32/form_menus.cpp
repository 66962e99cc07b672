// The menus of a skinned window: the skinned system menu, the menu bar drawn in the frame (made
// again when the form's menu is replaced), and the owner-drawn items the skin measures and draws.
#include "skin/menu_layout.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32/menus.h"

namespace quillet::skin::win32 {

RECT TWinSkinForm::MenuBand() const {
  return {borders_.left, borders_.top, layout_w_ - borders_.right, borders_.top + menu_bar_height_};
}

LRESULT TWinSkinForm::OnMenuChanged(UINT msg, WPARAM wp, LPARAM lp) {
  frame_paint_off_ = true;
  const LRESULT r = CallPrev(msg, wp, lp);
  frame_paint_off_ = false;
  HMENU menu = GetMenu(hwnd_);
  if (menu && IsMenu(menu)) {
    if (data_->MenuUpdate) {
      menu_bar_ = std::make_unique<TWinSkinMenu>(hwnd_, menu, data_, dpi_);
      native_menu_ = menu;
      menu_bar_height_ = SystemMetricAt(SM_CYMENU, dpi_);
    }
    SetMenu(hwnd_, nullptr);
    InvalidateLayout();
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RepaintFrame();
  }
  return r;
}

void TWinSkinForm::ShowSystemMenu(int x, int y) {
  const DWORD now = GetTickCount();
  if (now - last_sysmenu_tick_ < GetDoubleClickTime() && hot_ >= 0) {
    StopHoverTimer();
    PostMessageA(hwnd_, WM_CLOSE, 0, 0);
    return;
  }
  last_sysmenu_tick_ = now;
  HMENU native = GetSystemMenu(hwnd_, FALSE);
  if (!native) return;
  manager_.SetMenuMode(MenuMode::SystemMenu);
  HMENU popup = CreatePopupMenu();
  if (!popup) return;
  std::vector<std::unique_ptr<SkinMenuItem>> items;
  const FrameState s = CurrentFrameState();
  const int n = GetMenuItemCount(native);
  for (int i = 0; i < n; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
    mii.dwTypeData = text;
    mii.cch = static_cast<UINT>(std::size(text) - 1);
    if (!GetMenuItemInfoW(native, static_cast<UINT>(i), TRUE, &mii)) continue;
    auto rec = std::make_unique<SkinMenuItem>();
    rec->separator = (mii.fType & MFT_SEPARATOR) != 0;
    SplitCaption(rec->separator ? L"-" : text, rec->caption, rec->shortcut);
    const SystemMenuItem st =
        SystemMenuItemState(mii.wID, (mii.fState & MFS_GRAYED) != 0, (mii.fState & MFS_CHECKED) != 0, s);
    rec->id = mii.wID;
    rec->enabled = st.enabled;
    rec->checked = st.checked;
    rec->glyph = st.glyph;
    rec->isDefault = (mii.fState & MFS_DEFAULT) != 0;
    UINT flags = MF_OWNERDRAW | (rec->separator ? MF_SEPARATOR : 0) | (rec->enabled ? 0 : MF_GRAYED) |
                 (rec->checked ? MF_CHECKED : 0);
    AppendMenuW(popup, flags, rec->separator ? 0 : rec->id, reinterpret_cast<LPCWSTR>(rec.get()));
    if (rec->isDefault) SetMenuDefaultItem(popup, rec->id, FALSE);
    items.push_back(std::move(rec));
  }
  in_sysmenu_ = true;
  const UINT cmd = static_cast<UINT>(
      TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_LEFTALIGN, x, y, 0, hwnd_, nullptr));
  in_sysmenu_ = false;
  DestroyMenu(popup);
  if (cmd) PostMessageA(hwnd_, WM_SYSCOMMAND, cmd, 0);
}

bool TWinSkinForm::MeasureMenuItem(MEASUREITEMSTRUCT* mis) {
  SkinMenuItem* item = SkinItemOf(mis->itemData);
  if (!item) return false;
  MeasureSkinMenuItem(*data_, *item, data_->MenuGlyphs() != nullptr, *mis, dpi_);
  return true;
}

bool TWinSkinForm::DrawMenuItem(DRAWITEMSTRUCT* dis) {
  SkinMenuItem* item = SkinItemOf(dis->itemData);
  if (!item) return false;
  DrawSkinMenuItem(*data_, *item, *dis, dpi_);
  return true;
}

}  // namespace quillet::skin::win32
