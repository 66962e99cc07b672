#include "registry/memory_backend.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

#include "base/text.h"
#include "registry/key_path.h"
#include "registry/memory_tree.h"
#include "registry/reg_file.h"

namespace quillet {

MemoryBackend::NodeRef::NodeRef(Node* node) : node_(node) {
  if (node_) ++node_->refs;
}

MemoryBackend::NodeRef::~NodeRef() {
  if (node_ && --node_->refs == 0) Node::Free(node_);
}


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

  NodeRef node;  // null for the classes root, which is never one key
  RegRoot hive = kLocalMachine;  // where `node` lives; kClassesRoot for the classes root
  std::uint32_t access = kAccessAll;
  bool classes = false;
  Path path;  // for classes handles: the key's path below Software\Classes
  // The subkey names of a key present in both hives, kept while no key is made or removed.
  std::vector<std::string> merged;
  std::uint64_t merged_generation = 0;
};

MemoryBackend::MemoryBackend() { Clear(); }

MemoryBackend::~MemoryBackend() = default;

void MemoryBackend::Clear() {
  handles_.clear();
  for (auto& entry : root_entries_) entry.reset();
  for (auto* hive : {&machine_, &user_}) {
    if (hive->get()) (*hive)->MarkDeleted();
    *hive = NodeRef(Node::Make({}, nullptr, nullptr));
  }
  arena_.reset();  // nothing holds its keys now
  StopJournal();
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
    entry->node = handle == kLocalMachine ? machine_ : handle == kCurrentUser ? user_ : NodeRef();
    return entry.get();
  }
  auto it = handles_.find(handle);
  if (it == handles_.end()) {
    *status = kErrInvalidHandle;
    return nullptr;
  }
  if (it->second->node.get() && it->second->node->deleted) {
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
  const bool users = layers.user && (!value_name || layers.user->HasValue(*value_name));
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
  if (made) JournalKey(node);
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
                                        : CompareNoCase(a[i]->name(), b[j]->name());
      if (order <= 0) {
        entry.merged.emplace_back(a[i++]->name());  // the user's spelling where both have it
        if (order == 0) ++j;
      } else {
        entry.merged.emplace_back(b[j++]->name());
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
    entry.node = NodeRef(at.user ? at.user : at.machine);
  } else if (!entry.classes) {
    Node* node = Descend(base->node.get(), parts);
    if (!node) return kErrFileNotFound;
    entry.node = NodeRef(node);
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
      entry.node = NodeRef(at.user);
    } else {
      // A key made through the classes view lands in the machine's classes.
      if (machine_read_only_ || (!at.machine && !may_make)) return kErrAccessDenied;
      entry.hive = kLocalMachine;
      entry.node = NodeRef(ClassesKeyForWrite(entry.path));
    }
  } else if (!entry.classes) {
    if (machine_read_only_ && entry.hive == kLocalMachine) return kErrAccessDenied;
    if (!may_make && !Descend(base->node.get(), parts)) return kErrAccessDenied;
    bool made = false;
    entry.node = NodeRef(MakePath(base->node.get(), parts, &made));
    if (made) {
      Changed(true);
      JournalKey(entry.node.get());
    }
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
  JournalRemoval(node);
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
  if (!target || !target->EditValues([&](std::string& block) { return RemoveValue(block, name); }))
    return kErrFileNotFound;
  JournalValueRemoval(target, name);
  Changed(false);
  return kOk;
}

long MemoryBackend::QueryInfo(RegHandle key, RegKeyInfo* info) {
  long st;
  OpenKeyEntry* entry = Lookup(key, &st);
  if (!entry) return st;
  *info = RegKeyInfo{};
  auto count_value = [&](const ValueRef& v) {
    ++info->values;
    info->max_value_name_len =
        std::max(info->max_value_name_len, static_cast<std::uint32_t>(v.name.size()));
  };
  auto count_subkey = [&](std::string_view name) {
    ++info->subkeys;
    info->max_subkey_len = std::max(info->max_subkey_len, static_cast<std::uint32_t>(name.size()));
  };
  Layers layers{entry->node.get(), nullptr};
  if (entry->classes) layers = ClassesLayers(*entry);
  if (layers.user && layers.machine) {
    for (const auto& name : MergedSubkeys(*entry, layers)) count_subkey(name);
    ForEachValue(layers.user->values.view(), count_value);
    ForEachValue(layers.machine->values.view(), [&](const ValueRef& v) {
      if (!layers.user->HasValue(v.name)) count_value(v);
    });
    return kOk;
  }
  if (const Node* only = layers.user ? layers.user : layers.machine) {
    for (const auto& c : only->children) count_subkey(c->name());
    ForEachValue(only->values.view(), count_value);
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
  name->assign(only->children[index]->name());
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
    const std::string_view block = layer->values.view();
    for (size_t at = 0, next = 0; at < block.size(); at = next) {
      const ValueRef v = ValueAt(block, at, &next);
      if (layer == layers.machine && layers.user && layers.user->HasValue(v.name)) continue;
      if (seen++ == index) {
        name->assign(v.name);
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
  ValueRef found;
  const ValueRef* v = layers.user ? layers.user->GetValue(name, &found) : nullptr;
  if (!v && layers.machine) v = layers.machine->GetValue(name, &found);
  if (!v) return kErrFileNotFound;
  if (type) *type = v->type;
  if (size) *size = static_cast<std::uint32_t>(v->data.size());
  if (data) data->assign(v->data.begin(), v->data.end());
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
  target->EditValues([&](std::string& block) {
    PutValue(block, name, type, {reinterpret_cast<const char*>(data), size});
    return true;
  });
  JournalValue(target, name, type, data, size);
  Changed(false);
  return kOk;
}

}  // namespace quillet
