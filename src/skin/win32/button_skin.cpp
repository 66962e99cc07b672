#include "skin/win32/button_skin.h"

#include <algorithm>

#include "skin/text.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/manager.h"
#include "skin/win32/skin_data.h"

namespace quillet::skin::win32 {

namespace {

// A push button's caption: wrapped, centred.
constexpr UINT kCaptionFlags = DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER;
// A timer of this id on a skinned button is stopped at its first tick.
constexpr WPARAM kButtonTimer = 1;

Rect Intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

}  // namespace

TSkinButton::~TSkinButton() {
  // The native button never saw the press, so it would not let the pointer go.
  if (mouse_down_ && GetCapture() == hwnd_) {
    mouse_down_ = false;
    ReleaseCapture();
  }
}

bool TSkinButton::CanPaint() const { return data_ && Elements().Buttons.HasBitmap(); }

bool TSkinButton::Inside(std::intptr_t lparam) const {
  RECT r{};
  GetClientRect(hwnd_, &r);
  const POINT p{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  return PtInRect(&r, p);
}

PushButtonState TSkinButton::State() const {
  PushButtonState s;
  s.enabled = Enabled();
  s.focused = Focused();
  s.hot = hot_ && s.enabled;
  // The space key presses the native button; the mouse presses ours.
  const bool pushed = SendMessageW(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED;
  s.pressed = mouse_down_ ? inside_ : pushed;
  if (const ui::TWinControl* c = Control()) {
    const auto d = c->GetProperty("Default");
    s.isDefault = d && AsciiLower(d->AsText()) == "true";
  } else {
    s.isDefault = (GetWindowLongPtrW(hwnd_, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  }
  return s;
}

void TSkinButton::RepaintIfChanged() {
  if (!(State() == painted_)) Repaint();
}

bool TSkinButton::BeforeMessage(ui::Message& m) {
  // Without the picture the button stays the system's in every way.
  if (!CanPaint()) return TSkinControl::BeforeMessage(m);
  if (AnswerPaintMessage(*this, m)) return false;
  switch (m.msg) {
    case WM_TIMER:
      if (m.wparam != kButtonTimer) break;
      KillTimer(hwnd_, kButtonTimer);
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!Focused() && TakesFocusOnPress()) SetFocus(hwnd_);
      mouse_down_ = inside_ = true;
      SetCapture(hwnd_);
      Repaint();
      m.result = 0;
      return false;
    case WM_MOUSEMOVE:
      if (!mouse_down_) break;
      // The native button would take a move with the button held for a press of its own.
      if (const bool in = Inside(m.lparam); in != inside_) {
        inside_ = hot_ = in;
        if (in) TrackLeave();
        Repaint();
      }
      m.result = 0;
      return false;
    case WM_LBUTTONUP: {
      if (!mouse_down_) break;
      const bool click = Inside(m.lparam);
      mouse_down_ = inside_ = false;
      hot_ = click;
      ReleaseCapture();
      if (click) TrackLeave();
      Repaint();
      m.result = 0;
      // Last: the click may close the window and everything on it.
      if (click) Click();
      return false;
    }
    default:
      break;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinButton::AfterMessage(ui::Message& m) {
  if (!CanPaint()) return TSkinControl::AfterMessage(m);
  if (UpdateHot(hwnd_, m, Enabled(), hot_) || NativeButtonPaints(m.msg)) return Repaint();
  switch (m.msg) {
    case WM_CAPTURECHANGED:
      if (mouse_down_ && reinterpret_cast<HWND>(m.lparam) != hwnd_) {
        mouse_down_ = inside_ = false;
        Repaint();
      }
      return;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case ui::QM_DIALOGKEY:
    case ui::QM_FOCUSCHANGED:
      RepaintIfChanged();
      return;
    default:
      TSkinControl::AfterMessage(m);
  }
}

bool TSkinButton::OverParent() const {
  const ui::TWinControl* control = Control();
  return ButtonDrawsTransparent(control ? static_cast<int>(control->Tag()) : 0, data_->Options);
}

void TSkinButton::Paint(HDC dc, const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (!CanPaint() || w <= 0 || h <= 0 || !canvas_.Resize(w, h)) return;
  const ui::TWinControl* control = Control();
  ButtonInput in;
  in.width = w;
  in.height = h;
  in.state = State();
  in.foreign = IsForeign();
  in.fontColor = control ? ui::ToColorRef(control->Font().color) : GetSysColor(COLOR_BTNTEXT);
  in.options = data_->Options;
  const ButtonPaint p = PlanButton(in, Elements(), ControlSystem());

  HDC cdc = canvas_.Dc();
  const bool overParent = OverParent();
  if (overParent) PaintParentUnder(hwnd_, cdc);
  else FillSolid(canvas_.View(), {0, 0, w, h}, Elements().FaceColor);
  PaintFace(cdc, in, p);
  canvas_.CopyTo(dc, r.left, r.top, w, h, 0, 0);
  painted_ = in.state;
}

void TSkinButton::PaintFace(HDC cdc, const ButtonInput&, const ButtonPaint& p) {
  DrawButton(canvas_.View(), Elements(), p.frame, true);
  if (const std::wstring text = CaptionLines(Text()); !text.empty()) {
    ui::gdi::Select font(cdc, Font());
    const SIZE size = MeasureText(cdc, text, kCaptionFlags, p.textArea.Width());
    PaintCaption(cdc, text, CentreIn(p.textArea, size.cx, size.cy), p);
  }
}

void TSkinButton::PaintCaption(HDC cdc, const std::wstring& text, const Rect& at, const ButtonPaint& p) {
  DrawTextIn(cdc, text, at, kCaptionFlags, p.textColor);
  // Kept off the picture's edge, where the dots would break its rings.
  if (p.focusRect) DrawFocusFrame(cdc, Intersect(ButtonFocusRect(at), p.textArea));
}

void TSkinButton::Click() {
  if (ui::TWinControl* c = Control()) {
    c->Click();
    return;
  }
  if (!IsForeign()) return;  // the control has gone
  const bool tbutton = AsciiLower(WindowClassName(hwnd_)) == "tbutton";
  PostMessageW(GetParent(hwnd_), WM_COMMAND, tbutton ? 0 : static_cast<WPARAM>(GetDlgCtrlID(hwnd_)),
               reinterpret_cast<LPARAM>(hwnd_));
}

}  // namespace quillet::skin::win32
