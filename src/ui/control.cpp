#include "ui/controls.h"

#include "base/dpi.h"
#include "ui/dpi.h"
#include "ui/forms.h"

namespace quillet::ui {

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
  PublishFlag(props_, "Visible", visible_, [this](bool b) { SetVisible(b); });
  PublishFlag(props_, "Enabled", enabled_, [this](bool b) { SetEnabled(b); });
  props_.Publish("Color", [this] { return PropValue::OfInt(color_); }, [this](const std::string& t) {
    auto v = ParseInt(t);
    if (v) SetColor(static_cast<Color>(*v));
    return v.has_value();
  });
  PublishFlag(props_, "ParentColor", parent_color_, [this](bool b) { SetParentColor(b); });
  props_.Publish("Font", [this] {
    return PropValue::OfHandle(reinterpret_cast<std::intptr_t>(DrawingFont()));
  });
  props_.Publish("Hint", [this] { return PropValue::OfText(hint_); },
                 [this](const std::string& t) { SetHint(t); return true; });
  props_.Publish("HelpKeyword", [this] { return PropValue::OfText(help_keyword_); },
                 [this](const std::string& t) { help_keyword_ = t; return true; });
  auto publish_int = [this](const char* name, int Bounds::*field) {
    props_.Publish(name, [this, field] { return PropValue::OfInt(bounds_.*field); },
                   [this, field](const std::string& t) {
                     auto v = ParseInt(t);
                     if (!v) return false;
                     Bounds r = bounds_;
                     r.*field = static_cast<int>(*v);
                     SetBounds(r);
                     return true;
                   });
  };
  publish_int("Left", &Bounds::left);
  publish_int("Top", &Bounds::top);
  publish_int("Width", &Bounds::width);
  publish_int("Height", &Bounds::height);
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

int TControl::Dpi() const { return parent_ ? parent_->Dpi() : SystemDpi(); }

int TControl::Scaled(int length) const { return base::ScaleToDpi(length, Dpi()); }

Bounds TControl::DeviceBounds() const {
  const int dpi = Dpi();
  return {base::ScaleToDpi(bounds_.left, dpi), base::ScaleToDpi(bounds_.top, dpi),
          base::ScaleToDpi(bounds_.width, dpi), base::ScaleToDpi(bounds_.height, dpi)};
}

void TControl::SetBounds(Bounds r) {
  if (r == bounds_) return;
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
  // A control with a window hears its notifications through the window, so that whatever
  // subclassed the window (the skin engine) hears them too, in the same order as its messages.
  if (IsWindowed())
    if (HWND h = static_cast<TWinControl*>(this)->HandleIfAny()) return SendMessageA(h, msg, wparam, lparam);
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
    case WM_PAINT:
      // Sent by the parent with its DC in wparam, so that a replaced handler can paint instead.
      if (m.wparam) Paint(reinterpret_cast<HDC>(m.wparam));
      break;
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

}  // namespace quillet::ui
