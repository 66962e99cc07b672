#include "ui/controls.h"

#include <algorithm>

#include "ui/forms.h"
#include "ui/gdi.h"

namespace quillet::ui {

void TWinControl::WndProc(Message& m) {
  switch (m.msg) {
    case WM_COMMAND: return WMCommand(m);
    case WM_NOTIFY: return WMNotify(m);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: return WMCtlColor(m);
    case WM_DRAWITEM: return WMDrawItem(m);
    case WM_MEASUREITEM: return WMMeasureItem(m);
    case WM_ERASEBKGND: return WMEraseBkgnd(m);
    case WM_PRINTCLIENT: return WMPrintClient(m);
    case WM_PAINT: return WMPaint(m);
    case WM_SETCURSOR: return WMSetCursor(m);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: return WMMouse(m);
    case WM_MOUSELEAVE: return WMMouseLeave(m);
    case WM_SETFOCUS: return WMSetFocus(m);
    case QM_RECREATEWND: return QMRecreateWnd(m);
    default: return DefaultHandler(m);
  }
}

void TWinControl::DefaultHandler(Message& m) {
  if (m.msg >= QM_BASE && m.msg <= QM_LAST) return;
  if (hwnd_)
    m.result = CallWindowProcA(default_proc_ ? default_proc_ : DefWindowProcA, hwnd_, m.msg,
                               m.wparam, m.lparam);
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : controls_) {
    if (c->IsWindowed() || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    gdi::SavedState saved(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    c->Perform(WM_PAINT, reinterpret_cast<std::uintptr_t>(dc));
  }
}

void TWinControl::PaintWindow(HDC dc) { PaintControls(dc); }

TGraphicControl* TWinControl::GraphicAt(POINT pt) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, pt)) return static_cast<TGraphicControl*>(c);
  }
  return nullptr;
}


// A parent's notification goes to the control it is about, as the toolkit's own message.
void TWinControl::ForwardToChild(Message& m, HWND child, unsigned qm) {
  TWinControl* c = FromHandle(child);
  if (c && c != this)
    m.result = c->Perform(qm, m.wparam, m.lparam);
  else
    DefaultHandler(m);
}

void TWinControl::WMCommand(Message& m) {
  if (m.lparam) return ForwardToChild(m, reinterpret_cast<HWND>(m.lparam), QM_COMMAND);
  DefaultHandler(m);
}

void TWinControl::WMNotify(Message& m) {
  if (auto* hdr = reinterpret_cast<NMHDR*>(m.lparam)) return ForwardToChild(m, hdr->hwndFrom, QM_NOTIFY);
  DefaultHandler(m);
}

// The child picks its colours; one that does not care leaves them to the system.
void TWinControl::WMCtlColor(Message& m) {
  TWinControl* c = FromHandle(reinterpret_cast<HWND>(m.lparam));
  if (c && c != this) {
    m.result = c->Perform(QM_CTLCOLOR, m.wparam, static_cast<std::intptr_t>(m.msg));
    if (m.result) return;
  }
  DefaultHandler(m);
}

void TWinControl::WMDrawItem(Message& m) {
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.lparam);
  if (m.wparam && dis) return ForwardToChild(m, dis->hwndItem, QM_DRAWITEM);
  DefaultHandler(m);
}

void TWinControl::WMMeasureItem(Message& m) {
  // The item's window is not in the message: find it by its id.
  HWND child = m.wparam && hwnd_ ? GetDlgItem(hwnd_, static_cast<int>(m.wparam)) : nullptr;
  if (child) return ForwardToChild(m, child, QM_MEASUREITEM);
  DefaultHandler(m);
}

void TWinControl::FillBackground(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  FillRect(dc, &r, ColorBrush(color_));
}

void TWinControl::WMEraseBkgnd(Message& m) {
  if (!OwnClass()) return DefaultHandler(m);
  FillBackground(reinterpret_cast<HDC>(m.wparam));
  m.result = 1;
}

void TWinControl::WMPrintClient(Message& m) {
  if (!OwnClass()) return DefaultHandler(m);
  FillBackground(reinterpret_cast<HDC>(m.wparam));
  PaintWindow(reinterpret_cast<HDC>(m.wparam));
}

void TWinControl::WMPaint(Message& m) {
  if (OwnClass()) {
    if (m.wparam) return PaintWindow(reinterpret_cast<HDC>(m.wparam));
    gdi::PaintDC dc(hwnd_);
    return PaintWindow(dc);
  }
  // A system class paints itself; graphic children on it are drawn over what it painted.
  DefaultHandler(m);
  if (std::any_of(controls_.begin(), controls_.end(), [](TControl* c) { return !c->IsWindowed(); })) {
    gdi::ClientDC dc(hwnd_);
    PaintControls(dc);
  }
}

void TWinControl::WMSetCursor(Message& m) {
  if (LOWORD(m.lparam) == HTCLIENT && hwnd_) {
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(hwnd_, &pt);
    TGraphicControl* g = GraphicAt(pt);
    CursorKind k = g ? g->Cursor() : (reinterpret_cast<HWND>(m.wparam) == hwnd_ ? cursor_ : CursorKind::Default);
    if (k == CursorKind::Hand) {
      ::SetCursor(LoadCursor(nullptr, IDC_HAND));
      m.result = TRUE;
      return;
    }
  }
  DefaultHandler(m);
}

// Mouse messages over a graphic child go to it; a press keeps them going to it until released.
void TWinControl::WMMouse(Message& m) {
  if (m.msg == WM_MOUSEMOVE) TrackMouse();
  POINT pt{static_cast<short>(LOWORD(m.lparam)), static_cast<short>(HIWORD(m.lparam))};
  TGraphicControl* g = mouse_capture_ ? mouse_capture_ : GraphicAt(pt);
  if (m.msg == WM_MOUSEMOVE && g != hot_graphic_) {
    if (hot_graphic_) hot_graphic_->Perform(QM_MOUSELEAVE);
    hot_graphic_ = g;
  }
  if (g) {
    if (m.msg == WM_LBUTTONDOWN) {
      mouse_capture_ = g;
      SetCapture(hwnd_);
    }
    g->Perform(m.msg, m.wparam, m.lparam);
    if (m.msg == WM_LBUTTONUP && mouse_capture_) {
      mouse_capture_ = nullptr;
      ReleaseCapture();
    }
  } else if (OwnClass() && m.msg == WM_LBUTTONDBLCLK && OnDblClick) {
    OnDblClick();
  }
  DefaultHandler(m);
}

void TWinControl::TrackMouse() {
  if (tracking_mouse_ || !hwnd_) return;
  TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd_, 0};
  if (TrackMouseEvent(&t)) tracking_mouse_ = true;
}

void TWinControl::WMMouseLeave(Message& m) {
  tracking_mouse_ = false;
  if (hot_graphic_) {
    hot_graphic_->Perform(QM_MOUSELEAVE);
    hot_graphic_ = nullptr;
  }
  Perform(QM_MOUSELEAVE);
  DefaultHandler(m);
}

void TWinControl::WMSetFocus(Message& m) {
  DefaultHandler(m);
  if (TForm* f = ParentForm()) f->FocusChanged(this);
}

void TWinControl::QMRecreateWnd(Message&) {
  if (!hwnd_) return;
  DestroyHandle();
  CreateHandle();
}

}  // namespace quillet::ui
