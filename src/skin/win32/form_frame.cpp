// The skinned frame of a window: its layout (computed once per size and style, and read by both
// painting and hit testing), the frame painted from the skin into the window DC, the window's
// region, the non-client messages that size and paint the frame, and a change of DPI.
#include <algorithm>
#include <iterator>
#include <optional>

#include "skin/nc_paint.h"
#include "skin/skin_messages.h"
#include "skin/win32/control_skin.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/menus.h"
#include "ui/gdi.h"

namespace quillet::skin::win32 {

bool TWinSkinForm::OnFrameMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& r) {
  switch (msg) {
    case WM_NCCALCSIZE:
      r = OnNcCalcSize(wp, lp);
      return true;
    case WM_NCHITTEST:
      r = OnNcHitTest(wp, lp);
      return true;
    case WM_NCPAINT: {
      const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
      // Without it the system draws no caption buttons of its own and reports none on hit tests.
      if (style & WS_SYSMENU) {
        SetWindowLongPtrA(hwnd_, GWL_STYLE, style & ~WS_SYSMENU);
        sysmenu_removed_ = true;
      }
      if (border_ == FrameBorder::NoCaption) {
        r = CallPrev(msg, wp, lp);
      } else {
        PaintFrame(nullptr);
        r = 0;
      }
      return true;
    }
    case WM_NCACTIVATE:
      SetActiveFlag(wp != 0);
      CallPrev(msg, wp, -1);
      RepaintFrame();
      r = TRUE;
      return true;
    default:
      return false;
  }
}

FrameState TWinSkinForm::CurrentFrameState() const {
  FrameState s;
  s.border = border_;
  s.kind = FrameKind::Plain;
  s.standardDialog = standard_dialog_;
  s.maximizeBox = max_box_;
  s.minimizeBox = min_box_;
  s.help = help_;
  s.sysMenu = sys_menu_;
  s.rtl = rtl_;
  s.popup = popup_;
  s.size = size_;
  s.active = active_;
  s.hasMenuBar = menu_bar_ != nullptr;
  return s;
}

std::wstring TWinSkinForm::WindowTextW() const {
  constexpr int kMaxCaption = 1000;  // characters of a caption the frame shows
  wchar_t buf[kMaxCaption + 1] = {};
  const int n = static_cast<int>(SendMessageW(hwnd_, WM_GETTEXT, std::size(buf), reinterpret_cast<LPARAM>(buf)));
  return std::wstring(buf, static_cast<std::size_t>(std::clamp(n, 0, kMaxCaption)));
}

const FrameLayout& TWinSkinForm::Layout() {
  RECT wr{};
  GetWindowRect(hwnd_, &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (layout_valid_ && w == layout_w_ && h == layout_h_) return layout_;
  FrameMeasures m;
  caption_text_ = L" " + WindowTextW();
  const SIZE text = TextExtent(data_->CaptionFont(dpi_), caption_text_, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
  m.textWidth = text.cx;
  m.textHeight = text.cy;
  m.smallIconW = SystemMetricAt(SM_CXSMICON, dpi_);
  m.smallIconH = SystemMetricAt(SM_CYSMICON, dpi_);
  m.askShown = [](void* ctx, int visibility, int action) {
    return SendMessageA(static_cast<TWinSkinForm*>(ctx)->hwnd_, SKINMSG_QUERYBUTTON, static_cast<WPARAM>(visibility),
                        action) > 0;
  };
  m.askContext = this;
  layout_ = LayoutFrame(Elements(), CurrentFrameState(), w, h, menu_bar_height_, m);
  layout_w_ = w;
  layout_h_ = h;
  layout_valid_ = true;
  return layout_;
}

void TWinSkinForm::RepaintFrame(HDC dc) {
  if (!full_ || frame_paint_off_) return;
  PaintFrame(dc);
}

void TWinSkinForm::PaintFrame(HDC given) {
  if (!Painting() || data_->NoSkinLoaded()) return;
  try {
    const FrameLayout& l = Layout();
    const int W = l.width, H = l.height;
    if (W <= 0 || H <= 0 || !canvas_.Resize(W, H)) return;
    const TSkinElements& e = Elements();
    const BorderSizes& b = l.borders;
    const bool minimized = size_ == SizeState::Minimized;
    BitmapView v = canvas_.View();
    const int bar_h = std::min(b.top, H);
    const BitmapView bar{v.pixels, W, bar_h, v.stride};
    if (minimized) {
      const Pixel face = PixelFromColorRef(e.FaceColor);
      for (int y = 0; y < bar_h; ++y) std::fill(bar.Row(y), bar.Row(y) + W, face);
    } else {
      PaintBorders(v, e, l, active_);
    }
    PaintCaptionBack(bar, e, l, active_);

    HDC mdc = canvas_.Dc();
    {
      const ui::gdi::Select font(mdc, FontOrDefault(data_->CaptionFont(dpi_)));
      SetBkMode(mdc, TRANSPARENT);
      SetTextColor(mdc, data_->Color(active_ ? slot::TitleTextActive : slot::TitleTextNoActive));
      RECT tr{l.text.rect.left, l.text.rect.top, l.text.rect.right, l.text.rect.bottom};
      UINT flags = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE;
      if (l.text.rtlReading) flags |= DT_RTLREADING | DT_RIGHT;
      if (tr.right > tr.left)
        DrawTextW(mdc, caption_text_.c_str(), static_cast<int>(caption_text_.size()), &tr, flags);
    }

    v = canvas_.View();
    PaintCaptionButtons(v, e, l, active_, hot_, pressed_ >= 0 && pressed_shown_ ? pressed_ : -1);
    for (const CaptionButtonPlace& p : l.buttons) {
      const TDataSkinSysButton& sb = e.CaptionButtons[static_cast<std::size_t>(p.index)];
      if (p.visible && p.icon && sb.Bitmap.Empty() && small_icon_)
        DrawIconEx(mdc, p.rect.left, p.rect.top, small_icon_, p.rect.Width(), p.rect.Height(), 0, nullptr, DI_NORMAL);
    }
    const RECT band{b.left, b.top, W - b.right, b.top + menu_bar_height_};
    if (!minimized && menu_bar_height_ > 0) {
      if (menu_bar_) {
        menu_bar_->Paint(mdc, band, active_);
      } else {
        FillRect(mdc, &band, data_->FaceBrush());
      }
    }

    std::optional<ui::gdi::WholeWindowDC> own;
    HDC dc = given ? given : own.emplace(hwnd_).Get();
    if (!dc) return;
    if (minimized) {
      canvas_.CopyTo(dc, 0, 0, W, H, 0, 0);
    } else {
      const int top = std::min(b.top + menu_bar_height_, H);
      canvas_.CopyTo(dc, 0, 0, W, top, 0, 0);
      canvas_.CopyTo(dc, 0, top, b.left, H - top, 0, top);
      canvas_.CopyTo(dc, W - b.right, top, b.right, H - top, W - b.right, top);
      canvas_.CopyTo(dc, b.left, H - b.bottom, W - b.left - b.right, b.bottom, b.left, H - b.bottom);
    }
  } catch (...) {
    // A frame that cannot be painted now is painted on the next occasion; the window works on.
  }
}

void TWinSkinForm::BuildRegion(bool force) {
  if (!full_ || Dead() || setting_region_) return;
  RECT wr{};
  GetWindowRect(hwnd_, &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (!force && w == region_w_ && h == region_h_) return;
  region_w_ = w;
  region_h_ = h;
  const std::vector<Rect> rects = FrameRegion(Elements(), Layout(), border_);
  std::vector<char> buf(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* rd = reinterpret_cast<RGNDATA*>(buf.data());
  rd->rdh.dwSize = sizeof(RGNDATAHEADER);
  rd->rdh.iType = RDH_RECTANGLES;
  rd->rdh.nCount = static_cast<DWORD>(rects.size());
  rd->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  rd->rdh.rcBound = {0, 0, w, h};
  auto* out = reinterpret_cast<RECT*>(rd->Buffer);
  for (std::size_t i = 0; i < rects.size(); ++i) out[i] = {rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
  ui::gdi::Region rgn(ExtCreateRegion(nullptr, static_cast<DWORD>(buf.size()), rd));
  if (!rgn) return;
  // Setting a region changes the frame, which comes back here through the size messages.
  setting_region_ = true;
  if (SetWindowRgn(hwnd_, rgn.Get(), TRUE)) rgn.Release();  // the window owns it now
  setting_region_ = false;
}

void TWinSkinForm::MakeSmallIcon() {
  constexpr UINT kIconQueryTimeoutMs = 500;  // a window that does not answer by then has no icon
  auto icon = [&](WPARAM which) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(hwnd_, WM_GETICON, which, 0, SMTO_ABORTIFHUNG, kIconQueryTimeoutMs, &r);
    return reinterpret_cast<HICON>(r);
  };
  small_icon_ = icon(ICON_SMALL);
  if (!small_icon_) small_icon_ = icon(ICON_BIG);
  if (!small_icon_) small_icon_ = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd_, GCLP_HICONSM));
  if (!small_icon_) small_icon_ = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd_, GCLP_HICON));
  if (!small_icon_ && data_) small_icon_ = data_->SmallIcon();
}

LRESULT TWinSkinForm::OnNcCalcSize(WPARAM wp, LPARAM lp) {
  if (!wp) {
    CallPrev(WM_NCCALCSIZE, wp, lp);
    return 0;
  }
  auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp);
  const RECT proposed = p->rgrc[0];
  CallPrev(WM_NCCALCSIZE, wp, lp);
  if (border_ == FrameBorder::NoCaption) {
    p->rgrc[1] = proposed;
    return WVR_VALIDRECTS;
  }
  const Rect c = ClientFromWindow({proposed.left, proposed.top, proposed.right, proposed.bottom}, borders_,
                                  menu_bar_height_);
  p->rgrc[0] = {c.left, c.top, c.right, c.bottom};
  p->rgrc[1] = p->rgrc[0];
  return WVR_VALIDRECTS;
}

// A move to a screen of another DPI: the frame, the menu bar and the control skins take the new
// scale.
LRESULT TWinSkinForm::OnDpiChanged(WPARAM wp, LPARAM lp) {
  const int dpi = LOWORD(wp);
  if (dpi <= 0 || dpi == dpi_ || state_ == kDestroying || state_ == kDead) return CallPrev(WM_DPICHANGED, wp, lp);
  dpi_ = dpi;
  borders_ = SkinBorders(Elements(), border_);
  if (menu_bar_) {
    menu_bar_->SetDpi(dpi_);
    menu_bar_height_ = SystemMetricAt(SM_CYMENU, dpi_);
  }
  InvalidateLayout();
  canvas_.Release();
  for (auto& c : controls_)
    if (!c->Dead()) c->SetDpi(dpi_);
  // The new frame is in place before the window's own handling sizes and lays it out.
  const bool full_frame = full_ && !child_ && attached_;
  if (full_frame)
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const LRESULT r = CallPrev(WM_DPICHANGED, wp, lp);
  if (full_frame) {
    BuildRegion(true);
    Repaint();
  }
  return r;
}

void TWinSkinForm::Repaint() {
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace quillet::skin::win32
