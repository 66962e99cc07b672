#include "ui/comctrls.h"

#include <commctrl.h>

#include <algorithm>
#include <initializer_list>

#include "base/dpi.h"
#include "ui/gdi.h"

namespace quillet::ui {

namespace {
std::string NamePart(const std::string& s) {
  auto eq = s.find('=');
  return eq == std::string::npos ? s : s.substr(0, eq);
}
std::string ValuePart(const std::string& s) {
  auto eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Page control

TTabSheet::TTabSheet(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  PublishFlag(props_, "TabVisible", tab_visible_, [this](bool b) { SetTabVisible(b); });
  props_.Publish("PageIndex", [this] { return PropValue::OfInt(PageIndex()); });
}

void TTabSheet::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.style |= WS_CLIPCHILDREN;
  p.ex_style |= WS_EX_CONTROLPARENT;
}

Bounds TTabSheet::DeviceBounds() const {
  if (page_control_ && page_control_->HandleAllocated()) return page_control_->SheetArea();
  return TWinControl::DeviceBounds();
}

int TTabSheet::PageIndex() const {
  if (!page_control_) return -1;
  auto& pages = page_control_->pages_;
  auto it = std::find(pages.begin(), pages.end(), this);
  return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TTabSheet::SetTabVisible(bool v) {
  if (v == tab_visible_) return;
  tab_visible_ = v;
  if (!page_control_) return;
  page_control_->RebuildTabs();
  if (!v && page_control_->active_ == this) {
    TTabSheet* next = nullptr;
    for (TTabSheet* p : page_control_->pages_)
      if (p->tab_visible_) {
        next = p;
        break;
      }
    page_control_->SetActivePage(next);
  } else {
    page_control_->SetActivePage(page_control_->active_);
  }
}

void TTabSheet::TextChanged() {
  if (page_control_) page_control_->RebuildTabs();
}

TPageControl::TPageControl(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  tab_stop_ = true;
  props_.Publish("ActivePageIndex", [this] { return PropValue::OfInt(active_ ? active_->PageIndex() : -1); });
  props_.Publish("TabPosition", [] { return PropValue::OfEnum("tpTop"); });
  props_.Publish("Style", [this] {
    return PropValue::OfEnum(style_ == TabStyle::Tabs ? "tsTabs" : style_ == TabStyle::Buttons ? "tsButtons" : "tsFlatButtons");
  });
}

void TPageControl::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = WC_TABCONTROLA;
  p.style |= WS_CLIPCHILDREN;
  if (style_ == TabStyle::Buttons) p.style |= TCS_BUTTONS;
  if (style_ == TabStyle::FlatButtons) p.style |= TCS_BUTTONS | TCS_FLATBUTTONS;
  p.ex_style |= WS_EX_CONTROLPARENT;
}

void TPageControl::CreateWnd() {
  RebuildTabs();
  PlaceSheets();
}

TTabSheet& TPageControl::AddPage(std::string name, const std::string& caption) {
  TComponent& owner = Owner() ? *Owner() : *this;
  TTabSheet& sheet = owner.Own<TTabSheet>(&owner, std::move(name));
  sheet.caption_ = caption;
  sheet.page_control_ = this;
  sheet.visible_ = false;
  pages_.push_back(&sheet);
  sheet.SetParent(this);
  RebuildTabs();
  PlaceSheets();
  if (!active_) SetActivePage(&sheet);
  return sheet;
}

void TPageControl::SetStyle(TabStyle s) {
  style_ = s;
  if (hwnd_) RecreateWnd();
}

int TPageControl::TabIndexOf(TTabSheet* page) const {
  int i = 0;
  for (TTabSheet* p : pages_) {
    if (p == page) return p->tab_visible_ ? i : -1;
    if (p->tab_visible_) ++i;
  }
  return -1;
}

void TPageControl::RebuildTabs() {
  if (!hwnd_) return;
  SendMessageA(hwnd_, TCM_DELETEALLITEMS, 0, 0);
  int i = 0;
  for (TTabSheet* p : pages_) {
    if (!p->tab_visible_) continue;
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    std::string text = p->caption_;
    item.pszText = text.data();
    SendMessageA(hwnd_, TCM_INSERTITEMA, static_cast<WPARAM>(i++), reinterpret_cast<LPARAM>(&item));
  }
  if (active_) SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(TabIndexOf(active_)), 0);
  PlaceSheets();
}

Bounds TPageControl::SheetArea() const {
  if (!hwnd_) {
    // Before the window exists: about where the tabs leave the pages.
    constexpr int kPageInset = 4, kTabsHeight = 24;
    return {kPageInset, kTabsHeight, bounds_.width - 2 * kPageInset, bounds_.height - kTabsHeight - kPageInset};
  }
  RECT r;
  GetClientRect(hwnd_, &r);
  SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TPageControl::PlaceSheets() {
  Bounds area = SheetArea();
  if (hwnd_) {
    // The tab control measures in pixels; the sheets' bounds are in 96-DPI units like every
    // control's, while they stand where it says (TTabSheet::DeviceBounds).
    const int dpi = Dpi();
    for (int* v : {&area.left, &area.top, &area.width, &area.height}) *v = base::MulDivRound(*v, base::kBaseDpi, dpi);
  }
  for (TTabSheet* p : pages_) p->SetBounds(area);
}

void TPageControl::BoundsChanged() {
  TWinControl::BoundsChanged();
  PlaceSheets();
}

void TPageControl::SetActivePage(TTabSheet* page) {
  active_ = page;
  for (TTabSheet* p : pages_) p->SetVisible(p == page);
  if (hwnd_ && page) SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(TabIndexOf(page)), 0);
}

void TPageControl::WndProc(Message& m) {
  if (m.msg == QM_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(m.lparam);
    if (hdr->code == TCN_SELCHANGE) {
      int tab = static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0));
      int i = 0;
      for (TTabSheet* p : pages_) {
        if (!p->tab_visible_) continue;
        if (i++ == tab) {
          SetActivePage(p);
          break;
        }
      }
      if (OnChange) OnChange();
    }
    return;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// Up-down

TUpDown::TUpDown(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  props_.Publish("Position", [this] { return PropValue::OfInt(Position()); });
  props_.Publish("Orientation", [] { return PropValue::OfEnum("udVertical"); });
}

void TUpDown::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = UPDOWN_CLASSA;
  p.style |= UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
}

void TUpDown::CreateWnd() {
  SendMessageA(hwnd_, UDM_SETRANGE32, static_cast<WPARAM>(low_), high_);
  if (associate_) SendMessageA(hwnd_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
  SendMessageA(hwnd_, UDM_SETPOS32, 0, position_);
}

void TUpDown::DestroyWnd() { position_ = Position(); }

void TUpDown::SetAssociate(TEdit* edit) {
  associate_ = edit;
  if (hwnd_ && edit) {
    SendMessageA(hwnd_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit->Handle()), 0);
    SendMessageA(hwnd_, UDM_SETPOS32, 0, position_);
  }
}

int TUpDown::Position() const {
  if (!hwnd_) return position_;
  BOOL error = FALSE;
  int p = static_cast<int>(SendMessageA(hwnd_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)));
  return p;
}

void TUpDown::SetPosition(int position) {
  position_ = std::clamp(position, std::min(low_, high_), std::max(low_, high_));
  if (hwnd_) SendMessageA(hwnd_, UDM_SETPOS32, 0, position_);
}

void TUpDown::SetRange(int low, int high) {
  low_ = low;
  high_ = high;
  position_ = std::clamp(Position(), std::min(low_, high_), std::max(low_, high_));
  if (hwnd_) {
    SendMessageA(hwnd_, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
    SendMessageA(hwnd_, UDM_SETPOS32, 0, position_);
  }
}

void TUpDown::WndProc(Message& m) {
  if (m.msg == QM_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(m.lparam);
    if (hdr->code == UDN_DELTAPOS && OnChanging) OnChanging();
    return;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// Grid

TGrid::TGrid(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  tab_stop_ = true;
  color_ = kColorWindow;
  props_.Publish("RowCount", [this] { return PropValue::OfInt(RowCount() + 1); });
  props_.Publish("BorderStyle", [] { return PropValue::OfEnum("bsSingle"); });
}

void TGrid::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = WC_LISTVIEWA;
  p.style |= LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_VSCROLL | WS_HSCROLL;
  p.ex_style |= WS_EX_CLIENTEDGE;
}

void TGrid::CreateWnd() {
  SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.cx = widths_[i];
    col.pszText = titles_[i].data();
    col.iSubItem = i;
    SendMessageA(hwnd_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
  }
  SyncCount(false);
  if (selected_ >= 0) SetSelected(selected_);
}

void TGrid::DestroyWnd() { selected_ = Selected(); }

void TGrid::SetTitles(const std::string& left, const std::string& right) {
  titles_[0] = left;
  titles_[1] = right;
  if (!hwnd_) return;
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT;
    col.pszText = titles_[i].data();
    SendMessageA(hwnd_, LVM_SETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
  }
}

void TGrid::SetColumnWidths(int left, int right) {
  widths_[0] = left;
  widths_[1] = right;
  if (hwnd_) {
    SendMessageA(hwnd_, LVM_SETCOLUMNWIDTH, 0, left);
    SendMessageA(hwnd_, LVM_SETCOLUMNWIDTH, 1, right);
  }
}

std::string TGrid::Name(int row) const { return NamePart(lines_.at(static_cast<size_t>(row))); }
std::string TGrid::Value(int row) const { return ValuePart(lines_.at(static_cast<size_t>(row))); }

void TGrid::SyncCount(bool keep_view) {
  if (hwnd_)
    SendMessageA(hwnd_, LVM_SETITEMCOUNT, lines_.size(),
                 keep_view ? (LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL) : 0);
}

void TGrid::AddLine(const std::string& line) {
  lines_.push_back(line);
  SyncCount(true);
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TGrid::AddLines(const std::vector<std::string>& lines) {
  lines_.insert(lines_.end(), lines.begin(), lines.end());
  SyncCount(true);
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TGrid::SetLines(const std::vector<std::string>& lines) {
  SetSelected(-1);
  lines_ = lines;
  SyncCount(false);
}

void TGrid::Clear() {
  SetSelected(-1);
  lines_.clear();
  SyncCount(false);
}

int TGrid::Selected() const {
  if (!hwnd_) return selected_;
  return static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TGrid::SetSelected(int row) {
  if (row < 0 || row >= RowCount()) row = -1;
  selected_ = row;
  if (!hwnd_) return;
  setting_ = true;
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  if (row >= 0) {
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageA(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
  setting_ = false;
}

void TGrid::WndProc(Message& m) {
  if (m.msg == QM_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(m.lparam);
    switch (hdr->code) {
      case LVN_GETDISPINFOA: {
        auto* di = reinterpret_cast<NMLVDISPINFOA*>(m.lparam);
        if ((di->item.mask & LVIF_TEXT) && di->item.iItem >= 0 && di->item.iItem < RowCount()) {
          const std::string& line = lines_[static_cast<size_t>(di->item.iItem)];
          cell_ = di->item.iSubItem == 0 ? NamePart(line) : ValuePart(line);
          lstrcpynA(di->item.pszText, cell_.c_str(), di->item.cchTextMax);
        }
        return;
      }
      case LVN_GETDISPINFOW: {
        auto* di = reinterpret_cast<NMLVDISPINFOW*>(m.lparam);
        if ((di->item.mask & LVIF_TEXT) && di->item.iItem >= 0 && di->item.iItem < RowCount() &&
            di->item.cchTextMax > 0) {
          const std::string& line = lines_[static_cast<size_t>(di->item.iItem)];
          cell_ = di->item.iSubItem == 0 ? NamePart(line) : ValuePart(line);
          int n = MultiByteToWideChar(CP_ACP, 0, cell_.c_str(), -1, di->item.pszText, di->item.cchTextMax);
          if (n == 0) di->item.pszText[di->item.cchTextMax - 1] = 0;
        }
        return;
      }
      case LVN_ITEMCHANGED: {
        auto* lv = reinterpret_cast<NMLISTVIEW*>(m.lparam);
        if (!setting_ && lv->iItem >= 0 && (lv->uNewState & LVIS_SELECTED) && !(lv->uOldState & LVIS_SELECTED) &&
            OnSelect)
          OnSelect();
        return;
      }
      default:
        return;
    }
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// Check list

namespace {
constexpr int kCheckSize = 13;
constexpr int kCheckLeft = 2;  // the box's place in its item
constexpr int kCheckGap = 4;   // between the box and the item's text
}

TCheckListBox::TCheckListBox(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  tab_stop_ = true;
  color_ = kColorWindow;
  props_.Publish("Columns", [this] { return PropValue::OfInt(columns_); });
  props_.Publish("BorderStyle", [] { return PropValue::OfEnum("bsSingle"); });
}

void TCheckListBox::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = "LISTBOX";
  p.style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  p.style |= columns_ > 1 ? (LBS_MULTICOLUMN | WS_HSCROLL) : WS_VSCROLL;
  p.ex_style |= WS_EX_CLIENTEDGE;
}

int TCheckListBox::ItemHeight() const {
  gdi::ScreenDC dc;
  gdi::Select font(dc, DrawingFont());
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  return std::max<int>(tm.tmHeight + 2, Scaled(kCheckSize) + 2);
}

void TCheckListBox::CreateWnd() {
  for (const auto& s : items_) SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  Measure();
}

// The items' height and the columns' width follow the font and the window, in pixels.
void TCheckListBox::Measure() {
  SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, ItemHeight());
  if (columns_ > 1) {
    RECT r;
    GetClientRect(hwnd_, &r);
    SendMessageA(hwnd_, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max<int>(1, (r.right - r.left) / columns_)), 0);
  }
}

void TCheckListBox::DpiChanged() {
  TWinControl::DpiChanged();
  if (hwnd_) Measure();
}

void TCheckListBox::SetColumns(int n) {
  columns_ = std::max(1, n);
  if (hwnd_) RecreateWnd();
}

void TCheckListBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  marks_.assign(items.size(), false);
  if (!hwnd_) return;
  SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
  for (const auto& s : items_) SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TCheckListBox::SetChecked(int i, bool checked) {
  marks_.at(static_cast<size_t>(i)) = checked;
  if (hwnd_) {
    RECT r;
    if (SendMessageA(hwnd_, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
      InvalidateRect(hwnd_, &r, FALSE);
  }
}

void TCheckListBox::Toggle(int i) {
  if (i < 0 || i >= Count()) return;
  SetChecked(i, !Checked(i));
  if (OnClickCheck) OnClickCheck();
}

void TCheckListBox::WndProc(Message& m) {
  switch (m.msg) {
    case QM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(m.lparam)->itemHeight = static_cast<UINT>(ItemHeight());
      m.result = TRUE;
      return;
    case QM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.lparam);
      if (static_cast<int>(di->itemID) < 0 || di->itemID >= items_.size()) {
        FillRect(di->hDC, &di->rcItem, ColorBrush(color_));
        m.result = TRUE;
        return;
      }
      RECT r = di->rcItem;
      bool selected = di->itemState & ODS_SELECTED;
      FillRect(di->hDC, &r, ColorBrush(color_));
      const int size = Scaled(kCheckSize);
      RECT box{r.left + Scaled(kCheckLeft), r.top + (r.bottom - r.top - size) / 2, 0, 0};
      box.right = box.left + size;
      box.bottom = box.top + size;
      UINT state = DFCS_BUTTONCHECK | DFCS_FLAT | (marks_[di->itemID] ? DFCS_CHECKED : 0);
      if (!enabled_) state |= DFCS_INACTIVE;
      DrawFrameControl(di->hDC, &box, DFC_BUTTON, state);
      RECT text{box.right + Scaled(kCheckGap), r.top, r.right, r.bottom};
      gdi::Select font(di->hDC, DrawingFont());
      SIZE ext{};
      const std::string& s = items_[di->itemID];
      GetTextExtentPoint32A(di->hDC, s.c_str(), static_cast<int>(s.size()), &ext);
      RECT hl{text.left - 1, text.top, std::min<LONG>(text.left + ext.cx + 2, text.right), text.bottom};
      if (selected) FillRect(di->hDC, &hl, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetBkMode(di->hDC, TRANSPARENT);
      SetTextColor(di->hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ToColorRef(font_.color));
      DrawTextA(di->hDC, s.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      if (di->itemState & ODS_FOCUS) DrawFocusRect(di->hDC, &hl);
      m.result = TRUE;
      return;
    }
    case QM_COMMAND:
      if (HIWORD(m.wparam) == LBN_SELCHANGE) Click();
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TWinControl::WndProc(m);
      POINT pt{static_cast<short>(LOWORD(m.lparam)), static_cast<short>(HIWORD(m.lparam))};
      LRESULT hit = SendMessageA(hwnd_, LB_ITEMFROMPOINT, 0, m.lparam);
      int i = LOWORD(hit);
      RECT r;
      if (!HIWORD(hit) && SendMessageA(hwnd_, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)) != LB_ERR &&
          pt.x >= r.left && pt.x < r.left + Scaled(kCheckSize + kCheckGap))
        Toggle(i);
      return;
    }
    case WM_CHAR:
      if (m.wparam == ' ') {
        Toggle(static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)));
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace quillet::ui
