#include "ui/forms.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "base/dpi.h"
#include "base/text.h"
#include "ui/dpi.h"
#include "ui/error_text.h"
#include "ui/mnemonics.h"
#include "ui/window_class.h"

namespace quillet::ui {

namespace {
// Posted to the application's message window while errors are held.
constexpr UINT kShowHeldErrors = WM_APP + 0x100;
// WM_GETDPISCALEDSIZE, newer than the headers' Windows version.
constexpr UINT kGetDpiScaledSize = 0x02E4;
}  // namespace

// ---------------------------------------------------------------------------------------------
// Forms

TForm::TForm(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)), dpi_(SystemDpi()) {
  visible_ = false;
  color_ = kColorBtnFace;
  // A form owned by another form stays above it and goes with it.
  owner_form_ = dynamic_cast<TForm*>(owner);
  font_.color = kColorWindowText;
  props_.Publish("BorderStyle", [this] {
    switch (border_style_) {
      case BorderStyle::Dialog: return PropValue::OfEnum("bsDialog");
      case BorderStyle::Sizeable: return PropValue::OfEnum("bsSizeable");
      default: return PropValue::OfEnum("bsSingle");
    }
  });
  props_.Publish("AutoScroll", [] { return PropValue::OfBool(false); },
                 [](const std::string& t) { return ParseBool(t).has_value(); });
  props_.Publish("ClientWidth", [this] { return PropValue::OfInt(client_width_); });
  props_.Publish("ClientHeight", [this] { return PropValue::OfInt(client_height_); });
}

TForm::~TForm() {
  if (Application().MainForm() == this) Application().SetMainForm(nullptr);
}

void TForm::SetClientSize(int width, int height) {
  client_width_ = width;
  client_height_ = height;
  const SIZE size = WindowSize(dpi_);
  Bounds b = bounds_;
  b.width = size.cx;
  b.height = size.cy;
  SetBounds(b);
}

SIZE TForm::WindowSize(int dpi) {
  CreateParams p;
  MakeCreateParams(p);
  RECT r{0, 0, base::ScaleToDpi(client_width_, dpi), base::ScaleToDpi(client_height_, dpi)};
  // A menu bar takes its height from the window, not from the client area asked for.
  AdjustWindowRectForDpi(r, p.style, hwnd_ && ::GetMenu(hwnd_), p.ex_style, dpi);
  return {r.right - r.left, r.bottom - r.top};
}

void TForm::CreateWnd() {
  TWinControl::CreateWnd();
  // The window came up on a screen at another DPI than the one it was laid out for.
  const int dpi = WindowDpi(hwnd_);
  if (dpi != dpi_) ChangeDpi(dpi);
}

void TForm::ChangeDpi(int dpi, const RECT* place) {
  if (dpi <= 0) return;
  dpi_ = dpi;
  Bounds b = bounds_;
  if (place) {
    b = {place->left, place->top, place->right - place->left, place->bottom - place->top};
  } else {
    const SIZE size = WindowSize(dpi);
    b.width = size.cx;
    b.height = size.cy;
  }
  bounds_ = b;
  // The form's own place and font, then every control inside it, parents first.
  DpiChangedInside();
  if (!hwnd_) return;
  // The frame may be another than the system's (a skin's): the client area keeps its size.
  RECT client;
  GetClientRect(hwnd_, &client);
  const int dx = base::ScaleToDpi(client_width_, dpi) - client.right;
  const int dy = base::ScaleToDpi(client_height_, dpi) - client.bottom;
  if ((dx || dy) && !IsIconic(hwnd_)) {
    bounds_.width += dx;
    bounds_.height += dy;
    SetWindowPos(hwnd_, nullptr, 0, 0, bounds_.width, bounds_.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TForm::MakeCreateParams(CreateParams& p) {
  TWinControl::MakeCreateParams(p);
  p.style = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
  p.ex_style = WS_EX_CONTROLPARENT;
  switch (border_style_) {
    case BorderStyle::Dialog:
      p.style |= WS_POPUP | DS_MODALFRAME;
      p.ex_style |= WS_EX_DLGMODALFRAME;
      p.class_icon = false;  // dialog frames carry no icon
      break;
    case BorderStyle::Sizeable:
      p.style |= WS_THICKFRAME;
      [[fallthrough]];
    case BorderStyle::Single:
      if (minimize_box_) p.style |= WS_MINIMIZEBOX;
      if (maximize_box_) p.style |= WS_MAXIMIZEBOX;
      break;
  }
  if (!enabled_) p.style |= WS_DISABLED;
  p.parent = owner_form_ ? owner_form_->Handle() : nullptr;
}

void TForm::PaintWindow(HDC dc) { PaintControls(dc); }

void TForm::PlaceOnFirstShow() {
  if (placed_) return;
  placed_ = true;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (position_ == FormPosition::OwnerFormCenter && owner_form_ && owner_form_->HandleAllocated() &&
      IsWindowVisible(owner_form_->HandleIfAny())) {
    GetWindowRect(owner_form_->HandleIfAny(), &area);
  } else if (position_ == FormPosition::Designed) {
    return;
  }
  Bounds b = bounds_;
  b.left = area.left + (area.right - area.left - b.width) / 2;
  b.top = area.top + (area.bottom - area.top - b.height) / 2;
  if (b.left < 0) b.left = 0;
  if (b.top < 0) b.top = 0;
  SetBounds(b);
}

void TForm::Show() {
  HandleNeeded();
  PlaceOnFirstShow();
  if (!visible_ && OnShow) OnShow();
  SetVisible(true);
  SetForegroundWindow(hwnd_);
}

void TForm::Close() {
  if (hwnd_) SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}

CloseAction TForm::DoClose() {
  CloseAction action = (Application().MainForm() == this && !modal_) ? CloseAction::Free : CloseAction::Hide;
  if (OnClose) OnClose(action);
  return action;
}

int TForm::ShowModal() {
  HandleNeeded();
  // Every other window of the program waits; the ones disabled here are enabled again after.
  struct Others {
    HWND self;
    std::vector<HWND> list;
  } others{hwnd_, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM lp) -> BOOL {
        auto* o = reinterpret_cast<Others*>(lp);
        if (w != o->self && IsWindowVisible(w) && IsWindowEnabled(w)) o->list.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&others));
  std::vector<HWND>& disabled = others.list;
  for (HWND w : disabled) EnableWindow(w, FALSE);
  modal_ = true;
  modal_result_ = mrNone;
  Show();
  bool quit = false;
  WPARAM quit_code = 0;
  while (!quit) {
    MSG msg;
    if (modal_result_ == mrNone) {
      BOOL r = GetMessageA(&msg, nullptr, 0, 0);
      if (r == 0 || r == -1) {
        quit = true;
        quit_code = msg.wParam;
        break;
      }
      Application().ProcessMessage(msg);
      if (!hwnd_ || !visible_) modal_result_ = modal_result_ ? modal_result_ : mrCancel;
    }
    if (modal_result_ != mrNone) {
      if (DoClose() == CloseAction::None) {
        modal_result_ = mrNone;
        continue;
      }
      break;
    }
  }
  for (HWND w : disabled)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  if (hwnd_) {
    // Hand activation back before hiding, so the owner comes to the front again.
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  visible_ = false;
  modal_ = false;
  if (quit) PostQuitMessage(static_cast<int>(quit_code));
  return modal_result_;
}

void TForm::FocusChanged(TWinControl* focused) {
  active_control_ = focused == this ? active_control_ : focused;
  // Every windowed control of the form hears of it (buttons repaint their focus look).
  std::vector<TWinControl*> stack{this};
  while (!stack.empty()) {
    TWinControl* w = stack.back();
    stack.pop_back();
    w->Perform(QM_FOCUSCHANGED, 0, reinterpret_cast<std::intptr_t>(focused));
    for (TControl* c : w->Controls())
      if (auto* cw = dynamic_cast<TWinControl*>(c)) stack.push_back(cw);
  }
}

void TForm::SetMenu(HMENU menu) {
  if (hwnd_) {
    ::SetMenu(hwnd_, menu);
    SetClientSize(client_width_, client_height_);
  }
  Perform(QM_MENUCHANGED, 0, reinterpret_cast<std::intptr_t>(menu));
}

void TForm::WndProc(Message& m) {
  switch (m.msg) {
    case WM_CLOSE: return WMClose(m);
    case WM_ACTIVATE: return WMActivate(m);
    case WM_DPICHANGED: return WMDpiChanged(m);
    case kGetDpiScaledSize: return WMGetDpiScaledSize(m);
    case QM_DIALOGKEY: return QMDialogKey(m);
    default: return TWinControl::WndProc(m);
  }
}

void TForm::WMClose(Message&) {
  if (modal_) {
    modal_result_ = mrCancel;
    return;
  }
  switch (DoClose()) {
    case CloseAction::None:
      return;
    case CloseAction::Hide:
      Hide();
      return;
    case CloseAction::Free:
      Hide();
      if (Application().MainForm() == this) Application().Terminate();
      return;
  }
}

void TForm::WMDpiChanged(Message& m) {
  ChangeDpi(HIWORD(m.wparam), reinterpret_cast<const RECT*>(m.lparam));
  m.result = 0;
}

// The system asks what size the window takes at the DPI it is moving to, before it suggests a
// place there: the client area scaled, not the whole window.
void TForm::WMGetDpiScaledSize(Message& m) {
  auto* size = reinterpret_cast<SIZE*>(m.lparam);
  if (!size) return TWinControl::WndProc(m);
  *size = WindowSize(static_cast<int>(m.wparam));
  m.result = TRUE;
}

// Activation gives the focus back to the control that had it, or to the first one.
void TForm::WMActivate(Message& m) {
  if (LOWORD(m.wparam) == WA_INACTIVE) return TWinControl::WndProc(m);
  HWND target = nullptr;
  if (active_control_ && active_control_->HandleAllocated() && IsWindowVisible(active_control_->HandleIfAny()) &&
      IsWindowEnabled(active_control_->HandleIfAny()))
    target = active_control_->HandleIfAny();
  else
    target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (target) ::SetFocus(target);
  m.result = 0;
}

// The controls first (default and cancel buttons), then Tab moves the focus.
void TForm::QMDialogKey(Message& m) {
  std::vector<TWinControl*> stack;
  for (auto it = Controls().rbegin(); it != Controls().rend(); ++it)
    if (auto* w = dynamic_cast<TWinControl*>(*it)) stack.push_back(w);
  while (!stack.empty()) {
    TWinControl* w = stack.back();
    stack.pop_back();
    if (!w->Visible() || !w->Enabled()) continue;
    if (w->Perform(QM_DIALOGKEY, m.wparam, m.lparam)) {
      m.result = 1;
      return;
    }
    for (auto it = w->Controls().rbegin(); it != w->Controls().rend(); ++it)
      if (auto* cw = dynamic_cast<TWinControl*>(*it)) stack.push_back(cw);
  }
  if (m.wparam == VK_TAB) {
    bool back = GetKeyState(VK_SHIFT) < 0;
    HWND next = GetNextDlgTabItem(hwnd_, GetFocus(), back);
    if (next) ::SetFocus(next);
    m.result = 1;
  }
}

// ---------------------------------------------------------------------------------------------
// Application

TApplication::TApplication() { PrepareWindowTables(); }

TApplication::~TApplication() {
  root_.Clear();
  if (hint_window_) DestroyWindow(hint_window_);
  if (message_window_) DestroyWindow(message_window_);
  ReleaseWindowProperty();
}

TApplication& Application() {
  static TApplication app;
  return app;
}

void TApplication::Initialize() {
  if (initialized_) return;
  initialized_ = true;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_TAB_CLASSES |
                                           ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
}

void TApplication::SetHintPause(int ms) {
  hint_pause_ = ms;
  if (hint_window_) {
    SendMessageA(hint_window_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(ms, 0));
    // A hint stays up a while, and longer the longer it waited to show.
    constexpr int kHintShownMs = 2500, kHintShownPerPause = 5;
    SendMessageA(hint_window_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kHintShownMs + ms * kHintShownPerPause, 0));
  }
}

namespace {
TTTOOLINFOA ToolFor(TControl* c) {
  TTTOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  if (c->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(c);
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = w->Parent() && w->Parent()->HandleAllocated() ? w->Parent()->HandleIfAny() : w->HandleIfAny();
    ti.uId = reinterpret_cast<UINT_PTR>(w->HandleIfAny());
  } else {
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = c->Parent() ? c->Parent()->HandleIfAny() : nullptr;
    ti.uId = reinterpret_cast<UINT_PTR>(c);
    ti.rect = c->BoundsRect();
  }
  return ti;
}
}  // namespace

void TApplication::CreateHintWindow() {
  if (hint_window_ || !initialized_) return;
  hint_window_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
  if (hint_window_) {
    constexpr int kHintMaxWidth = 400;  // longer hints wrap
    SendMessageA(hint_window_, TTM_SETMAXTIPWIDTH, 0, kHintMaxWidth);
    SetHintPause(hint_pause_);
  }
}

void TApplication::RegisterHint(TControl* c) {
  if (!hint_window_) {
    // The hint window and its tools wait until the windows have painted: hints only show after
    // the hint pause anyway, and start-up is quicker without them.
    if (c->Hint().empty() || !initialized_) return;
    if (std::find(pending_hints_.begin(), pending_hints_.end(), c) == pending_hints_.end())
      pending_hints_.push_back(c);
    if (!hint_timer_)
      hint_timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, [](HWND, UINT, UINT_PTR, DWORD) {
        Application().FlushHints();
      });
    return;
  }
  AddTool(c);
}

void TApplication::FlushHints() {
  if (hint_timer_) {
    KillTimer(nullptr, hint_timer_);
    hint_timer_ = 0;
  }
  CreateHintWindow();
  std::vector<TControl*> pending;
  pending.swap(pending_hints_);
  for (TControl* c : pending) AddTool(c);
}

void TApplication::AddTool(TControl* c) {
  if (!hint_window_) return;
  TTTOOLINFOA ti = ToolFor(c);
  if (!ti.hwnd || (c->IsWindowed() && !ti.uId)) return;
  SendMessageA(hint_window_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  if (c->Hint().empty()) return;
  std::string text = c->Hint();
  ti.lpszText = text.data();
  SendMessageA(hint_window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void TApplication::UnregisterHint(TControl* c) {
  pending_hints_.erase(std::remove(pending_hints_.begin(), pending_hints_.end(), c), pending_hints_.end());
  if (!hint_window_) return;
  TTTOOLINFOA ti = ToolFor(c);
  if (ti.hwnd) SendMessageA(hint_window_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_SYSCHAR && msg.wParam != ' ') {
    HWND h = msg.hwnd;
    TWinControl* c = nullptr;
    while (h && !(c = TWinControl::FromHandle(h))) h = GetParent(h);
    TForm* form = c ? c->ParentForm() : nullptr;
    if (form && HandleMnemonic(*form, static_cast<char>(msg.wParam))) return;
  }
  if (msg.message == WM_KEYDOWN &&
      (msg.wParam == VK_TAB || msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
    HWND h = msg.hwnd;
    TWinControl* c = nullptr;
    while (h && !(c = TWinControl::FromHandle(h))) h = GetParent(h);
    LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    bool wants = (code & DLGC_WANTALLKEYS) || (msg.wParam == VK_TAB && (code & DLGC_WANTTAB));
    if (c && !wants) {
      HWND combo = h;
      char cls[32] = {};
      GetClassNameA(combo, cls, sizeof cls);
      bool dropped = SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0 && base::EqualNoCase(cls, "TComboBox");
      TForm* form = c->ParentForm();
      if (!dropped && form && form->Perform(QM_DIALOGKEY, msg.wParam, 0)) return;
    }
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ProcessMessage(msg);
  }
}

int TApplication::Run() {
  if (main_form_ && !terminated_) main_form_->Show();
  MSG msg;
  while (!terminated_) {
    BOOL r = GetMessageA(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) break;
    ProcessMessage(msg);
  }
  terminated_ = true;
  return 0;
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::DestroyForms() {
  main_form_ = nullptr;
  // Owned components go newest first; the main form was created first and so goes last.
  root_.Clear();
}

void TApplication::ShowErrorText(const std::string& message) {
  std::string text = ErrorBoxText(message);
  if (error_box_hook) {
    error_box_hook(text);
    return;
  }
  HWND owner = GetActiveWindow();
  MessageBoxA(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

void TApplication::HandleException() {
  std::string message;
  try {
    throw;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unknown error";
  }
  if (!PaintScope::Painting() && !showing_held_errors_) return ShowErrorText(message);
  // A paint that fails each time it is asked again gives one box, not one per repaint.
  if (std::find(held_errors_.begin(), held_errors_.end(), message) != held_errors_.end()) return;
  if (held_errors_.empty() && !showing_held_errors_) PostMessageA(MessageWindow(), kShowHeldErrors, 0, 0);
  held_errors_.push_back(std::move(message));
}

HWND TApplication::MessageWindow() {
  if (message_window_) return message_window_;
  static const ATOM cls = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = [](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
      if (msg != kShowHeldErrors) return DefWindowProcA(h, msg, wp, lp);
      Application().ShowHeldBackErrors();
      return 0;
    };
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TApplicationMessages";
    return RegisterClassA(&wc);
  }();
  if (cls)
    message_window_ = CreateWindowExA(0, MAKEINTATOM(cls), nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
  return message_window_;
}

void TApplication::ShowHeldBackErrors() {
  if (showing_held_errors_) return;
  showing_held_errors_ = true;
  while (!held_errors_.empty()) {
    std::string message = std::move(held_errors_.front());
    held_errors_.erase(held_errors_.begin());
    ShowErrorText(message);
  }
  showing_held_errors_ = false;
}

void HandleCurrentException() { Application().HandleException(); }

}  // namespace quillet::ui
