#pragma once
// Puts the calling thread's windows on a desktop of their own, which Wine shows as a virtual
// desktop inside one X window. Without a window manager (Xvfb), Wine waits up to two seconds for
// each top-level window it hides; on a virtual desktop it does not, so tests that open and close
// windows hundreds of times run in seconds. Call before the thread makes any window or hook.

#include <windows.h>

namespace quillet::testing {

// False when the thread already has windows, or on a system without Wine's desktops.
inline bool UseOwnDesktop(const char* name, const char* size = "1024x768") {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Explorer\\Desktops", 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(size), static_cast<DWORD>(lstrlenA(size) + 1));
    RegCloseKey(key);
  }
  // Kept for the process's life: the thread uses it until it ends.
  HDESK desk = CreateDesktopA(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  return desk && SetThreadDesktop(desk);
}

}  // namespace quillet::testing
