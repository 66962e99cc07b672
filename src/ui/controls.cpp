#include "ui/controls.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <unordered_map>
#include <stdexcept>

#include "ui/forms.h"

namespace quillet::ui {

// ---------------------------------------------------------------------------------------------
// Components

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  props_.Publish("Name", [this] { return PropValue::OfText(name_); },
                 [this](const std::string& t) { name_ = t; return true; });
  props_.Publish("Tag", [this] { return PropValue::OfInt(tag_); }, [this](const std::string& t) {
    auto v = ParseInt(t);
    if (v) tag_ = static_cast<std::intptr_t>(*v);
    return v.has_value();
  });
}

TComponent::~TComponent() { DestroyComponents(); }

void TComponent::DestroyComponents() {
  while (!owned_.empty()) {
    auto last = std::move(owned_.back());
    owned_.pop_back();
    last.reset();
  }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  for (const auto& c : owned_) {
    const std::string& n = c->Name();
    if (n.size() == name.size() &&
        std::equal(n.begin(), n.end(), name.begin(), [](unsigned char a, unsigned char b) {
          return std::tolower(a) == std::tolower(b);
        }))
      return c.get();
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Colours and fonts, shared for the program's life

COLORREF ToColorRef(Color c) {
  if (c & 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFF));
  return RGB(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

namespace {

struct BrushCache {
  std::map<Color, HBRUSH> brushes;
  ~BrushCache() {
    for (auto& [c, b] : brushes)
      if (!(c & 0x80000000u)) DeleteObject(b);
  }
};

struct FontCache {
  std::vector<std::pair<FontSpec, HFONT>> fonts;
  ~FontCache() {
    for (auto& [s, f] : fonts) DeleteObject(f);
  }
};

BrushCache& Brushes() {
  static BrushCache cache;
  return cache;
}

FontCache& Fonts() {
  static FontCache cache;
  return cache;
}

}  // namespace

HBRUSH ColorBrush(Color c) {
  auto& map = Brushes().brushes;
  auto it = map.find(c);
  if (it != map.end()) return it->second;
  HBRUSH b = (c & 0x80000000u) ? GetSysColorBrush(static_cast<int>(c & 0xFF))
                               : CreateSolidBrush(ToColorRef(c));
  map[c] = b;
  return b;
}

HFONT FontHandle(const FontSpec& font) {
  FontSpec key = font;
  key.color = 0;  // the colour is not part of the GDI font
  for (auto& [s, f] : Fonts().fonts)
    if (s == key) return f;
  LOGFONTA lf{};
  lf.lfHeight = font.height;
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
  HFONT f = CreateFontIndirectA(&lf);
  Fonts().fonts.emplace_back(key, f);
  return f;
}

// ---------------------------------------------------------------------------------------------
// Controls

TControl::TControl(TComponent* owner, std::string name) : TComponent(owner) {
  SetName(std::move(name));
  window_proc_ = [this](Message& m) { WndProc(m); };
  PublishCommon();
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::PublishCommon() {
  props_.Publish("Caption", [this] { return PropValue::OfText(Caption()); },
                 [this](const std::string& t) { SetCaption(t); return true; });
  props_.Publish("Visible", [this] { return PropValue::OfBool(visible_); },
                 [this](const std::string& t) {
                   auto b = ParseBool(t);
                   if (b) SetVisible(*b);
                   return b.has_value();
                 });
  props_.Publish("Enabled", [this] { return PropValue::OfBool(enabled_); },
                 [this](const std::string& t) {
                   auto b = ParseBool(t);
                   if (b) SetEnabled(*b);
                   return b.has_value();
                 });
  props_.Publish("Color", [this] { return PropValue::OfInt(color_); }, [this](const std::string& t) {
    auto v = ParseInt(t);
    if (v) SetColor(static_cast<Color>(*v));
    return v.has_value();
  });
  props_.Publish("ParentColor", [this] { return PropValue::OfBool(parent_color_); },
                 [this](const std::string& t) {
                   auto b = ParseBool(t);
                   if (b) SetParentColor(*b);
                   return b.has_value();
                 });
  props_.Publish("Font", [this] {
    return PropValue::OfHandle(reinterpret_cast<std::intptr_t>(FontHandle(font_)));
  });
  props_.Publish("Hint", [this] { return PropValue::OfText(hint_); },
                 [this](const std::string& t) { SetHint(t); return true; });
  props_.Publish("HelpKeyword", [this] { return PropValue::OfText(help_keyword_); },
                 [this](const std::string& t) { help_keyword_ = t; return true; });
  auto publish_int = [this](const char* name, int Rect::*field) {
    props_.Publish(name, [this, field] { return PropValue::OfInt(bounds_.*field); },
                   [this, field](const std::string& t) {
                     auto v = ParseInt(t);
                     if (!v) return false;
                     Rect r = bounds_;
                     r.*field = static_cast<int>(*v);
                     SetBounds(r);
                     return true;
                   });
  };
  publish_int("Left", &Rect::left);
  publish_int("Top", &Rect::top);
  publish_int("Width", &Rect::width);
  publish_int("Height", &Rect::height);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  if (parent_) {
    if (!font_own_) font_ = parent_->font_;
    if (parent_color_) color_ = parent_->color_;
    parent_->InsertControl(this);
  }
}

TForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(Rect r) {
  if (r.left == bounds_.left && r.top == bounds_.top && r.width == bounds_.width &&
      r.height == bounds_.height)
    return;
  Invalidate();
  bounds_ = r;
  BoundsChanged();
  Invalidate();
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  if (!IsWindowed()) Invalidate();
  visible_ = v;
  VisibleChanged();
  if (!IsWindowed()) Invalidate();
  Perform(QM_VISIBLECHANGED, v ? 1 : 0);
}

void TControl::SetEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  EnabledChanged();
  Perform(QM_ENABLEDCHANGED);
}

void TControl::SetCaption(const std::string& text) {
  if (text == Caption()) return;
  caption_ = text;
  TextChanged();
  Perform(QM_TEXTCHANGED);
}

void TControl::SetFont(const FontSpec& f) {
  font_ = f;
  font_own_ = true;
  FontChanged();
  Invalidate();
}

void TControl::SetFontColor(Color c) {
  FontSpec f = font_;
  f.color = c;
  SetFont(f);
}

void TControl::SetFontBold(bool bold) {
  FontSpec f = font_;
  f.bold = bold;
  SetFont(f);
}

void TControl::SetColor(Color c) {
  parent_color_ = false;
  if (c == color_) return;
  color_ = c;
  ColorChanged();
}

void TControl::SetParentColor(bool p) {
  parent_color_ = p;
  if (p && parent_ && color_ != parent_->color_) {
    color_ = parent_->color_;
    ColorChanged();
  }
}

void TControl::SetHint(std::string hint) {
  hint_ = std::move(hint);
  HintChanged();
}

void TControl::HintChanged() {
  if (parent_ && parent_->HandleAllocated()) Application().RegisterHint(this);
}

void TControl::Click() {
  if (OnClick) OnClick();
}

std::intptr_t TControl::Perform(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
  Message m{msg, wparam, lparam, 0};
  if (window_proc_) window_proc_(m);
  return m.result;
}

void TControl::WndProc(Message&) {}

void TControl::Invalidate() {}

void TGraphicControl::Invalidate() {
  if (parent_ && parent_->HandleAllocated()) {
    RECT r = BoundsRect();
    InvalidateRect(parent_->HandleIfAny(), &r, TRUE);
  }
}

void TGraphicControl::WndProc(Message& m) {
  switch (m.msg) {
    case WM_LBUTTONUP: {
      POINT pt{static_cast<short>(LOWORD(m.lparam)), static_cast<short>(HIWORD(m.lparam))};
      RECT r = BoundsRect();
      if (enabled_ && PtInRect(&r, pt)) Click();
      break;
    }
    case WM_LBUTTONDBLCLK:
      if (enabled_ && OnDblClick) OnDblClick();
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Window classes and the window procedure

namespace {

thread_local TWinControl* t_creating = nullptr;
std::map<std::string, WNDPROC> g_class_procs;  // toolkit class name -> procedure it builds on

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

ATOM PropertyAtom() {
  static ATOM atom = GlobalAddAtomA(TWinControl::PropertyName().c_str());
  return atom;
}

WNDPROC RegisterToolkitClass(const CreateParams& p) {
  auto it = g_class_procs.find(p.class_name);
  if (it != g_class_procs.end()) return it->second;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  WNDPROC original = DefWindowProcA;
  if (!p.system_class.empty()) {
    if (!GetClassInfoExA(Instance(), p.system_class.c_str(), &wc) &&
        !GetClassInfoExA(nullptr, p.system_class.c_str(), &wc))
      throw std::runtime_error("Cannot find window class " + p.system_class);
    original = wc.lpfnWndProc;
    wc.style &= ~CS_GLOBALCLASS;
    wc.style |= p.class_style & CS_DBLCLKS;
  } else {
    wc.style = p.class_style;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = p.class_icon ? LoadIconA(Instance(), MAKEINTRESOURCEA(1)) : nullptr;
  }
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ToolkitWindowProc;
  wc.hInstance = Instance();
  wc.lpszClassName = p.class_name.c_str();
  wc.hIconSm = nullptr;
  if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::runtime_error("Cannot register window class " + p.class_name);
  g_class_procs[p.class_name] = original;
  return original;
}

WNDPROC ProcForWindow(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  auto it = g_class_procs.find(name);
  return it != g_class_procs.end() ? it->second : DefWindowProcA;
}

int NextControlId() {
  static int id = 100;
  return ++id;
}

}  // namespace

const std::string& TWinControl::PropertyName() {
  static const std::string name = [] {
    char buf[64];
    std::snprintf(buf, sizeof buf, "ControlOfs%.8X%.8X",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(Instance())),
                  static_cast<unsigned>(GetCurrentThreadId()));
    return std::string(buf);
  }();
  return name;
}

namespace {
// The same back-pointers as the window property, kept in the process too: every message looks its
// control up, and reading a window property is a trip to the window server under Wine.
std::unordered_map<HWND, TWinControl*>& HandleMap() {
  static std::unordered_map<HWND, TWinControl*> map;
  return map;
}

void Attach(HWND hwnd, TWinControl* c) {
  SetPropA(hwnd, MAKEINTATOM(PropertyAtom()), c);
  HandleMap()[hwnd] = c;
}

void Detach(HWND hwnd) {
  RemovePropA(hwnd, MAKEINTATOM(PropertyAtom()));
  HandleMap().erase(hwnd);
}
}  // namespace

TWinControl* TWinControl::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto it = HandleMap().find(hwnd);
  return it == HandleMap().end() ? nullptr : it->second;
}

LRESULT CALLBACK ToolkitWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TWinControl* c = TWinControl::FromHandle(hwnd);
  if (!c && t_creating) {
    c = t_creating;
    t_creating = nullptr;
    c->hwnd_ = hwnd;
    Attach(hwnd, c);
  }
  if (!c) return CallWindowProcA(ProcForWindow(hwnd), hwnd, msg, wp, lp);
  Message m{msg, wp, lp, 0};
  try {
    if (c->window_proc_)
      c->window_proc_(m);
    else
      c->WndProc(m);
  } catch (...) {
    HandleCurrentException();
  }
  if (msg == WM_NCDESTROY) {
    Detach(hwnd);
    if (c->hwnd_ == hwnd) c->hwnd_ = nullptr;
  }
  return m.result;
}

// ---------------------------------------------------------------------------------------------
// Windowed controls

TWinControl::TWinControl(TComponent* owner, std::string name) : TControl(owner, std::move(name)) {
  props_.Publish("TabStop", [this] { return PropValue::OfBool(tab_stop_); },
                 [this](const std::string& t) {
                   auto b = ParseBool(t);
                   if (b) SetTabStop(*b);
                   return b.has_value();
                 });
  props_.Publish("Handle", [this] { return PropValue::OfHandle(reinterpret_cast<std::intptr_t>(hwnd_)); });
}

TWinControl::~TWinControl() {
  // Whatever took over the handler hears that the control goes before any part of it does.
  Perform(QM_DESTROYING);
  destroying_ = true;
  DestroyComponents();
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  if (hwnd_) {
    Application().UnregisterHint(this);
    // The object is half gone: let the window's last messages go to the system class alone.
    HWND h = hwnd_;
    Detach(h);
    hwnd_ = nullptr;
    DestroyWindow(h);
  }
}

void TWinControl::MakeCreateParams(CreateParams& p) {
  p.class_name = ClassName();
  p.style = WS_CHILD | WS_CLIPSIBLINGS;
  if (visible_) p.style |= WS_VISIBLE;
  if (!enabled_) p.style |= WS_DISABLED;
  if (tab_stop_) p.style |= WS_TABSTOP;
  p.x = bounds_.left;
  p.y = bounds_.top;
  p.width = bounds_.width;
  p.height = bounds_.height;
  p.parent = parent_ ? parent_->Handle() : nullptr;
}

HWND TWinControl::Handle() {
  if (!hwnd_) CreateHandle();
  return hwnd_;
}

void TWinControl::CreateHandle() {
  if (hwnd_ || destroying_) return;
  // Making the parent's window makes its shown children's too, this one among them.
  if (parent_ && !parent_->hwnd_) {
    parent_->CreateHandle();
    if (hwnd_) return;
  }
  CreateParams p;
  MakeCreateParams(p);
  default_proc_ = RegisterToolkitClass(p);
  HMENU id = (p.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<std::intptr_t>(NextControlId()))
                                  : nullptr;
  t_creating = this;
  HWND h = CreateWindowExA(p.ex_style, p.class_name.c_str(), caption_.c_str(), p.style, p.x, p.y,
                           p.width, p.height, p.parent, id, Instance(), nullptr);
  t_creating = nullptr;
  if (!h) throw std::runtime_error("Error creating window " + p.class_name);
  hwnd_ = h;
  if (parent_) {
    // Made later than a sibling that follows it: put it back in its place in the tab order.
    auto& sib = parent_->controls_;
    auto it = std::find(sib.begin(), sib.end(), this);
    if (it != sib.end() && std::any_of(it + 1, sib.end(), [](TControl* c) {
          auto* w = dynamic_cast<TWinControl*>(c);
          return w && w->hwnd_;
        }))
      parent_->RestackChildren();
  }
  SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandleForWindow()), FALSE);
  CreateWnd();
  CreateChildHandles();
  if (!hint_.empty()) Application().RegisterHint(this);
  for (TControl* c : controls_)
    if (!c->IsWindowed() && !c->Hint().empty()) Application().RegisterHint(c);
}

// Hidden children get their windows when they are first shown (or asked for their handle), as
// most of them sit on pages the user may never open; that keeps start-up quick.
void TWinControl::CreateChildHandles() {
  for (TControl* c : controls_) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w && !w->hwnd_ && w->visible_) w->CreateHandle();
  }
}

// Puts the children's windows back into creation order, which is also the tab order.
void TWinControl::RestackChildren() {
  HWND prev = HWND_TOP;
  for (TControl* c : controls_) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!w || !w->hwnd_) continue;
    SetWindowPos(w->hwnd_, prev, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    prev = w->hwnd_;
  }
}

void TWinControl::DestroyHandle() {
  if (!hwnd_) return;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  Application().UnregisterHint(this);
  DestroyWnd();
  HWND h = hwnd_;
  DestroyWindow(h);
  hwnd_ = nullptr;
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  if (hwnd_) {
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      if (w->visible_) w->CreateHandle();
    } else {
      c->Invalidate();
      if (!c->Hint().empty()) Application().RegisterHint(c);
    }
  }
}

void TWinControl::RemoveControl(TControl* c) {
  if (mouse_capture_ == c) mouse_capture_ = nullptr;
  if (hot_graphic_ == c) hot_graphic_ = nullptr;
  auto it = std::find(controls_.begin(), controls_.end(), c);
  if (it != controls_.end()) controls_.erase(it);
  if (!c->IsWindowed()) {
    Application().UnregisterHint(c);
    c->Invalidate();
  }
}

void TWinControl::SetBounds(Rect r) {
  bool same = r.left == bounds_.left && r.top == bounds_.top && r.width == bounds_.width &&
              r.height == bounds_.height;
  bounds_ = r;
  if (!same) BoundsChanged();
}

void TWinControl::BoundsChanged() {
  if (hwnd_)
    SetWindowPos(hwnd_, nullptr, bounds_.left, bounds_.top, bounds_.width, bounds_.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::VisibleChanged() {
  if (visible_ && !hwnd_ && parent_ && parent_->hwnd_) {
    CreateHandle();
    return;
  }
  if (!hwnd_) return;
  if (visible_) CreateChildHandles();
  ShowWindow(hwnd_, visible_ ? SW_SHOW : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (hwnd_) EnableWindow(hwnd_, enabled_);
}

void TWinControl::TextChanged() { SetWindowTextRaw(caption_); }

void TWinControl::SetWindowTextRaw(const std::string& text) {
  if (!hwnd_) return;
  bool old = ignore_text_notify_;
  ignore_text_notify_ = true;
  SetWindowTextA(hwnd_, text.c_str());
  ignore_text_notify_ = old;
}

std::string TWinControl::WindowTextRaw() const {
  if (!hwnd_) return caption_;
  int n = GetWindowTextLengthA(hwnd_);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(hwnd_, s.data(), n + 1);
  s.resize(static_cast<size_t>(std::max(n, 0)));
  return s;
}

void TWinControl::FontChanged() {
  if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandleForWindow()), TRUE);
  for (TControl* c : controls_) {
    if (!c->font_own_) {
      c->font_ = font_;
      c->FontChanged();
      c->Invalidate();
    }
  }
}

void TWinControl::ColorChanged() {
  for (TControl* c : controls_) {
    if (c->parent_color_ && c->color_ != color_) {
      c->color_ = color_;
      c->ColorChanged();
    }
  }
  Invalidate();
}

void TWinControl::HintChanged() {
  if (hwnd_) Application().RegisterHint(this);
}

void TWinControl::SetTabStop(bool t) {
  tab_stop_ = t;
  if (hwnd_) {
    LONG_PTR s = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    SetWindowLongPtrA(hwnd_, GWL_STYLE, t ? (s | WS_TABSTOP) : (s & ~WS_TABSTOP));
  }
}

void TWinControl::SetFocus() {
  if (Handle()) ::SetFocus(hwnd_);
}

bool TWinControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

void TWinControl::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (hwnd_) UpdateWindow(hwnd_);
}

RECT TWinControl::ClientRect() {
  RECT r{0, 0, bounds_.width, bounds_.height};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r;
}

void TWinControl::DefaultHandler(Message& m) {
  if (m.msg >= QM_BASE && m.msg <= QM_BASE + 0xFF) return;
  if (hwnd_)
    m.result = CallWindowProcA(default_proc_ ? default_proc_ : DefWindowProcA, hwnd_, m.msg,
                               m.wparam, m.lparam);
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : controls_) {
    if (c->IsWindowed() || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    c->Paint(dc);
    RestoreDC(dc, saved);
  }
}

void TWinControl::PaintWindow(HDC dc) { PaintControls(dc); }

TGraphicControl* TWinControl::GraphicAt(POINT pt) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, pt)) return static_cast<TGraphicControl*>(c);
  }
  return nullptr;
}

void TWinControl::ForwardToChild(Message& m, HWND child, unsigned qm, std::uintptr_t wp,
                                 std::intptr_t lp) {
  TWinControl* c = FromHandle(child);
  if (c && c != this) {
    m.result = c->Perform(qm, wp, lp);
  } else {
    DefaultHandler(m);
  }
}

void TWinControl::TrackMouse() {
  if (tracking_mouse_ || !hwnd_) return;
  TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd_, 0};
  if (TrackMouseEvent(&t)) tracking_mouse_ = true;
}

void TWinControl::WndProc(Message& m) {
  const bool own_class = default_proc_ == DefWindowProcA;
  switch (m.msg) {
    case WM_COMMAND:
      if (m.lparam) return ForwardToChild(m, reinterpret_cast<HWND>(m.lparam), QM_COMMAND, m.wparam, m.lparam);
      break;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(m.lparam);
      if (hdr) return ForwardToChild(m, hdr->hwndFrom, QM_NOTIFY, m.wparam, m.lparam);
      break;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      TWinControl* c = FromHandle(reinterpret_cast<HWND>(m.lparam));
      if (c && c != this) {
        m.result = c->Perform(QM_CTLCOLOR, m.wparam, static_cast<std::intptr_t>(m.msg));
        if (m.result) return;
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.lparam);
      if (m.wparam && dis) return ForwardToChild(m, dis->hwndItem, QM_DRAWITEM, m.wparam, m.lparam);
      break;
    }
    case WM_MEASUREITEM:
      if (m.wparam && hwnd_) {
        HWND child = GetDlgItem(hwnd_, static_cast<int>(m.wparam));
        if (child) return ForwardToChild(m, child, QM_MEASUREITEM, m.wparam, m.lparam);
      }
      break;
    case WM_ERASEBKGND:
      if (own_class) {
        RECT r;
        GetClientRect(hwnd_, &r);
        FillRect(reinterpret_cast<HDC>(m.wparam), &r, ColorBrush(color_));
        m.result = 1;
        return;
      }
      break;
    case WM_PRINTCLIENT:
      if (own_class) {
        RECT r;
        GetClientRect(hwnd_, &r);
        FillRect(reinterpret_cast<HDC>(m.wparam), &r, ColorBrush(color_));
        PaintWindow(reinterpret_cast<HDC>(m.wparam));
        return;
      }
      break;
    case WM_PAINT:
      if (own_class) {
        PAINTSTRUCT ps;
        HDC dc = m.wparam ? reinterpret_cast<HDC>(m.wparam) : BeginPaint(hwnd_, &ps);
        PaintWindow(dc);
        if (!m.wparam) EndPaint(hwnd_, &ps);
        return;
      }
      DefaultHandler(m);
      if (std::any_of(controls_.begin(), controls_.end(), [](TControl* c) { return !c->IsWindowed(); })) {
        HDC dc = GetDC(hwnd_);
        PaintControls(dc);
        ReleaseDC(hwnd_, dc);
      }
      return;
    case WM_SETCURSOR:
      if (LOWORD(m.lparam) == HTCLIENT && hwnd_) {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(hwnd_, &pt);
        TGraphicControl* g = GraphicAt(pt);
        CursorKind k = g ? g->Cursor() : (reinterpret_cast<HWND>(m.wparam) == hwnd_ ? cursor_ : CursorKind::Default);
        if (k == CursorKind::Hand) {
          ::SetCursor(LoadCursor(nullptr, IDC_HAND));
          m.result = TRUE;
          return;
        }
      }
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
      if (m.msg == WM_MOUSEMOVE) TrackMouse();
      POINT pt{static_cast<short>(LOWORD(m.lparam)), static_cast<short>(HIWORD(m.lparam))};
      TGraphicControl* g = mouse_capture_ ? mouse_capture_ : GraphicAt(pt);
      if (m.msg == WM_MOUSEMOVE && g != hot_graphic_) {
        if (hot_graphic_) hot_graphic_->Perform(QM_MOUSELEAVE);
        hot_graphic_ = g;
      }
      if (g) {
        if (m.msg == WM_LBUTTONDOWN) {
          mouse_capture_ = g;
          SetCapture(hwnd_);
        }
        g->Perform(m.msg, m.wparam, m.lparam);
        if (m.msg == WM_LBUTTONUP && mouse_capture_) {
          mouse_capture_ = nullptr;
          ReleaseCapture();
        }
      } else if (own_class && m.msg == WM_LBUTTONDBLCLK && OnDblClick) {
        OnDblClick();
      }
      break;
    }
    case WM_MOUSELEAVE:
      tracking_mouse_ = false;
      if (hot_graphic_) {
        hot_graphic_->Perform(QM_MOUSELEAVE);
        hot_graphic_ = nullptr;
      }
      Perform(QM_MOUSELEAVE);
      break;
    case WM_SETFOCUS:
      DefaultHandler(m);
      if (TForm* f = ParentForm()) f->FocusChanged(this);
      return;
    case QM_RECREATEWND:
      if (hwnd_) {
        DestroyHandle();
        CreateHandle();
      }
      return;
    default:
      break;
  }
  DefaultHandler(m);
}

}  // namespace quillet::ui
