#pragma once
// What a registry backend must do: store and fetch keys and values, nothing more. The meaning of
// paths, recursive erase, value kinds and errors lives once in RegistryStore.

#include <cstdint>
#include <string>
#include <vector>

namespace quillet {

// A root key or a key opened by a backend. Roots use the registry's predefined handle numbers.
using RegHandle = std::uintptr_t;
using RegRoot = RegHandle;

inline constexpr RegRoot kClassesRoot = 0x80000000u;
inline constexpr RegRoot kCurrentUser = 0x80000001u;
inline constexpr RegRoot kLocalMachine = 0x80000002u;

inline constexpr bool IsRoot(RegHandle h) {
  return h == kClassesRoot || h == kCurrentUser || h == kLocalMachine;
}

// Access masks, as the registry defines them.
inline constexpr std::uint32_t kAccessAll = 0xF003F;       // KEY_ALL_ACCESS
inline constexpr std::uint32_t kAccessRead = 0x20009;      // read, query values, enumerate subkeys
inline constexpr std::uint32_t kAccessRegister = 0x2001F;  // read, set values, create subkeys

// Value types, as the registry numbers them.
inline constexpr std::uint32_t kTypeNone = 0;
inline constexpr std::uint32_t kTypeSz = 1;
inline constexpr std::uint32_t kTypeExpandSz = 2;
inline constexpr std::uint32_t kTypeBinary = 3;
inline constexpr std::uint32_t kTypeDword = 4;
inline constexpr std::uint32_t kTypeMultiSz = 7;

// Status codes are the system's error numbers; 0 is success.
inline constexpr long kOk = 0;
inline constexpr long kErrFileNotFound = 2;
inline constexpr long kErrAccessDenied = 5;
inline constexpr long kErrInvalidHandle = 6;
inline constexpr long kErrInvalidParameter = 87;
inline constexpr long kErrMoreData = 234;
inline constexpr long kErrNoMoreItems = 259;
inline constexpr long kErrKeyDeleted = 1018;

struct RegKeyInfo {
  std::uint32_t subkeys = 0;
  std::uint32_t max_subkey_len = 0;
  std::uint32_t values = 0;
  std::uint32_t max_value_name_len = 0;
};

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  // `path` is already resolved: non-empty components joined by single backslashes, or empty for
  // the parent itself.
  virtual long OpenKey(RegHandle parent, const std::string& path, std::uint32_t access,
                       RegHandle* out) = 0;
  // Creates the key and every missing key above it; opens an existing key unchanged.
  virtual long CreateKey(RegHandle parent, const std::string& path, std::uint32_t access,
                         RegHandle* out) = 0;
  // The same, telling whether the key was made; one call where the backend can.
  virtual long CreateKeyTelling(RegHandle parent, const std::string& path, std::uint32_t access, RegHandle* out,
                                bool* made) {
    *made = OpenKey(parent, path, access, out) != kOk;
    return *made ? CreateKey(parent, path, access, out) : kOk;
  }
  virtual long CloseKey(RegHandle key) = 0;
  // Deletes one key that has no subkeys.
  virtual long DeleteKey(RegHandle parent, const std::string& path) = 0;
  virtual long DeleteValue(RegHandle key, const std::string& name) = 0;
  virtual long QueryInfo(RegHandle key, RegKeyInfo* info) = 0;
  virtual long EnumKey(RegHandle key, std::uint32_t index, std::string* name) = 0;
  virtual long EnumValue(RegHandle key, std::uint32_t index, std::string* name) = 0;
  // With `data` null only the type and size are asked for.
  virtual long QueryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                          std::vector<std::uint8_t>* data, std::uint32_t* size) = 0;
  virtual long SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) = 0;
  // A value by its index, with its name, kind and data: one call where the backend can.
  virtual long EnumValueData(RegHandle key, std::uint32_t index, std::string* name, std::uint32_t* type,
                             std::vector<std::uint8_t>* data) {
    const long status = EnumValue(key, index, name);
    std::uint32_t size = 0;
    return status != kOk ? status : QueryValue(key, *name, type, data, &size);
  }
  // The open key's own name as the registry keeps it, where the backend can tell it cheaply.
  virtual long KeyName(RegHandle /*key*/, std::string* /*name*/) { return kErrInvalidParameter; }

  // Called once at the end of every store operation that may have changed something, so that a
  // backend kept in a file can save it.
  virtual void Commit() {}
};

// The backend that stores made without one use: the system registry on Windows, an in-memory
// tree elsewhere. Programs and tests may put another in place.
RegistryBackend& DefaultRegistry();
void SetDefaultRegistry(RegistryBackend* backend);  // null restores the built-in one

// Puts a backend in place for one scope (tests, the sandbox build).
class ScopedRegistry {
 public:
  explicit ScopedRegistry(RegistryBackend& backend);
  ~ScopedRegistry();
  ScopedRegistry(const ScopedRegistry&) = delete;
  ScopedRegistry& operator=(const ScopedRegistry&) = delete;

 private:
  RegistryBackend* previous_;
};

}  // namespace quillet
