#pragma once
// What one action changes in the registry, kept as the first state of every key and value it
// touches, and the .reg text that puts those states back. The store reports each change to the
// recorder in place before it makes it; the recorder reads what it needs through the handles the
// store already holds, so recording costs few calls of its own.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "registry/backend.h"
#include "registry/reg_file.h"

namespace quillet {

// A key named with its root, as the pages show what they show.
struct RegKeyRef {
  RegRoot root = kCurrentUser;
  std::string path;
};

// True when one key lies at or below the other: a change to either may show in the other.
bool KeysMeet(const RegKeyRef& a, const RegKeyRef& b);
bool AnyKeyMeets(const std::vector<RegKeyRef>& changed, RegRoot root, const std::string& path);

// Something that shows registry keys: after an undo or redo it fills itself again where it shows
// a key that changed. The pages are such views.
class ChangeListener {
 public:
  virtual ~ChangeListener() = default;
  virtual void Refresh(const std::vector<RegKeyRef>& changed) = 0;
};

class ChangeRecorder {
 public:
  explicit ChangeRecorder(RegistryBackend& backend) : backend_(backend) {}
  ChangeRecorder(const ChangeRecorder&) = delete;
  ChangeRecorder& operator=(const ChangeRecorder&) = delete;

  RegistryBackend& Backend() const { return backend_; }

  // Before the key at `path` (from the root, components joined by single backslashes) and the
  // keys above it are made. `open_status` is what opening the key itself answered; the first
  // `known` characters of the path name a key that is there (the open key it is made below).
  // Returns whether any of them is missing, so that a successful create is a change.
  bool BeforeCreate(RegRoot root, const std::string& path, long open_status, std::size_t known = 0);
  // After a key was made where its parent was: only the key itself is new.
  void Made(RegRoot root, const std::string& path);
  // Before the open key `key` at `path` goes, with its `values` values; the erase visits every
  // key of the tree. For the key the erase began at, `base` and `relative` (what it was opened
  // as) let the recorder learn the stored spelling of its name, which an undo must make again.
  // Returns the key's path as stored, for the paths of its subkeys.
  std::string BeforeErase(RegRoot root, const std::string& path, RegHandle key, std::uint32_t values,
                          RegHandle base = 0, const std::string& relative = {});
  // Before a value of the open key at `path` is set to `value`, or removed when `value` is null.
  // Returns whether the write would change what is there.
  bool BeforeValue(RegRoot root, const std::string& path, RegHandle key, const std::string& name,
                   const RegFileValue* value);
  void MarkChanged() { changed_ = true; }
  // Whether the key was missing when the action began, noted so or below a key noted so: what is
  // in it now the action made, so nothing in it has a first state to keep.
  bool New(RegRoot root, const std::string& path) const;

  bool Changed() const { return changed_; }
  // The keys noted as changed (made, removed, or with a value set or removed), each once.
  std::vector<RegKeyRef> Keys() const;
  // REGEDIT4 lines (no header) that bring every noted key and value back to its first state:
  // keys that were made go with "[-...]", keys that went come back with their values, values
  // are set back or removed with "name"=-.
  std::string UndoLines() const;

 private:
  struct KeyNote {
    RegRoot root;
    std::string path;  // as stored where known: an undo makes missing keys with this spelling
    bool existed = false;
    bool restore = false;  // went, or had values touched: the undo names it
  };
  struct ValueNote {
    std::string name;
    bool existed = false;
    RegFileValue before;
  };

  static std::string Id(RegRoot root, const std::string& path);
  KeyNote& NoteKey(RegRoot root, const std::string& path, bool existed);
  bool Exists(RegRoot root, const std::string& path);
  // Looks the name up among the parent's subkeys, which every backend enumerates sorted.
  std::string StoredName(RegHandle parent, const std::string& name);
  void NoteValues(const std::string& key_id, RegHandle key, std::uint32_t count);
  // A key noted as missing at first lies above this one: removing it removes this one too.
  bool UnderMissingKey(std::string_view id) const;

  RegistryBackend& backend_;
  std::map<std::string, KeyNote, std::less<>> keys_;  // by Id: sorted, so a key comes before its subkeys
  std::map<std::string, std::map<std::string, ValueNote>> values_;  // by key Id, then folded name
  bool changed_ = false;
};

// The recorder the store reports to while an action is recorded; null when none is.
ChangeRecorder* ActiveRecorder();
// Puts a recorder in place for one scope.
class ScopedRecorder {
 public:
  explicit ScopedRecorder(ChangeRecorder& recorder);
  ~ScopedRecorder();
  ScopedRecorder(const ScopedRecorder&) = delete;
  ScopedRecorder& operator=(const ScopedRecorder&) = delete;

 private:
  ChangeRecorder* previous_;
};

}  // namespace quillet
