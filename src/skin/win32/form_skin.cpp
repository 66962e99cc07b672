#include "skin/win32/form_skin.h"

#include <windowsx.h>

#include <algorithm>
#include <unordered_map>

#include "skin/menu_layout.h"
#include "skin/nc_paint.h"
#include "skin/skin_messages.h"
#include "skin/win32/control_attach.h"
#include "skin/win32/control_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32/menus.h"
#include "ui/forms.h"

namespace quillet::skin::win32 {

namespace {

constexpr UINT_PTR kHoverTimer = 0x51E7;
constexpr int kHoverStep = 250;
constexpr int kHintHidePause = 2500;

// Windows whose skin object went while our procedure was still in place (someone subclassed the
// window after us, so it could not be taken out): their messages go on to the procedure we replaced.
struct Orphan {
  WNDPROC prev;
  bool unicode;
};
std::unordered_map<HWND, Orphan>& Orphans() {
  static std::unordered_map<HWND, Orphan> map;
  return map;
}

LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, bool unicode) {
  TSkinManage* m = TSkinManage::Instance();
  if (TWinSkinForm* f = m ? m->FindForm(hwnd) : nullptr) return f->WndProcEntry(msg, wp, lp);
  auto it = Orphans().find(hwnd);
  if (it != Orphans().end()) {
    const Orphan o = it->second;
    if (msg == WM_NCDESTROY) Orphans().erase(it);
    return o.unicode ? CallWindowProcW(o.prev, hwnd, msg, wp, lp) : CallWindowProcA(o.prev, hwnd, msg, wp, lp);
  }
  return unicode ? DefWindowProcW(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}


}  // namespace

LRESULT CALLBACK TWinSkinForm::ProcA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return Dispatch(hwnd, msg, wp, lp, false);
}

LRESULT CALLBACK TWinSkinForm::ProcW(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return Dispatch(hwnd, msg, wp, lp, true);
}

TWinSkinForm::TWinSkinForm(TSkinManage& manager, HWND hwnd, std::string className, ui::TWinControl* form)
    : manager_(manager), hwnd_(hwnd), class_name_(std::move(className)), form_(form) {}

TWinSkinForm::~TWinSkinForm() {
  if (!restored_ && state_ != kDead && IsWindow(hwnd_)) Restore();
}

// ---------------------------------------------------------------------------------------------
// Attaching and restoring

void TWinSkinForm::ReadStyles() {
  const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE), ex = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
  mdi_client_ = FindWindowExA(hwnd_, nullptr, "MDIClient", nullptr);
  kind_ = (ex & WS_EX_MDICHILD) ? FrameKind::MdiChild : mdi_client_ ? FrameKind::MdiFrame : FrameKind::Plain;
  standard_dialog_ = class_name_ == "#32770" || class_name_ == "TMessageForm";
  if ((style & WS_CAPTION) != WS_CAPTION)
    border_ = FrameBorder::NoCaption;
  else if ((ex & WS_EX_DLGMODALFRAME) || (style & DS_MODALFRAME) || standard_dialog_)
    border_ = FrameBorder::Dialog;
  else if (style & WS_THICKFRAME)
    border_ = FrameBorder::Sizeable;
  else
    border_ = FrameBorder::Single;
  max_box_ = style & WS_MAXIMIZEBOX;
  min_box_ = style & WS_MINIMIZEBOX;
  help_ = ex & WS_EX_CONTEXTHELP;
  sys_menu_ = (style & WS_SYSMENU) || GetSystemMenu(hwnd_, FALSE) != nullptr;
  rtl_ = ex & WS_EX_LEFTSCROLLBAR;
  child_ = style & WS_CHILD;
  popup_ = style & WS_POPUP;
  ReadSizeState();
}

void TWinSkinForm::ReadSizeState() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (!GetWindowPlacement(hwnd_, &wp)) return;
  const SizeState s = wp.showCmd == SW_SHOWMAXIMIZED ? SizeState::Maximized
                      : wp.showCmd == SW_SHOWMINIMIZED ? SizeState::Minimized
                                                        : SizeState::Normal;
  if (s != size_) {
    size_ = s;
    InvalidateLayout();
  }
}

void TWinSkinForm::Initialize(TSkinData* data) {
  data_ = data;
  ReadStyles();
  full_ = data_->SkinControls.Has(xcMainMenu);
  unicode_ = IsWindowUnicode(hwnd_);
  if (kind_ == FrameKind::MdiFrame && mdi_client_) {
    mdi_client_prev_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(mdi_client_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MdiClientProc)));
    SetPropA(mdi_client_, "QuilletSkinMdiParent", hwnd_);
  }
  prev_ = unicode_ ? reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcW)))
                   : reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcA)));
  if (form_) {
    // The toolkit's own notifications (a changed menu) travel only through its handler.
    saved_handler_ = form_->WindowProc();
    form_->SetWindowProc([this](ui::Message& m) { OnToolkitMessage(m); });
    handler_replaced_ = true;
  }
  // The native frame, before anything changes it: restoring gives it back around the same client.
  RECT wr{}, cr{};
  GetWindowRect(hwnd_, &wr);
  GetClientRect(hwnd_, &cr);
  native_dx_ = (wr.right - wr.left) - cr.right;
  native_dy_ = (wr.bottom - wr.top) - cr.bottom;
  keep_client_ = {cr.right, cr.bottom};
  if (full_ && kind_ != FrameKind::MdiChild) {
    HMENU menu = GetMenu(hwnd_);
    if (menu && IsMenu(menu)) {
      native_menu_ = menu;
      menu_bar_ = std::make_unique<TWinSkinMenu>(hwnd_, menu, data_);
      menu_bar_height_ = GetSystemMetrics(SM_CYMENU);
      // The system would draw its own bar over ours while tracking; the skinned bar stands in.
      SetMenu(hwnd_, nullptr);
    }
  }
  borders_ = SkinBorders(data_->Elements(), border_);
  if (kind_ == FrameKind::MdiChild) {
    // A child's caption no lower than the system's, so its menu merges where the system puts it.
    const int system = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
    if (borders_.top < system) menu_bar_height_ += system - borders_.top;
  }
  if (!full_ && data_->SkinControls.Has(xcMenuItem)) {
    // Only the items are the skin's: the main menu's drop-downs are drawn by it.
    if (form_) form_->SetProperty("AutoScroll", "False");
    if (HMENU menu = GetMenu(hwnd_)) MakeOwnerDrawn(menu, owner_drawn_);
  }
  if (form_) {
    saved_color_ = form_->GetColor();
    color_saved_ = true;
    form_->SetColor(ToolkitColor(data_->FaceColour()));
  }
}

void TWinSkinForm::OnAttach() {
  if (attached_) return;
  attached_ = true;
  GetSystemMenu(hwnd_, FALSE);
  MakeSmallIcon();
  AttachControlSkins(*this);
  if (state_ == kActive) return;
  if (full_) {
    if (kind_ == FrameKind::MdiChild) {
      if (size_ == SizeState::Maximized) {
        PostMessageA(GetParent(hwnd_), SKINMSG_MDIMAXIMIZED, reinterpret_cast<WPARAM>(hwnd_), 0);
      } else {
        state_ = kResizing;
        ResizeToSkin();
      }
    } else if (!child_ && border_ != FrameBorder::NoCaption && size_ != SizeState::Minimized) {
      state_ = kResizing;
      ResizeToSkin();
      BuildRegion(true);
    }
  }
  SendMessageA(hwnd_, SKINMSG_SKINNED, 0, kSkinnedMagic);
  if (form_ && data_->OnAfterSkinForm) data_->OnAfterSkinForm(form_, hwnd_, class_name_);
  state_ = kActive;
  SetActiveFlag(GetActiveWindow() == hwnd_);
  if (active_) StartHoverTimer();
  InvalidateLayout();
  if (full_) RepaintFrame();
}

void TWinSkinForm::ResizeToSkin() {
  ReadSizeState();
  if (size_ == SizeState::Maximized) {
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  RECT cr{};
  GetClientRect(hwnd_, &cr);
  if (keep_client_.cx > 0) {
    // The first resize keeps the client area the window had before it was skinned.
    cr.right = keep_client_.cx;
    cr.bottom = keep_client_.cy;
    keep_client_ = {};
  }
  int w = 0, h = 0;
  WindowSizeForClient(cr.right, cr.bottom, borders_, menu_bar_height_, w, h);
  if (standard_dialog_) {
    // A message box whose caption is wider than its buttons and text grows to show it.
    const SIZE text = TextExtent(data_->CaptionFont(), L" " + WindowTextW(), DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
    const int needed = DialogWidthForCaption(data_->Elements(), text.cx, w);
    if (needed > w) {
      const int dx = (needed - w) / 2;
      for (HWND c = GetWindow(hwnd_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(c, nullptr, r.left + dx, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      w = needed;
    }
  }
  SetWindowPos(hwnd_, nullptr, 0, 0, w, h, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinSkinForm::Restore() {
  if (restored_) return;
  restored_ = true;
  const bool going = state_ == kDestroying || state_ == kDead || !IsWindow(hwnd_);
  // The client size as skinned: the native frame goes back around it.
  RECT client{};
  if (!going) GetClientRect(hwnd_, &client);
  StopHoverTimer();
  if (data_) data_->HideHint();
  if (handler_replaced_ && form_ && (!going || ToolkitControlOf(hwnd_) == form_)) form_->SetWindowProc(saved_handler_);
  handler_replaced_ = false;
  if (!going && prev_) {
    const LONG_PTR ours = reinterpret_cast<LONG_PTR>(unicode_ ? ProcW : ProcA);
    if (GetWindowLongPtrA(hwnd_, GWLP_WNDPROC) == ours || GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == ours) {
      if (unicode_)
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev_));
      else
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev_));
    } else {
      Orphans()[hwnd_] = {prev_, unicode_};
    }
  }
  for (auto& c : controls_)
    if (!c->Dead()) c->Detach(going);
  controls_.clear();
  if (!going && form_ && color_saved_) form_->SetColor(saved_color_);
  if (!going && sysmenu_removed_) {
    SetWindowLongPtrA(hwnd_, GWL_STYLE, GetWindowLongPtrA(hwnd_, GWL_STYLE) | WS_SYSMENU);
    sysmenu_removed_ = false;
  }
  if (!going && native_menu_ && IsMenu(native_menu_)) SetMenu(hwnd_, native_menu_);
  menu_bar_.reset();
  UndoOwnerDrawn(owner_drawn_);
  if (mdi_client_ && mdi_client_prev_ && IsWindow(mdi_client_)) {
    SetWindowLongPtrA(mdi_client_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mdi_client_prev_));
    RemovePropA(mdi_client_, "QuilletSkinMdiParent");
  }
  if (!going && !child_ && full_ && attached_) {
    if (size_ == SizeState::Maximized || size_ == SizeState::Minimized)
      SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    else
      SetWindowPos(hwnd_, nullptr, 0, 0, client.right + native_dx_, client.bottom + native_dy_,
                   SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
  }
  // The system owns and deletes the region it was given; only the window's use of it ends here.
  if (!going) SetWindowRgn(hwnd_, nullptr, TRUE);
}

void TWinSkinForm::MakeSmallIcon() {
  auto icon = [&](WPARAM which) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(hwnd_, WM_GETICON, which, 0, SMTO_ABORTIFHUNG, 500, &r);
    return reinterpret_cast<HICON>(r);
  };
  small_icon_ = icon(ICON_SMALL);
  if (!small_icon_) small_icon_ = icon(ICON_BIG);
  if (!small_icon_) small_icon_ = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd_, GCLP_HICONSM));
  if (!small_icon_) small_icon_ = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd_, GCLP_HICON));
  if (!small_icon_ && data_) small_icon_ = data_->SmallIcon();
}

void TWinSkinForm::ReleaseCaptionButtons() {
  InvalidateLayout();
  canvas_.Release();
}

void TWinSkinForm::ReloadSkinData() {
  const State before = state_;
  state_ = kRefreshing;
  borders_ = SkinBorders(data_->Elements(), border_);
  if (form_) form_->SetColor(ToolkitColor(data_->FaceColour()));
  for (auto& c : controls_)
    if (!c->Dead()) c->Refresh();
  if (full_ && !child_ && size_ != SizeState::Minimized) ResizeToSkin();
  BuildRegion(true);
  state_ = before == kRefreshing ? kActive : before;
}

void TWinSkinForm::Repaint() {
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------------------------
// Control skins

TSkinControl* TWinSkinForm::FindControlSkin(HWND hwnd) const {
  for (const auto& c : controls_)
    if (c->Hwnd() == hwnd) return c.get();
  return nullptr;
}

void TWinSkinForm::AddControlSkin(std::unique_ptr<TSkinControl> skin) {
  if (skin && !FindControlSkin(skin->Hwnd())) controls_.push_back(std::move(skin));
}

void TWinSkinForm::ReplaceControlSkin(HWND control) {
  // A toolkit control that made its window again still has the skin of its old window in its
  // message handler; that skin goes too, or it would answer for the new window.
  ui::TWinControl* owner = ToolkitControlOf(control);
  controls_.erase(std::remove_if(controls_.begin(), controls_.end(),
                                 [&](const auto& c) {
                                   return c->Hwnd() == control || (owner && c->WindowGone() && c->Control() == owner);
                                 }),
                  controls_.end());
  AttachChildWindow(*this, control);
}


// ---------------------------------------------------------------------------------------------
// Layout and painting

FrameState TWinSkinForm::CurrentFrameState() const {
  FrameState s;
  s.border = border_;
  s.kind = kind_;
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
  if (kind_ == FrameKind::MdiFrame && mdi_client_) {
    BOOL maximized = FALSE;
    SendMessageA(mdi_client_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    s.mdiChildMaximized = maximized;
  }
  return s;
}

std::wstring TWinSkinForm::WindowTextW() const {
  wchar_t buf[1001] = {};
  const int n = static_cast<int>(SendMessageW(hwnd_, WM_GETTEXT, 1001, reinterpret_cast<LPARAM>(buf)));
  return std::wstring(buf, static_cast<std::size_t>(std::clamp(n, 0, 1000)));
}

const FrameLayout& TWinSkinForm::Layout() {
  RECT wr{};
  GetWindowRect(hwnd_, &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (layout_valid_ && w == layout_w_ && h == layout_h_) return layout_;
  FrameMeasures m;
  caption_text_ = L" " + WindowTextW();
  const SIZE text = TextExtent(data_->CaptionFont(), caption_text_, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
  m.textWidth = text.cx;
  m.textHeight = text.cy;
  m.smallIconW = GetSystemMetrics(SM_CXSMICON);
  m.smallIconH = GetSystemMetrics(SM_CYSMICON);
  m.askShown = [](void* ctx, int visibility, int action) {
    return SendMessageA(static_cast<TWinSkinForm*>(ctx)->hwnd_, SKINMSG_QUERYBUTTON, static_cast<WPARAM>(visibility),
                        action) > 0;
  };
  m.askContext = this;
  layout_ = LayoutFrame(data_->Elements(), CurrentFrameState(), w, h, menu_bar_height_, m);
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
    const TSkinElements& e = data_->Elements();
    const BorderSizes& b = l.borders;
    const bool minimized = size_ == SizeState::Minimized;
    BitmapView v = canvas_.View();
    const int bar_h = std::min(b.top, H);
    const BitmapView bar{v.pixels, W, bar_h, v.stride};
    if (minimized) {
      const Pixel face = PixelFromColorRef(e.FaceColour);
      for (int y = 0; y < bar_h; ++y) std::fill(bar.Row(y), bar.Row(y) + W, face);
    } else {
      PaintBorders(v, e, l, active_);
    }
    PaintCaptionBack(bar, e, l, active_);

    HDC mdc = canvas_.Dc();
    HGDIOBJ old_font = SelectObject(mdc, data_->CaptionFont() ? data_->CaptionFont() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(mdc, TRANSPARENT);
    SetTextColor(mdc, data_->Colour(active_ ? slot::TitleTextActive : slot::TitleTextNoActive));
    RECT tr{l.text.rect.left, l.text.rect.top, l.text.rect.right, l.text.rect.bottom};
    UINT flags = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE;
    if (l.text.rtlReading) flags |= DT_RTLREADING | DT_RIGHT;
    if (tr.right > tr.left)
      DrawTextW(mdc, caption_text_.c_str(), static_cast<int>(caption_text_.size()), &tr, flags);
    SelectObject(mdc, old_font);

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

    HDC dc = given ? given : GetWindowDC(hwnd_);
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
    if (!given) ReleaseDC(hwnd_, dc);
  } catch (...) {
    // A frame that cannot be painted now is painted on the next occasion; the window works on.
  }
}

void TWinSkinForm::BuildRegion(bool force) {
  if (!full_ || Dead() || (kind_ == FrameKind::MdiChild && size_ == SizeState::Maximized) || setting_region_) return;
  RECT wr{};
  GetWindowRect(hwnd_, &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (!force && w == region_w_ && h == region_h_) return;
  region_w_ = w;
  region_h_ = h;
  const std::vector<Rect> rects = FrameRegion(data_->Elements(), Layout(), border_);
  std::vector<char> buf(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* rd = reinterpret_cast<RGNDATA*>(buf.data());
  rd->rdh.dwSize = sizeof(RGNDATAHEADER);
  rd->rdh.iType = RDH_RECTANGLES;
  rd->rdh.nCount = static_cast<DWORD>(rects.size());
  rd->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  rd->rdh.rcBound = {0, 0, w, h};
  auto* out = reinterpret_cast<RECT*>(rd->Buffer);
  for (std::size_t i = 0; i < rects.size(); ++i) out[i] = {rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
  HRGN rgn = ExtCreateRegion(nullptr, static_cast<DWORD>(buf.size()), rd);
  if (!rgn) return;
  // Setting a region changes the frame, which comes back here through the size messages.
  setting_region_ = true;
  if (!SetWindowRgn(hwnd_, rgn, TRUE)) DeleteObject(rgn);
  setting_region_ = false;
}

// ---------------------------------------------------------------------------------------------
// The window procedure

LRESULT TWinSkinForm::CallPrev(UINT msg, WPARAM wp, LPARAM lp) {
  if (!prev_) return unicode_ ? DefWindowProcW(hwnd_, msg, wp, lp) : DefWindowProcA(hwnd_, msg, wp, lp);
  return unicode_ ? CallWindowProcW(prev_, hwnd_, msg, wp, lp) : CallWindowProcA(prev_, hwnd_, msg, wp, lp);
}

LRESULT TWinSkinForm::CallPrevHidden(UINT msg, WPARAM wp, LPARAM lp) {
  // The default handling of these repaints the system's caption straight onto the window; a window
  // that is not visible for that moment keeps the skinned one.
  const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
  const bool visible = style & WS_VISIBLE;
  if (visible && full_ && Painting()) SetWindowLongPtrA(hwnd_, GWL_STYLE, style & ~WS_VISIBLE);
  const LRESULT r = CallPrev(msg, wp, lp);
  if (visible && full_ && Painting())
    SetWindowLongPtrA(hwnd_, GWL_STYLE, GetWindowLongPtrA(hwnd_, GWL_STYLE) | WS_VISIBLE);
  return r;
}

void TWinSkinForm::OnToolkitMessage(ui::Message& m) {
  if (m.msg == ui::QM_MENUCHANGED && full_ && kind_ != FrameKind::MdiChild) {
    frame_paint_off_ = true;
    saved_handler_(m);
    frame_paint_off_ = false;
    HMENU menu = GetMenu(hwnd_);
    if (menu && IsMenu(menu)) {
      if (data_->MenuUpdate) {
        menu_bar_ = std::make_unique<TWinSkinMenu>(hwnd_, menu, data_);
        native_menu_ = menu;
        menu_bar_height_ = GetSystemMetrics(SM_CYMENU);
      }
      SetMenu(hwnd_, nullptr);
      InvalidateLayout();
      SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      RepaintFrame();
    }
    return;
  }
  saved_handler_(m);
}

LRESULT TWinSkinForm::WndProcEntry(UINT msg, WPARAM wp, LPARAM lp) {
  try {
    return WndProc(msg, wp, lp);
  } catch (...) {
    return CallPrev(msg, wp, lp);
  }
}

LRESULT TWinSkinForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCPAINT && state_ == kAttached) return 0;

  switch (msg) {
    case WM_ERASEBKGND: {
      const LRESULT r = CallPrev(msg, wp, lp);
      if (!Foreign() || !wp) return r;
      RECT cr{};
      GetClientRect(hwnd_, &cr);
      FillRect(reinterpret_cast<HDC>(wp), &cr, data_->FaceBrush());
      return 1;
    }
    case WM_NCDESTROY: {
      state_ = kDestroying;
      Restore();
      const WNDPROC prev = prev_;
      const bool unicode = unicode_;
      const HWND h = hwnd_;
      state_ = kDead;
      manager_.Forget(this);
      return unicode ? CallWindowProcW(prev, h, msg, wp, lp) : CallWindowProcA(prev, h, msg, wp, lp);
    }
    case WM_NCACTIVATE:
      if (state_ == kAttached && kind_ != FrameKind::MdiChild) {
        // Not painted yet: let the system keep its bookkeeping without drawing its caption.
        CallPrev(msg, wp, -1);
        return TRUE;
      }
      break;
    case WM_NCUAHDRAWCAPTION_:
      return 0;
    case WM_INITMENUPOPUP:
      manager_.SetMenuMode(HIWORD(lp) ? MenuMode::SystemMenu : MenuMode::MenuBar);
      return CallPrev(msg, wp, lp);
    case WM_CTLCOLORBTN: {
      const LRESULT r = CallPrev(msg, wp, lp);
      if (Foreign()) SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      return r;
    }
    case WM_CTLCOLORSTATIC: {
      const LRESULT r = CallPrev(msg, wp, lp);
      if (!Foreign()) return r;
      SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      return reinterpret_cast<LRESULT>(data_->FaceBrush());
    }
    case SKINMSG_ATTACH:
      if (lp == kAttachMagic) {
        OnAttach();
        return 0;
      }
      break;
    case SKINMSG_QUERYSKIP:
      PostMessageA(hwnd_, SKINMSG_SKINNED, 0, kSkinnedMagic);
      return 1;
    case SKINMSG_REPAINTFRAME:
      RepaintFrame();
      return 0;
    case SKINMSG_RESKINSCROLL:
      ReplaceControlSkin(reinterpret_cast<HWND>(wp));
      return 0;
    case SKINMSG_CHILDCREATED:
      if (attached_) AttachChildWindow(*this, reinterpret_cast<HWND>(wp));
      return 0;
    case WM_TIMER:
      if (wp == kHoverTimer) {
        OnHoverTimer();
        return 0;
      }
      break;
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (wp == 0 && mis && mis->CtlType == ODT_MENU && state_ != kAttached && MeasureMenuItem(mis)) return TRUE;
      break;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (wp == 0 && dis && dis->CtlType == ODT_MENU && state_ != kAttached && DrawMenuItem(dis)) return TRUE;
      break;
    }
    default:
      break;
  }
  if (!full_) return CallPrev(msg, wp, lp);

  if (kind_ == FrameKind::MdiChild || !child_) {
    switch (msg) {
      case WM_SIZE: {
        size_ = wp == SIZE_MINIMIZED ? SizeState::Minimized : wp == SIZE_MAXIMIZED ? SizeState::Maximized : SizeState::Normal;
        InvalidateLayout();
        if (size_ != SizeState::Minimized && state_ == kActive) BuildRegion(false);
        break;
      }
      case WM_ACTIVATE:
        if (Painting()) SetActiveFlag(LOWORD(wp) != WA_INACTIVE);
        break;
      case WM_GETMINMAXINFO:
      case WM_WINDOWPOSCHANGED: {
        const LRESULT r = CallPrev(msg, wp, lp);
        ReadSizeState();
        return r;
      }
      case WM_SETICON: {
        const LRESULT r = CallPrevHidden(msg, wp, lp);
        MakeSmallIcon();
        RepaintFrame();
        return r;
      }
      case WM_SETTEXT: {
        const LRESULT r = CallPrevHidden(msg, wp, lp);
        InvalidateLayout();
        RepaintFrame();
        return r;
      }
      case WM_COMMAND:
        // Items of the skinned system menu arrive as commands; they act as the system's.
        if (lp == 0 && HIWORD(wp) == 0 && IsSystemCommand(LOWORD(wp))) {
          PostMessageA(hwnd_, WM_SYSCOMMAND, LOWORD(wp), 0);
          return 0;
        }
        break;
      case WM_SYSCOMMAND:
        if (OnSysCommand(wp, lp)) return 1;
        break;
      default:
        break;
    }
  }

  if (Painting() && !(kind_ == FrameKind::MdiChild && size_ == SizeState::Maximized)) {
    switch (msg) {
      case WM_NCCALCSIZE:
        return OnNcCalcSize(wp, lp);
      case WM_NCHITTEST:
        return OnNcHitTest(wp, lp);
      case WM_NCPAINT: {
        const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
        // Without it the system draws no caption buttons of its own and reports none on hit tests.
        if (style & WS_SYSMENU) {
          SetWindowLongPtrA(hwnd_, GWL_STYLE, style & ~WS_SYSMENU);
          sysmenu_removed_ = true;
        }
        if (border_ == FrameBorder::NoCaption) return CallPrev(msg, wp, lp);
        PaintFrame(nullptr);
        return 0;
      }
      case WM_NCACTIVATE: {
        SetActiveFlag(wp != 0);
        if (kind_ == FrameKind::MdiFrame && mdi_client_) SendMessageA(mdi_client_, msg, wp, lp);
        CallPrev(msg, wp, kind_ == FrameKind::MdiChild ? lp : -1);
        RepaintFrame();
        return TRUE;
      }
      case WM_NCMOUSEMOVE:
        if (OnNcMouseMove(lp)) return 0;
        break;
      case WM_NCLBUTTONDOWN:
        if (OnNcLButtonDown(wp, lp)) return 0;
        return CallPrev(msg, wp, lp);
      case WM_NCLBUTTONUP:
        if (OnNcLButtonUp(lp)) return 0;
        break;
      case WM_NCLBUTTONDBLCLK:
        if (OnNcLButtonDblClk(wp, lp)) return 0;
        break;
      case WM_NCRBUTTONDOWN:
        if (wp == HTCAPTION && kind_ != FrameKind::MdiChild) {
          ShowSystemMenu(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
          return 0;
        }
        break;
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP:
        if (pressed_ >= 0 && GetCapture() == hwnd_) {
          POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
          ClientToScreen(hwnd_, &pt);
          const LPARAM screen = MAKELPARAM(pt.x, pt.y);
          if (msg == WM_LBUTTONUP) {
            OnNcLButtonUp(screen);
          } else {
            const POINT w = ToWindow(screen);
            const bool over = ButtonAt(Layout(), w.x, w.y) == pressed_;
            if (over != pressed_shown_) {
              pressed_shown_ = over;
              RepaintFrame();
            }
          }
          return 0;
        }
        break;
      case WM_CAPTURECHANGED:
        if (pressed_ >= 0 && reinterpret_cast<HWND>(lp) != hwnd_) {
          pressed_ = -1;
          RepaintFrame();
        }
        break;
      case WM_MENUCHAR: {
        const LRESULT r = SkinMenuChar(reinterpret_cast<HMENU>(lp), static_cast<wchar_t>(LOWORD(wp)));
        if (r != -1) return r;
        break;
      }
      default:
        break;
    }
  }
  return CallPrev(msg, wp, lp);
}

LRESULT TWinSkinForm::OnNcCalcSize(WPARAM wp, LPARAM lp) {
  if (!wp) {
    CallPrev(WM_NCCALCSIZE, wp, lp);
    return 0;
  }
  auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp);
  const RECT proposed = p->rgrc[0];
  CallPrev(WM_NCCALCSIZE, wp, lp);
  if ((kind_ == FrameKind::MdiChild && size_ != SizeState::Normal) || border_ == FrameBorder::NoCaption) {
    p->rgrc[1] = proposed;
    return WVR_VALIDRECTS;
  }
  const Rect c = ClientFromWindow({proposed.left, proposed.top, proposed.right, proposed.bottom}, borders_,
                                  menu_bar_height_);
  p->rgrc[0] = {c.left, c.top, c.right, c.bottom};
  p->rgrc[1] = p->rgrc[0];
  return WVR_VALIDRECTS;
}

LRESULT TWinSkinForm::OnNcHitTest(WPARAM wp, LPARAM lp) {
  LRESULT r = CallPrev(WM_NCHITTEST, wp, lp);
  // The system's own caption buttons are not shown; their places are caption like the rest.
  if (r == HTSYSMENU || r == HTMINBUTTON || r == HTMAXBUTTON || r == HTCLOSE || r == HTHELP) r = HTCAPTION;
  if (r != HTNOWHERE && r != HTCAPTION) return r;
  const POINT pt = ToWindow(lp);
  return FrameHitTest(Layout(), static_cast<int>(r), pt.x, pt.y);
}

POINT TWinSkinForm::ToWindow(LPARAM screen) const {
  RECT wr{};
  GetWindowRect(hwnd_, &wr);
  return {GET_X_LPARAM(screen) - wr.left, GET_Y_LPARAM(screen) - wr.top};
}

RECT TWinSkinForm::MenuBand() const {
  return {borders_.left, borders_.top, layout_w_ - borders_.right, borders_.top + menu_bar_height_};
}

void TWinSkinForm::SetHot(int index) {
  if (index == hot_) return;
  hot_ = index;
  hover_ms_ = 0;
  if (data_) data_->HideHint();
  RepaintFrame();
}

bool TWinSkinForm::OnNcMouseMove(LPARAM lp) {
  if (state_ != kActive) return false;
  const POINT pt = ToWindow(lp);
  const FrameLayout& l = Layout();
  if (menu_bar_) {
    const int item = menu_bar_->ItemAt(MenuBand(), pt.x, pt.y);
    if (menu_bar_->SetHot(item)) RepaintFrame();
    if (item >= 0) {
      SetHot(-1);
      return true;
    }
  }
  const int b = ButtonAt(l, pt.x, pt.y);
  SetHot(b);
  return b >= 0;
}

bool TWinSkinForm::OnNcLButtonDown(WPARAM& wp, LPARAM lp) {
  data_->HideHint();
  const POINT pt = ToWindow(lp);
  if (menu_bar_) {
    const int item = menu_bar_->ItemAt(MenuBand(), pt.x, pt.y);
    if (item >= 0) {
      if (!active_) SetForegroundWindow(hwnd_);
      menu_bar_->Press(item, *this);
      return true;
    }
  }
  const int b = ButtonAt(Layout(), pt.x, pt.y);
  if (b >= 0) {
    if (!active_) SetForegroundWindow(hwnd_);
    pressed_ = b;
    pressed_shown_ = true;
    hot_ = b;
    SetCapture(hwnd_);
    RepaintFrame();
    return true;
  }
  if (size_ == SizeState::Maximized && active_ && wp == HTCAPTION) wp = HTMENU;
  return false;
}

bool TWinSkinForm::OnNcLButtonUp(LPARAM lp) {
  data_->HideHint();
  if (pressed_ < 0) return false;
  const POINT pt = ToWindow(lp);
  const int pressed = pressed_;
  pressed_ = -1;
  if (GetCapture() == hwnd_) ReleaseCapture();
  const int b = ButtonAt(Layout(), pt.x, pt.y);
  hot_ = b;
  RepaintFrame();
  if (b == pressed) PerformAction(pressed, pt);
  return true;
}

bool TWinSkinForm::OnNcLButtonDblClk(WPARAM wp, LPARAM lp) {
  const POINT pt = ToWindow(lp);
  const FrameLayout& l = Layout();
  const int b = ButtonAt(l, pt.x, pt.y);
  if (b >= 0) {
    if (l.buttons[static_cast<std::size_t>(b)].icon) {
      StopHoverTimer();
      PostMessageA(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    }
    // The second press of a quick double click on a caption button is a press like the first.
    WPARAM hit = wp;
    return OnNcLButtonDown(hit, lp);
  }
  if (wp != HTCAPTION) return false;
  if (size_ == SizeState::Maximized) {
    PostMessageA(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
    return true;
  }
  if (max_box_) {
    PostMessageA(hwnd_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    return true;
  }
  return false;
}

void TWinSkinForm::PerformAction(int index, POINT windowPt) {
  const FrameLayout& l = Layout();
  const CaptionButtonPlace p = l.buttons[static_cast<std::size_t>(index)];
  const int action = data_->Elements().CaptionButtons[static_cast<std::size_t>(p.index)].Action;
  switch (ActionOf(action)) {
    case CaptionAction::Close: {
      HMENU sys = GetSystemMenu(hwnd_, FALSE);
      if (sys && GetMenuState(sys, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
        StopHoverTimer();
        PostMessageA(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      break;
    }
    case CaptionAction::MaximizeOrRestore:
      if (!p.enabled) break;
      if (size_ == SizeState::Maximized) {
        size_ = SizeState::Normal;
        PostMessageA(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
      } else {
        size_ = SizeState::Maximized;
        PostMessageA(hwnd_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      }
      InvalidateLayout();
      break;
    case CaptionAction::MinimizeOrRestore:
      if (!p.enabled) break;
      if (size_ == SizeState::Minimized) {
        PostMessageA(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
      } else {
        if (sysmenu_removed_) SetWindowLongPtrA(hwnd_, GWL_STYLE, GetWindowLongPtrA(hwnd_, GWL_STYLE) | WS_SYSMENU);
        PostMessageA(hwnd_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      }
      break;
    case CaptionAction::SystemMenu: {
      RECT wr{};
      GetWindowRect(hwnd_, &wr);
      ShowSystemMenu(wr.left + windowPt.x + 1, wr.top + windowPt.y + 1);
      break;
    }
    case CaptionAction::ContextHelp:
      PostMessageA(hwnd_, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
      break;
    case CaptionAction::MdiMinimize:
    case CaptionAction::MdiRestore:
    case CaptionAction::MdiClose: {
      HWND child = mdi_client_ ? reinterpret_cast<HWND>(SendMessageA(mdi_client_, WM_MDIGETACTIVE, 0, 0)) : nullptr;
      const WPARAM cmd = ActionOf(action) == CaptionAction::MdiMinimize ? SC_MINIMIZE
                         : ActionOf(action) == CaptionAction::MdiRestore ? SC_RESTORE
                                                                         : SC_CLOSE;
      if (child) SendMessageA(child, WM_SYSCOMMAND, cmd, 0);
      break;
    }
    default:
      PostMessageA(hwnd_, SKINMSG_CAPTIONACTION, static_cast<WPARAM>(action), 0);
      break;
  }
}

bool TWinSkinForm::OnSysCommand(WPARAM wp, LPARAM lp) {
  if (manager_.Tracking()) return false;
  const UINT cmd = static_cast<UINT>(wp & 0xFFF0);
  if (cmd == SC_KEYMENU) {
    if (lp == ' ') {
      POINT origin{0, 0};
      ClientToScreen(hwnd_, &origin);
      ShowSystemMenu(origin.x, origin.y);
      return true;
    }
    if (lp != '-' && !GetCapture() && menu_bar_ && menu_bar_->Count() > 0) {
      const int item = lp ? menu_bar_->ItemForAccelerator(static_cast<wchar_t>(lp)) : 0;
      if (item >= 0) {
        menu_bar_->Press(item, *this);
        return true;
      }
    }
    return false;
  }
  if (cmd == SC_MINIMIZE) size_ = SizeState::Minimized;
  if (cmd == SC_MAXIMIZE) size_ = SizeState::Maximized;
  if (cmd == SC_RESTORE) size_ = SizeState::Normal;
  InvalidateLayout();
  return false;
}

// ---------------------------------------------------------------------------------------------
// Hover and hints

void TWinSkinForm::StartHoverTimer() {
  if (timer_on_ || !IsWindow(hwnd_)) return;
  timer_on_ = SetTimer(hwnd_, kHoverTimer, kHoverStep, nullptr) != 0;
}

void TWinSkinForm::StopHoverTimer() {
  if (timer_on_ && IsWindow(hwnd_)) KillTimer(hwnd_, kHoverTimer);
  timer_on_ = false;
}

void TWinSkinForm::SetActiveFlag(bool active) {
  if (active == active_) return;
  active_ = active;
  InvalidateLayout();
  if (active_) {
    StartHoverTimer();
  } else {
    StopHoverTimer();
    hot_ = -1;
    if (menu_bar_) menu_bar_->SetHot(-1);
    if (data_) data_->HideHint();
    LeaveHotControls(*this);
  }
}

void TWinSkinForm::OnHoverTimer() {
  if (manager_.Tracking() || in_sysmenu_ || state_ != kActive) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  RECT wr{};
  GetWindowRect(hwnd_, &wr);
  const int x = cursor.x - wr.left, y = cursor.y - wr.top;
  if (menu_bar_ && menu_bar_->Hot() >= 0 && menu_bar_->ItemAt(MenuBand(), x, y) != menu_bar_->Hot()) {
    menu_bar_->SetHot(-1);
    RepaintFrame();
  }
  if (hot_ < 0) return;
  const FrameLayout& l = Layout();
  if (ButtonAt(l, x, y) != hot_) {
    SetHot(-1);
    return;
  }
  hover_ms_ += kHoverStep;
  if (!data_->Options.Has(xoCaptionButtonHint)) return;
  const int pause = ui::Application().HintPause();
  if (hover_ms_ >= 2 * pause && hover_ms_ < 2 * pause + kHintHidePause) {
    if (!data_->HintShown()) {
      const CaptionButtonPlace& p = l.buttons[static_cast<std::size_t>(hot_)];
      const std::string hint = CaptionButtonHint(data_->Elements().CaptionButtons[static_cast<std::size_t>(p.index)].Action);
      if (!hint.empty()) data_->ShowHint(hint, wr.left + p.rect.left, cursor.y + 24);
    }
  } else if (hover_ms_ >= 2 * pause + kHintHidePause) {
    data_->HideHint();
  }
}

// ---------------------------------------------------------------------------------------------
// The skinned system menu

void TWinSkinForm::ShowSystemMenu(int x, int y) {
  const DWORD now = GetTickCount();
  if (now - last_sysmenu_tick_ < GetDoubleClickTime() && hot_ >= 0) {
    StopHoverTimer();
    PostMessageA(hwnd_, WM_CLOSE, 0, 0);
    return;
  }
  last_sysmenu_tick_ = now;
  HMENU native = GetSystemMenu(hwnd_, FALSE);
  if (!native) return;
  manager_.SetMenuMode(MenuMode::SystemMenu);
  HMENU popup = CreatePopupMenu();
  if (!popup) return;
  std::vector<std::unique_ptr<SkinMenuItem>> items;
  const FrameState s = CurrentFrameState();
  const int n = GetMenuItemCount(native);
  for (int i = 0; i < n; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
    mii.dwTypeData = text;
    mii.cch = 255;
    if (!GetMenuItemInfoW(native, static_cast<UINT>(i), TRUE, &mii)) continue;
    auto rec = std::make_unique<SkinMenuItem>();
    rec->separator = (mii.fType & MFT_SEPARATOR) != 0;
    SplitCaption(rec->separator ? L"-" : text, rec->caption, rec->shortcut);
    const SystemMenuItem st =
        SystemMenuItemState(mii.wID, (mii.fState & MFS_GRAYED) != 0, (mii.fState & MFS_CHECKED) != 0, s);
    rec->id = mii.wID;
    rec->enabled = st.enabled;
    rec->checked = st.checked;
    rec->glyph = st.glyph;
    rec->isDefault = (mii.fState & MFS_DEFAULT) != 0;
    UINT flags = MF_OWNERDRAW | (rec->separator ? MF_SEPARATOR : 0) | (rec->enabled ? 0 : MF_GRAYED) |
                 (rec->checked ? MF_CHECKED : 0);
    AppendMenuW(popup, flags, rec->separator ? 0 : rec->id, reinterpret_cast<LPCWSTR>(rec.get()));
    if (rec->isDefault) SetMenuDefaultItem(popup, rec->id, FALSE);
    items.push_back(std::move(rec));
  }
  in_sysmenu_ = true;
  const UINT cmd = static_cast<UINT>(
      TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_LEFTALIGN, x, y, 0, hwnd_, nullptr));
  in_sysmenu_ = false;
  DestroyMenu(popup);
  if (cmd) PostMessageA(hwnd_, WM_SYSCOMMAND, cmd, 0);
}

bool TWinSkinForm::MeasureMenuItem(MEASUREITEMSTRUCT* mis) {
  SkinMenuItem* item = SkinItemOf(mis->itemData);
  if (!item) return false;
  MeasureSkinMenuItem(*data_, *item, data_->MenuGlyphs() != nullptr, *mis);
  return true;
}

bool TWinSkinForm::DrawMenuItem(DRAWITEMSTRUCT* dis) {
  SkinMenuItem* item = SkinItemOf(dis->itemData);
  if (!item) return false;
  DrawSkinMenuItem(*data_, *item, *dis);
  return true;
}

// ---------------------------------------------------------------------------------------------
// The MDI client of a frame window

LRESULT CALLBACK TWinSkinForm::MdiClientProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  HWND frame = static_cast<HWND>(GetPropA(hwnd, "QuilletSkinMdiParent"));
  TSkinManage* m = TSkinManage::Instance();
  TWinSkinForm* f = m && frame ? m->FindForm(frame) : nullptr;
  WNDPROC prev = f ? f->mdi_client_prev_ : nullptr;
  if (!prev) {
    WNDCLASSA wc{};
    GetClassInfoA(nullptr, "MDIClient", &wc);
    prev = wc.lpfnWndProc;
  }
  const LRESULT r = prev ? CallWindowProcA(prev, hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
  // A child maximised or restored changes the frame's menu-bar buttons.
  if (f && (msg == SKINMSG_MDIMAXIMIZED || msg == WM_MDIMAXIMIZE || msg == WM_MDIRESTORE || msg == WM_MDIACTIVATE ||
            msg == WM_MDISETMENU)) {
    f->InvalidateLayout();
    f->RepaintFrame();
  }
  return r;
}

}  // namespace quillet::skin::win32
