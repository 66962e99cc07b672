#pragma once
// A canonical text of registry trees, for comparing the registry before and after: every key below
// the given ones in the backend's order, each with its values sorted by name (the order values were
// made in is not part of the registry's meaning), kinds and data in .reg form. Names keep their case.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "registry/change_recorder.h"
#include "registry/reg_file.h"

namespace quillet::testing {

inline void DumpKey(RegistryBackend& b, RegHandle key, RegRoot root, const std::string& path, std::string& out) {
  AppendKeyHeader(out, root, path);
  RegKeyInfo info;
  if (b.QueryInfo(key, &info) != kOk) return;
  std::vector<RegFileValue> values;
  std::string name;
  for (std::uint32_t i = 0; i < info.values; ++i) {
    if (b.EnumValue(key, i, &name) != kOk) continue;
    RegFileValue v{name, 0, {}};
    std::uint32_t size = 0;
    b.QueryValue(key, name, &v.type, &v.data, &size);
    values.push_back(std::move(v));
  }
  std::sort(values.begin(), values.end(), [](const RegFileValue& a, const RegFileValue& c) {
    return base::CompareNoCase(a.name, c.name) < 0;
  });
  for (const RegFileValue& v : values) AppendValueLine(out, v);
  for (std::uint32_t i = 0; i < info.subkeys; ++i) {
    if (b.EnumKey(key, i, &name) != kOk) continue;
    RegHandle child = 0;
    if (b.OpenKey(key, name, kAccessRead, &child) != kOk) continue;
    DumpKey(b, child, root, path.empty() ? name : path + "\\" + name, out);
    b.CloseKey(child);
  }
}

// Keys that do not exist add nothing.
inline std::string CanonicalDump(RegistryBackend& b, const std::vector<RegKeyRef>& tops) {
  std::string out;
  for (const RegKeyRef& top : tops) {
    RegHandle key = 0;
    if (top.path.empty()) {
      DumpKey(b, top.root, top.root, "", out);
    } else if (b.OpenKey(top.root, top.path, kAccessRead, &key) == kOk) {
      DumpKey(b, key, top.root, top.path, out);
      b.CloseKey(key);
    }
  }
  return out;
}

}  // namespace quillet::testing
