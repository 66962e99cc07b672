#include "skin/win32/trackbar_skin.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/ctl/trackbar.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/skin_data.h"

namespace quillet::skin::win32 {

namespace {

Rect RectOf(HWND h, UINT msg) {
  RECT r{};
  SendMessageA(h, msg, 0, reinterpret_cast<LPARAM>(&r));
  return FromRECT(r);
}

}  // namespace

bool TSkinTrackBar::OverThumb(std::intptr_t lparam) const {
  const Rect thumb = RectOf(hwnd_, TBM_GETTHUMBRECT);
  return Contains(thumb, static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
}

bool TSkinTrackBar::BeforeMessage(ui::Message& m) {
  if (AnswerPaintMessage(*this, m)) return false;
  if (m.msg == WM_LBUTTONDOWN && OverThumb(m.lparam)) dragged_ = true;
  return TSkinControl::BeforeMessage(m);
}

void TSkinTrackBar::AfterMessage(ui::Message& m) {
  // Only the thumb is hot, where the control has just put it.
  const RECT thumb = m.msg == WM_MOUSEMOVE ? ToRECT(RectOf(hwnd_, TBM_GETTHUMBRECT)) : RECT{};
  if (UpdateHot(hwnd_, m, Enabled(), hot_, &thumb)) return Repaint();
  switch (m.msg) {    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragged_ && GetCapture() != hwnd_) {
        dragged_ = false;
        Repaint();
      }
      return;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinTrackBar::Paint(HDC dc, const RECT& r) {
  RECT cr{};
  GetClientRect(hwnd_, &cr);
  const int w = cr.right, h = cr.bottom;
  if (w <= 0 || h <= 0 || !canvas_.Resize(w, h)) return;
  TrackInput in;
  in.width = w;
  in.height = h;
  in.style = static_cast<std::uint32_t>(GetWindowLongPtrA(hwnd_, GWL_STYLE));
  const bool vert = in.style & tbs::Vert;
  in.channel = RectOf(hwnd_, TBM_GETCHANNELRECT);
  // Some systems report a vertical bar's channel lying down.
  if (vert && in.channel.Width() > in.channel.Height())
    in.channel = {in.channel.top, in.channel.left, in.channel.bottom, in.channel.right};
  in.thumb = RectOf(hwnd_, TBM_GETTHUMBRECT);
  const int thumbLength = vert ? in.thumb.Height() : in.thumb.Width();
  const int first = (vert ? in.channel.top : in.channel.left) + thumbLength / 2;
  const int last = (vert ? in.channel.bottom : in.channel.right) - 1 - thumbLength / 2;
  // The inner ticks by their values, placed as the thumb would stand at them.
  const int low = static_cast<int>(SendMessageA(hwnd_, TBM_GETRANGEMIN, 0, 0));
  const int high = static_cast<int>(SendMessageA(hwnd_, TBM_GETRANGEMAX, 0, 0));
  in.ticks.push_back(first);
  const int inner = std::max(0, static_cast<int>(SendMessageA(hwnd_, TBM_GETNUMTICS, 0, 0)) - 2);
  for (int i = 0; i < inner && high > low; ++i) {
    const int value = static_cast<int>(SendMessageA(hwnd_, TBM_GETTIC, static_cast<WPARAM>(i), 0));
    const int at = first + static_cast<int>(static_cast<long long>(value - low) * (last - first) / (high - low));
    if (at > first && at < last) in.ticks.push_back(at);
  }
  std::sort(in.ticks.begin(), in.ticks.end());
  in.ticks.push_back(last);
  in.dragged = dragged_ && GetCapture() == hwnd_;
  in.hot = hot_;
  in.focused = Focused();
  in.enabled = Enabled();
  const TSkinElements& s = Elements();
  BitmapView v = canvas_.View();
  FillSolid(v, {0, 0, w, h}, ParentFaceColor());
  DrawTrackBar(v, in, PlanTrackBar(in), s, ControlPalette(s));
  canvas_.CopyTo(dc, r.left, r.top, w, h, 0, 0);
}

}  // namespace quillet::skin::win32
