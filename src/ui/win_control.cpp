#include "ui/controls.h"

#include <algorithm>
#include <stdexcept>

#include "ui/forms.h"
#include "ui/gdi.h"
#include "ui/window_class.h"

namespace quillet::ui {

TWinControl::TWinControl(TComponent* owner, std::string name) : TControl(owner, std::move(name)) {
  PublishFlag(props_, "TabStop", tab_stop_, [this](bool b) { SetTabStop(b); });
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
    UnbindWindow(h);
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
  const Bounds device = DeviceBounds();
  p.x = device.left;
  p.y = device.top;
  p.width = device.width;
  p.height = device.height;
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
  default_proc_ = RegisterWindowClass(p);
  // Child windows' ids count up from here, above a dialog box's own command ids (IDOK, IDCANCEL, ...).
  constexpr int kFirstControlId = 101;
  static int last_id = kFirstControlId - 1;
  HMENU id = (p.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<std::intptr_t>(++last_id)) : nullptr;
  HWND h = CreateControlWindow(*this, p, id);
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
  SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(DrawingFont()), FALSE);
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

void TWinControl::SetBounds(Bounds r) {
  bool same = r == bounds_;
  bounds_ = r;
  if (!same) BoundsChanged();
}

void TWinControl::BoundsChanged() {
  if (!hwnd_) return;
  const Bounds device = DeviceBounds();
  SetWindowPos(hwnd_, nullptr, device.left, device.top, device.width, device.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::DpiChanged() {
  if (!hwnd_) return;
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DrawingFont()), FALSE);
  BoundsChanged();
}

void TWinControl::DpiChangedInside() {
  DpiChanged();
  for (TControl* c : controls_) {
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      w->DpiChangedInside();
    } else if (hwnd_ && !c->Hint().empty()) {
      Application().RegisterHint(c);  // its hint's rectangle moved with it
    }
  }
  // Whatever took over the window's handler hears of it once the window stands at the new DPI.
  if (hwnd_) Perform(QM_DPICHANGED, static_cast<std::uintptr_t>(Dpi()));
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
  if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DrawingFont()), TRUE);
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
  const Bounds device = DeviceBounds();
  RECT r{0, 0, device.width, device.height};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r;
}

}  // namespace quillet::ui
