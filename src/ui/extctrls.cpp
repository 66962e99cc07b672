#include "ui/extctrls.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/gdi.h"

namespace quillet::ui {

// ---------------------------------------------------------------------------------------------
// Progress bar

TProgressBar::TProgressBar(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {}

void TProgressBar::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = PROGRESS_CLASSA;
  if (orientation_ == BarOrientation::Vertical) p.style |= PBS_VERTICAL;
  if (smooth_) p.style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd() {
  SendMessageA(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::DestroyWnd() { position_ = Position(); }

void TProgressBar::SetOrientation(BarOrientation o) {
  orientation_ = o;
  if (hwnd_) RecreateWnd();
}

void TProgressBar::SetSmooth(bool s) {
  smooth_ = s;
  if (hwnd_) RecreateWnd();
}

void TProgressBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  if (hwnd_) SendMessageA(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(min), max);
}

int TProgressBar::Position() const {
  return hwnd_ ? static_cast<int>(SendMessageA(hwnd_, PBM_GETPOS, 0, 0)) : position_;
}

void TProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, std::min(min_, max_), std::max(min_, max_));
  if (hwnd_) SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

// ---------------------------------------------------------------------------------------------
// Track bar

TTrackBar::TTrackBar(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  tab_stop_ = true;
  parent_color_ = true;
}

void TTrackBar::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = TRACKBAR_CLASSA;
  p.style |= TBS_AUTOTICKS;
  if (orientation_ == BarOrientation::Vertical) p.style |= TBS_VERT;
  if (ticks_ == TickMarks::Both) p.style |= TBS_BOTH;
  if (ticks_ == TickMarks::TopLeft) p.style |= TBS_TOP;  // the same bit is TBS_LEFT
}

void TTrackBar::CreateWnd() {
  SendMessageA(hwnd_, TBM_SETRANGEMIN, FALSE, min_);
  SendMessageA(hwnd_, TBM_SETRANGEMAX, FALSE, max_);
  SendMessageA(hwnd_, TBM_SETTICFREQ, kTickFrequency, 0);
  SendMessageA(hwnd_, TBM_SETPOS, TRUE, position_);
  reported_ = position_;
}

void TTrackBar::DestroyWnd() { position_ = Position(); }

void TTrackBar::SetOrientation(BarOrientation o) {
  orientation_ = o;
  if (hwnd_) RecreateWnd();
}

void TTrackBar::SetTickMarks(TickMarks t) {
  ticks_ = t;
  if (hwnd_) RecreateWnd();
}

void TTrackBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  if (!hwnd_) return;
  SendMessageA(hwnd_, TBM_SETRANGEMIN, FALSE, min);
  SendMessageA(hwnd_, TBM_SETRANGEMAX, TRUE, max);
}

int TTrackBar::Position() const {
  return hwnd_ ? static_cast<int>(SendMessageA(hwnd_, TBM_GETPOS, 0, 0)) : position_;
}

void TTrackBar::SetPosition(int position) {
  position_ = std::clamp(position, std::min(min_, max_), std::max(min_, max_));
  if (hwnd_) SendMessageA(hwnd_, TBM_SETPOS, TRUE, position_);
  if (OnChange && position_ != reported_) {
    reported_ = position_;
    OnChange();
  }
}

void TTrackBar::WndProc(Message& m) {
  TWinControl::WndProc(m);
  // The bar tells its parent when it moves; watching its own input keeps the control whole.
  switch (m.msg) {
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
      if (!hwnd_) break;
      if (const int now = Position(); now != reported_) {
        reported_ = now;
        if (OnChange) OnChange();
      }
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Status bar

TStatusBar::TStatusBar(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {}

void TStatusBar::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = STATUSCLASSNAMEA;
  // The form places the bar; the control would move itself to its parent's bottom edge.
  p.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (size_grip_) p.style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd() { SendPanels(); }

void TStatusBar::SendPanels() {
  if (!hwnd_) return;
  std::vector<int> edges;
  int right = 0;
  for (const Panel& p : panels_) edges.push_back(right += p.width);
  if (!edges.empty()) edges.back() = -1;
  SendMessageA(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (std::size_t i = 0; i < panels_.size(); ++i)
    SendMessageA(hwnd_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(panels_[i].text.c_str()));
}

void TStatusBar::SetSizeGrip(bool grip) {
  size_grip_ = grip;
  if (hwnd_) RecreateWnd();
}

void TStatusBar::AddPanel(const std::string& text, int width) {
  panels_.push_back({text, width});
  SendPanels();
}

// ---------------------------------------------------------------------------------------------
// Tab set

TTabSet::TTabSet(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  tab_stop_ = true;
}

void TTabSet::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.system_class = WC_TABCONTROLA;
  p.style |= TCS_BOTTOM;
}

void TTabSet::CreateWnd() { SendTabs(); }

void TTabSet::DestroyWnd() { index_ = TabIndex(); }

void TTabSet::SetTabs(const std::vector<std::string>& tabs) {
  tabs_ = tabs;
  SendTabs();
}

void TTabSet::SendTabs() {
  if (!hwnd_) return;
  SendMessageA(hwnd_, TCM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = tabs_[i].data();
    SendMessageA(hwnd_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index_), 0);
}

int TTabSet::TabIndex() const { return hwnd_ ? static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0)) : index_; }

void TTabSet::SetTabIndex(int index) {
  index_ = index;
  if (hwnd_) SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TTabSet::WndProc(Message& m) {
  if (m.msg == QM_NOTIFY) {
    if (reinterpret_cast<NMHDR*>(m.lparam)->code == TCN_SELCHANGE && OnChange) OnChange();
    return;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// Media player

namespace {
const char* const kMediaLabels[kMediaButtonCount] = {"Play", "Pause", "Stop", "Next", "Prev",
                                                     "Step", "Back", "Rec",   "Eject"};

int VisibleCount(unsigned mask) {
  int n = 0;
  for (int k = 0; k < kMediaButtonCount; ++k) n += (mask >> k) & 1;
  return n;
}
}  // namespace

TMediaPlayer::TMediaPlayer(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  props_.Publish("VisibleButtons", [this] { return PropValue::OfInt(visible_); });
  props_.Publish("EnabledButtons", [this] { return PropValue::OfInt(enabled_); });
  props_.Publish("PressedButton", [this] { return PropValue::OfInt(pressed_); });
}

void TMediaPlayer::SetEnabledButtons(unsigned mask) {
  enabled_ = mask & kAllMediaButtons;
  Invalidate();
}

RECT TMediaPlayer::ButtonRect(int slot, int slots) const {
  const Bounds device = DeviceBounds();
  return {slot * device.width / slots, 0, (slot + 1) * device.width / slots, device.height};
}

int TMediaPlayer::ButtonAt(int x, int y) const {
  const int slots = VisibleCount(visible_);
  const Bounds device = DeviceBounds();
  if (slots == 0 || y < 0 || y >= device.height || x < 0 || x >= device.width) return -1;
  int slot = 0;
  for (int k = 0; k < kMediaButtonCount; ++k) {
    if (!((visible_ >> k) & 1)) continue;
    const RECT r = ButtonRect(slot++, slots);
    if (x >= r.left && x < r.right) return k;
  }
  return -1;
}

void TMediaPlayer::WndProc(Message& m) {
  const int x = static_cast<short>(LOWORD(m.lparam)), y = static_cast<short>(HIWORD(m.lparam));
  switch (m.msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const int k = ButtonAt(x, y);
      if (k >= 0 && ((enabled_ >> k) & 1) && Enabled()) {
        pressed_ = k;
        SetCapture(hwnd_);
        Invalidate();
      }
      break;
    }
    case WM_LBUTTONUP:
      if (pressed_ >= 0) {
        const int k = pressed_;
        pressed_ = -1;
        if (GetCapture() == hwnd_) ReleaseCapture();
        Invalidate();
        if (ButtonAt(x, y) == k && OnButtonClick) OnButtonClick(static_cast<MediaButton>(k));
      }
      break;
    case WM_CAPTURECHANGED:
      if (pressed_ >= 0 && reinterpret_cast<HWND>(m.lparam) != hwnd_) {
        pressed_ = -1;
        Invalidate();
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

void TMediaPlayer::PaintWindow(HDC dc) {
  const int slots = VisibleCount(visible_);
  gdi::Select font(dc, DrawingFont());
  SetBkMode(dc, TRANSPARENT);
  int slot = 0;
  for (int k = 0; k < kMediaButtonCount && slots; ++k) {
    if (!((visible_ >> k) & 1)) continue;
    RECT r = ButtonRect(slot++, slots);
    const bool on = ((enabled_ >> k) & 1) && Enabled();
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (k == pressed_ ? DFCS_PUSHED : 0));
    SetTextColor(dc, GetSysColor(on ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextA(dc, kMediaLabels[k], -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  PaintControls(dc);
}

}  // namespace quillet::ui
