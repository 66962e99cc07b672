#include "skin/win32/updown_skin.h"

#include <commctrl.h>

#include "skin/ctl/edit.h"
#include "skin/ctl/updown.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/manager.h"
#include "skin/win32/skin_data.h"

namespace quillet::skin::win32 {

namespace {

UINT AttachUpDownMessage() {
  static const UINT msg = RegisterWindowMessageA("QuilletSkinAttachUpDown");
  return msg;
}

HWND FindUpDownChild(HWND parent) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (IsUpDownClass(WindowClassName(c))) return c;
  return nullptr;
}

}  // namespace

bool TSkinUpDown::Horizontal() const {
  return UpDownIsHorizontal(static_cast<std::uint32_t>(GetWindowLongPtrA(hwnd_, GWL_STYLE)), false);
}

int TSkinUpDown::HalfUnderCursor() const {
  POINT pt;
  RECT cr{};
  if (!GetCursorPos(&pt) || WindowFromPoint(pt) != hwnd_) return -1;
  ScreenToClient(hwnd_, &pt);
  GetClientRect(hwnd_, &cr);
  if (!PtInRect(&cr, pt)) return -1;
  return Horizontal() ? (pt.x >= cr.right / 2 ? 1 : 0) : (pt.y >= cr.bottom / 2 ? 1 : 0);
}

bool TSkinUpDown::BeforeMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_PAINT:
      PaintForMessage(*this, m);
      return false;
    case WM_ERASEBKGND:
      if (IsForeign() && m.wparam) {
        RECT r{};
        GetClientRect(hwnd_, &r);
        FillRect(reinterpret_cast<HDC>(m.wparam), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      }
      m.result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The control steps its number first; the pressed half shows after.
      PassOn(m);
      pressed_ = true;
      PaintFrame(nullptr);
      return false;
    case WM_LBUTTONUP:
      pressed_ = false;
      PassOn(m);
      // The press held the capture, which ended the request for the pointer's leaving.
      if (hot_) TrackLeave();
      PaintFrame(nullptr);
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinUpDown::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_MOUSEMOVE: {
      if (!Enabled()) break;
      hot_ = true;
      TrackLeave();
      const int half = HalfUnderCursor();
      if (half != hot_half_) {
        hot_half_ = half;
        PaintFrame(nullptr);
      }
      break;
    }
    case WM_MOUSELEAVE:
    case ui::QM_MOUSELEAVE:
      if (hot_ || pressed_) {
        hot_ = false;
        hot_half_ = -1;
        PaintFrame(nullptr);
      }
      break;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinUpDown::Paint(HDC dc, const RECT& r) {
  UpDownInput in;
  in.width = r.right - r.left;
  in.height = r.bottom - r.top;
  if (in.width <= 0 || in.height <= 0 || !canvas_.Resize(in.width, in.height)) return;
  in.horizontal = Horizontal();
  in.enabled = Enabled();
  in.pressed = pressed_;
  in.hot = hot_;
  POINT pt;
  if (GetCursorPos(&pt) && WindowFromPoint(pt) == hwnd_ && ScreenToClient(hwnd_, &pt)) in.cursor = Point{pt.x, pt.y};
  const bool white = back_ == Back::White || (back_ == Back::Own && IsForeign());
  const ColorRef background =
      white ? RGB(255, 255, 255) : (back_ == Back::Face ? data_->FaceColor() : ParentFaceColor());
  const TSkinElements& s = Elements();
  DrawUpDown(canvas_.View(), in, PlanUpDown(in), s, ControlPalette(s), background);
  canvas_.CopyTo(dc, 0, 0, in.width, in.height, 0, 0);
}

// ---------------------------------------------------------------------------------------------

void ChildUpDown::Attach(HWND parent, TSkinData& data, TWinSkinForm& form) {
  const HWND child = FindUpDownChild(parent);
  if (!child) return;
  child_ = child;
  AttachPartSkin(form, data, child, std::make_unique<TSkinUpDown>(back_));
}

void ChildUpDown::Notice(HWND parent) {
  if (posted_ || Window()) return;
  if (FindUpDownChild(parent)) posted_ = PostMessageA(parent, AttachUpDownMessage(), 0, 0);
}

bool ChildUpDown::Take(const ui::Message& m, HWND parent, TSkinData& data, TWinSkinForm& form) {
  if (m.msg != AttachUpDownMessage()) return false;
  posted_ = false;
  Attach(parent, data, form);
  return true;
}

}  // namespace quillet::skin::win32
