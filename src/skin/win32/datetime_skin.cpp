#include "skin/win32/datetime_skin.h"

#include <commctrl.h>

#include "skin/ctl/datetime.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/skin_data.h"
#include "skin/win32/system_api.h"

namespace quillet::skin::win32 {

namespace {
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchIntervalMs = 100;  // how soon the arrow looks again whether the calendar closed
}

bool TArrowButton::Dropped() const {
  const auto calendar = reinterpret_cast<HWND>(SendMessageA(owner_.Picker(), DTM_GETMONTHCAL, 0, 0));
  return calendar && IsWindowVisible(calendar);
}

void TArrowButton::Refresh() {
  Invalidate();
  if (Dropped() && !watching_ && hwnd_) watching_ = SetTimer(hwnd_, kWatchTimer, kWatchIntervalMs, nullptr) != 0;
}

void TArrowButton::Timer() {
  if (Dropped()) return;
  KillTimer(hwnd_, kWatchTimer);
  watching_ = false;
  Invalidate();
}

void TArrowButton::PaintOverlay(BitmapView v, HDC) {
  const TSkinElements& s = owner_.Elements();
  const bool enabled = IsWindowEnabled(owner_.Picker());
  DrawArrowButton(v, ArrowButtonFrame(Dropped(), hot_, enabled), s, ControlPalette(s));
}

void TArrowButton::Mouse(UINT msg, POINT at) {
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!hot_) {
        hot_ = true;
        TrackLeave(hwnd_);
        Invalidate();
      }
      break;
    case WM_MOUSELEAVE:
      hot_ = false;
      Invalidate();
      break;
    case WM_LBUTTONDOWN: {
      // The picker opens its calendar for a press on its own button, which lies under this one.
      MapWindowPoints(hwnd_, owner_.Picker(), &at, 1);
      SendMessageA(owner_.Picker(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
      Refresh();
      break;
    }
    default:
      break;
  }
}

void TSkinDateTime::Detach(bool windowGoing) {
  button_.reset();
  TSkinEdit::Detach(windowGoing);
}

void TSkinDateTime::PlaceButton() {
  if (state_ != kAttached || !IsWindow(hwnd_)) return;
  RECT cr{};
  GetClientRect(hwnd_, &cr);
  const RECT at = ToRECT(DateTimeButtonRect(cr.right, cr.bottom, SystemMetricAt(SM_CXVSCROLL, dpi_)));
  if (!button_) {
    button_ = std::make_unique<TArrowButton>(*this);
    if (!button_->Create(hwnd_, at)) button_.reset();
    return;
  }
  button_->Place(at);
}

void TSkinDateTime::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_SIZE:
    case WM_STYLECHANGED:
      PlaceButton();
      break;
    case WM_ENABLE:
    case WM_NOTIFY:
    case WM_KILLFOCUS:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
      if (button_) button_->Refresh();
      break;
    default:
      break;
  }
  TSkinEdit::AfterMessage(m);
}

}  // namespace quillet::skin::win32
