// The input a skinned frame takes itself: hit tests, the caption buttons under the mouse (hot,
// pressed, clicked), the hover timer with its hints, and the system commands the buttons send.
#include <windowsx.h>

#include "skin/nc_paint.h"
#include "skin/skin_messages.h"
#include "skin/win32/control_attach.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32/menus.h"
#include "ui/forms.h"

namespace quillet::skin::win32 {

namespace {

constexpr int kHoverStep = 250;
constexpr int kHintHidePause = 2500;
// The system keeps the low four bits of WM_SYSCOMMAND's command for itself.
constexpr WPARAM kSysCommandBits = 0xFFF0;
// A caption button's hint shows this far below the pointer, clear of the cursor's picture.
constexpr int kHintBelowCursor = 24;

}  // namespace

bool TWinSkinForm::OnInputMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& r) {
  r = 0;
  switch (msg) {
    case WM_NCMOUSEMOVE:
      return OnNcMouseMove(lp);
    case WM_NCLBUTTONDOWN:
      if (!OnNcLButtonDown(wp, lp)) r = CallPrev(msg, wp, lp);
      return true;
    case WM_NCLBUTTONUP:
      return OnNcLButtonUp(lp);
    case WM_NCLBUTTONDBLCLK:
      return OnNcLButtonDblClk(wp, lp);
    case WM_NCRBUTTONDOWN:
      if (wp != HTCAPTION) return false;
      ShowSystemMenu(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return true;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
      // A caption button pressed keeps the mouse until it is released.
      if (pressed_ < 0 || GetCapture() != hwnd_) return false;
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
      return true;
    }
    case WM_CAPTURECHANGED:
      if (pressed_ >= 0 && reinterpret_cast<HWND>(lp) != hwnd_) {
        pressed_ = -1;
        RepaintFrame();
      }
      return false;
    case WM_MENUCHAR:
      r = SkinMenuChar(reinterpret_cast<HMENU>(lp), static_cast<wchar_t>(LOWORD(wp)));
      return r != -1;
    default:
      return false;
  }
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
  const int action = Elements().CaptionButtons[static_cast<std::size_t>(p.index)].Action;
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
    default:
      PostMessageA(hwnd_, SKINMSG_CAPTIONACTION, static_cast<WPARAM>(action), 0);
      break;
  }
}

bool TWinSkinForm::OnSysCommand(WPARAM wp, LPARAM lp) {
  if (manager_.Tracking()) return false;
  const UINT cmd = static_cast<UINT>(wp & kSysCommandBits);
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
      const std::string hint = CaptionButtonHint(Elements().CaptionButtons[static_cast<std::size_t>(p.index)].Action);
      if (!hint.empty()) data_->ShowHint(hint, wr.left + p.rect.left, cursor.y + kHintBelowCursor);
    }
  } else if (hover_ms_ >= 2 * pause + kHintHidePause) {
    data_->HideHint();
  }
}

}  // namespace quillet::skin::win32
