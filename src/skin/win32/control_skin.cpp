#include "skin/win32/control_skin.h"

#include <optional>

#include "skin/skin_messages.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32/skin_data.h"
#include "skin/win32/system_api.h"
#include "ui/gdi.h"

namespace quillet::skin::win32 {

namespace {

std::wstring Widen(const std::string& s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

}  // namespace

// The window leaves the skin before any part of the skin goes.
TSkinControl::~TSkinControl() { Remove(); }

TSkinControl* TSkinControl::Of(HWND hwnd) {
  return static_cast<TSkinControl*>(FindOn(hwnd, Kind::ControlSkin));
}

bool TSkinControl::Take(HWND hwnd, TSkinData& data, TWinSkinForm& form) {
  if (state_ != kNew || !hwnd || !Install(hwnd)) return false;
  form_skin_ = &form;
  data_ = &data;
  dpi_ = form.Dpi();
  hwnd_ = hwnd;
  return true;
}

const TSkinElements& TSkinControl::Elements() const { return data_->ElementsAt(dpi_); }

void TSkinControl::SetDpi(int dpi) {
  if (dpi == dpi_ || Dead()) return;
  dpi_ = dpi;
  canvas_.Release();
  Refresh();
}

void TSkinControl::AttachControl(TWinSkinForm& form, TSkinData& data, ui::TWinControl& control, bool transparent) {
  if (!Take(control.Handle(), data, form)) return;
  control_ = &control;
  control_alive_ = true;
  transparent_ = transparent;
  if (transparent_) {
    const auto pb = control.GetProperty("ParentBackground");
    if (pb && pb->number && !data.Options.Has(xoParentBackGround)) {
      parent_background_was_true_ = control.SetProperty("ParentBackground", "False");
    }
    saved_color_ = control.GetColor();
    color_saved_ = true;
    control.SetColor(ToolkitColor(data.FaceColor()));
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
  state_ = kAttached;
  Attached();
}

void TSkinControl::AttachWindow(HWND hwnd, TSkinData& data, TWinSkinForm& form) {
  if (!Take(hwnd, data, form)) return;
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
  if (transparent_ && control_alive_ && control_) control_->SetColor(ToolkitColor(data_->FaceColor()));
  Repaint();
}

void TSkinControl::Repaint() {
  if (!IsWindow(hwnd_)) return;
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
}

LRESULT TSkinControl::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOUSELEAVE) LeaveCame(hwnd_);
  ui::Message m{msg, wp, static_cast<std::intptr_t>(lp), 0};
  MessageEntry(m);
  return m.result;
}

void TSkinControl::WindowDestroyed() {
  // Also when the window went while drawing was off. Nothing is painted for a window that is
  // gone; the form drops this skin on its next pass.
  state_ = kDead;
  canvas_.Release();
  if (TSkinManage* m = TSkinManage::Instance()) m->RequestPurge();
}

void TSkinControl::PassOn(ui::Message& m) {
  m.result = CallNext(m.msg, m.wparam, m.lparam);
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
    case WM_NCDESTROY:
      state_ = kDead;
      PassOn(m);
      if (drawing_) Detach(true);
      return false;
    case SKINMSG_QUERYSKIP:
      m.result = 1;
      return false;
    case ui::QM_DESTROYING:
      // The control goes, half of it already gone; its window follows without us.
      PassOn(m);
      control_alive_ = false;
      state_ = kDead;
      Remove();
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
  std::optional<ui::gdi::WholeWindowDC> own;
  if (!dc) dc = own.emplace(hwnd_).Get();
  if (!dc) return;
  try {
    Paint(dc, r);
  } catch (...) {
    // Left unpainted; the control works on as the system's.
  }
}

void TSkinControl::Paint(HDC, const RECT&) {}

void TSkinControl::FillFace(HDC dc, const RECT& r) const { FillRect(dc, &r, data_->FaceBrush()); }

COLORREF TSkinControl::ParentFaceColor() const {
  if (control_alive_ && control_ && control_->Parent()) {
    const auto c = control_->Parent()->GetProperty("Color");
    if (c && c->kind == ui::PropKind::Integer) return ui::ToColorRef(static_cast<ui::Color>(c->number));
  }
  return data_->FaceColor();
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
    const ui::gdi::SavedState saved(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    c->Paint(dc);
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
