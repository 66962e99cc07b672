#include "registry/memory_backend.h"

#include <algorithm>
#include <functional>
#include <memory>

#include "base/text.h"
#include "registry/key_path.h"
#include "registry/reg_file.h"

namespace quillet {

namespace {

constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;
constexpr std::uint32_t kWriteRights = 0x0002 | 0x0004;  // set value, create subkey

// The order the registry enumerates subkeys in.
using base::CompareNoCase;
using base::EqualNoCase;

using Path = std::vector<std::string>;

Path SplitPath(const std::string& path) {
  const auto names = SplitKeyPath(path);
  return Path(names.begin(), names.end());
}

Path Join(const Path& a, const Path& b) {
  Path out = a;
  out.insert(out.end(), b.begin(), b.end());
  return out;
}

// Where each hive keeps the classes that HKEY_CLASSES_ROOT shows.
const Path kClassesPath = {"Software", "Classes"};

// The registry's ANSI calls take C strings: a name ends at its first NUL.
std::string CutAtNul(const std::string& s) {
  const size_t nul = s.find('\0');
  return nul == std::string::npos ? s : s.substr(0, nul);
}

}  // namespace

struct MemoryBackend::Node : std::enable_shared_from_this<Node> {
  std::string name;
  Node* parent = nullptr;  // the owning node; null for a hive's root
  std::vector<std::shared_ptr<Node>> children;  // sorted as the registry enumerates them
  std::vector<RegFileValue> values;             // in the order they were made
  bool deleted = false;

  std::vector<std::shared_ptr<Node>>::iterator LowerBound(const std::string& child) {
    return std::lower_bound(children.begin(), children.end(), child,
                            [](const std::shared_ptr<Node>& n, const std::string& key) {
                              return CompareNoCase(n->name, key) < 0;
                            });
  }
  Node* Child(const std::string& child) {
    auto it = LowerBound(child);
    return (it != children.end() && EqualNoCase((*it)->name, child)) ? it->get() : nullptr;
  }
  // The child, made when missing; `made` tells which.
  Node* MakeChild(const std::string& child, bool* made) {
    auto it = LowerBound(child);
    *made = it == children.end() || !EqualNoCase((*it)->name, child);
    if (*made) {
      auto node = std::make_shared<Node>();
      node->name = child;
      node->parent = this;
      it = children.insert(it, std::move(node));
    }
    return it->get();
  }
  RegFileValue* FindValue(const std::string& value_name) {
    for (auto& v : values)
      if (EqualNoCase(v.name, value_name)) return &v;
    return nullptr;
  }
  bool EraseValue(const std::string& value_name) {
    for (auto it = values.begin(); it != values.end(); ++it) {
      if (EqualNoCase(it->name, value_name)) {
        values.erase(it);
        return true;
      }
    }
    return false;
  }
  void MarkDeleted() {
    deleted = true;
    for (auto& c : children) c->MarkDeleted();
  }
  // Takes the key and all below it out of the tree; handles to them then answer "deleted".
  void Remove() {
    MarkDeleted();
    Node* owner = parent;
    auto it = owner->LowerBound(name);
    if (it != owner->children.end() && it->get() == this) owner->children.erase(it);  // frees this
  }
};

namespace {

using Node = MemoryBackend::Node;

Node* Descend(Node* node, const Path& parts) {
  for (size_t i = 0; node && i < parts.size(); ++i) node = node->Child(parts[i]);
  return node;
}

Node* MakePath(Node* node, const Path& parts, bool* made_any) {
  *made_any = false;
  for (const auto& part : parts) {
    bool made = false;
    node = node->MakeChild(part, &made);
    *made_any |= made;
  }
  return node;
}

bool NameTooLong(const Path& parts) {
  return std::any_of(parts.begin(), parts.end(),
                     [](const std::string& p) { return p.size() > kMaxKeyNameLength; });
}

}  // namespace

// What a handle stands for. A key seen through HKEY_CLASSES_ROOT is bound to the key it was found
// as (the user's when there is one) and finds its counterpart in the other hive by its path.
struct MemoryBackend::OpenKeyEntry {
  OpenKeyEntry() = default;
  // For the key `parts` below `base`, before it is bound to one.
  OpenKeyEntry(const OpenKeyEntry& base, const Path& parts, std::uint32_t rights)
      : hive(base.classes ? kClassesRoot : base.hive),
        access(rights),
        classes(base.classes),
        path(base.classes ? Join(base.path, parts) : Path{}) {}

  std::shared_ptr<Node> node;  // null for the classes root, which is never one key
  RegRoot hive = kLocalMachine;  // where `node` lives; kClassesRoot for the classes root
  std::uint32_t access = kAccessAll;
  bool classes = false;
  Path path;  // for classes handles: the key's path below Software\Classes
  // The subkey names of a key present in both hives, kept while no key is made or removed.
  std::vector<std::string> merged;
  std::uint64_t merged_generation = 0;
};

// The user's and the machine's key behind one classes path; either may be missing.
struct MemoryBackend::Layers {
  Node* user = nullptr;
  Node* machine = nullptr;
};

MemoryBackend::MemoryBackend() { Clear(); }

MemoryBackend::~MemoryBackend() = default;

void MemoryBackend::Clear() {
  for (auto* hive : {&machine_, &user_}) {
    if (*hive) (*hive)->MarkDeleted();
    *hive = std::make_shared<Node>();
  }
  handles_.clear();
  Changed(true);
}

void MemoryBackend::Changed(bool keys) {
  dirty_ = true;
  if (keys) ++generation_;
}

MemoryBackend::OpenKeyEntry* MemoryBackend::Lookup(RegHandle handle, long* status) {
  *status = kOk;
  if (IsRoot(handle)) {
    auto& entry = root_entries_[handle - kClassesRoot];
    if (!entry) entry = std::make_unique<OpenKeyEntry>();
    entry->hive = handle;
    entry->classes = handle == kClassesRoot;
    entry->node = handle == kLocalMachine ? machine_ : handle == kCurrentUser ? user_ : nullptr;
    return entry.get();
  }
  auto it = handles_.find(handle);
  if (it == handles_.end()) {
    *status = kErrInvalidHandle;
    return nullptr;
  }
  if (it->second->node && it->second->node->deleted) {
    *status = kErrKeyDeleted;
    return nullptr;
  }
  return it->second.get();
}

MemoryBackend::Layers MemoryBackend::LayersAt(const Path& path) const {
  return Layers{Descend(Descend(user_.get(), kClassesPath), path),
                Descend(Descend(machine_.get(), kClassesPath), path)};
}

MemoryBackend::Layers MemoryBackend::ClassesLayers(const OpenKeyEntry& entry) const {
  Layers layers = LayersAt(entry.path);
  if (entry.hive == kCurrentUser) layers.user = entry.node.get();
  if (entry.hive == kLocalMachine) layers.machine = entry.node.get();
  return layers;
}

// Where a value change through a handle goes. Through the classes view: the user's key where it
// exists (and holds `value_name`, when one is given), else the machine's.
Node* MemoryBackend::WriteTarget(const OpenKeyEntry& entry, const std::string* value_name,
                                 RegRoot* hive) const {
  *hive = entry.hive;
  if (!entry.classes) return entry.node.get();
  const Layers layers = ClassesLayers(entry);
  const bool users = layers.user && (!value_name || layers.user->FindValue(*value_name));
  *hive = users ? kCurrentUser : kLocalMachine;
  return users ? layers.user : layers.machine;
}

// A key written through the classes view: the user's where it exists, else the machine's, made
// there with the keys above it when missing.
Node* MemoryBackend::ClassesKeyForWrite(const Path& parts) {
  const Layers at = LayersAt(parts);
  if (at.user) return at.user;
  if (at.machine) return at.machine;
  bool made = false;
  Node* node = MakePath(machine_.get(), Join(kClassesPath, parts), &made);
  Changed(made);
  return node;
}

const std::vector<std::string>& MemoryBackend::MergedSubkeys(OpenKeyEntry& entry,
                                                             const Layers& layers) {
  if (entry.merged_generation != generation_) {
    const auto& a = layers.user->children;
    const auto& b = layers.machine->children;
    entry.merged.clear();
    entry.merged.reserve(a.size() + b.size());
    size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
      const int order = i == a.size()   ? 1
                        : j == b.size() ? -1
                                        : CompareNoCase(a[i]->name, b[j]->name);
      if (order <= 0) {
        entry.merged.push_back(a[i++]->name);  // the user's spelling where both have it
        if (order == 0) ++j;
      } else {
        entry.merged.push_back(b[j++]->name);
      }
    }
    entry.merged_generation = generation_;
  }
  return entry.merged;
}

bool MemoryBackend::MayWrite(const OpenKeyEntry& entry, RegRoot hive) const {
  if (machine_read_only_ && hive == kLocalMachine) return false;
  return (entry.access & kWriteRights) != 0;
}

RegHandle MemoryBackend::NewHandle(OpenKeyEntry entry) {
  const RegHandle h = next_handle_;
  next_handle_ += 4;
  handles_.emplace(h, std::make_unique<OpenKeyEntry>(std::move(entry)));
  return h;
}

long MemoryBackend::OpenKey(RegHandle parent, const std::string& path_in, std::uint32_t access,
                            RegHandle* out) {
  long st;
  OpenKeyEntry* base = Lookup(parent, &st);
  if (!base) return st;
  const Path parts = SplitPath(CutAtNul(path_in));
  if (NameTooLong(parts)) return kErrInvalidParameter;
  OpenKeyEntry entry(*base, parts, access);
  if (entry.classes && !entry.path.empty()) {
    const Layers at = LayersAt(entry.path);
    if (!at.user && !at.machine) return kErrFileNotFound;
    entry.hive = at.user ? kCurrentUser : kLocalMachine;
    entry.node = (at.user ? at.user : at.machine)->shared_from_this();
  } else if (!entry.classes) {
    Node* node = Descend(base->node.get(), parts);
    if (!node) return kErrFileNotFound;
    entry.node = node->shared_from_this();
  }
  if (machine_read_only_ && entry.hive == kLocalMachine && (access & ~kAccessRead) != 0)
    return kErrAccessDenied;
  *out = NewHandle(std::move(entry));
  return kOk;
}

long MemoryBackend::CreateKey(RegHandle parent, const std::string& path_in, std::uint32_t access,
                              RegHandle* out) {
  long st;
  OpenKeyEntry* base = Lookup(parent, &st);
  if (!base) return st;
  const Path parts = SplitPath(CutAtNul(path_in));
  if (NameTooLong(parts)) return kErrInvalidParameter;
  const bool may_make = IsRoot(parent) || (base->access & kWriteRights) != 0;
  OpenKeyEntry entry(*base, parts, access);
  if (entry.classes && !entry.path.empty()) {
    const Layers at = LayersAt(entry.path);
    if (at.user) {
      entry.hive = kCurrentUser;
      entry.node = at.user->shared_from_this();
    } else {
      // A key made through the classes view lands in the machine's classes.
      if (machine_read_only_ || (!at.machine && !may_make)) return kErrAccessDenied;
      entry.hive = kLocalMachine;
      entry.node = ClassesKeyForWrite(entry.path)->shared_from_this();
    }
  } else if (!entry.classes) {
    if (machine_read_only_ && entry.hive == kLocalMachine) return kErrAccessDenied;
    if (!may_make && !Descend(base->node.get(), parts)) return kErrAccessDenied;
    bool made = false;
    entry.node = MakePath(base->node.get(), parts, &made)->shared_from_this();
    if (made) Changed(true);
  }
  *out = NewHandle(std::move(entry));
  return kOk;
}

long MemoryBackend::CloseKey(RegHandle key) {
  if (IsRoot(key)) return kOk;
  return handles_.erase(key) ? kOk : kErrInvalidHandle;
}

long MemoryBackend::EraseKey(Node* node, RegRoot hive) {
  if (machine_read_only_ && hive == kLocalMachine) return kErrAccessDenied;
  if (!node->children.empty() || !node->parent) return kErrAccessDenied;
  node->Remove();
  Changed(true);
  return kOk;
}

long MemoryBackend::DeleteKey(RegHandle parent, const std::string& path_in) {
  long st;
  OpenKeyEntry* base = Lookup(parent, &st);
  if (!base) return st;
  const Path parts = SplitPath(CutAtNul(path_in));
  if (base->classes) {
    // The user's key goes first; the machine's then shows through and goes on a second call.
    const Path path = Join(base->path, parts);
    if (path.empty()) return kErrAccessDenied;
    const Layers at = LayersAt(path);
    if (at.user) return EraseKey(at.user, kCurrentUser);
    if (at.machine) return EraseKey(at.machine, kLocalMachine);
    return kErrFileNotFound;
  }
  Node* node = Descend(base->node.get(), parts);
  if (!node) return kErrFileNotFound;
  if (parts.empty() && IsRoot(parent)) return kErrAccessDenied;
  return EraseKey(node, base->hive);
}

long MemoryBackend::DeleteValue(RegHandle key, const std::string& name_in) {
  const std::string name = CutAtNul(name_in);
  long st;
  OpenKeyEntry* entry = Lookup(key, &st);
  if (!entry) return st;
  // The value a read would find goes: the user's first, then the machine's.
  RegRoot hive;
  Node* target = WriteTarget(*entry, &name, &hive);
  if (!MayWrite(*entry, target ? hive : kCurrentUser)) return kErrAccessDenied;
  if (!target || !target->EraseValue(name)) return kErrFileNotFound;
  Changed(false);
  return kOk;
}

long MemoryBackend::QueryInfo(RegHandle key, RegKeyInfo* info) {
  long st;
  OpenKeyEntry* entry = Lookup(key, &st);
  if (!entry) return st;
  *info = RegKeyInfo{};
  auto count_value = [&](const RegFileValue& v) {
    ++info->values;
    info->max_value_name_len =
        std::max(info->max_value_name_len, static_cast<std::uint32_t>(v.name.size()));
  };
  auto count_subkey = [&](const std::string& name) {
    ++info->subkeys;
    info->max_subkey_len = std::max(info->max_subkey_len, static_cast<std::uint32_t>(name.size()));
  };
  Layers layers{entry->node.get(), nullptr};
  if (entry->classes) layers = ClassesLayers(*entry);
  if (layers.user && layers.machine) {
    for (const auto& name : MergedSubkeys(*entry, layers)) count_subkey(name);
    for (const auto& v : layers.user->values) count_value(v);
    for (const auto& v : layers.machine->values)
      if (!layers.user->FindValue(v.name)) count_value(v);
    return kOk;
  }
  if (const Node* only = layers.user ? layers.user : layers.machine) {
    for (const auto& c : only->children) count_subkey(c->name);
    for (const auto& v : only->values) count_value(v);
  }
  return kOk;
}

long MemoryBackend::EnumKey(RegHandle key, std::uint32_t index, std::string* name) {
  long st;
  OpenKeyEntry* entry = Lookup(key, &st);
  if (!entry) return st;
  Layers layers{entry->node.get(), nullptr};
  if (entry->classes) layers = ClassesLayers(*entry);
  if (layers.user && layers.machine) {
    const auto& merged = MergedSubkeys(*entry, layers);
    if (index >= merged.size()) return kErrNoMoreItems;
    *name = merged[index];
    return kOk;
  }
  const Node* only = layers.user ? layers.user : layers.machine;
  if (!only || index >= only->children.size()) return kErrNoMoreItems;
  *name = only->children[index]->name;
  return kOk;
}

long MemoryBackend::EnumValue(RegHandle key, std::uint32_t index, std::string* name) {
  long st;
  OpenKeyEntry* entry = Lookup(key, &st);
  if (!entry) return st;
  Layers layers{entry->node.get(), nullptr};
  if (entry->classes) layers = ClassesLayers(*entry);
  // The user's values in their order, then the machine's the user has not.
  std::uint32_t seen = 0;
  for (Node* layer : {layers.user, layers.machine}) {
    if (!layer) continue;
    for (const auto& v : layer->values) {
      if (layer == layers.machine && layers.user && layers.user->FindValue(v.name)) continue;
      if (seen++ == index) {
        *name = v.name;
        return kOk;
      }
    }
  }
  return kErrNoMoreItems;
}

long MemoryBackend::QueryValue(RegHandle key, const std::string& name_in, std::uint32_t* type,
                               std::vector<std::uint8_t>* data, std::uint32_t* size) {
  const std::string name = CutAtNul(name_in);
  long st;
  OpenKeyEntry* entry = Lookup(key, &st);
  if (!entry) return st;
  Layers layers{entry->node.get(), nullptr};
  if (entry->classes) layers = ClassesLayers(*entry);
  const RegFileValue* v = layers.user ? layers.user->FindValue(name) : nullptr;
  if (!v && layers.machine) v = layers.machine->FindValue(name);
  if (!v) return kErrFileNotFound;
  if (type) *type = v->type;
  if (size) *size = static_cast<std::uint32_t>(v->data.size());
  if (data) *data = v->data;
  return kOk;
}

long MemoryBackend::SetValue(RegHandle key, const std::string& name_in, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) {
  const std::string name = CutAtNul(name_in);
  long st;
  OpenKeyEntry* entry = Lookup(key, &st);
  if (!entry) return st;
  RegRoot hive;
  Node* target = WriteTarget(*entry, nullptr, &hive);
  if (!MayWrite(*entry, hive)) return kErrAccessDenied;
  if (name.size() > kMaxValueNameLength) return kErrInvalidParameter;
  if (!target) target = ClassesKeyForWrite({});  // no classes in either hive yet
  RegFileValue* v = target->FindValue(name);
  if (!v) {
    target->values.push_back(RegFileValue{name, type, {}});
    v = &target->values.back();
  }
  v->type = type;
  v->data.assign(data, data + size);
  Changed(false);
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
    machine_ = loaded.machine_;
    user_ = loaded.user_;
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
  write(*machine_, kLocalMachine, "");
  write(*user_, kCurrentUser, "");
  return out;
}

// Applies a .reg file straight to the tree: a load is not a write through the store, so neither
// handles nor the read-only switch take part. A HKEY_CLASSES_ROOT section lands where a write
// through that root would.
class MemoryBackend::Importer : public RegFileSink {
 public:
  explicit Importer(MemoryBackend& backend) : backend_(backend) {}

  void Key(RegRoot root, const std::string& path, int) override {
    classes_ = root == kClassesRoot;
    classes_path_ = SplitPath(path);
    bool made = false;
    current_ = classes_ ? backend_.ClassesKeyForWrite(classes_path_)
                        : MakePath(Hive(root), classes_path_, &made);
  }

  void DeleteKey(RegRoot root, const std::string& path, int) override {
    current_ = nullptr;
    const Path parts = SplitPath(path);
    if (parts.empty()) return;  // a root itself never goes
    Node* node = nullptr;
    if (root == kClassesRoot) {
      const Layers at = backend_.LayersAt(parts);
      node = at.user ? at.user : at.machine;
    } else {
      node = Descend(Hive(root), parts);
    }
    if (node) node->Remove();
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
    if (classes_) {
      const Layers at = backend_.LayersAt(classes_path_);
      if (at.user && at.user->EraseValue(name)) return;
      if (at.machine) at.machine->EraseValue(name);
      return;
    }
    current_->EraseValue(name);
  }

 private:
  Node* Hive(RegRoot root) const {
    return (root == kLocalMachine ? backend_.machine_ : backend_.user_).get();
  }

  MemoryBackend& backend_;
  Node* current_ = nullptr;
  bool classes_ = false;
  Path classes_path_;
};

void MemoryBackend::ImportRegText(const std::string& bytes) {
  Importer importer(*this);
  ParseRegFile(bytes, importer);
  Changed(true);
}

}  // namespace quillet
