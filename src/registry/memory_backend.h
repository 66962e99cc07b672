#pragma once
// A registry kept in memory, answering as the system registry does: names compared without regard
// to case and kept in the case they were made, subkeys enumerated sorted by name, values in the
// order they were made. It holds two hives, HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER;
// HKEY_CLASSES_ROOT is a view of both, the user's Software\Classes over the machine's.
// Optionally kept in a .reg file.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "registry/backend.h"
#include "registry/kept_file.h"

namespace quillet {

class MemoryBackend : public RegistryBackend {
 public:
  MemoryBackend();
  ~MemoryBackend() override;

  // Keeps the tree in a .reg file: loads it when it exists (replacing the tree) and saves after
  // each change. A file that cannot be parsed raises RegFileError naming its line; the backend then
  // stays unbound so the file is never overwritten.
  // A file of at least `whole_save_limit` bytes takes each change at its end as a few .reg lines
  // (see kept_file.h) until those come to half the file, when it is written whole again; a
  // smaller one is written whole every time. Either way the file is at every moment a .reg file of
  // the whole tree, which regedit imports to the tree the next load gives.
  void BindFile(const std::string& path);
  const std::string& BoundFile() const { return file_; }
  void SetWholeSaveLimit(std::size_t bytes) { whole_save_limit_ = bytes; }

  // Makes HKEY_LOCAL_MACHINE refuse writes and full-access opens, as for an account without rights.
  void SetMachineReadOnly(bool read_only) { machine_read_only_ = read_only; }

  // The whole tree as REGEDIT4 text, and the reverse: applies a .reg file's content to the tree.
  std::string ExportRegText() const;
  void ImportRegText(std::string_view bytes);
  void Clear();
  // The whole tree as REGEDIT4 text in a file, through a temporary file and a rename.
  void WriteRegFile(const std::string& path) const;

  long OpenKey(RegHandle parent, const std::string& path, std::uint32_t access,
               RegHandle* out) override;
  long CreateKey(RegHandle parent, const std::string& path, std::uint32_t access,
                 RegHandle* out) override;
  long CloseKey(RegHandle key) override;
  long DeleteKey(RegHandle parent, const std::string& path) override;
  long DeleteValue(RegHandle key, const std::string& name) override;
  long QueryInfo(RegHandle key, RegKeyInfo* info) override;
  long EnumKey(RegHandle key, std::uint32_t index, std::string* name) override;
  long EnumValue(RegHandle key, std::uint32_t index, std::string* name) override;
  long QueryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                  std::vector<std::uint8_t>* data, std::uint32_t* size) override;
  long SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t size) override;
  void Commit() override;

  struct Node;
  struct Arena;

  // A counted reference to a key: each key is held by its parent, and by the handles open on it.
  class NodeRef {
   public:
    NodeRef() = default;
    explicit NodeRef(Node* node);
    NodeRef(const NodeRef& other) : NodeRef(other.node_) {}
    NodeRef(NodeRef&& other) noexcept : node_(other.node_) { other.node_ = nullptr; }
    NodeRef& operator=(NodeRef other) noexcept {
      std::swap(node_, other.node_);
      return *this;
    }
    ~NodeRef();
    Node* get() const { return node_; }
    Node* operator->() const { return node_; }
    Node& operator*() const { return *node_; }
    // Gives up the reference without counting it down.
    Node* Release() {
      Node* node = node_;
      node_ = nullptr;
      return node;
    }

   private:
    Node* node_ = nullptr;
  };

 private:
  class Importer;
  struct OpenKeyEntry;
  struct Layers;
  OpenKeyEntry* Lookup(RegHandle handle, long* status);
  Layers LayersAt(const std::vector<std::string>& path) const;
  Layers ClassesLayers(const OpenKeyEntry& entry) const;
  Node* WriteTarget(const OpenKeyEntry& entry, const std::string* value_name, RegRoot* hive) const;
  Node* ClassesKeyForWrite(const std::vector<std::string>& parts);
  const std::vector<std::string>& MergedSubkeys(OpenKeyEntry& entry, const Layers& layers);
  bool MayWrite(const OpenKeyEntry& entry, RegRoot hive) const;
  long EraseKey(Node* node, RegRoot hive);
  RegHandle NewHandle(OpenKeyEntry entry);
  void Changed(bool keys);
  void Save();
  std::uint64_t WriteWhole(const std::string& path) const;
  // What each change writes at the end of the file, while the file can take it there.
  void JournalKey(const Node* node);
  void JournalRemoval(const Node* node);
  void JournalValue(const Node* node, const std::string& name, std::uint32_t type,
                    const std::uint8_t* data, std::uint32_t size);
  void JournalValueRemoval(const Node* node, const std::string& name);
  bool Journaling() const { return kept_.appendable && !file_.empty(); }
  void StopJournal();

  std::unique_ptr<Arena> arena_;  // the keys of loads; goes after them
  NodeRef machine_, user_;
  std::unique_ptr<OpenKeyEntry> root_entries_[3];
  std::unordered_map<RegHandle, std::unique_ptr<OpenKeyEntry>> handles_;
  RegHandle next_handle_ = 0x1000;
  std::uint64_t generation_ = 1;  // moves on whenever a key is made or removed
  bool machine_read_only_ = false;
  bool dirty_ = false;
  std::string file_;
  // The bound file as this backend last wrote or read it.
  KeptFile kept_;
  std::size_t whole_save_limit_ = 64 * 1024;
  std::string journal_;  // the changes since the last save, as .reg lines
  const Node* journal_key_ = nullptr;  // the key the journal's last lines go to
};

}  // namespace quillet
