#pragma once
// Keeps a key of the system registry as it was before a test and puts it back afterwards, with
// every subkey and value, or removes it when it was not there. Windows builds only.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quillet::testing {

class KeySnapshot {
 public:
  KeySnapshot(HKEY root, std::string path) : root_(root), path_(std::move(path)) {
    HKEY key = nullptr;
    existed_ = RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (existed_) {
      Read(key, tree_);
      RegCloseKey(key);
    }
  }
  ~KeySnapshot() { Restore(); }
  KeySnapshot(const KeySnapshot&) = delete;
  KeySnapshot& operator=(const KeySnapshot&) = delete;

  void Restore() {
    RegDeleteTreeA(root_, path_.c_str());
    RegDeleteKeyA(root_, path_.c_str());
    if (!existed_) return;
    HKEY key = nullptr;
    if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
      Write(key, tree_);
      RegCloseKey(key);
    }
  }

 private:
  struct Value {
    std::string name;
    DWORD type;
    std::vector<BYTE> data;
  };
  struct Node {
    std::string name;
    std::vector<Value> values;
    std::vector<Node> children;
  };

  static void Read(HKEY key, Node& node) {
    char name[16384];
    for (DWORD i = 0;; ++i) {
      DWORD length = sizeof name, type = 0, size = 0;
      if (RegEnumValueA(key, i, name, &length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
      Value v{std::string(name, length), type, std::vector<BYTE>(size)};
      DWORD got = size;
      RegQueryValueExA(key, v.name.c_str(), nullptr, &v.type, v.data.empty() ? nullptr : v.data.data(), &got);
      v.data.resize(got);
      node.values.push_back(std::move(v));
    }
    for (DWORD i = 0;; ++i) {
      DWORD length = sizeof name;
      if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      Node child{std::string(name, length), {}, {}};
      HKEY sub = nullptr;
      if (RegOpenKeyExA(key, child.name.c_str(), 0, KEY_READ, &sub) == ERROR_SUCCESS) {
        Read(sub, child);
        RegCloseKey(sub);
      }
      node.children.push_back(std::move(child));
    }
  }

  static void Write(HKEY key, const Node& node) {
    for (const Value& v : node.values)
      RegSetValueExA(key, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
    for (const Node& child : node.children) {
      HKEY sub = nullptr;
      if (RegCreateKeyExA(key, child.name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr) ==
          ERROR_SUCCESS) {
        Write(sub, child);
        RegCloseKey(sub);
      }
    }
  }

  HKEY root_;
  std::string path_;
  bool existed_ = false;
  Node tree_;
};

}  // namespace quillet::testing
