#include "skin/win32/button_parts.h"

#include "skin/win32/control_skin.h"
#include "skin/win32/system_api.h"
#include "skin/win32_system.h"

namespace quillet::skin::win32 {

const SkinSystem& ControlSystem() {
  static const Win32SkinSystem system;
  return system;
}

Palette ControlPalette(const TSkinElements& s) { return MakePalette(s, ControlSystem()); }

void PaintForMessage(TSkinControl& skin, ui::Message& m) {
  if (m.wparam) {
    skin.PaintFrame(reinterpret_cast<HDC>(m.wparam));
  } else {
    const ui::gdi::PaintDC dc(skin.Hwnd());
    if (dc) skin.PaintFrame(dc);
  }
  m.result = 0;
}

bool AnswerPaintMessage(TSkinControl& skin, ui::Message& m, bool withFrame) {
  switch (m.msg) {
    case WM_ERASEBKGND:
      m.result = 1;
      return true;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (!withFrame) {
        PaintForMessage(skin, m);
        return true;
      }
      if (m.msg == WM_PRINTCLIENT) return false;
      // The paint's DC leaves the frame out: the update is only validated, the window DC painted.
      if (!m.wparam) ui::gdi::PaintDC{skin.Hwnd()};
      [[fallthrough]];
    case WM_NCPAINT:
      if (!withFrame) return false;
      skin.PaintFrame(nullptr);
      m.result = 0;
      return true;
    default:
      return false;
  }
}

bool NativeButtonPaints(unsigned msg) {
  return msg == BM_SETSTATE || msg == BM_SETCHECK || msg == BM_SETSTYLE || msg == WM_UPDATEUISTATE;
}

void PaintParentUnder(HWND hwnd, HDC dc) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  POINT at{0, 0};
  MapWindowPoints(hwnd, parent, &at, 1);
  POINT old{};
  SetViewportOrgEx(dc, -at.x, -at.y, &old);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

SIZE MeasureText(HDC dc, const std::wstring& text, UINT flags, int width) {
  RECT r{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

void DrawTextIn(HDC dc, const std::wstring& text, const Rect& r, UINT flags, COLORREF color) {
  RECT rc = ToRECT(r);
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF old = SetTextColor(dc, color);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, flags);
  SetTextColor(dc, old);
  SetBkMode(dc, mode);
}

void DrawFocusFrame(HDC dc, const Rect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  // The frame is the dots of a pattern combined with what lies under it: black and white give
  // the familiar one whatever the text colour was.
  const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  RECT rc = ToRECT(r);
  DrawFocusRect(dc, &rc);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
}

namespace {

bool LeaveTracked(HWND hwnd) {
  TRACKMOUSEEVENT q{sizeof q, TME_QUERY, nullptr, 0};
  return TrackMouseEvent(&q) && q.hwndTrack == hwnd && (q.dwFlags & TME_LEAVE);
}

}  // namespace

bool UpdateHot(HWND hwnd, const ui::Message& m, bool enabled, bool& hot, const RECT* area) {
  switch (m.msg) {
    case WM_MOUSEMOVE: {
      // A window holding the pointer hears of moves away from it too.
      RECT r{};
      if (area) r = *area;
      else GetClientRect(hwnd, &r);
      const POINT p{static_cast<short>(LOWORD(m.lparam)), static_cast<short>(HIWORD(m.lparam))};
      const bool over = enabled && PtInRect(&r, p);
      // The system keeps one window's leave in mind; another window may have taken its place.
      if (over && (!hot || !LeaveTracked(hwnd))) TrackLeave(hwnd);
      if (over == hot) return false;
      hot = over;
      return true;
    }
    case WM_MOUSELEAVE:
    case ui::QM_MOUSELEAVE:
      if (!hot) return false;
      hot = false;
      return true;
    default:
      return false;
  }
}

}  // namespace quillet::skin::win32
