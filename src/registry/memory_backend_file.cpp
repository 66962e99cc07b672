// The memory backend and its file: loading a .reg file into the tree, writing the tree out whole,
// and the journal of changes appended to the bound file between whole writes.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "registry/kept_file.h"
#include "registry/memory_tree.h"
#include "registry/reg_file.h"

namespace quillet {

// The journal: while the bound file can take changes at its end, each change is written there as
// .reg lines that do to a tree loaded from the file what the change did here.

void MemoryBackend::StopJournal() {
  kept_.appendable = false;
  journal_.clear();
  journal_key_ = nullptr;
}

namespace {

// The key's root and its path below it.
RegRoot PathOf(const Node* node, const Node* machine, std::string* path) {
  std::vector<const Node*> up;
  for (; node->parent; node = node->parent) up.push_back(node);
  path->clear();
  for (auto it = up.rbegin(); it != up.rend(); ++it) {
    if (!path->empty()) *path += '\\';
    *path += (*it)->name();
  }
  return node == machine ? kLocalMachine : kCurrentUser;
}

}  // namespace

void MemoryBackend::JournalKey(const Node* node) {
  if (!Journaling() || journal_key_ == node) return;
  std::string path;
  const RegRoot root = PathOf(node, machine_.get(), &path);
  AppendKeyHeader(journal_, root, path);
  journal_key_ = node;
}

void MemoryBackend::JournalRemoval(const Node* node) {
  if (!Journaling()) return;
  std::string path;
  const RegRoot root = PathOf(node, machine_.get(), &path);
  journal_ += "[-";
  journal_ += RootName(root);
  journal_ += '\\';
  journal_ += path;
  journal_ += "]\r\n";
  journal_key_ = nullptr;  // the node goes; another may be made where it was
}

void MemoryBackend::JournalValue(const Node* node, const std::string& name, std::uint32_t type,
                                 const std::uint8_t* data, std::uint32_t size) {
  JournalKey(node);
  // One line a value: a value cut short by a kill would otherwise leave its first lines behind.
  if (Journaling())
    AppendValueLine(journal_, name, type, {reinterpret_cast<const char*>(data), size}, false);
}

void MemoryBackend::JournalValueRemoval(const Node* node, const std::string& name) {
  JournalKey(node);
  if (Journaling()) AppendValueRemoval(journal_, name);
}

void MemoryBackend::Commit() {
  if (dirty_ && !file_.empty()) Save();
  dirty_ = false;
}

// The changes go at the end of a large file until they come to half of it; then, and for a small
// file, a file that cannot take them there, or one changed by someone else, the whole tree is
// written again.
void MemoryBackend::Save() {
  if (Journaling() && kept_.base >= whole_save_limit_ &&
      kept_.size - kept_.base + journal_.size() <= kept_.base / 2) {
    try {
      kept_.size = AppendKeptChange(file_, kept_, journal_);
      journal_.clear();
      journal_key_ = nullptr;
      return;
    } catch (const std::runtime_error&) {
      // Written whole below; a change the append left torn at the end, the next load leaves out.
    }
  }
  StopJournal();
  kept_.size = kept_.base = WriteWhole(file_);
  kept_.exists = kept_.appendable = true;
}

namespace {

constexpr size_t kChunk = 1 << 20;

// The tree as REGEDIT4 text, handed to `flush` in pieces of about kChunk bytes. The walk keeps its
// own stack and one path buffer: a deep tree must not take the call stack with it.
template <typename Flush>
void WriteTree(const Node& hive, RegRoot root, std::string& out, Flush&& flush) {
  struct Level {
    const Node* node;
    size_t next_child;
    size_t path_size;  // the path's length above this key
  };
  std::string path;
  std::vector<Level> levels{{&hive, 0, 0}};
  const Node* node = &hive;
  for (;;) {
    if (node) {
      if (!path.empty() || !node->values.empty()) {
        AppendKeyHeader(out, root, path);
        ForEachValue(node->values.view(),
                     [&](const ValueRef& v) { AppendValueLine(out, v.name, v.type, v.data); });
        out += "\r\n";
        if (out.size() >= kChunk) flush(out);
      }
      node = nullptr;
    }
    Level& level = levels.back();
    if (level.next_child == level.node->children.size()) {
      path.resize(level.path_size);
      levels.pop_back();
      if (levels.empty()) return;
      continue;
    }
    node = level.node->children[level.next_child++].get();
    const size_t above = path.size();
    if (!path.empty()) path += '\\';
    path += node->name();
    levels.push_back({node, 0, above});
  }
}

}  // namespace

std::string MemoryBackend::ExportRegText() const {
  std::string out = "REGEDIT4\r\n\r\n";
  auto keep = [](std::string&) {};
  WriteTree(*machine_, kLocalMachine, out, keep);
  WriteTree(*user_, kCurrentUser, out, keep);
  return out;
}

std::uint64_t MemoryBackend::WriteWhole(const std::string& path) const {
  AtomicFile file(path);
  std::string out;
  out.reserve(kChunk + kChunk / 4);
  out = "REGEDIT4\r\n\r\n";
  auto flush = [&](std::string& text) {
    file.Write(text);
    text.clear();
  };
  WriteTree(*machine_, kLocalMachine, out, flush);
  WriteTree(*user_, kCurrentUser, out, flush);
  flush(out);
  file.Commit();
  return file.Size();
}

void MemoryBackend::WriteRegFile(const std::string& path) const { WriteWhole(path); }

// Applies a .reg file straight to the tree: a load is not a write through the store, so neither
// handles nor the read-only switch take part. A HKEY_CLASSES_ROOT section lands where a write
// through that root would.
// The values of the key being read are gathered in one block and stored once, at the next key;
// the keys of the last key line are kept, so that the next line, mostly a sibling or a child,
// finds its way from where they part.
class MemoryBackend::Importer : public RegTextSink {
 public:
  explicit Importer(MemoryBackend& backend) : backend_(backend), arena_(ArenaOf(backend)) {}

  void Key(RegRoot root, std::string_view path, int) override {
    Store();
    classes_ = root == kClassesRoot;
    if (classes_) {
      trail_.clear();
      classes_path_ = SplitPath(std::string(path));
      Take(backend_.ClassesKeyForWrite(classes_path_));
      return;
    }
    if (root != trail_root_) trail_.clear();
    trail_root_ = root;
    Node* node = Hive(root);
    size_t depth = 0;
    for (size_t start = 0; start < path.size(); ++depth) {
      size_t end = path.find('\\', start);
      if (end == std::string_view::npos) end = path.size();
      const std::string_view part = path.substr(start, end - start);
      start = end + 1;
      if (depth < trail_.size() && trail_[depth]->name() == part) {
        node = trail_[depth];
        continue;
      }
      trail_.resize(depth);
      bool made = false;
      node = node->MakeChild(part, &made, &arena_);
      trail_.push_back(node);
    }
    trail_.resize(depth);
    Take(node);
  }

  void DeleteKey(RegRoot root, std::string_view path, int) override {
    Store();
    current_ = nullptr;
    trail_.clear();
    const Path parts = SplitPath(std::string(path));
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

  void Value(std::string_view name, std::uint32_t type, std::string_view data, int) override {
    if (!current_) return;
    PutValue(values_, name, type, data);
    changed_ = true;
  }

  void DeleteValue(std::string_view name, int) override {
    if (!current_) return;
    if (classes_) {
      Store();
      const Layers at = backend_.LayersAt(classes_path_);
      auto remove = [&](std::string& block) { return RemoveValue(block, name); };
      if (!at.user || !at.user->EditValues(remove)) {
        if (at.machine) at.machine->EditValues(remove);
      }
      values_ = current_->values.view();
      return;
    }
    changed_ |= RemoveValue(values_, name);
  }

  // Puts the gathered values in their key.
  void Store() {
    if (current_ && changed_) current_->values.Assign(values_, &arena_);
    changed_ = false;
  }

 private:
  Node* Hive(RegRoot root) const {
    return (root == kLocalMachine ? backend_.machine_ : backend_.user_).get();
  }

  static Arena& ArenaOf(MemoryBackend& backend) {
    if (!backend.arena_) backend.arena_ = std::make_unique<Arena>();
    return *backend.arena_;
  }

  void Take(Node* node) {
    current_ = node;
    if (node->values.empty()) {
      values_.clear();
    } else {
      values_ = node->values.view();
    }
  }

  MemoryBackend& backend_;
  Arena& arena_;
  Node* current_ = nullptr;
  std::string values_;  // the current key's values while it is read
  bool changed_ = false;
  bool classes_ = false;
  Path classes_path_;
  RegRoot trail_root_ = 0;
  std::vector<Node*> trail_;  // the keys of the last key line, from the hive down
};

void MemoryBackend::ImportRegText(std::string_view bytes) {
  StopJournal();
  Changed(true);
  Importer importer(*this);
  try {
    ParseRegText(bytes, importer);
  } catch (...) {
    importer.Store();  // what came before the fault stays, as regedit leaves it
    throw;
  }
  importer.Store();
}

void MemoryBackend::BindFile(const std::string& path) {
  file_.clear();
  StopJournal();
  MemoryBackend loaded;
  Importer importer(loaded);
  const KeptFile kept = ReadKeptFile(path, importer);  // raises before anything here changes
  importer.Store();
  if (kept.exists) {
    Clear();
    machine_ = loaded.machine_;
    user_ = loaded.user_;
    arena_ = std::move(loaded.arena_);
  }
  file_ = path;
  kept_ = kept;
  dirty_ = false;
}

}  // namespace quillet
