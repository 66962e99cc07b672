// The memory backend's tree: keys with their names in the same allocation, each key's values in
// one block, and the arena a load takes its keys from. Shared by the backend's two halves (handles
// and writes; files and the journal); nothing else includes it.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "registry/key_path.h"
#include "registry/memory_backend.h"

namespace quillet {

namespace memory_tree {

constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;
constexpr std::uint32_t kWriteRights = 0x0002 | 0x0004;  // set value, create subkey

// The order the registry enumerates subkeys in.
using base::CompareNoCase;
using base::EqualNoCase;

using Path = std::vector<std::string>;

inline Path SplitPath(const std::string& path) {
  const auto names = SplitKeyPath(path);
  return Path(names.begin(), names.end());
}

inline Path Join(const Path& a, const Path& b) {
  Path out = a;
  out.insert(out.end(), b.begin(), b.end());
  return out;
}

// Where each hive keeps the classes that HKEY_CLASSES_ROOT shows.
inline const Path kClassesPath = {"Software", "Classes"};

// The registry's ANSI calls take C strings: a name ends at its first NUL.
inline std::string CutAtNul(const std::string& s) {
  const size_t nul = s.find('\0');
  return nul == std::string::npos ? s : s.substr(0, nul);
}

// A key's values, in the order they were made, in one string: for each its type, the sizes of its
// name and of its data (four bytes each), then the name and the data. One block a key keeps a
// large tree small and quick to load.
struct ValueRef {
  std::string_view name;
  std::uint32_t type = 0;
  std::string_view data;
};

constexpr size_t kValueHeader = 12;

inline std::uint32_t Load32(const char* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

inline void Store32(char* p, std::uint32_t v) { std::memcpy(p, &v, 4); }

// The value at `at`; `next` is set past it.
inline ValueRef ValueAt(std::string_view block, size_t at, size_t* next) {
  const char* const p = block.data() + at;
  const std::uint32_t name_size = Load32(p + 4);
  const std::uint32_t data_size = Load32(p + 8);
  *next = at + kValueHeader + name_size + data_size;
  return ValueRef{{p + kValueHeader, name_size}, Load32(p), {p + kValueHeader + name_size, data_size}};
}

inline size_t FindValue(std::string_view block, std::string_view name) {
  for (size_t at = 0, next = 0; at < block.size(); at = next) {
    const ValueRef v = ValueAt(block, at, &next);
    if (v.name.size() == name.size() && EqualNoCase(v.name, name)) return at;
  }
  return std::string::npos;
}

// Replaces the data of the value of that name, which keeps its place and its spelling, or adds it
// at the end.
inline void PutValue(std::string& block, std::string_view name, std::uint32_t type, std::string_view data) {
  const size_t at = FindValue(block, name);
  if (at == std::string::npos) {
    const size_t end = block.size();
    block.resize(end + kValueHeader + name.size() + data.size());
    char* p = block.data() + end;
    Store32(p, type);
    Store32(p + 4, static_cast<std::uint32_t>(name.size()));
    Store32(p + 8, static_cast<std::uint32_t>(data.size()));
    if (!name.empty()) std::memcpy(p + kValueHeader, name.data(), name.size());
    if (!data.empty()) std::memcpy(p + kValueHeader + name.size(), data.data(), data.size());
    return;
  }
  size_t next;
  const ValueRef old = ValueAt(block, at, &next);
  const size_t data_at = at + kValueHeader + old.name.size();
  const size_t old_size = old.data.size();
  Store32(&block[at], type);
  Store32(&block[at + 8], static_cast<std::uint32_t>(data.size()));
  block.replace(data_at, old_size, data);
}

inline bool RemoveValue(std::string& block, std::string_view name) {
  const size_t at = FindValue(block, name);
  if (at == std::string::npos) return false;
  size_t next;
  ValueAt(block, at, &next);
  block.erase(at, next - at);
  return true;
}

template <typename F>
inline void ForEachValue(std::string_view block, F f) {
  for (size_t at = 0, next = 0; at < block.size(); at = next) f(ValueAt(block, at, &next));
}

constexpr size_t kArenaChunkMax = 1 << 20;

}  // namespace memory_tree

using namespace memory_tree;

// Memory for the keys of a load, handed out in order and given back all at once with the tree: a
// large file then loads in few, dense allocations. Keys made and values changed later take their
// own; what a change leaves behind here goes with the rest.
struct MemoryBackend::Arena {
  std::vector<std::unique_ptr<char[]>> chunks;
  char* next = nullptr;
  size_t left = 0;
  size_t chunk = 4096;  // grows to kArenaChunkMax: small files stay small

  void* Allocate(size_t n) {
    n = (n + 7) & ~size_t{7};
    if (n > left) {
      chunk = std::min(chunk * 2, kArenaChunkMax);
      const size_t size = std::max(n, chunk);
      chunks.emplace_back(new char[size]);
      next = chunks.back().get();
      left = size;
    }
    void* p = next;
    next += n;
    left -= n;
    return p;
  }
};

namespace memory_tree {

// A key's value block, kept in the arena of the load that read it or in memory of its own.
class ValueBlock {
 public:
  ValueBlock() = default;
  ValueBlock(const ValueBlock&) = delete;
  ValueBlock& operator=(const ValueBlock&) = delete;
  ~ValueBlock() {
    if (owned_) delete[] data_;
  }
  std::string_view view() const { return {data_, size_}; }
  bool empty() const { return size_ == 0; }
  void Assign(std::string_view block, MemoryBackend::Arena* arena) {
    char* p = nullptr;
    if (!block.empty()) {
      p = arena ? static_cast<char*>(arena->Allocate(block.size())) : new char[block.size()];
      std::memcpy(p, block.data(), block.size());
    }
    if (owned_) delete[] data_;
    data_ = p;
    size_ = block.size();
    owned_ = p && !arena;
  }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  bool owned_ = false;
};

}  // namespace memory_tree

// A key, with its name in the same allocation.
struct MemoryBackend::Node {
  Node* parent = nullptr;  // the owning node; null for a hive's root
  std::vector<NodeRef> children;  // sorted as the registry enumerates them
  ValueBlock values;
  std::uint32_t refs = 0;
  std::uint16_t name_size = 0;  // key names are at most 255 characters
  bool deleted = false;
  bool in_arena = false;

  std::string_view name() const { return {reinterpret_cast<const char*>(this + 1), name_size}; }

  static Node* Make(std::string_view name, Node* parent, Arena* arena) {
    const size_t size = sizeof(Node) + name.size();
    Node* node = new (arena ? arena->Allocate(size) : ::operator new(size)) Node();
    node->parent = parent;
    node->name_size = static_cast<std::uint16_t>(name.size());
    node->in_arena = arena != nullptr;
    if (!name.empty()) std::memcpy(reinterpret_cast<char*>(node + 1), name.data(), name.size());
    return node;
  }

  // Level by level rather than by recursion, which a file of deeply nested keys would take past
  // the end of the stack.
  static void Free(Node* node) {
    std::vector<Node*> doomed{node};
    while (!doomed.empty()) {
      Node* n = doomed.back();
      doomed.pop_back();
      for (NodeRef& c : n->children) {
        Node* child = c.Release();
        if (--child->refs == 0) doomed.push_back(child);
      }
      const bool heap = !n->in_arena;
      n->~Node();
      if (heap) ::operator delete(n);
    }
  }

  std::vector<NodeRef>::iterator LowerBound(std::string_view child) {
    return std::lower_bound(children.begin(), children.end(), child,
                            [](const NodeRef& n, std::string_view key) {
                              return CompareNoCase(n->name(), key) < 0;
                            });
  }
  Node* Child(std::string_view child) {
    auto it = LowerBound(child);
    return (it != children.end() && EqualNoCase((*it)->name(), child)) ? it->get() : nullptr;
  }
  // The child, made when missing; `made` tells which.
  Node* MakeChild(std::string_view child, bool* made, Arena* arena = nullptr) {
    // Files are written sorted: a new key mostly goes last.
    auto it = children.end();
    if (!children.empty() && CompareNoCase(children.back()->name(), child) >= 0) {
      it = LowerBound(child);
      if (it != children.end() && EqualNoCase((*it)->name(), child)) {
        *made = false;
        return it->get();
      }
    }
    *made = true;
    return children.insert(it, NodeRef(Make(child, this, arena)))->get();
  }
  bool HasValue(std::string_view value_name) const {
    return FindValue(values.view(), value_name) != std::string::npos;
  }
  const ValueRef* GetValue(std::string_view value_name, ValueRef* out) const {
    const size_t at = FindValue(values.view(), value_name);
    if (at == std::string::npos) return nullptr;
    size_t next;
    *out = ValueAt(values.view(), at, &next);
    return out;
  }
  // Changes the values; the block then takes memory of its own.
  template <typename Edit>
  auto EditValues(Edit edit) {
    std::string block(values.view());
    const auto result = edit(block);
    values.Assign(block, nullptr);
    return result;
  }
  void MarkDeleted() {
    std::vector<Node*> todo{this};
    while (!todo.empty()) {
      Node* n = todo.back();
      todo.pop_back();
      n->deleted = true;
      for (auto& c : n->children) todo.push_back(c.get());
    }
  }
  // Takes the key and all below it out of the tree; handles to them then answer "deleted".
  void Remove() {
    MarkDeleted();
    Node* owner = parent;
    auto it = owner->LowerBound(name());
    if (it != owner->children.end() && it->get() == this) owner->children.erase(it);  // frees this
  }
};

namespace memory_tree {

using Node = MemoryBackend::Node;

inline Node* Descend(Node* node, const Path& parts) {
  for (size_t i = 0; node && i < parts.size(); ++i) node = node->Child(parts[i]);
  return node;
}

inline Node* MakePath(Node* node, const Path& parts, bool* made_any) {
  *made_any = false;
  for (const auto& part : parts) {
    bool made = false;
    node = node->MakeChild(part, &made);
    *made_any |= made;
  }
  return node;
}

inline bool NameTooLong(const Path& parts) {
  return std::any_of(parts.begin(), parts.end(),
                     [](const std::string& p) { return p.size() > kMaxKeyNameLength; });
}

}  // namespace memory_tree


// The user's and the machine's key behind one classes path; either may be missing.
struct MemoryBackend::Layers {
  Node* user = nullptr;
  Node* machine = nullptr;
};

}  // namespace quillet
