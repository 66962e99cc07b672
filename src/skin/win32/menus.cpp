// The system's check-mark bitmap is one of its OEM resources.
#define OEMRESOURCE
#include "skin/win32/menus.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <iterator>

#include "base/dpi.h"
#include "skin/menu_layout.h"
#include "skin/nc_paint.h"
#include "skin/painter.h"
#include "skin/skin_messages.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "ui/gdi.h"

namespace quillet::skin::win32 {

// ---------------------------------------------------------------------------------------------
// Popup-menu windows

TWinSkinPopMenu::TWinSkinPopMenu(HWND hwnd, TSkinData* data, int dpi)
    : Subclass(Kind::PopupMenu), hwnd_(hwnd), data_(data), dpi_(dpi) {
  Install(hwnd_);
}

TWinSkinPopMenu::~TWinSkinPopMenu() { Restore(); }

TWinSkinPopMenu* TWinSkinPopMenu::Of(HWND hwnd) { return static_cast<TWinSkinPopMenu*>(FindOn(hwnd, Kind::PopupMenu)); }

void TWinSkinPopMenu::Restore() {
  Remove();
  back_.Clear();
  back_canvas_.Release();
}

const Bitmap32& TWinSkinPopMenu::Background() {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (back_.Width() != w || back_.Height() != h) {
    back_ = RenderMenuBackground(data_->ElementsAt(dpi_), w, h);
    if (!back_.Empty() && back_canvas_.Resize(back_.Width(), back_.Height())) {
      BitmapView v = back_canvas_.View();
      for (int y = 0; y < back_.Height(); ++y) std::copy(back_.Row(y), back_.Row(y) + back_.Width(), v.Row(y));
    }
  }
  return back_;
}

void TWinSkinPopMenu::PaintClient(HDC dc) {
  Background();
  RECT wr{}, cr{};
  GetWindowRect(hwnd_, &wr);
  GetClientRect(hwnd_, &cr);
  POINT origin{0, 0};
  ClientToScreen(hwnd_, &origin);
  const int ox = origin.x - wr.left, oy = origin.y - wr.top;  // client origin in the window
  back_canvas_.CopyTo(dc, 0, 0, cr.right, cr.bottom, ox, oy);
  // The menu prints its items inside the picture's frame.
  const int kFrameWidth = base::ScaleToDpi(3, dpi_);
  const ui::gdi::SavedState saved(dc);
  const int inset_x = std::max(kFrameWidth - ox, 0), inset_y = std::max(kFrameWidth - oy, 0);
  IntersectClipRect(dc, inset_x, inset_y, cr.right - inset_x, cr.bottom - inset_y);
  SetBkMode(dc, TRANSPARENT);
  CallNext(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

LRESULT TWinSkinPopMenu::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == SKINMSG_QUERYSKIP) return 1;
  TSkinManage* m = TSkinManage::Instance();
  if (!m || !m->Enabled()) return CallNext(msg, wp, lp);
  const bool has_back = !data_->NoSkinLoaded() && data_->Elements().MenuBackground &&
                        data_->Elements().MenuBackground->HasBitmap();  // the same at every DPI
  switch (msg) {
    case WM_DESTROY:
      Restore();
      return CallNext(msg, wp, lp);
    case WM_ERASEBKGND:
      if (!data_->Options.Has(xoMenuBG)) CallNext(msg, wp, lp);
      return 1;
    case WM_NCPAINT: {
      RECT wr{}, cr{};
      GetWindowRect(hwnd_, &wr);
      GetClientRect(hwnd_, &cr);
      if (!has_back || (cr.right == wr.right - wr.left && cr.bottom == wr.bottom - wr.top)) break;
      // A frame outside the client area: the background picture's edge.
      const Bitmap32& back = Background();
      const ui::gdi::WholeWindowDC dc(hwnd_);
      if (dc && !back.Empty()) {
        POINT origin{0, 0};
        ClientToScreen(hwnd_, &origin);
        const ui::gdi::SavedState saved(dc);
        ExcludeClipRect(dc, origin.x - wr.left, origin.y - wr.top, origin.x - wr.left + cr.right,
                        origin.y - wr.top + cr.bottom);
        back_canvas_.CopyTo(dc, 0, 0, back.Width(), back.Height(), 0, 0);
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      if (!has_back) break;
      PaintClient(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_PAINT: {
      if (!has_back) break;
      if (const ui::gdi::PaintDC dc(hwnd_); dc) PaintClient(dc);
      return 0;
    }
    default:
      break;
  }
  return CallNext(msg, wp, lp);
}

// ---------------------------------------------------------------------------------------------
// Items drawn by the skin

SkinMenuItem* SkinItemOf(ULONG_PTR itemData) {
  auto* item = reinterpret_cast<SkinMenuItem*>(itemData);
  // Item data is the application's; only records we made carry the mark. Records live as long as
  // the menus that point at them, so the read is safe for our own menus; data of other menus is
  // never a pointer into our records, and reading it is avoided for small values.
  constexpr ULONG_PTR kLowestAddress = 0x10000;  // the first 64 KB of a process are never mapped
  if (!item || itemData < kLowestAddress) return nullptr;
  return item->magic == SkinMenuItem::kMagic ? item : nullptr;
}

void SplitCaption(const std::wstring& text, std::wstring& caption, std::wstring& shortcut) {
  const std::size_t tab = text.find(L'\t');
  caption = text.substr(0, tab);
  shortcut = tab == std::wstring::npos ? std::wstring() : text.substr(tab + 1);
}

namespace {

SIZE TextSize(HFONT font, const std::wstring& text) {
  // An empty caption, or "&" alone, is measured as a space.
  const std::wstring t = text.empty() || text == L"&" ? text + L" " : text;
  return TextExtent(font, t, DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
}

// The composing canvas of menu items; one for the program, reused item after item.
Canvas& ItemCanvas() {
  static Canvas canvas;
  return canvas;
}

void DrawCheckMark(HDC dc, const RECT& box, COLORREF color) {
  // The system's check mark, centred, in the given colour.
  const ui::gdi::Bitmap check(LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECK)));
  if (!check) return;
  BITMAP bm{};
  GetObjectA(check.Get(), sizeof bm, &bm);
  const int x = box.left + (box.right - box.left - bm.bmWidth) / 2;
  const int y = box.top + (box.bottom - box.top - bm.bmHeight) / 2;
  const ui::gdi::Brush ink(CreateSolidBrush(color));
  DrawStateA(dc, ink.Get(), nullptr, reinterpret_cast<LPARAM>(check.Get()), 0, x, y, bm.bmWidth, bm.bmHeight,
             DST_BITMAP | DSS_MONO);
}

}  // namespace

void MeasureSkinMenuItem(TSkinData& data, const SkinMenuItem& item, bool hasImages, MEASUREITEMSTRUCT& mis, int dpi) {
  const TSkinElements& e = data.ElementsAt(dpi);
  const SIZE cap = TextSize(data.MenuFont(dpi), item.caption);
  int text_w = cap.cx;
  const int kShortcutGap = base::ScaleToDpi(20, dpi);  // between a caption and its shortcut
  if (!item.shortcut.empty()) text_w += kShortcutGap + TextSize(data.MenuFont(dpi), item.shortcut).cx;
  int w = 0, h = 0;
  if (item.menu)
    MeasureNativeMenuItem(e, item.separator, text_w, cap.cy, w, h);
  else
    MeasurePopupMenuItem(e, item.separator, hasImages, text_w, cap.cy, w, h);
  mis.itemWidth = static_cast<UINT>(w);
  mis.itemHeight = static_cast<UINT>(h);
}

void DrawSkinMenuItem(TSkinData& data, const SkinMenuItem& item, const DRAWITEMSTRUCT& dis, int dpi) {
  const TSkinElements& e = data.ElementsAt(dpi);
  const RECT rc = dis.rcItem;
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  Canvas& c = ItemCanvas();
  if (w <= 0 || h <= 0 || !c.Resize(w, h)) return;
  const bool selected = dis.itemState & ODS_SELECTED;
  const bool enabled = !(dis.itemState & (ODS_GRAYED | ODS_DISABLED));
  const bool checked = dis.itemState & ODS_CHECKED;
  const bool is_default = (dis.itemState & ODS_DEFAULT) || item.isDefault;

  // The popup window the item is drawn in, for its background picture.
  TSkinManage* m = TSkinManage::Instance();
  TWinSkinPopMenu* popup = nullptr;
  if (m) {
    popup = m->FindPopup(WindowFromDC(dis.hDC));
    if (!popup) popup = m->FindPopupByMenu(reinterpret_cast<HMENU>(dis.hwndItem));
    if (!popup && (popup = m->NewestPopupWithoutMenu())) popup->SetMenu(reinterpret_cast<HMENU>(dis.hwndItem));
  }
  int ox = rc.left, oy = rc.top;
  const Bitmap32* back = nullptr;
  if (popup) {
    back = &popup->Background();
    RECT wr{};
    GetWindowRect(popup->Hwnd(), &wr);
    POINT origin{0, 0};
    ClientToScreen(popup->Hwnd(), &origin);
    ox += origin.x - wr.left;
    oy += origin.y - wr.top;
  }
  PaintMenuItemBack(c.View(), e, back, ox, oy, selected && enabled, item.separator, data.Color(slot::Menu));
  HDC dc = c.Dc();
  if (item.separator) {
    const int kLineTop = base::ScaleToDpi(4, dpi);  // the etched line in the middle of a separator's 8 pixels
    RECT line{0, kLineTop, w, kLineTop + 2};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  } else {
    const bool images = data.MenuGlyphs(dpi) != nullptr;
    const int glyph_size = base::ScaleToDpi(TSkinData::kMenuGlyphSize, dpi);
    const MenuItemLayout l = LayoutMenuItem(e, {0, 0, w, h}, images ? glyph_size : 0, checked, false);
    RECT glyph{l.glyph.left, l.glyph.top, l.glyph.right, l.glyph.bottom};
    if (item.glyph >= 0 && images) {
      if (checked) {
        DrawEdge(dc, &glyph, BDR_SUNKENOUTER, BF_RECT);
      }
      ImageList_Draw(enabled ? data.MenuGlyphs(dpi) : data.MenuGlyphsDisabled(dpi), item.glyph, dc, glyph.left, glyph.top,
                     ILD_TRANSPARENT);
    } else if (checked) {
      DrawCheckMark(dc, {glyph.left, 0, glyph.right, h}, GetSysColor(COLOR_BTNTEXT));
    }
    COLORREF text = selected && enabled ? data.Color(slot::HilightText) : data.Color(slot::MenuText);
    if (!enabled) {
      const COLORREF shadow = data.Color(slot::ButtonShadow);
      text = shadow == data.Color(slot::MenuText) ? GetSysColor(COLOR_3DSHADOW) : shadow;
    }
    HFONT font = is_default ? data.MenuFontBold(dpi) : data.MenuFont(dpi);
    const ui::gdi::Select selected(dc, FontOrDefault(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    RECT cap{l.caption.left, l.caption.top, l.caption.right, l.caption.bottom};
    DrawTextW(dc, item.caption.c_str(), static_cast<int>(item.caption.size()), &cap,
              DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER);
    if (!item.shortcut.empty()) {
      RECT sc{l.caption.left, l.caption.top, l.shortcutRight, l.caption.bottom};
      DrawTextW(dc, item.shortcut.c_str(), static_cast<int>(item.shortcut.size()), &sc,
                DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
  }
  BitBlt(dis.hDC, rc.left, rc.top, w, h, dc, 0, 0, SRCCOPY);
}

bool HasMnemonic(const std::wstring& c, wchar_t key) {
  const wchar_t k = static_cast<wchar_t>(std::towlower(key));
  for (std::size_t p = 0; p + 1 < c.size(); ++p) {
    if (c[p] != L'&') continue;
    if (c[p + 1] == L'&') {
      ++p;
      continue;
    }
    return static_cast<wchar_t>(std::towlower(c[p + 1])) == k;
  }
  return false;
}

LRESULT SkinMenuChar(HMENU menu, wchar_t key) {
  const int n = GetMenuItemCount(menu);
  bool ours = false;
  for (int i = 0; i < n; ++i) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_DATA | MIIM_STATE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    const SkinMenuItem* item = SkinItemOf(mii.dwItemData);
    if (!item) continue;
    ours = true;
    if (!item->separator && !(mii.fState & MFS_GRAYED) && HasMnemonic(item->caption, key))
      return MAKELRESULT(i, MNC_EXECUTE);
  }
  return ours ? MAKELRESULT(0, MNC_IGNORE) : -1;
}

void MakeOwnerDrawn(HMENU menu, std::vector<std::unique_ptr<SkinMenuItem>>& keep) {
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    if (mii.hSubMenu) MakeOwnerDrawn(mii.hSubMenu, keep);
    if ((mii.fType & MFT_OWNERDRAW) || SkinItemOf(mii.dwItemData)) continue;
    std::wstring text(mii.cch, L'\0');
    if (mii.cch) {
      mii.fMask = MIIM_STRING;
      mii.cch += 1;
      std::wstring buf(mii.cch, L'\0');
      mii.dwTypeData = buf.data();
      GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
      text = buf.c_str();
      mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA;
      GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
    }
    auto rec = std::make_unique<SkinMenuItem>();
    SplitCaption(text, rec->caption, rec->shortcut);
    rec->id = mii.wID;
    rec->separator = (mii.fType & MFT_SEPARATOR) != 0;
    if (!rec->separator && rec->caption.empty()) rec->caption = L"-";
    rec->menu = menu;
    rec->position = static_cast<UINT>(i);
    rec->oldType = mii.fType;
    rec->oldData = mii.dwItemData;
    MENUITEMINFOW set{};
    set.cbSize = sizeof set;
    set.fMask = MIIM_FTYPE | MIIM_DATA;
    set.fType = mii.fType | MFT_OWNERDRAW;
    set.dwItemData = reinterpret_cast<ULONG_PTR>(rec.get());
    if (SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &set)) keep.push_back(std::move(rec));
  }
}

void UndoOwnerDrawn(std::vector<std::unique_ptr<SkinMenuItem>>& keep) {
  for (auto& rec : keep) {
    if (!IsMenu(rec->menu)) continue;
    std::wstring text = rec->caption;
    if (!rec->shortcut.empty()) text += L"\t" + rec->shortcut;
    MENUITEMINFOW set{};
    set.cbSize = sizeof set;
    set.fMask = MIIM_FTYPE | MIIM_DATA;
    set.fType = rec->oldType;
    set.dwItemData = rec->oldData;
    if (!(rec->oldType & MFT_SEPARATOR)) {
      set.fMask |= MIIM_STRING;
      set.dwTypeData = text.data();
    }
    SetMenuItemInfoW(rec->menu, rec->position, TRUE, &set);
  }
  keep.clear();
}

// ---------------------------------------------------------------------------------------------
// The menu bar

namespace {
TWinSkinMenu* g_tracking = nullptr;  // the bar whose drop-down is open
HHOOK g_filter = nullptr;
}  // namespace

TWinSkinMenu::TWinSkinMenu(HWND hwnd, HMENU menu, TSkinData* data, int dpi)
    : hwnd_(hwnd), menu_(menu), data_(data), dpi_(dpi) {
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    BarItem item;
    wchar_t buf[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), buf, static_cast<int>(std::size(buf) - 1), MF_BYPOSITION);
    item.caption = buf;
    item.submenu = GetSubMenu(menu, i);
    item.id = GetMenuItemID(menu, i);
    items_.push_back(item);
  }
}

TWinSkinMenu::~TWinSkinMenu() { UndoOwnerDrawn(owner_drawn_); }

void TWinSkinMenu::Layout(const RECT& band) {
  band_ = band;
  // The captions' widths change only with the menu (which gets a new bar) or the skin's font.
  if (!measured_ || measured_font_ != data_->MenuFont(dpi_)) {
    measured_ = true;
    measured_font_ = data_->MenuFont(dpi_);
    for (BarItem& i : items_) i.width = TextSize(measured_font_, i.caption).cx;
  }
  std::vector<int> widths;
  for (const BarItem& i : items_) widths.push_back(i.width);
  const bool rtl = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
  rects_ = LayoutMenuBar(data_->ElementsAt(dpi_), band.right - band.left, band.bottom - band.top, widths, rtl);
}

RECT TWinSkinMenu::ItemRect(std::size_t i) const {
  if (i >= rects_.size()) return {};
  const Rect& r = rects_[i];
  return {band_.left + r.left, band_.top + r.top, band_.left + r.right, band_.top + r.bottom};
}

void TWinSkinMenu::Paint(HDC dc, const RECT& band, bool active) {
  const int w = band.right - band.left, h = band.bottom - band.top;
  if (w <= 0 || h <= 0 || !canvas_.Resize(w, h)) return;
  Layout(band);
  const TSkinElements& e = data_->ElementsAt(dpi_);
  PaintMenuBarBack(canvas_.View(), e, active, data_->Color(slot::Menubar));
  HDC mdc = canvas_.Dc();
  {
    const ui::gdi::Select font(mdc, FontOrDefault(data_->MenuFont(dpi_)));
    SetBkMode(mdc, TRANSPARENT);
    for (std::size_t i = 0; i < items_.size(); ++i) {
      const BarItem& item = items_[i];
      RECT r{rects_[i].left, rects_[i].top, rects_[i].right, rects_[i].bottom};
      const bool lit = static_cast<int>(i) == hot_ || static_cast<int>(i) == pressed_;
      if (lit) {
        if (e.MenuItem && e.MenuItem->HasBitmap()) {
          BitmapView v = canvas_.View();
          DrawElement(v, {r.left, r.top + 1, r.right, r.bottom - 1}, *e.MenuItem, kMenuItemSelectedFrame,
                      kMenuItemFrames);
        } else {
          const ui::gdi::Brush b(CreateSolidBrush(data_->Color(slot::Hilight)));
          FillRect(mdc, &r, b.Get());
        }
      }
      SetTextColor(mdc, lit ? data_->Color(slot::HilightText) : data_->Color(slot::MenuBarText));
      DrawTextW(mdc, item.caption.c_str(), static_cast<int>(item.caption.size()), &r,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
  }
  canvas_.CopyTo(dc, band.left, band.top, w, h, 0, 0);
}

int TWinSkinMenu::ItemAt(const RECT& band, int x, int y) const {
  if (x < band.left || x >= band.right || y < band.top || y >= band.bottom) return -1;
  return MenuBarItemAt(rects_, x - band_.left, y - band_.top);
}

bool TWinSkinMenu::SetHot(int index) {
  if (index == hot_) return false;
  hot_ = index;
  return true;
}

int TWinSkinMenu::ItemForAccelerator(wchar_t key) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (HasMnemonic(items_[i].caption, key)) return static_cast<int>(i);
  return -1;
}

LRESULT CALLBACK TWinSkinMenu::FilterProc(int code, WPARAM wp, LPARAM lp) {
  auto* msg = reinterpret_cast<MSG*>(lp);
  TWinSkinMenu* bar = g_tracking;
  if (code == MSGF_MENU && bar && msg) {
    if (msg->message == WM_MOUSEMOVE) {
      POINT pt;
      GetCursorPos(&pt);
      RECT wr{};
      GetWindowRect(bar->hwnd_, &wr);
      const int i = bar->ItemAt(bar->band_, pt.x - wr.left, pt.y - wr.top);
      if (i >= 0 && i != bar->pressed_ && bar->items_[static_cast<std::size_t>(i)].submenu) {
        bar->switch_to_ = i;
        EndMenu();
        return TRUE;
      }
    } else if (msg->message == WM_KEYDOWN && (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT)) {
      TSkinManage* m = TSkinManage::Instance();
      // Only from the bar's own drop-down; in a submenu the keys move between levels.
      if (m && m->Popups().size() <= 1 && !bar->items_.empty()) {
        const int n = static_cast<int>(bar->items_.size());
        bar->switch_to_ = (bar->pressed_ + (msg->wParam == VK_RIGHT ? 1 : n - 1)) % n;
        EndMenu();
        return TRUE;
      }
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

void TWinSkinMenu::Press(int index, TWinSkinForm& form) {
  constexpr int kMaxDropDowns = 64;  // bounds a run of drop-downs switched with the arrow keys
  for (int guard = 0; index >= 0 && index < Count() && guard < kMaxDropDowns; ++guard) {
    BarItem& item = items_[static_cast<std::size_t>(index)];
    if (!item.submenu) {
      PostMessageA(hwnd_, WM_COMMAND, item.id, 0);
      return;
    }
    MakeOwnerDrawn(item.submenu, owner_drawn_);
    TSkinManage* m = TSkinManage::Instance();
    if (m) {
      m->SetMenuMode(MenuMode::MenuBar);
      m->SetTracking(true);
    }
    pressed_ = index;
    hot_ = index;
    switch_to_ = -1;
    form.RepaintFrame();
    RECT wr{};
    GetWindowRect(hwnd_, &wr);
    const bool rtl = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
    const RECT place = ItemRect(static_cast<std::size_t>(index));
    const int x = wr.left + (rtl ? place.right : place.left), y = wr.top + place.bottom;
    g_tracking = this;
    g_filter = SetWindowsHookExA(WH_MSGFILTER, FilterProc, nullptr, GetCurrentThreadId());
    const UINT cmd = static_cast<UINT>(TrackPopupMenu(
        item.submenu, TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_RETURNCMD | (rtl ? TPM_RIGHTALIGN : TPM_LEFTALIGN), x, y, 0,
        hwnd_, nullptr));
    if (g_filter) UnhookWindowsHookEx(g_filter);
    g_filter = nullptr;
    g_tracking = nullptr;
    if (m) m->SetTracking(false);
    pressed_ = -1;
    hot_ = -1;
    form.RepaintFrame();
    if (cmd) {
      PostMessageA(hwnd_, WM_COMMAND, cmd, 0);
      return;
    }
    index = switch_to_;
  }
}

}  // namespace quillet::skin::win32
