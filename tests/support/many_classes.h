#pragma once
// A long class list for the tests and benchmarks that need one: classes with ids of their own
// under HKEY_LOCAL_MACHINE\Software\Classes\CLSID, made with a caption each and removed again.
// Windows builds only.

#include <windows.h>

#include <cstdio>
#include <string>

namespace quillet::testing {

inline constexpr char kManyClassesKey[] = "Software\\Classes\\CLSID";

inline std::string ManyClassId(int i) {
  char id[40];
  std::snprintf(id, sizeof id, "{BE0C%04X-0000-4000-8000-0000000BE0C0}", i);
  return id;
}

inline void MakeManyClasses(int n) {
  HKEY base = nullptr;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, kManyClassesKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &base, nullptr);
  for (int i = 0; i < n; ++i) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(base, ManyClassId(i).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      continue;
    const std::string caption = "Bench class " + std::to_string(i);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(caption.c_str()),
                   static_cast<DWORD>(caption.size() + 1));
    RegCloseKey(key);
  }
  RegCloseKey(base);
}

inline void RemoveManyClasses(int n) {
  HKEY base = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kManyClassesKey, 0, KEY_ALL_ACCESS, &base) != ERROR_SUCCESS) return;
  for (int i = 0; i < n; ++i) RegDeleteKeyA(base, ManyClassId(i).c_str());
  RegCloseKey(base);
}

}  // namespace quillet::testing
