#include "skin/win32/control_skin.h"

#include <unordered_map>

#include "skin/skin_messages.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/skin_data.h"
#include "skin/win32/system_api.h"

namespace quillet::skin::win32 {

namespace {

// The skins attached to bare windows, by window: their replaced procedure leads here.
std::unordered_map<HWND, TSkinControl*>& Thunked() {
  static std::unordered_map<HWND, TSkinControl*> map;
  return map;
}

std::wstring Widen(const std::string& s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

}  // namespace

TSkinControl::~TSkinControl() { Unhook(); }

void TSkinControl::Unhook() {
  if (control_) {
    if (control_alive_) control_->SetWindowProc(saved_handler_);
    control_ = nullptr;
  }
  if (saved_proc_) {
    // A Unicode window's procedure reads back as itself only through the W call.
    const LONG_PTR ours = reinterpret_cast<LONG_PTR>(unicode_ ? ThunkW : ThunkA);
    const LONG_PTR current =
        unicode_ ? GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd_, GWLP_WNDPROC);
    if (IsWindow(hwnd_) && current == ours) {
      if (unicode_)
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved_proc_));
      else
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved_proc_));
    }
    auto it = Thunked().find(hwnd_);
    // A window whose procedure someone replaced after ours keeps leading here; the map then
    // hands its messages to the procedure we replaced (FromWindow) until it goes.
    if (it != Thunked().end() && it->second == this) Thunked().erase(it);
    saved_proc_ = nullptr;
  }
}

void TSkinControl::AttachControl(TWinSkinForm& form, TSkinData& data, ui::TWinControl& control, bool transparent) {
  if (state_ != kNew) return;
  form_skin_ = &form;
  data_ = &data;
  control_ = &control;
  control_alive_ = true;
  hwnd_ = control.Handle();
  unicode_ = IsWindowUnicode(hwnd_);
  transparent_ = transparent;
  saved_handler_ = control.WindowProc();
  control.SetWindowProc([this](ui::Message& m) { MessageEntry(m); });
  if (transparent_) {
    const auto pb = control.GetProperty("ParentBackground");
    if (pb && pb->number && !data.Options.Has(xoParentBackGround)) {
      parent_background_was_true_ = control.SetProperty("ParentBackground", "False");
    }
    saved_color_ = control.GetColor();
    color_saved_ = true;
    control.SetColor(ToolkitColor(data.FaceColour()));
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
  state_ = kAttached;
  Attached();
}

void TSkinControl::AttachWindow(HWND hwnd, TSkinData& data, TWinSkinForm& form) {
  if (state_ != kNew || !hwnd) return;
  // A window already led here would hand its messages back to itself for ever.
  if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ThunkW) ||
      GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ThunkA))
    return;
  form_skin_ = &form;
  data_ = &data;
  hwnd_ = hwnd;
  unicode_ = IsWindowUnicode(hwnd_);
  Thunked()[hwnd_] = this;
  saved_proc_ = unicode_ ? reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ThunkW)))
                         : reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ThunkA)));
  InvalidateRect(hwnd_, nullptr, TRUE);
  state_ = kAttached;
  Attached();
}

void TSkinControl::Detach(bool windowGoing) {
  if (detached_) return;
  detached_ = true;
  if (state_ == kDead || windowGoing || !control_alive_ || !control_) return;
  if (parent_background_was_true_) control_->SetProperty("ParentBackground", "True");
  if (color_saved_) control_->SetColor(saved_color_);
}

void TSkinControl::Refresh() {
  if (transparent_ && control_alive_ && control_) control_->SetColor(ToolkitColor(data_->FaceColour()));
  Repaint();
}

void TSkinControl::Repaint() {
  if (!IsWindow(hwnd_)) return;
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
}

LRESULT CALLBACK TSkinControl::ThunkA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto it = Thunked().find(hwnd);
  if (it != Thunked().end()) return it->second->FromWindow(msg, wp, lp);
  return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK TSkinControl::ThunkW(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto it = Thunked().find(hwnd);
  if (it != Thunked().end()) return it->second->FromWindow(msg, wp, lp);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT TSkinControl::FromWindow(UINT msg, WPARAM wp, LPARAM lp) {
  ui::Message m{msg, wp, static_cast<std::intptr_t>(lp), 0};
  try {
    MessageEntry(m);
  } catch (...) {
    // A skin that fails leaves the control working as the system's.
    m.result = unicode_ ? CallWindowProcW(saved_proc_, hwnd_, msg, wp, lp) : CallWindowProcA(saved_proc_, hwnd_, msg, wp, lp);
  }
  return m.result;
}

void TSkinControl::PassOn(ui::Message& m) {
  if (control_) {
    if (control_alive_ && saved_handler_) saved_handler_(m);
    return;
  }
  if (saved_proc_)
    m.result = unicode_ ? CallWindowProcW(saved_proc_, hwnd_, m.msg, m.wparam, m.lparam)
                        : CallWindowProcA(saved_proc_, hwnd_, m.msg, m.wparam, m.lparam);
}

void TSkinControl::MessageEntry(ui::Message& m) {
  if (m.msg == SKINMSG_DRAWING) {
    drawing_ = m.wparam > 0;
    PassOn(m);
    if (drawing_) Repaint();
    return;
  }
  if (!drawing_) {
    PassOn(m);
    return;
  }
  if (BeforeMessage(m)) {
    PassOn(m);
    AfterMessage(m);
  }
}

bool TSkinControl::BeforeMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_NCDESTROY: {
      state_ = kDead;
      const HWND h = hwnd_;
      PassOn(m);
      if (drawing_) Detach(true);
      // A bare window's procedure goes with it.
      if (!control_) {
        auto it = Thunked().find(h);
        if (it != Thunked().end() && it->second == this) Thunked().erase(it);
        saved_proc_ = nullptr;
      }
      return false;
    }
    case SKINMSG_QUERYSKIP:
      m.result = 1;
      return false;
    case ui::QM_DESTROYING:
      // The control goes; its window follows without us.
      PassOn(m);
      control_alive_ = false;
      state_ = kDead;
      return false;
    default:
      return true;
  }
}

void TSkinControl::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case ui::QM_ENABLEDCHANGED:
      Repaint();
      break;
    case WM_PAINT:
      PaintFrame(reinterpret_cast<HDC>(m.wparam));
      break;
    default:
      break;
  }
}

void TSkinControl::PaintFrame(HDC dc) {
  RECT wr{};
  if (!GetWindowRect(hwnd_, &wr)) return;
  const RECT r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  HDC d = dc ? dc : GetWindowDC(hwnd_);
  if (!d) return;
  try {
    Paint(d, r);
  } catch (...) {
    // Left unpainted; the control works on as the system's.
  }
  if (!dc) ReleaseDC(hwnd_, d);
}

void TSkinControl::Paint(HDC, const RECT&) {}

void TSkinControl::FillFace(HDC dc, const RECT& r) const { FillRect(dc, &r, data_->FaceBrush()); }

COLORREF TSkinControl::ParentColour() const {
  if (control_alive_ && control_ && control_->Parent()) {
    const auto c = control_->Parent()->GetProperty("Color");
    if (c && c->kind == ui::PropKind::Integer) return ui::ToColorRef(static_cast<ui::Color>(c->number));
  }
  return data_->FaceColour();
}

void TSkinControl::FillParentColour(HDC dc, const RECT& r) const {
  const COLORREF c = ParentColour();
  if (c == data_->FaceColour()) return FillFace(dc, r);
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

std::wstring TSkinControl::Text() const {
  if (control_alive_ && control_) {
    if (const auto c = control_->GetProperty("Caption")) return Widen(c->text);
  }
  const int n = GetWindowTextLengthW(hwnd_);
  std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(hwnd_, w.data(), n + 1);
  w.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return w;
}

HFONT TSkinControl::Font() const {
  if (control_alive_ && control_) {
    if (const auto f = control_->GetProperty("Font"); f && f->kind == ui::PropKind::Handle)
      return reinterpret_cast<HFONT>(static_cast<std::intptr_t>(f->number));
  }
  return reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0));
}

void TSkinControl::PaintGraphicChildren(HDC dc) const {
  if (!control_alive_ || !control_) return;
  for (ui::TControl* c : control_->Controls()) {
    if (c->IsWindowed() || !c->Visible()) continue;
    const RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    c->Paint(dc);
    RestoreDC(dc, saved);
  }
}

TSkinControl* AttachPartSkin(TWinSkinForm& form, TSkinData& data, HWND part, std::unique_ptr<TSkinControl> skin) {
  if (!skin || !IsWindow(part) || form.FindControlSkin(part)) return nullptr;
  skin->AttachWindow(part, data, form);
  TSkinControl* attached = skin.get();
  form.AddControlSkin(std::move(skin));
  return attached;
}

void TSkinControl::TrackLeave() { win32::TrackLeave(hwnd_); }

}  // namespace quillet::skin::win32
