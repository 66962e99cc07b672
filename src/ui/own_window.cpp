#include "ui/own_window.h"

#include <set>
#include <string>
#include <utility>

namespace quillet::ui {

namespace {

// The object sits in the window's one extra slot: nothing else the program or the system does
// with a window reads or writes it.
constexpr int kObjectSlot = 0;

OwnWindow* Bound(HWND hwnd) { return reinterpret_cast<OwnWindow*>(GetWindowLongPtrA(hwnd, kObjectSlot)); }

bool Register(const char* name, UINT style, WNDPROC proc) {
  static std::set<std::string> registered;
  if (registered.count(name)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  registered.insert(name);
  return true;
}

}  // namespace

OwnWindow::~OwnWindow() {
  if (const HWND h = std::exchange(hwnd_, nullptr)) {
    SetWindowLongPtrA(h, kObjectSlot, 0);
    DestroyWindow(h);
  }
}

bool OwnWindow::CreateOwnWindow(const char* class_name, UINT class_style, DWORD ex_style, DWORD style, const RECT& r,
                                HWND parent) {
  if (hwnd_ || !Register(class_name, class_style, Proc)) return false;
  // The procedure binds the window at WM_NCCREATE; a creation refused after that unbinds it.
  CreateWindowExA(ex_style, class_name, "", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent, nullptr,
                  GetModuleHandleA(nullptr), this);
  return hwnd_ != nullptr;
}

LRESULT CALLBACK OwnWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<OwnWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    if (self && !self->hwnd_) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrA(hwnd, kObjectSlot, reinterpret_cast<LONG_PTR>(self));
    }
  }
  OwnWindow* self = Bound(hwnd);
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  LRESULT result = 0;
  try {
    result = self->OnMessage(msg, wp, lp);
  } catch (...) {
    result = DefWindowProcA(hwnd, msg, wp, lp);
  }
  if (msg == WM_NCDESTROY && (self = Bound(hwnd))) {
    SetWindowLongPtrA(hwnd, kObjectSlot, 0);
    self->hwnd_ = nullptr;
    self->WindowDestroyed();
  }
  return result;
}

}  // namespace quillet::ui
