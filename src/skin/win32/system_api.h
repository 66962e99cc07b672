// System functions the engine uses when the system has them; each is looked up once, and a missing
// one only switches off what depends on it.
#pragma once

#include <windows.h>

namespace quillet::skin::win32 {

struct SystemApi {
  BOOL(WINAPI* GetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
  BOOL(WINAPI* TrackMouseEvent)(LPTRACKMOUSEEVENT) = nullptr;
  BOOL(WINAPI* GetComboBoxInfo)(HWND, PCOMBOBOXINFO) = nullptr;
  void(WINAPI* DisableProcessWindowsGhosting)() = nullptr;
};

const SystemApi& Api();

}  // namespace quillet::skin::win32
