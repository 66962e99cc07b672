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

long Win32Backend::SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                            const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(H(key), name.c_str(), 0, type, data, size);
}

}  // namespace quillet
