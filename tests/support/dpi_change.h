#pragma once
// Taking a window to another DPI as the system does when it moves to another screen.

#include <windows.h>

#include "base/dpi.h"

namespace quillet::testing {

// WM_DPICHANGED from `from` to `to` DPI, suggesting the window's rectangle scaled.
inline void SendDpiChanged(HWND h, int from, int to) {
  RECT r{};
  GetWindowRect(h, &r);
  RECT s{r.left, r.top, r.left + base::MulDivRound(r.right - r.left, to, from),
         r.top + base::MulDivRound(r.bottom - r.top, to, from)};
  SendMessageA(h, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&s));
}

}  // namespace quillet::testing
