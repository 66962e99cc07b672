#include "ui/stdctrls.h"

#include <commctrl.h>

#include <algorithm>

#include "base/dpi.h"
#include "base/text.h"
#include "ui/forms.h"
#include "ui/gdi.h"
#include "ui/window_class.h"

namespace quillet::ui {

namespace {

// A combo box's window is as high as the box and its dropped list of `items` items.
int HeightWithList(int boxHeight, int items) {
  constexpr int kItemHeight = 16, kListBorders = 2;
  return boxHeight + items * kItemHeight + kListBorders;
}

// Colours a child's background and text the way its control asks.
std::intptr_t ColorFor(HDC dc, Color back, Color text) {
  SetBkColor(dc, ToColorRef(back));
  SetTextColor(dc, ToColorRef(text));
  return reinterpret_cast<std::intptr_t>(ColorBrush(back));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Button

TButton::TButton(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  tab_stop_ = true;
  PublishFlag(props_, "Default", default_, [this](bool b) { SetDefault(b); });
  PublishFlag(props_, "Cancel", cancel_, [this](bool b) { cancel_ = b; });
  props_.Publish("ModalResult", [this] { return PropValue::OfInt(modal_result_); });
  props_.Publish("MultiLine", [this] {
    return PropValue::OfBool(hwnd_ && (GetWindowLongPtrA(hwnd_, GWL_STYLE) & BS_MULTILINE));
  });
}

void TButton::SetDefault(bool d) {
  default_ = d;
  if (hwnd_) SendMessageA(hwnd_, BM_SETSTYLE, d ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = "BUTTON";
  p.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() {
  TControl::Click();
  if (modal_result_)
    if (TForm* f = ParentForm()) f->SetModalResult(modal_result_);
}

void TButton::WndProc(Message& m) {
  switch (m.msg) {
    case QM_COMMAND:
      if (HIWORD(m.wparam) == BN_CLICKED) Click();
      return;
    case QM_CTLCOLOR:
      m.result = ColorFor(reinterpret_cast<HDC>(m.wparam), parent_ ? parent_->GetColor() : color_, font_.color);
      return;
    case QM_DIALOGKEY: {
      if (!hwnd_ || !IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_)) return;
      HWND focus = GetFocus();
      TWinControl* focused = FromHandle(focus);
      bool focused_is_button = focused && dynamic_cast<TButton*>(focused);
      if (m.wparam == VK_RETURN && (focus == hwnd_ || (default_ && !focused_is_button))) {
        Click();
        m.result = 1;
      } else if (m.wparam == VK_ESCAPE && cancel_) {
        Click();
        m.result = 1;
      }
      return;
    }
    default:
      TWinControl::WndProc(m);
  }
}

// ---------------------------------------------------------------------------------------------
// Check box

TCheckBox::TCheckBox(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  tab_stop_ = true;
  parent_color_ = true;
  props_.Publish("Checked", [this] { return PropValue::OfBool(Checked()); }, [this](const std::string& t) {
    auto b = ParseBool(t);
    if (b) SetChecked(*b);
    return b.has_value();
  });
  props_.Publish("State", [this] { return PropValue::OfEnum(Checked() ? "cbChecked" : "cbUnchecked"); });
}

void TCheckBox::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = "BUTTON";
  p.style |= BS_CHECKBOX;
}

void TCheckBox::CreateWnd() { SendMessageA(hwnd_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

void TCheckBox::DestroyWnd() { checked_ = Checked(); }

bool TCheckBox::Checked() const {
  if (hwnd_) return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return checked_;
}

void TCheckBox::SetChecked(bool checked) {
  checked_ = checked;
  if (hwnd_) SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::WndProc(Message& m) {
  switch (m.msg) {
    case QM_COMMAND:
      // The toolkit toggles the mark itself, so that setting it from the program stays silent.
      if (HIWORD(m.wparam) == BN_CLICKED) {
        SetChecked(!Checked());
        Click();
      }
      return;
    case QM_CTLCOLOR:
      m.result = ColorFor(reinterpret_cast<HDC>(m.wparam), color_, font_.color);
      return;
    default:
      TWinControl::WndProc(m);
  }
}

// ---------------------------------------------------------------------------------------------
// Edit

TEdit::TEdit(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  tab_stop_ = true;
  color_ = kColorWindow;
  props_.Publish("Text", [this] { return PropValue::OfText(Text()); },
                 [this](const std::string& t) { SetText(t); return true; });
  props_.Publish("Caption", [this] { return PropValue::OfText(Text()); },
                 [this](const std::string& t) { SetText(t); return true; });
  PublishFlag(props_, "ReadOnly", read_only_, [this](bool b) { SetReadOnly(b); });
  props_.Publish("BorderStyle", [] { return PropValue::OfEnum("bsSingle"); });
}

void TEdit::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = "EDIT";
  p.style |= ES_AUTOHSCROLL | (read_only_ ? ES_READONLY : 0);
  p.ex_style |= WS_EX_CLIENTEDGE;
}

void TEdit::CreateWnd() {
  if (max_length_) SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
}

void TEdit::DestroyWnd() { caption_ = WindowTextRaw(); }

void TEdit::SetText(const std::string& text) {
  caption_ = text;
  SetWindowTextRaw(text);
  Perform(QM_TEXTCHANGED);
}

void TEdit::SetReadOnly(bool r) {
  read_only_ = r;
  if (hwnd_) SendMessageA(hwnd_, EM_SETREADONLY, r, 0);
}

void TEdit::SetMaxLength(int n) {
  max_length_ = n;
  if (hwnd_) SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(n), 0);
}

void TEdit::WndProc(Message& m) {
  switch (m.msg) {
    case QM_COMMAND:
      if (HIWORD(m.wparam) == EN_CHANGE && !ignore_text_notify_ && OnChange) OnChange();
      return;
    case QM_CTLCOLOR:
      m.result = ColorFor(reinterpret_cast<HDC>(m.wparam), color_, font_.color);
      return;
    case WM_CHAR:
      if (OnKeyPress) {
        char key = static_cast<char>(m.wparam);
        OnKeyPress(key);
        if (key == 0) return;
        m.wparam = static_cast<unsigned char>(key);
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// Item lists

void ItemMirror::Attach(HWND h) {
  SendMessageA(h, msgs_.reset, 0, 0);
  for (const auto& s : items_) SendMessageA(h, msgs_.add, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (index_ >= 0) SendMessageA(h, msgs_.set_cursel, static_cast<WPARAM>(index_), 0);
}

void ItemMirror::Detach(HWND h) { index_ = ItemIndex(h); }

void ItemMirror::SetItems(HWND h, const std::vector<std::string>& items) {
  items_ = items;
  index_ = -1;
  if (h) {
    SendMessageA(h, WM_SETREDRAW, FALSE, 0);
    SendMessageA(h, msgs_.reset, 0, 0);
    for (const auto& s : items_) SendMessageA(h, msgs_.add, 0, reinterpret_cast<LPARAM>(s.c_str()));
    SendMessageA(h, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h, nullptr, TRUE);
  }
}

int ItemMirror::Add(HWND h, const std::string& item) {
  items_.push_back(item);
  if (h) SendMessageA(h, msgs_.add, 0, reinterpret_cast<LPARAM>(item.c_str()));
  return Count() - 1;
}

void ItemMirror::Delete(HWND h, int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  if (h) {
    SendMessageA(h, msgs_.remove, static_cast<WPARAM>(index), 0);
  } else if (index_ == index) {
    index_ = -1;
  } else if (index_ > index) {
    --index_;
  }
}

void ItemMirror::Clear(HWND h) {
  items_.clear();
  index_ = -1;
  if (h) SendMessageA(h, msgs_.reset, 0, 0);
}

int ItemMirror::ItemIndex(HWND h) const {
  if (!h) return index_;
  LRESULT r = SendMessageA(h, msgs_.get_cursel, 0, 0);
  return r < 0 ? -1 : static_cast<int>(r);
}

void ItemMirror::SetItemIndex(HWND h, int index) {
  if (index < 0 || index >= Count()) index = -1;
  index_ = index;
  if (h) SendMessageA(h, msgs_.set_cursel, static_cast<WPARAM>(index), 0);
}

int ItemMirror::FindExact(HWND h, const std::string& text) const {
  if (h) {
    LRESULT r = SendMessageA(h, msgs_.find_exact, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    return r < 0 ? -1 : static_cast<int>(r);
  }
  for (int i = 0; i < Count(); ++i)
    if (base::EqualNoCase(items_[static_cast<size_t>(i)], text)) return i;
  return -1;
}

namespace {
const ListMessages kComboMessages{CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
                                  CB_GETCURSEL, CB_SETCURSEL,    CB_FINDSTRINGEXACT, CB_GETCOUNT};
const ListMessages kListMessages{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
                                 LB_GETCURSEL, LB_SETCURSEL,    LB_FINDSTRINGEXACT, LB_GETCOUNT};
}  // namespace

// ---------------------------------------------------------------------------------------------
// Combo box

TComboBox::TComboBox(TComponent* owner, std::string name, ComboStyle style)
    : TWinControl(owner, std::move(name)), style_(style), items_(kComboMessages) {
  tab_stop_ = true;
  color_ = kColorWindow;
  props_.Publish("Text", [this] { return PropValue::OfText(Text()); },
                 [this](const std::string& t) { SetText(t); return true; });
  props_.Publish("Caption", [this] { return PropValue::OfText(Text()); },
                 [this](const std::string& t) { SetText(t); return true; });
  props_.Publish("Style", [this] {
    return PropValue::OfEnum(style_ == ComboStyle::DropDown ? "csDropDown" : "csDropDownList");
  });
  props_.Publish("ItemIndex", [this] { return PropValue::OfInt(ItemIndex()); }, [this](const std::string& t) {
    auto v = ParseInt(t);
    if (v) SetItemIndex(static_cast<int>(*v));
    return v.has_value();
  });
}

void TComboBox::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = "COMBOBOX";
  p.style |= WS_VSCROLL | CBS_AUTOHSCROLL | (style_ == ComboStyle::DropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
  // The window's height includes the dropped list.
  p.height = Scaled(HeightWithList(bounds_.height, drop_down_count_));
}

void TComboBox::BoundsChanged() {
  if (!hwnd_) return;
  const Bounds device = DeviceBounds();
  SetWindowPos(hwnd_, nullptr, device.left, device.top, device.width,
               Scaled(HeightWithList(bounds_.height, drop_down_count_)), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::CreateWnd() {
  items_.Attach(hwnd_);
  if (style_ == ComboStyle::DropDown) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    edit_keys_.Install(GetComboBoxInfo(hwnd_, &info) ? info.hwndItem : GetWindow(hwnd_, GW_CHILD));
    SetWindowTextRaw(caption_);
  }
}

void TComboBox::DestroyWnd() {
  caption_ = Text();
  items_.Detach(hwnd_);
  edit_keys_.Remove();
}

LRESULT TComboBox::EditKeys::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_CHAR || !box_.OnKeyPress) return CallNext(msg, wp, lp);
  // The chain speaks in wide characters; the program's keys are the ANSI code page's.
  const wchar_t typed = static_cast<wchar_t>(wp);
  char key = 0;
  BOOL lossy = FALSE;
  if (WideCharToMultiByte(CP_ACP, 0, &typed, 1, &key, 1, nullptr, &lossy) != 1 || lossy)
    return CallNext(msg, wp, lp);
  bool handled = true;
  HandleMessage(msg, lp, [&] {
    box_.OnKeyPress(key);
    handled = false;
  });
  if (handled || key == 0) return 0;
  wchar_t out = typed;
  MultiByteToWideChar(CP_ACP, 0, &key, 1, &out, 1);
  return CallNext(msg, out, lp);
}

std::string TComboBox::Text() const {
  if (!hwnd_) return caption_;
  return WindowTextRaw();
}

void TComboBox::SetText(const std::string& text) {
  caption_ = text;
  if (style_ == ComboStyle::DropDownList) {
    items_.SetItemIndex(hwnd_, items_.FindExact(hwnd_, text));
  } else {
    SetWindowTextRaw(text);
  }
  Perform(QM_TEXTCHANGED);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  // Replacing the entries keeps the text the user sees.
  std::string text = Text();
  items_.SetItems(hwnd_, items);
  if (style_ == ComboStyle::DropDown && hwnd_) SetWindowTextRaw(text);
}

void TComboBox::SetItemIndex(int index) {
  items_.SetItemIndex(hwnd_, index);
  if (!hwnd_ && index >= 0 && index < Count()) caption_ = items_.Item(index);
}

void TComboBox::Change() {
  if (OnChange) OnChange();
}

void TComboBox::WndProc(Message& m) {
  switch (m.msg) {
    case QM_COMMAND:
      switch (HIWORD(m.wparam)) {
        case CBN_EDITCHANGE:
          if (!ignore_text_notify_) Change();
          break;
        case CBN_SELCHANGE: {
          // The edit takes the picked entry only after this notification; the handler must
          // already see it.
          int i = ItemIndex();
          if (i >= 0 && style_ == ComboStyle::DropDown) {
            SetWindowTextRaw(items_.Item(i));
            SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
          }
          Change();
          break;
        }
        default:
          break;
      }
      return;
    case QM_CTLCOLOR:
      m.result = ColorFor(reinterpret_cast<HDC>(m.wparam), color_, font_.color);
      return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      m.result = ColorFor(reinterpret_cast<HDC>(m.wparam), color_, font_.color);
      return;
    default:
      TWinControl::WndProc(m);
  }
}

// ---------------------------------------------------------------------------------------------
// List box

TListBox::TListBox(TComponent* owner, std::string name)
    : TWinControl(owner, std::move(name)), items_(kListMessages) {
  tab_stop_ = true;
  color_ = kColorWindow;
  props_.Publish("BorderStyle", [] { return PropValue::OfEnum("bsSingle"); });
  props_.Publish("ItemIndex", [this] { return PropValue::OfInt(ItemIndex()); });
}

void TListBox::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = "LISTBOX";
  p.style |= LBS_NOTIFY | WS_VSCROLL | LBS_NOINTEGRALHEIGHT;
  p.ex_style |= WS_EX_CLIENTEDGE;
}

void TListBox::WndProc(Message& m) {
  switch (m.msg) {
    case QM_COMMAND:
      if (HIWORD(m.wparam) == LBN_SELCHANGE) Click();
      return;
    case QM_CTLCOLOR:
      m.result = ColorFor(reinterpret_cast<HDC>(m.wparam), color_, font_.color);
      return;
    default:
      TWinControl::WndProc(m);
  }
}

// ---------------------------------------------------------------------------------------------
// Group box and panel

TGroupBox::TGroupBox(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  parent_color_ = true;
  props_.Publish("ParentBackground", [] { return PropValue::OfBool(true); },
                 [](const std::string& t) { return ParseBool(t).has_value(); });
}

void TGroupBox::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.ex_style |= WS_EX_CONTROLPARENT;
  p.style |= WS_CLIPCHILDREN;
}

void TGroupBox::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  {
    gdi::Select font(dc, DrawingFont());
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    RECT frame = r;
    frame.top += tm.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!caption_.empty()) {
      const int inset = Scaled(8);  // the caption sits on the frame this far from its ends
      RECT text{inset, 0, r.right - inset, tm.tmHeight};
      DrawTextA(dc, caption_.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
      SetBkColor(dc, ToColorRef(color_));
      SetBkMode(dc, OPAQUE);
      SetTextColor(dc, ToColorRef(enabled_ ? font_.color : kColorGrayText));
      DrawTextA(dc, caption_.c_str(), -1, &text, DT_SINGLELINE);
    }
  }
  PaintControls(dc);
}

TPanel::TPanel(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  auto bevel_text = [](BevelKind k) {
    return PropValue::OfEnum(k == BevelKind::None ? "bvNone" : k == BevelKind::Lowered ? "bvLowered" : "bvRaised");
  };
  props_.Publish("BevelOuter", [this, bevel_text] { return bevel_text(outer_); });
  props_.Publish("BevelInner", [this, bevel_text] { return bevel_text(inner_); });
  PublishFlag(props_, "Transparent", transparent_, [this](bool b) { transparent_ = b; });
  PublishFlag(props_, "ParentBackground", parent_background_, [this](bool b) { parent_background_ = b; });
}

void TPanel::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.ex_style |= WS_EX_CONTROLPARENT;
  p.style |= WS_CLIPCHILDREN;
}

void TPanel::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  auto edge = [&](BevelKind k) {
    if (k == BevelKind::None) return;
    DrawEdge(dc, &r, k == BevelKind::Lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  };
  edge(outer_);
  edge(inner_);
  if (!caption_.empty()) {
    gdi::Select font(dc, DrawingFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(font_.color));
    DrawTextA(dc, caption_.c_str(), -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
  PaintControls(dc);
}

// ---------------------------------------------------------------------------------------------
// Graphic controls

TLabel::TLabel(TComponent* owner, std::string name) : TGraphicControl(owner, std::move(name)) {
  parent_color_ = true;
  PublishFlag(props_, "Transparent", transparent_, [this](bool b) { SetTransparent(b); });
  props_.Publish("WordWrap", [this] { return PropValue::OfBool(word_wrap_); });
}

UINT TLabel::TextFlags() const {
  UINT flags = DT_EXPANDTABS | (word_wrap_ ? DT_WORDBREAK : 0);
  return flags | (align_ == Align::Right ? DT_RIGHT : align_ == Align::Center ? DT_CENTER : DT_LEFT);
}

HFONT TLabel::TextFont(HDC dc) {
  const int dpi = Dpi();
  const RECT r = BoundsRect();
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (dpi == base::kBaseDpi || caption_.empty()) return DrawingFont();
  if (fit_.dpi != dpi || fit_.width != width || fit_.height != height || fit_.caption != caption_ ||
      !(fit_.font == font_)) {
    fit_ = {dpi, width, height, caption_, font_, dpi};
    // Down to three quarters of the size, a step of a pixel or less at a time.
    for (int font_dpi = dpi; font_dpi >= dpi * 3 / 4; font_dpi -= 3) {
      fit_.font_dpi = font_dpi;
      gdi::Select font(dc, FontHandle(font_, font_dpi));
      RECT text{0, 0, width, 0};
      DrawTextA(dc, caption_.c_str(), -1, &text, TextFlags() | DT_CALCRECT);
      if (text.right <= width && text.bottom <= height) break;
    }
  }
  return FontHandle(font_, fit_.font_dpi);
}

void TLabel::Paint(HDC dc) {
  RECT r = BoundsRect();
  if (!transparent_) FillRect(dc, &r, ColorBrush(color_));
  gdi::Select font(dc, TextFont(dc));
  SetBkMode(dc, TRANSPARENT);
  const UINT flags = TextFlags();
  if (enabled_) {
    SetTextColor(dc, ToColorRef(font_.color));
    DrawTextA(dc, caption_.c_str(), -1, &r, flags);
  } else {
    OffsetRect(&r, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, caption_.c_str(), -1, &r, flags);
    OffsetRect(&r, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextA(dc, caption_.c_str(), -1, &r, flags);
  }
}

TImage::TImage(TComponent* owner, std::string name) : TGraphicControl(owner, std::move(name)) {
  PublishFlag(props_, "Transparent", transparent_, [this](bool b) { SetTransparent(b); });
  props_.Publish("Stretch", [this] { return PropValue::OfBool(stretch_); });
  props_.Publish("Center", [this] { return PropValue::OfBool(center_); });
}

void TImage::SetIcon(void* icon) {
  icon_source_ = nullptr;
  icon_.Reset(static_cast<HICON>(icon));
  Invalidate();
}

void TImage::SetIconSource(std::function<HICON(int size)> load, int size) {
  icon_source_ = std::move(load);
  icon_size_ = size;
  icon_made_size_ = 0;
  icon_.Reset(nullptr);
  Invalidate();
}

void TImage::SetBitmap(HBITMAP bitmap) {
  bitmap_source_ = nullptr;
  bitmap_.Reset(bitmap);
  Invalidate();
}

void TImage::SetBitmapSource(std::function<HBITMAP(int dpi)> make) {
  bitmap_source_ = std::move(make);
  bitmap_made_dpi_ = 0;
  bitmap_.Reset(nullptr);
  Invalidate();
}

void TImage::Paint(HDC dc) {
  RECT r = BoundsRect();
  if (bitmap_source_ && bitmap_made_dpi_ != Dpi()) {
    bitmap_made_dpi_ = Dpi();
    bitmap_.Reset(bitmap_source_(bitmap_made_dpi_));
  }
  if (bitmap_) {
    BITMAP bm{};
    GetObjectA(bitmap_.Get(), sizeof bm, &bm);
    gdi::MemoryDC mem(dc);
    mem.Select(bitmap_.Get());
    int w = stretch_ ? r.right - r.left : bm.bmWidth, h = stretch_ ? r.bottom - r.top : bm.bmHeight;
    int x = r.left + (center_ ? (r.right - r.left - w) / 2 : 0);
    int y = r.top + (center_ ? (r.bottom - r.top - h) / 2 : 0);
    if (transparent_) {
      gdi::CopyKeyed(dc, x, y, w, h, mem, 0, bm.bmWidth, bm.bmHeight);
    } else {
      SetStretchBltMode(dc, COLORONCOLOR);
      StretchBlt(dc, x, y, w, h, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    }
  }
  if (icon_source_ && icon_made_size_ != Scaled(icon_size_)) {
    icon_made_size_ = Scaled(icon_size_);
    icon_.Reset(icon_source_(icon_made_size_));
  }
  if (icon_) {
    ICONINFO ii{};
    int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
    if (GetIconInfo(icon_.Get(), &ii)) {
      // The icon's bitmaps are copies made for the caller.
      gdi::Bitmap color(ii.hbmColor), mask(ii.hbmMask);
      BITMAP bm{};
      if (color && GetObjectA(color.Get(), sizeof bm, &bm)) {
        w = bm.bmWidth;
        h = bm.bmHeight;
      }
    }
    if (stretch_) {
      w = r.right - r.left;
      h = r.bottom - r.top;
    }
    int x = r.left + (center_ ? (r.right - r.left - w) / 2 : 0);
    int y = r.top + (center_ ? (r.bottom - r.top - h) / 2 : 0);
    DrawIconEx(dc, x, y, icon_.Get(), w, h, 0, nullptr, DI_NORMAL);
  }
}

TBevel::TBevel(TComponent* owner, std::string name) : TGraphicControl(owner, std::move(name)) {}

void TBevel::Paint(HDC dc) {
  RECT r = BoundsRect();
  UINT edge = style_ == BevelKind::Raised ? EDGE_BUMP : EDGE_ETCHED;
  UINT sides = BF_RECT;
  switch (shape_) {
    case BevelShape::Box:
      edge = style_ == BevelKind::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
      break;
    case BevelShape::Frame: sides = BF_RECT; break;
    case BevelShape::TopLine: sides = BF_TOP; break;
    case BevelShape::BottomLine: sides = BF_BOTTOM; break;
    case BevelShape::LeftLine: sides = BF_LEFT; break;
    case BevelShape::RightLine: sides = BF_RIGHT; break;
  }
  DrawEdge(dc, &r, edge, sides);
}

}  // namespace quillet::ui
