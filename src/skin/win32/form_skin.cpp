// The life of a window's skin (taking the window over, the first resize to the skin's frame,
// giving the window back) and the dispatch of the window's messages.
#include "skin/win32/form_skin.h"

#include <algorithm>

#include "skin/menu_layout.h"
#include "skin/nc_paint.h"
#include "skin/skin_messages.h"
#include "skin/win32/control_attach.h"
#include "skin/win32/control_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32/menus.h"
#include "ui/dpi.h"
#include "ui/forms.h"

namespace quillet::skin::win32 {

TWinSkinForm::TWinSkinForm(TSkinManage& manager, HWND hwnd, std::string className, ui::TWinControl* form)
    : Subclass(Kind::FormSkin), manager_(manager), hwnd_(hwnd), class_name_(std::move(className)), form_(form) {}

TWinSkinForm::~TWinSkinForm() {
  if (!restored_ && state_ != kDead && IsWindow(hwnd_)) Restore();
  // The window leaves the skin before any part of the skin goes.
  Remove();
}

void TWinSkinForm::WindowDestroyed() {
  state_ = kDead;
  canvas_.Release();
  manager_.RequestPurge();
}

TWinSkinForm* TWinSkinForm::Of(HWND hwnd) { return static_cast<TWinSkinForm*>(FindOn(hwnd, Kind::FormSkin)); }

// ---------------------------------------------------------------------------------------------
// Attaching and restoring

void TWinSkinForm::ReadStyles() {
  const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE), ex = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
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

bool TWinSkinForm::Initialize(TSkinData* data) {
  data_ = data;
  if (!Install(hwnd_)) return false;
  dpi_ = ui::WindowDpi(hwnd_);
  ReadStyles();
  full_ = data_->SkinControls.Has(xcMainMenu);
  // The native frame, before anything changes it: restoring gives it back around the same client.
  RECT wr{}, cr{};
  GetWindowRect(hwnd_, &wr);
  GetClientRect(hwnd_, &cr);
  native_dx_ = (wr.right - wr.left) - cr.right;
  native_dy_ = (wr.bottom - wr.top) - cr.bottom;
  keep_client_ = {cr.right, cr.bottom};
  if (full_) {
    HMENU menu = GetMenu(hwnd_);
    if (menu && IsMenu(menu)) {
      native_menu_ = menu;
      menu_bar_ = std::make_unique<TWinSkinMenu>(hwnd_, menu, data_, dpi_);
      menu_bar_height_ = SystemMetricAt(SM_CYMENU, dpi_);
      // The system would draw its own bar over ours while tracking; the skinned bar stands in.
      SetMenu(hwnd_, nullptr);
    }
  }
  borders_ = SkinBorders(Elements(), border_);
  if (!full_ && data_->SkinControls.Has(xcMenuItem)) {
    // Only the items are the skin's: the main menu's drop-downs are drawn by it.
    if (form_) form_->SetProperty("AutoScroll", "False");
    if (HMENU menu = GetMenu(hwnd_)) MakeOwnerDrawn(menu, owner_drawn_);
  }
  if (form_) {
    saved_color_ = form_->GetColor();
    color_saved_ = true;
    form_->SetColor(ToolkitColor(data_->FaceColor()));
  }
  return true;
}

void TWinSkinForm::OnAttach() {
  if (attached_) return;
  attached_ = true;
  GetSystemMenu(hwnd_, FALSE);
  MakeSmallIcon();
  AttachControlSkins(*this);
  if (state_ == kActive) return;
  if (full_ && !child_ && border_ != FrameBorder::NoCaption && size_ != SizeState::Minimized) {
    state_ = kResizing;
    ResizeToSkin();
    BuildRegion(true);
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
    const SIZE text = TextExtent(data_->CaptionFont(dpi_), L" " + WindowTextW(), DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
    const int needed = DialogWidthForCaption(Elements(), text.cx, w);
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
  // A window being destroyed keeps the skin on its chain until its last message has passed.
  if (!going) Remove();
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

void TWinSkinForm::ReleaseCaptionButtons() {
  InvalidateLayout();
  canvas_.Release();
}

void TWinSkinForm::ReloadSkinData() {
  const State before = state_;
  state_ = kRefreshing;
  borders_ = SkinBorders(Elements(), border_);
  if (form_) form_->SetColor(ToolkitColor(data_->FaceColor()));
  for (auto& c : controls_)
    if (!c->Dead()) c->Refresh();
  if (full_ && !child_ && size_ != SizeState::Minimized) ResizeToSkin();
  BuildRegion(true);
  state_ = before == kRefreshing ? kActive : before;
}

// ---------------------------------------------------------------------------------------------
// Control skins

TSkinControl* TWinSkinForm::FindControlSkin(HWND hwnd) const { return TSkinControl::Of(hwnd); }

void TWinSkinForm::AddControlSkin(std::unique_ptr<TSkinControl> skin) {
  // A skin the window would not take (it had one already) is not kept.
  if (skin && skin->Live()) controls_.push_back(std::move(skin));
}

void TWinSkinForm::DropDeadControls() {
  controls_.erase(std::remove_if(controls_.begin(), controls_.end(), [](const auto& c) { return c->Dead(); }),
                  controls_.end());
}

// ---------------------------------------------------------------------------------------------
// The window procedure

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

LRESULT TWinSkinForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
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
      const LRESULT r = CallPrev(msg, wp, lp);
      // Freed by the manager's next purge.
      state_ = kDead;
      return r;
    }
    case WM_NCACTIVATE:
      if (state_ == kAttached) {
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
    case WM_DPICHANGED:
      return OnDpiChanged(wp, lp);
    case SKINMSG_CHILDCREATED:
      DropDeadControls();
      if (attached_) AttachChildWindow(*this, reinterpret_cast<HWND>(wp));
      return 0;
    case ui::QM_MENUCHANGED:
      if (full_) return OnMenuChanged(msg, wp, lp);
      break;
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

  if (!child_) {
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

  LRESULT r = 0;
  if (Painting() && (OnFrameMessage(msg, wp, lp, r) || OnInputMessage(msg, wp, lp, r))) return r;
  return CallPrev(msg, wp, lp);
}

}  // namespace quillet::skin::win32
