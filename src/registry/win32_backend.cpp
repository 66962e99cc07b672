#include "registry/win32_backend.h"

#include <windows.h>

namespace quillet {

namespace {

HKEY H(RegHandle h) { return reinterpret_cast<HKEY>(h); }

}  // namespace

long Win32Backend::OpenKey(RegHandle parent, const std::string& path, std::uint32_t access,
                           RegHandle* out) {
  HKEY key = nullptr;
  const LONG st = RegOpenKeyExA(H(parent), path.c_str(), 0, access, &key);
  if (st == ERROR_SUCCESS) *out = reinterpret_cast<RegHandle>(key);
  return st;
}

long Win32Backend::CreateKey(RegHandle parent, const std::string& path, std::uint32_t access,
                             RegHandle* out) {
  HKEY key = nullptr;
  const LONG st = RegCreateKeyExA(H(parent), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  access, nullptr, &key, nullptr);
  if (st == ERROR_SUCCESS) *out = reinterpret_cast<RegHandle>(key);
  return st;
}

long Win32Backend::CreateKeyTelling(RegHandle parent, const std::string& path, std::uint32_t access,
                                    RegHandle* out, bool* made) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  const LONG st = RegCreateKeyExA(H(parent), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                  &key, &disposition);
  if (st == ERROR_SUCCESS) *out = reinterpret_cast<RegHandle>(key);
  *made = st == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
  return st;
}

long Win32Backend::CloseKey(RegHandle key) { return RegCloseKey(H(key)); }

long Win32Backend::DeleteKey(RegHandle parent, const std::string& path) {
  return RegDeleteKeyA(H(parent), path.c_str());
}

long Win32Backend::DeleteValue(RegHandle key, const std::string& name) {
  return RegDeleteValueA(H(key), name.c_str());
}

long Win32Backend::QueryInfo(RegHandle key, RegKeyInfo* info) {
  DWORD subkeys = 0, max_subkey = 0, values = 0, max_value = 0;
  const LONG st = RegQueryInfoKeyA(H(key), nullptr, nullptr, nullptr, &subkeys, &max_subkey,
                                   nullptr, &values, &max_value, nullptr, nullptr, nullptr);
  if (st == ERROR_SUCCESS) *info = RegKeyInfo{subkeys, max_subkey, values, max_value};
  return st;
}

long Win32Backend::EnumKey(RegHandle key, std::uint32_t index, std::string* name) {
  char buf[512];  // key names are at most 255 characters
  DWORD len = sizeof buf;
  const LONG st = RegEnumKeyExA(H(key), index, buf, &len, nullptr, nullptr, nullptr, nullptr);
  if (st == ERROR_SUCCESS) name->assign(buf, len);
  return st;
}

long Win32Backend::EnumValue(RegHandle key, std::uint32_t index, std::string* name) {
  std::string buf(16384, '\0');  // value names are at most 16383 characters
  DWORD len = static_cast<DWORD>(buf.size());
  const LONG st = RegEnumValueA(H(key), index, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
  if (st == ERROR_SUCCESS) name->assign(buf.data(), len);
  return st;
}

long Win32Backend::QueryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                              std::vector<std::uint8_t>* data, std::uint32_t* size) {
  DWORD t = 0, n = 0;
  LONG st;
  if (!data) {
    st = RegQueryValueExA(H(key), name.c_str(), nullptr, &t, nullptr, &n);
  } else {
    // Most values are short: one call into a small buffer, a second only when it is too small
    // (or the value grew in between).
    std::uint8_t small[512];
    n = sizeof small;
    st = RegQueryValueExA(H(key), name.c_str(), nullptr, &t, small, &n);
    if (st == ERROR_SUCCESS) data->assign(small, small + n);
    while (st == ERROR_MORE_DATA) {
      data->resize(n);
      st = RegQueryValueExA(H(key), name.c_str(), nullptr, &t, data->data(), &n);
      if (st == ERROR_SUCCESS) data->resize(n);
    }
  }
  if (st == ERROR_SUCCESS) {
    if (type) *type = t;
    if (size) *size = n;
  }
  return st;
}

long Win32Backend::EnumValueData(RegHandle key, std::uint32_t index, std::string* name, std::uint32_t* type,
                                 std::vector<std::uint8_t>* data) {
  // Short values, the most, in one call; a longer one is asked for again by its name.
  std::string buf(16384, '\0');  // value names are at most 16383 characters
  std::uint8_t small[512];
  DWORD len = static_cast<DWORD>(buf.size()), t = 0, n = sizeof small;
  const LONG st = RegEnumValueA(H(key), index, buf.data(), &len, nullptr, &t, small, &n);
  if (st == ERROR_MORE_DATA) return RegistryBackend::EnumValueData(key, index, name, type, data);
  if (st != ERROR_SUCCESS) return st;
  name->assign(buf.data(), len);
  *type = t;
  data->assign(small, small + n);
  return ERROR_SUCCESS;
}

long Win32Backend::KeyName(RegHandle key, std::string* name) {
  // The kernel's own answer about the key, one call where advapi32 would enumerate the parent.
  using QueryKey = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<QueryKey>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryKey")));
  if (!query || IsRoot(key)) return ERROR_INVALID_FUNCTION;
  struct {
    LARGE_INTEGER last_write;
    ULONG title_index;
    ULONG name_length;  // in bytes
    WCHAR name[256];
  } basic{};
  ULONG got = 0;
  if (query(H(key), 0 /* KeyBasicInformation */, &basic, sizeof basic, &got) != 0) return ERROR_INVALID_FUNCTION;
  const int wide = static_cast<int>(basic.name_length / sizeof(WCHAR));
  // Some registries answer with the whole path; the last name is the key's.
  int from = wide;
  while (from > 0 && basic.name[from - 1] != L'\\') --from;
  const int n = WideCharToMultiByte(CP_ACP, 0, basic.name + from, wide - from, nullptr, 0, nullptr, nullptr);
  name->assign(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, basic.name + from, wide - from, name->data(), n, nullptr, nullptr);
  return ERROR_SUCCESS;
}

long Win32Backend::SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                            const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(H(key), name.c_str(), 0, type, data, size);
}

}  // namespace quillet
