#include "skin/win32/media_player_skin.h"

#include "skin/ctl/media_player.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/skin_data.h"
#include "skin/win32/system_api.h"

namespace quillet::skin::win32 {

namespace {

MediaPlayerInput InputOf(const TSkinMP& mp, HWND panel, int hot) {
  RECT cr{};
  GetClientRect(panel, &cr);
  MediaPlayerInput in;
  in.width = cr.right;
  in.height = cr.bottom;
  constexpr int kAll = (1 << kMediaGlyphs) - 1;
  in.visible = static_cast<unsigned>(mp.Property("VisibleButtons", kAll));
  in.enabled = static_cast<unsigned>(mp.Property("EnabledButtons", kAll));
  in.pressed = mp.Property("PressedButton", -1);
  in.hot = hot;
  in.controlEnabled = IsWindowEnabled(mp.Player());
  return in;
}

}  // namespace

void TWMediaPlayer::PaintOverlay(BitmapView v, HDC) {
  const TSkinElements& s = owner_.Elements();
  DrawMediaPlayer(v, PlanMediaPlayer(InputOf(owner_, hwnd_, hot_)), s, ControlPalette(s));
}

void TWMediaPlayer::Mouse(UINT msg, POINT at) {
  switch (msg) {
    case WM_MOUSEMOVE: {
      const int over = MediaButtonAt(PlanMediaPlayer(InputOf(owner_, hwnd_, -1)), {at.x, at.y});
      if (over >= 0) TrackLeave(hwnd_);
      if (over != hot_) {
        hot_ = over;
        Invalidate();
      }
      break;
    }
    case WM_MOUSELEAVE:
      hot_ = -1;
      Invalidate();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
      // The panel covers the player's client area exactly: the same point lands on the same button.
      SendMessageA(owner_.Player(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(at.x, at.y));
      Invalidate();
      break;
    }
    default:
      break;
  }
}

int TSkinMP::Property(const char* name, int otherwise) const {
  if (const ui::TWinControl* c = Control())
    if (const auto v = c->GetProperty(name); v && v->kind == ui::PropKind::Integer) return static_cast<int>(v->number);
  return otherwise;
}

void TSkinMP::Detach(bool windowGoing) {
  panel_.reset();
  if (!windowGoing && IsWindow(hwnd_)) InvalidateRect(hwnd_, nullptr, TRUE);
  TSkinControl::Detach(windowGoing);
}

void TSkinMP::PlacePanel() {
  if (state_ != kAttached || !IsWindow(hwnd_) || !Elements().Buttons.HasBitmap()) return;
  RECT cr{};
  GetClientRect(hwnd_, &cr);
  if (!panel_) {
    panel_ = std::make_unique<TWMediaPlayer>(*this);
    if (!panel_->Create(hwnd_, cr)) panel_.reset();
    return;
  }
  panel_->Place(cr);
}

bool TSkinMP::BeforeMessage(ui::Message& m) {
  // Under the panel the player's own painting would only flicker through.
  if (panel_ && ((m.msg == WM_PAINT && !m.wparam) || m.msg == WM_ERASEBKGND)) {
    if (m.msg == WM_PAINT) ui::gdi::PaintDC{hwnd_};
    m.result = m.msg == WM_ERASEBKGND;
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinMP::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_SIZE:
      PlacePanel();
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_ENABLE:
    case ui::QM_ENABLEDCHANGED:
      if (panel_) panel_->Invalidate();
      break;
    default:
      break;
  }
  TSkinControl::AfterMessage(m);
}

}  // namespace quillet::skin::win32
