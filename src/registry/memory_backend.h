#pragma once
// A registry kept in memory, answering as the system registry does: names compared without regard
// to case and kept in the case they were made, subkeys enumerated sorted by name, values in the
// order they were made. It holds two hives, HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER;
// HKEY_CLASSES_ROOT is a view of both, the user's Software\Classes over the machine's.
// Optionally kept in a .reg file.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "registry/backend.h"

namespace quillet {

class MemoryBackend : public RegistryBackend {
 public:
  MemoryBackend();
  ~MemoryBackend() override;

  // Keeps the tree in a .reg file: loads it when it exists (replacing the tree) and saves after
  // each change. A file that cannot be parsed raises RegFileError naming its line; the backend then
  // stays unbound so the file is never overwritten.
  void BindFile(const std::string& path);
  const std::string& BoundFile() const { return file_; }

  // Makes HKEY_LOCAL_MACHINE refuse writes and full-access opens, as for an account without rights.
  void SetMachineReadOnly(bool read_only) { machine_read_only_ = read_only; }

  // The whole tree as REGEDIT4 text, and the reverse: applies a .reg file's content to the tree.
  std::string ExportRegText() const;
  void ImportRegText(const std::string& bytes);
  void Clear();

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

  std::shared_ptr<Node> machine_, user_;
  std::unique_ptr<OpenKeyEntry> root_entries_[3];
  std::unordered_map<RegHandle, std::unique_ptr<OpenKeyEntry>> handles_;
  RegHandle next_handle_ = 0x1000;
  std::uint64_t generation_ = 1;  // moves on whenever a key is made or removed
  bool machine_read_only_ = false;
  bool dirty_ = false;
  std::string file_;
};

}  // namespace quillet
