#include "skin/win32/scrollbar_skin.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "skin/skin_messages.h"
#include "skin/text.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32/skin_data.h"
#include "skin/win32/system_api.h"

namespace quillet::skin::win32 {

namespace {

constexpr char kOverlayClass[] = "QuilletScrollOverlay";

}  // namespace

// ---------------------------------------------------------------------------------------------
// The overlay window

TWScrollbar::TWScrollbar(TSkinScrollbar& owner, Kind kind, bool horizontal)
    : owner_(owner), kind_(kind), horizontal_(horizontal) {
  Create();
}

HWND TWScrollbar::Control() const { return owner_.Hwnd(); }

bool TWScrollbar::Create() {
  const HWND control = Control();
  if (!IsWindow(control)) return false;
  const HWND parent = GetAncestor(control, GA_PARENT);
  // A control on the desktop (a combo box's drop-down list) is covered by a window of its own.
  popup_ = !parent || parent == GetDesktopWindow();
  const DWORD style = popup_ ? WS_POPUP : WS_CHILD | WS_CLIPSIBLINGS;
  const DWORD ex = WS_EX_TOOLWINDOW | WS_EX_NOPARENTNOTIFY | (popup_ ? WS_EX_TOPMOST | WS_EX_NOACTIVATE : 0);
  return CreateOwnWindow(kOverlayClass, CS_DBLCLKS, ex, style, {}, popup_ ? nullptr : parent);
}

int TWScrollbar::Arrow() const { return SystemMetricAt(horizontal_ ? SM_CXHSCROLL : SM_CYVSCROLL, owner_.Dpi()); }

TWScrollbar::BarState TWScrollbar::Query() const {
  BarState b;
  const HWND c = Control();
  b.enabled = IsWindowEnabled(c) != FALSE;
  if (kind_ == kStandalone) {
    if (!GetWindowRect(c, &b.rect)) return b;
    b.shown = true;
    const int length = horizontal_ ? b.rect.right - b.rect.left : b.rect.bottom - b.rect.top;
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    if (GetScrollInfo(c, SB_CTL, &si))
      b.thumb = StandaloneThumb(length, Arrow(), si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos);
    return b;
  }
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  if (!Api().GetScrollBarInfo || !Api().GetScrollBarInfo(c, horizontal_ ? OBJID_HSCROLL : OBJID_VSCROLL, &sbi))
    return b;
  b.shown = !(sbi.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) && !IsRectEmpty(&sbi.rcScrollBar);
  b.rect = sbi.rcScrollBar;
  // A bar with nothing to scroll is drawn disabled, as the system draws it.
  if (sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE)
    b.enabled = false;
  else if (sbi.xyThumbBottom > sbi.xyThumbTop)
    b.thumb = {sbi.xyThumbTop, sbi.xyThumbBottom};
  return b;
}

int TWScrollbar::ZoneAt(int a, const BarState& b) const {
  const int length = horizontal_ ? placed_.right - placed_.left : placed_.bottom - placed_.top;
  return ScrollZoneAt(a, Arrow(), b.thumb.start, b.thumb.end, length);
}

TWScrollbar::Look TWScrollbar::LookOf(const BarState& b) const {
  Look l;
  l.width = placed_.right - placed_.left;
  l.height = placed_.bottom - placed_.top;
  l.zone = zone_;
  l.pressed = pressed_;
  l.enabled = b.enabled;
  l.thumb = b.thumb;
  if (pressed_ && zone_ == kZoneThumb) {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hwnd_, &p);
    ThumbDrag d = drag_;
    d.cursor = Along(p);
    l.thumb = DrawnThumb(b.thumb, true, d, Arrow(), horizontal_ ? l.width : l.height);
  }
  return l;
}

void TWScrollbar::Place() {
  if (!hwnd_ && !Create()) return;
  const HWND c = Control();
  if (!IsWindow(c) || !(GetWindowLongPtrA(c, GWL_STYLE) & WS_VISIBLE)) return Hide();
  const BarState b = Query();
  if (!b.shown) return Hide();
  RECT bar = b.rect;
  if (!popup_) {
    const HWND parent = GetAncestor(c, GA_PARENT);
    if (GetParent(hwnd_) != parent) SetParent(hwnd_, parent);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bar), 2);
  }
  // In front of the control, with nothing between but the control's other overlay.
  bool inFront = false;
  const TWScrollbar* other = owner_.Overlay(!horizontal_);
  for (HWND w = GetWindow(hwnd_, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == c) inFront = true;
    if (w == c || !other || w != other->Hwnd()) break;
  }
  const bool moved = !EqualRect(&bar, &placed_);
  if (visible_ && inFront && !moved && (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_VISIBLE)) return Show(b, false);
  UINT flags = SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW;
  if (inFront) flags |= SWP_NOZORDER;
  if (!moved) flags |= SWP_NOMOVE | SWP_NOSIZE;
  HWND after = GetWindow(c, GW_HWNDPREV);
  if (after == hwnd_) after = GetWindow(hwnd_, GW_HWNDPREV);
  placed_ = bar;
  visible_ = true;
  SetWindowPos(hwnd_, after ? after : HWND_TOP, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top, flags);
  Show(b, true);
}

void TWScrollbar::Hide() {
  if (hwnd_ && visible_) ShowWindow(hwnd_, SW_HIDE);
  visible_ = false;
  placed_ = {};
  shown_.reset();
}

void TWScrollbar::Enable(bool on) {
  if (hwnd_ && !IsWindowEnabled(hwnd_) == on) EnableWindow(hwnd_, on);
  Refresh();
}

void TWScrollbar::Refresh(bool force) {
  if (hwnd_ && visible_) Show(Query(), force);
}

void TWScrollbar::Show(const BarState& b, bool force) {
  const Look l = LookOf(b);
  if (!force && shown_ && *shown_ == l) return;
  if (const ui::gdi::ClientDC dc(hwnd_); dc) Paint(dc, l);
}

void TWScrollbar::Paint(HDC dc, const Look& l) {
  if (l.width <= 0 || l.height <= 0 || !canvas_.Resize(l.width, l.height)) return;
  ScrollOverlayInput in;
  in.width = l.width;
  in.height = l.height;
  in.horizontal = horizontal_;
  in.enabled = l.enabled;
  in.zone = l.zone;
  in.pressed = l.pressed;
  in.arrow = Arrow();
  in.thumb = l.thumb;
  DrawScrollOverlay(canvas_.View(), in, owner_.Elements());
  canvas_.CopyTo(dc, 0, 0, l.width, l.height, 0, 0);
  shown_ = l;
}

void TWScrollbar::TakeScrollCode(int code) {
  zone_ = ZoneAfterScrollCode(code, zone_, pressed_);
  Refresh();
}

void TWScrollbar::Press(POINT screen) {
  if (!hwnd_) return;
  POINT p = screen;
  ScreenToClient(hwnd_, &p);
  const BarState b = Query();
  drag_.savedCursor = Along(p);
  drag_.savedStart = b.thumb.start;
  zone_ = ZoneAt(drag_.savedCursor, b);
  pressed_ = true;
  Show(b, true);
}

void TWScrollbar::Release() {
  pressed_ = false;
  POINT p{};
  GetCursorPos(&p);
  zone_ = kZoneNone;
  HoverAt(p);
  // The system's tracking held the pointer; whatever leave was asked for before has been spent.
  tracking_leave_ = false;
  if (zone_ != kZoneNone) TrackLeave();
  Refresh();
}

void TWScrollbar::TrackLeave() {
  if (!tracking_leave_) tracking_leave_ = win32::TrackLeave(hwnd_);
}

void TWScrollbar::HoverAt(POINT screen) {
  if (!hwnd_ || !visible_ || pressed_) return;
  RECT wr{};
  GetWindowRect(hwnd_, &wr);
  int zone = kZoneNone;
  if (PtInRect(&wr, screen)) {
    ScreenToClient(hwnd_, &screen);
    zone = ZoneAt(Along(screen), Query());
  }
  if (zone == zone_) return;
  zone_ = zone;
  Refresh();
}

RECT TWScrollbar::BarInWindow() const {
  RECT r{}, cw{};
  if (!hwnd_ || !visible_ || !GetWindowRect(hwnd_, &r) || !GetWindowRect(Control(), &cw)) return {};
  OffsetRect(&r, -cw.left, -cw.top);
  return r;
}

void TWScrollbar::OnPress(LPARAM lp) {
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  ClientToScreen(hwnd_, &pt);
  Press(pt);
  const std::weak_ptr<int> alive = life_;
  const HWND c = Control();
  // The system tracks the press on its own bar until the button comes up.
  if (kind_ == kStandalone) {
    POINT cp = pt;
    ScreenToClient(c, &cp);
    SendMessageA(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cp.x, cp.y));
  } else {
    SendMessageA(c, WM_NCLBUTTONDOWN, horizontal_ ? HTHSCROLL : HTVSCROLL, MAKELPARAM(pt.x, pt.y));
  }
  if (alive.expired()) return;
  if (GetCapture() == hwnd_) ReleaseCapture();
  Release();
}

void TWScrollbar::OnMouseMove(int a) {
  TrackLeave();
  const int zone = ZoneAt(a, Query());
  if (zone == zone_) return;
  zone_ = zone;
  Refresh();
}

void TWScrollbar::WindowDestroyed() {
  visible_ = false;
  shown_.reset();
}

LRESULT TWScrollbar::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      if (const ui::gdi::PaintDC dc(hwnd_); dc) Paint(dc, LookOf(Query()));
      return 0;
    }
    case WM_MOUSEMOVE:
      OnMouseMove(Along({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}));
      return 0;
    case WM_MOUSELEAVE:
      LeaveCame(hwnd_);
      tracking_leave_ = false;
      if (!pressed_ && zone_ != kZoneNone) {
        zone_ = kZoneNone;
        Refresh();
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnPress(lp);
      return 0;
    case WM_LBUTTONUP: {
      pressed_ = false;
      if (GetCapture() == hwnd_) ReleaseCapture();
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ClientToScreen(hwnd_, &pt);
      const HWND c = Control();
      if (kind_ == kStandalone) {
        ScreenToClient(c, &pt);
        PostMessageA(c, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
      } else {
        PostMessageA(c, WM_NCLBUTTONUP, horizontal_ ? HTHSCROLL : HTVSCROLL, MAKELPARAM(pt.x, pt.y));
      }
      Refresh();
      return 0;
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      return SendMessageA(Control(), msg, wp, lp);
    case WM_MOUSEACTIVATE:
      // A dropped-down list closes when anything else becomes active.
      if (popup_) return MA_NOACTIVATE;
      break;
    default:
      if (msg == SKINMSG_QUERYSKIP) return 1;
      break;
  }
  return DefWindowProcA(hwnd_, msg, wp, lp);
}

// ---------------------------------------------------------------------------------------------
// The skin of a scrollable control

TSkinScrollbar::~TSkinScrollbar() = default;

TWScrollbar* TSkinScrollbar::Overlay(bool horizontal) const { return horizontal ? horz_.get() : vert_.get(); }

void TSkinScrollbar::Attached() {
  const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE), ex = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
  const std::string cls = control_ ? control_->ClassName() : WindowClassName(hwnd_);
  std::string borderStyle;
  if (control_) {
    if (const auto b = control_->GetProperty("BorderStyle")) borderStyle = b->AsText();
  } else {
    const bool edged = (ex & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) || (style & WS_BORDER);
    borderStyle = edged ? "bsSingle" : "bsNone";
  }
  border_ = ScrollBorderDrawn(borderStyle, cls, single_);

  if (control_) {
    if (const auto f = control_->GetProperty("FixedColor"); f && f->kind == ui::PropKind::Integer) {
      if (control_->SetProperty("FixedColor", std::to_string(ToolkitColor(data_->FaceColor()))))
        fixed_color_ = f->number;
    }
  }

  // The control's own drawing of its bars stays under the overlays.
  if (!(style & WS_CLIPSIBLINGS)) {
    SetWindowLongPtrA(hwnd_, GWL_STYLE, style | WS_CLIPSIBLINGS);
    clip_added_ = true;
  }

  if (single_) {
    const auto kind = control_ ? control_->GetProperty("Kind") : std::nullopt;
    const bool horizontal = kind ? StandaloneIsHorizontal(kind->AsText())
                                 : EqualNoCase(cls, "ScrollBar") && !(style & SBS_VERT);
    (horizontal ? horz_ : vert_) = std::make_unique<TWScrollbar>(*this, TWScrollbar::kStandalone, horizontal);
  } else {
    horz_ = std::make_unique<TWScrollbar>(*this, TWScrollbar::kHorizontal, true);
    vert_ = std::make_unique<TWScrollbar>(*this, TWScrollbar::kVertical, false);
  }
  for (TWScrollbar* o : {horz_.get(), vert_.get()})
    if (o) o->Enable(IsWindowEnabled(hwnd_));
  PlaceOverlays();

  // A list view's title row is a header control of its own.
  if (data_->SkinControls.Has(xcPanel)) {
    const HWND header = FindWindowExA(hwnd_, nullptr, WC_HEADERA, nullptr);
    if (header && !AnswersSkip(header))
      AttachPartSkin(*form_skin_, *data_, header, MakeControlSkin(SkinClass::TSkinHeader, SkinMode::Normal));
  }
  if (border_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinScrollbar::FreeOverlays() {
  horz_.reset();
  vert_.reset();
}

void TSkinScrollbar::Detach(bool windowGoing) {
  if (detached_) return;
  if (!windowGoing && fixed_color_ && control_alive_ && control_)
    control_->SetProperty("FixedColor", std::to_string(*fixed_color_));
  const bool dead = Dead();
  if (!windowGoing && !dead && clip_added_)
    SetWindowLongPtrA(hwnd_, GWL_STYLE, GetWindowLongPtrA(hwnd_, GWL_STYLE) & ~WS_CLIPSIBLINGS);
  TSkinControl::Detach(windowGoing);
  // Overlays whose parent stays would be left over nothing.
  FreeOverlays();
  if (!windowGoing && !dead && IsWindow(hwnd_)) RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinScrollbar::PlaceOverlays() {
  for (TWScrollbar* o : {horz_.get(), vert_.get()})
    if (o) o->Place();
}

void TSkinScrollbar::RefreshOverlays(bool force) {
  for (TWScrollbar* o : {horz_.get(), vert_.get()})
    if (o) o->Refresh(force);
}

TWScrollbar* TSkinScrollbar::OverlayAt(POINT screen) const {
  for (TWScrollbar* o : {horz_.get(), vert_.get()}) {
    RECT r{};
    if (o && o->Visible() && GetWindowRect(o->Hwnd(), &r) && PtInRect(&r, screen)) return o;
  }
  return nullptr;
}

void TSkinScrollbar::DrawBorder(HDC dc) const {
  RECT wr{};
  POINT origin{0, 0};
  if (!GetWindowRect(hwnd_, &wr) || !ClientToScreen(hwnd_, &origin)) return;
  // As much of the border as the control's own edge is wide: never over its client area.
  const int edge = origin.y - wr.top;
  RECT r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  if (edge >= 1) {
    const ui::gdi::Brush shadow(CreateSolidBrush(data_->Color(slot::ButtonShadow)));
    FrameRect(dc, &r, shadow.Get());
  }
  if (edge >= 2) {
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, data_->FaceBrush());
  }
}

void TSkinScrollbar::FillCorner(HDC dc) const {
  if (!horz_ || !vert_ || !horz_->Visible() || !vert_->Visible()) return;
  const RECT r = ToRECT(ScrollCorner(FromRECT(vert_->BarInWindow()), FromRECT(horz_->BarInWindow())));
  FillRect(dc, &r, data_->FaceBrush());
}

bool TSkinScrollbar::BeforeMessage(ui::Message& m) {
  if (Dead()) return TSkinControl::BeforeMessage(m);
  switch (m.msg) {
    case WM_NCPAINT: {
      PassOn(m);
      if (const ui::gdi::WholeWindowDC dc(hwnd_); dc) {
        if (border_) DrawBorder(dc);
        FillCorner(dc);
      }
      return false;
    }
    case SKINMSG_PAINTBORDER:
      if (m.lparam != kSkinnedMagic) break;
      if (m.wparam && border_) DrawBorder(reinterpret_cast<HDC>(m.wparam));
      m.result = kSkinnedMagic;
      return false;
    case ui::QM_DESTROYING:
      FreeOverlays();
      break;
    default:
      break;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinScrollbar::AfterMessage(ui::Message& m) {
  if (Dead()) return TSkinControl::AfterMessage(m);
  switch (m.msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      PlaceOverlays();
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      // lParam names a scroll-bar control when the message is about one of the control's children.
      if (m.lparam == 0)
        if (TWScrollbar* o = Overlay(m.msg == WM_HSCROLL)) o->TakeScrollCode(LOWORD(m.wparam));
      break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_KEYDOWN:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case SBM_SETSCROLLINFO:
      RefreshOverlays(false);
      break;
    case ui::QM_VISIBLECHANGED:
      if (m.wparam) {
        PlaceOverlays();
      } else {
        for (TWScrollbar* o : {horz_.get(), vert_.get()})
          if (o) o->Hide();
      }
      break;
    case WM_ENABLE:
    case ui::QM_ENABLEDCHANGED:
      for (TWScrollbar* o : {horz_.get(), vert_.get()})
        if (o) o->Enable(IsWindowEnabled(hwnd_));
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTEXT:
      // The control draws its own focus and text.
      break;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinScrollbar::Paint(HDC dc, const RECT&) {
  // A bar the control has gained since (items added) is covered here; one it lost is uncovered.
  PlaceOverlays();
  FillCorner(dc);
}

void TSkinScrollbar::Refresh() {
  if (Dead()) return;
  PlaceOverlays();
  RefreshOverlays(true);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// ---------------------------------------------------------------------------------------------
// A combo box's drop-down list

bool TComboxScrollBar::BeforeMessage(ui::Message& m) {
  if (!Dead() && (m.msg == WM_LBUTTONDOWN || m.msg == WM_LBUTTONDBLCLK)) {
    POINT pt{GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)};
    ClientToScreen(hwnd_, &pt);
    if (TWScrollbar* o = OverlayAt(pt)) {
      // The list hands the press to its bar itself and tracks it before this returns.
      o->Press(pt);
      const std::weak_ptr<int> alive = o->Life();
      PassOn(m);
      if (!alive.expired()) o->Release();
      return false;
    }
  }
  return TSkinScrollbar::BeforeMessage(m);
}

void TComboxScrollBar::AfterMessage(ui::Message& m) {
  if (!Dead() && m.msg == WM_MOUSEMOVE) {
    POINT pt{GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)};
    ClientToScreen(hwnd_, &pt);
    for (bool h : {true, false})
      if (TWScrollbar* o = Overlay(h)) o->HoverAt(pt);
  }
  TSkinScrollbar::AfterMessage(m);
}

}  // namespace quillet::skin::win32
