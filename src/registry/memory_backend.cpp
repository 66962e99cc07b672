#include "registry/memory_backend.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>

#include "registry/reg_file.h"

namespace quillet {

namespace {

constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;
constexpr std::uint32_t kWriteRights = 0x0002 | 0x0004;  // set value, create subkey

inline unsigned char FoldCase(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

// The order the registry enumerates subkeys in: by name, letters folded to upper case.
int CompareFolded(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = FoldCase(static_cast<unsigned char>(a[i]));
    const unsigned char y = FoldCase(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareFolded(a, b) == 0;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t i = 0;
  while (i <= path.size()) {
    size_t end = path.find('\\', i);
    if (end == std::string::npos) end = path.size();
    if (end > i) parts.push_back(path.substr(i, end - i));
    i = end + 1;
  }
  return parts;
}

int RootIndex(RegHandle h) { return static_cast<int>(h - kClassesRoot); }

// The registry's ANSI calls take C strings: a name ends at its first NUL.
std::string CutAtNul(const std::string& s) {
  const size_t nul = s.find('\0');
  return nul == std::string::npos ? s : s.substr(0, nul);
}

}  // namespace

struct MemoryBackend::Node : std::enable_shared_from_this<Node> {
  std::string name;
  Node* parent = nullptr;  // the owning node; null for a root
  std::vector<std::shared_ptr<Node>> children;  // sorted as the registry enumerates them
  std::vector<RegFileValue> values;             // in the order they were made
  bool deleted = false;

  std::vector<std::shared_ptr<Node>>::iterator LowerBound(const std::string& child) {
    return std::lower_bound(children.begin(), children.end(), child,
                            [](const std::shared_ptr<Node>& n, const std::string& key) {
                              return CompareFolded(n->name, key) < 0;
                            });
  }
  std::shared_ptr<Node> Find(const std::string& child) {
    auto it = LowerBound(child);
    return (it != children.end() && SameName((*it)->name, child)) ? *it : nullptr;
  }
  RegFileValue* FindValue(const std::string& value_name) {
    for (auto& v : values)
      if (SameName(v.name, value_name)) return &v;
    return nullptr;
  }
  void MarkDeleted() {
    deleted = true;
    for (auto& c : children) c->MarkDeleted();
  }
};

MemoryBackend::MemoryBackend() { Clear(); }

MemoryBackend::~MemoryBackend() = default;

void MemoryBackend::Clear() {
  for (auto& r : roots_) {
    if (r) r->MarkDeleted();
    r = std::make_shared<Node>();
  }
  handles_.clear();
  dirty_ = true;
}

long MemoryBackend::Lookup(RegHandle handle, OpenKeyEntry* entry) const {
  if (IsRoot(handle)) {
    *entry = OpenKeyEntry{roots_[RootIndex(handle)], handle, kAccessAll};
    return kOk;
  }
  auto it = handles_.find(handle);
  if (it == handles_.end()) return kErrInvalidHandle;
  if (it->second.node->deleted) return kErrKeyDeleted;
  *entry = it->second;
  return kOk;
}

bool MemoryBackend::Writable(const OpenKeyEntry& entry) const {
  if (machine_read_only_ && entry.root == kLocalMachine) return false;
  return (entry.access & kWriteRights) != 0;
}

RegHandle MemoryBackend::NewHandle(OpenKeyEntry entry) {
  const RegHandle h = next_handle_;
  next_handle_ += 4;
  handles_.emplace(h, std::move(entry));
  return h;
}

long MemoryBackend::OpenKey(RegHandle parent, const std::string& path_in, std::uint32_t access,
                            RegHandle* out) {
  const std::string path = CutAtNul(path_in);
  OpenKeyEntry base;
  if (long st = Lookup(parent, &base); st != kOk) return st;
  std::shared_ptr<Node> node = base.node;
  for (const auto& part : SplitPath(path)) {
    if (part.size() > kMaxKeyNameLength) return kErrInvalidParameter;
    node = node->Find(part);
    if (!node) return kErrFileNotFound;
  }
  if (machine_read_only_ && base.root == kLocalMachine && (access & ~kAccessRead) != 0)
    return kErrAccessDenied;
  *out = NewHandle(OpenKeyEntry{node, base.root, access});
  return kOk;
}

long MemoryBackend::CreateKey(RegHandle parent, const std::string& path_in, std::uint32_t access,
                              RegHandle* out) {
  const std::string path = CutAtNul(path_in);
  OpenKeyEntry base;
  if (long st = Lookup(parent, &base); st != kOk) return st;
  const auto parts = SplitPath(path);
  for (const auto& part : parts)
    if (part.size() > kMaxKeyNameLength) return kErrInvalidParameter;
  if (machine_read_only_ && base.root == kLocalMachine) return kErrAccessDenied;
  std::shared_ptr<Node> node = base.node;
  for (const auto& part : parts) {
    auto it = node->LowerBound(part);
    if (it != node->children.end() && SameName((*it)->name, part)) {
      node = *it;
      continue;
    }
    if (!Writable(base) && !IsRoot(parent)) return kErrAccessDenied;
    auto child = std::make_shared<Node>();
    child->name = part;
    child->parent = node.get();
    node->children.insert(it, child);
    node = child;
    dirty_ = true;
  }
  *out = NewHandle(OpenKeyEntry{node, base.root, access});
  return kOk;
}

long MemoryBackend::CloseKey(RegHandle key) {
  if (IsRoot(key)) return kOk;
  return handles_.erase(key) ? kOk : kErrInvalidHandle;
}

long MemoryBackend::DeleteKey(RegHandle parent, const std::string& path_in) {
  const std::string path = CutAtNul(path_in);
  OpenKeyEntry base;
  if (long st = Lookup(parent, &base); st != kOk) return st;
  const auto parts = SplitPath(path);
  std::shared_ptr<Node> owner;
  std::shared_ptr<Node> node = base.node;
  for (const auto& part : parts) {
    owner = node;
    node = node->Find(part);
    if (!node) return kErrFileNotFound;
  }
  if (machine_read_only_ && base.root == kLocalMachine) return kErrAccessDenied;
  if (!node->children.empty()) return kErrAccessDenied;
  if (!owner) {
    // The key itself, through a handle to it; a root cannot go.
    if (IsRoot(parent) || !node->parent) return kErrAccessDenied;
    owner = node->parent->shared_from_this();
  }
  auto it = owner->LowerBound(node->name);
  if (it == owner->children.end() || *it != node) return kErrFileNotFound;
  owner->children.erase(it);
  node->MarkDeleted();
  dirty_ = true;
  return kOk;
}

long MemoryBackend::DeleteValue(RegHandle key, const std::string& name_in) {
  const std::string name = CutAtNul(name_in);
  OpenKeyEntry entry;
  if (long st = Lookup(key, &entry); st != kOk) return st;
  if (!Writable(entry)) return kErrAccessDenied;
  auto& values = entry.node->values;
  for (auto it = values.begin(); it != values.end(); ++it) {
    if (SameName(it->name, name)) {
      values.erase(it);
      dirty_ = true;
      return kOk;
    }
  }
  return kErrFileNotFound;
}

long MemoryBackend::QueryInfo(RegHandle key, RegKeyInfo* info) {
  OpenKeyEntry entry;
  if (long st = Lookup(key, &entry); st != kOk) return st;
  const Node& n = *entry.node;
  *info = RegKeyInfo{};
  info->subkeys = static_cast<std::uint32_t>(n.children.size());
  info->values = static_cast<std::uint32_t>(n.values.size());
  for (const auto& c : n.children)
    info->max_subkey_len = std::max(info->max_subkey_len, static_cast<std::uint32_t>(c->name.size()));
  for (const auto& v : n.values)
    info->max_value_name_len =
        std::max(info->max_value_name_len, static_cast<std::uint32_t>(v.name.size()));
  return kOk;
}

long MemoryBackend::EnumKey(RegHandle key, std::uint32_t index, std::string* name) {
  OpenKeyEntry entry;
  if (long st = Lookup(key, &entry); st != kOk) return st;
  if (index >= entry.node->children.size()) return kErrNoMoreItems;
  *name = entry.node->children[index]->name;
  return kOk;
}

long MemoryBackend::EnumValue(RegHandle key, std::uint32_t index, std::string* name) {
  OpenKeyEntry entry;
  if (long st = Lookup(key, &entry); st != kOk) return st;
  if (index >= entry.node->values.size()) return kErrNoMoreItems;
  *name = entry.node->values[index].name;
  return kOk;
}

long MemoryBackend::QueryValue(RegHandle key, const std::string& name_in, std::uint32_t* type,
                               std::vector<std::uint8_t>* data, std::uint32_t* size) {
  const std::string name = CutAtNul(name_in);
  OpenKeyEntry entry;
  if (long st = Lookup(key, &entry); st != kOk) return st;
  const RegFileValue* v = entry.node->FindValue(name);
  if (!v) return kErrFileNotFound;
  if (type) *type = v->type;
  if (size) *size = static_cast<std::uint32_t>(v->data.size());
  if (data) *data = v->data;
  return kOk;
}

long MemoryBackend::SetValue(RegHandle key, const std::string& name_in, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) {
  const std::string name = CutAtNul(name_in);
  OpenKeyEntry entry;
  if (long st = Lookup(key, &entry); st != kOk) return st;
  if (!Writable(entry)) return kErrAccessDenied;
  if (name.size() > kMaxValueNameLength) return kErrInvalidParameter;
  RegFileValue* v = entry.node->FindValue(name);
  if (!v) {
    entry.node->values.push_back(RegFileValue{name, type, {}});
    v = &entry.node->values.back();
  }
  v->type = type;
  v->data.assign(data, data + size);
  dirty_ = true;
  return kOk;
}

void MemoryBackend::Commit() {
  if (dirty_ && !file_.empty()) Save();
  dirty_ = false;
}

void MemoryBackend::Save() { WriteFileAtomically(file_, ExportRegText()); }

void MemoryBackend::BindFile(const std::string& path) {
  file_.clear();
  bool exists = false;
  const std::string bytes = ReadWholeFileBytes(path, &exists);
  if (exists) {
    MemoryBackend loaded;
    loaded.ImportRegText(bytes);  // raises before anything here changes
    Clear();
    for (int i = 0; i < 3; ++i) roots_[i] = loaded.roots_[i];
  }
  file_ = path;
  dirty_ = false;
}

std::string MemoryBackend::ExportRegText() const {
  std::string out = "REGEDIT4\r\n\r\n";
  std::function<void(const Node&, RegRoot, const std::string&)> write =
      [&](const Node& node, RegRoot root, const std::string& path) {
        if (!path.empty() || !node.values.empty()) {
          AppendKeyHeader(out, root, path);
          for (const auto& v : node.values) AppendValueLine(out, v);
          out += "\r\n";
        }
        for (const auto& c : node.children)
          write(*c, root, path.empty() ? c->name : path + "\\" + c->name);
      };
  for (RegRoot root : {kLocalMachine, kCurrentUser, kClassesRoot})
    write(*roots_[RootIndex(root)], root, "");
  return out;
}

// Applies a .reg file straight to the tree: a load is not a write through the store, so neither
// handles nor the read-only switch take part.
class MemoryBackend::Importer : public RegFileSink {
 public:
  explicit Importer(MemoryBackend& backend) : backend_(backend) {}

  void Key(RegRoot root, const std::string& path, int) override {
    Node* node = backend_.roots_[RootIndex(root)].get();
    ForEachPart(path, [&](std::string_view part) {
      const std::string name(part);
      auto it = node->LowerBound(name);
      if (it == node->children.end() || !SameName((*it)->name, name)) {
        auto child = std::make_shared<Node>();
        child->name = name;
        child->parent = node;
        it = node->children.insert(it, std::move(child));
      }
      node = it->get();
    });
    current_ = node;
  }

  void DeleteKey(RegRoot root, const std::string& path, int) override {
    current_ = nullptr;
    if (path.empty()) return;  // a root itself never goes
    Node* node = backend_.roots_[RootIndex(root)].get();
    Node* owner = nullptr;
    bool found = true;
    ForEachPart(path, [&](std::string_view part) {
      if (!found) return;
      auto child = node->Find(std::string(part));
      if (!child) {
        found = false;
        return;
      }
      owner = node;
      node = child.get();
    });
    if (!found || !owner) return;
    auto it = owner->LowerBound(node->name);
    if (it != owner->children.end() && it->get() == node) {
      node->MarkDeleted();
      owner->children.erase(it);
    }
  }

  void Value(RegFileValue&& value, int) override {
    if (!current_) return;
    if (RegFileValue* v = current_->FindValue(value.name)) {
      v->type = value.type;
      v->data = std::move(value.data);
    } else {
      current_->values.push_back(std::move(value));
    }
  }

  void DeleteValue(const std::string& name, int) override {
    if (!current_) return;
    auto& values = current_->values;
    for (auto it = values.begin(); it != values.end(); ++it) {
      if (SameName(it->name, name)) {
        values.erase(it);
        return;
      }
    }
  }

 private:
  template <typename F>
  static void ForEachPart(const std::string& path, F&& f) {
    size_t i = 0;
    while (i < path.size()) {
      size_t end = path.find('\\', i);
      if (end == std::string::npos) end = path.size();
      if (end > i) f(std::string_view(path).substr(i, end - i));
      i = end + 1;
    }
  }

  MemoryBackend& backend_;
  Node* current_ = nullptr;
};

void MemoryBackend::ImportRegText(const std::string& bytes) {
  Importer importer(*this);
  ParseRegFile(bytes, importer);
  dirty_ = true;
}

}  // namespace quillet
