#include "skin/win32/system_api.h"

namespace quillet::skin::win32 {

namespace {
template <class F>
void Find(HMODULE m, const char* name, F& out) {
  out = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}
}  // namespace

const SystemApi& Api() {
  static const SystemApi api = [] {
    SystemApi a;
    // user32 is always loaded in a program with windows; the handle needs no release.
    HMODULE user = GetModuleHandleA("user32.dll");
    if (user) {
      Find(user, "GetScrollBarInfo", a.GetScrollBarInfo);
      Find(user, "DisableProcessWindowsGhosting", a.DisableProcessWindowsGhosting);
    }
    return a;
  }();
  return api;
}

bool TrackLeave(HWND hwnd) {
  if (!hwnd) return false;
  TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd, 0};
  return TrackMouseEvent(&t) != FALSE;
}

}  // namespace quillet::skin::win32
