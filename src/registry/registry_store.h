#pragma once
// The one way the program reaches the registry. A store object is short-lived: one handler makes
// it, opens a key, does a few things and lets it go.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "registry/backend.h"
#include "registry/change_recorder.h"
#include "registry/key_path.h"

namespace quillet {

class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EOleRegistrationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class ValueKind { Text, ExpandText, Number, Binary, Other };

using NameList = std::vector<std::string>;

class RegistryStore {
 public:
  explicit RegistryStore(RegistryBackend& backend = DefaultRegistry());
  ~RegistryStore();
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  void SetRoot(RegRoot root);
  RegRoot Root() const { return root_; }
  bool Open(const std::string& path, bool may_create);
  void Close();
  bool MakeKey(const std::string& path);
  bool EraseKey(const std::string& path);
  bool HasKey(const std::string& path);
  void SubkeyNames(NameList& list);
  void ValueNames(NameList& list);
  ValueKind GetValueKind(const std::string& name);
  std::string ReadText(const std::string& name);
  void WriteText(const std::string& name, const std::string& text);
  std::int32_t ReadNumber(const std::string& name);
  void WriteNumber(const std::string& name, std::int32_t value);
  // Any kind of value, as a .reg file may hold it; failure as for WriteText.
  void WriteValue(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data);
  bool EraseValue(const std::string& name);

  bool HasCurrentKey() const { return current_ != 0; }
  const std::string& CurrentPath() const { return current_path_; }
  RegHandle CurrentKey() const { return current_; }

 private:
  // Where a path starts from and what it names below that, empty components dropped.
  struct Resolved {
    RegHandle base;
    std::string path;
    bool relative;  // relative to the current key
  };
  Resolved Resolve(const std::string& path) const;
  void CloseCurrent();
  // The recorder of the action in progress, when it records this store's backend.
  ChangeRecorder* Recorder() const;
  // A resolved path from the root, and the current key's: what the recorder names keys by.
  std::string FromRoot(const Resolved& r) const;
  std::string CurrentFromRoot() const;
  long CreateResolved(const Resolved& r, RegHandle* key);
  // `shown` is the key's path from the root while an action is recorded, else empty.
  bool EraseResolved(RegHandle base, const std::string& path, ChangeRecorder* recorder,
                     const std::string& shown, bool top);

  RegistryBackend& backend_;
  RegRoot root_ = kCurrentUser;
  RegHandle current_ = 0;
  std::string current_path_;
};

// One-shot routines: each makes a fresh store, sets its root, does one thing and lets it go.
bool ListSubkeys(RegRoot root, const std::string& path, NameList& list);
bool ListValues(RegRoot root, const std::string& path, NameList& list);
bool KeyExistsAt(RegRoot root, const std::string& path);
bool CreateKeyAt(RegRoot root, const std::string& path);
bool DeleteKeyAt(RegRoot root, const std::string& path);
std::string ReadMachineText(const std::string& path, const std::string& name);
std::string ReadClassesText(const std::string& path, const std::string& name);
std::string ReadUserText(const std::string& path, const std::string& name);
bool WriteMachineText(const std::string& path, const std::string& name, const std::string& text);
std::int32_t ReadDword(RegRoot root, const std::string& path, const std::string& name);
bool WriteDword(RegRoot root, const std::string& path, const std::string& name, std::int32_t value);
bool RemoveValue(RegRoot root, const std::string& path, const std::string& name);
void RegisterText(RegRoot root, const std::string& path, const std::string& name,
                  const std::string& text);
void RegisterText(RegRoot root, const std::string& path, const std::string& name,
                  const std::string& text, RegistryBackend& backend);

// The general forms behind the named routines above, for a root the caller chooses.
bool WriteTextAt(RegRoot root, const std::string& path, const std::string& name,
                 const std::string& text);

// Conversions of the text and numbers the registry holds.
std::string FlagText(std::int32_t flag);
std::string DecimalText(std::int64_t value);
std::int32_t DecimalValue(const std::string& text);

}  // namespace quillet
