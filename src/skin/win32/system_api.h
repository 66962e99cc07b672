// System functions the engine uses when the system has them; each is looked up once, and a missing
// one only switches off what depends on it. Also the small system requests the skins share.
#pragma once

#include <windows.h>

namespace quillet::skin::win32 {

struct SystemApi {
  BOOL(WINAPI* GetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
  void(WINAPI* DisableProcessWindowsGhosting)() = nullptr;
};

const SystemApi& Api();

// Asks for WM_MOUSELEAVE once the pointer leaves `hwnd`; when the pointer has already gone, the
// leave comes at once (and the answer is false). The leave comes even where the system loses
// the request.
bool TrackLeave(HWND hwnd);
// The window's WM_MOUSELEAVE came: it waits no more.
void LeaveCame(HWND hwnd);

}  // namespace quillet::skin::win32
