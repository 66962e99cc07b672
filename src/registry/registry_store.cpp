#include "registry/registry_store.h"

#include <cstring>

namespace quillet {

namespace {

std::string DropLeadingBackslash(const std::string& path) {
  return (!path.empty() && path.front() == '\\') ? path.substr(1) : path;
}

[[noreturn]] void ThrowSetFailed(const std::string& name) {
  throw ERegistryException("Failed to set data for '" + name + "'");
}

[[noreturn]] void ThrowGetFailed(const std::string& name) {
  throw ERegistryException("Failed to get data for '" + name + "'");
}

[[noreturn]] void ThrowInvalidType(const std::string& name) {
  throw ERegistryException("Invalid data type for '" + name + "'");
}

ValueKind KindOfType(std::uint32_t type) {
  switch (type) {
    case kTypeSz: return ValueKind::Text;
    case kTypeExpandSz: return ValueKind::ExpandText;
    case kTypeDword: return ValueKind::Number;
    case kTypeBinary: return ValueKind::Binary;
    default: return ValueKind::Other;
  }
}

}  // namespace

RegistryStore::RegistryStore(RegistryBackend& backend) : backend_(backend) {}

RegistryStore::~RegistryStore() { CloseCurrent(); }

void RegistryStore::CloseCurrent() {
  if (current_ != 0) backend_.CloseKey(current_);
  current_ = 0;
}

void RegistryStore::SetRoot(RegRoot root) {
  if (root == root_) return;
  root_ = root;
  Close();
}

RegistryStore::Resolved RegistryStore::Resolve(const std::string& path) const {
  const bool absolute = !path.empty() && path.front() == '\\';
  const bool relative = !absolute && current_ != 0;
  return Resolved{relative ? current_ : root_, NormalizeRegPath(path), relative};
}

ChangeRecorder* RegistryStore::Recorder() const {
  ChangeRecorder* recorder = ActiveRecorder();
  return recorder && &recorder->Backend() == &backend_ ? recorder : nullptr;
}

std::string RegistryStore::FromRoot(const Resolved& r) const {
  return r.relative ? NormalizeRegPath(current_path_ + "\\" + r.path) : r.path;
}

std::string RegistryStore::CurrentFromRoot() const { return NormalizeRegPath(current_path_); }

long RegistryStore::CreateResolved(const Resolved& r, RegHandle* key) {
  ChangeRecorder* recorder = Recorder();
  if (!recorder) return backend_.CreateKey(r.base, r.path, kAccessAll, key);
  const std::string path = FromRoot(r);
  if (recorder->New(root_, path)) {
    // Below a key the action made, only what it made itself can be there: nothing to look up.
    const long status = backend_.CreateKey(r.base, r.path, kAccessAll, key);
    if (status == kOk) recorder->MarkChanged();
    return status;
  }
  if (r.relative && r.path.find('\\') == std::string::npos) {
    // A name below the open key: the create itself tells whether it made the key.
    bool made = false;
    const long status = backend_.CreateKeyTelling(r.base, r.path, kAccessAll, key, &made);
    if (status == kOk && made) recorder->Made(root_, path);
    return status;
  }
  // While recording, an existing key is opened as the create would open it, which tells that
  // nothing is made; only for a missing one does the recorder look further.
  const long opened = backend_.OpenKey(r.base, r.path, kAccessAll, key);
  if (opened == kOk) return kOk;
  // Below an open key, that key at least is there.
  const std::size_t known = r.relative ? CurrentFromRoot().size() : 0;
  const bool makes = recorder->BeforeCreate(root_, path, opened, known);
  const long status = backend_.CreateKey(r.base, r.path, kAccessAll, key);
  if (status == kOk && makes) recorder->MarkChanged();
  return status;
}

bool RegistryStore::Open(const std::string& path, bool may_create) {
  const Resolved r = Resolve(path);
  RegHandle key = 0;
  const bool create = may_create && !r.path.empty();
  const long status = create ? CreateResolved(r, &key) : backend_.OpenKey(r.base, r.path, kAccessAll, &key);
  if (create) backend_.Commit();
  if (status != kOk) return false;
  std::string new_path = r.relative ? current_path_ + "\\" + path : DropLeadingBackslash(path);
  CloseCurrent();
  current_ = key;
  current_path_ = std::move(new_path);
  return true;
}

void RegistryStore::Close() {
  CloseCurrent();
  current_path_.clear();
}

bool RegistryStore::MakeKey(const std::string& path) {
  const Resolved r = Resolve(path);
  RegHandle key = 0;
  const long status = CreateResolved(r, &key);
  backend_.Commit();
  if (status != kOk) throw ERegistryException("Failed to create key " + path);
  backend_.CloseKey(key);
  return true;
}

bool RegistryStore::EraseResolved(RegHandle base, const std::string& path, ChangeRecorder* recorder,
                                  const std::string& shown, bool top) {
  RegHandle key = 0;
  if (backend_.OpenKey(base, path, kAccessAll, &key) == kOk) {
    const RegHandle saved = current_;
    current_ = key;
    RegKeyInfo info;
    const bool listed = backend_.QueryInfo(key, &info) == kOk;
    const std::string here = shown.empty() ? shown
                                           : recorder->BeforeErase(root_, shown, key, listed ? info.values : 0,
                                                                   top ? base : 0, top ? path : "");
    if (listed) {
      std::string name;
      for (std::uint32_t i = info.subkeys; i-- > 0;) {
        if (backend_.EnumKey(key, i, &name) != kOk) continue;
        const std::string child = NormalizeRegPath(name);
        EraseResolved(key, child, recorder, here.empty() ? here : here + "\\" + child, false);
      }
    }
    current_ = saved;
    backend_.CloseKey(key);
  }
  const bool deleted = backend_.DeleteKey(base, path) == kOk;
  if (deleted && !shown.empty()) recorder->MarkChanged();
  return deleted;
}

bool RegistryStore::EraseKey(const std::string& path) {
  const Resolved r = Resolve(path);
  ChangeRecorder* recorder = Recorder();
  const std::string shown = recorder ? FromRoot(r) : std::string();
  const bool erased = EraseResolved(r.base, r.path, recorder, shown, true);
  backend_.Commit();
  return erased;
}

bool RegistryStore::HasKey(const std::string& path) {
  const Resolved r = Resolve(path);
  RegHandle key = 0;
  if (backend_.OpenKey(r.base, r.path, kAccessRead, &key) != kOk) return false;
  backend_.CloseKey(key);
  return true;
}

void RegistryStore::SubkeyNames(NameList& list) {
  list.clear();
  RegKeyInfo info;
  if (current_ == 0 || backend_.QueryInfo(current_, &info) != kOk) return;
  list.reserve(info.subkeys);
  std::string name;
  for (std::uint32_t i = 0; i < info.subkeys; ++i)
    if (backend_.EnumKey(current_, i, &name) == kOk) list.push_back(name);
}

void RegistryStore::ValueNames(NameList& list) {
  list.clear();
  RegKeyInfo info;
  if (current_ == 0 || backend_.QueryInfo(current_, &info) != kOk) return;
  list.reserve(info.values);
  std::string name;
  for (std::uint32_t i = 0; i < info.values; ++i)
    if (backend_.EnumValue(current_, i, &name) == kOk) list.push_back(name);
}

ValueKind RegistryStore::GetValueKind(const std::string& name) {
  std::uint32_t type = 0, size = 0;
  if (current_ == 0 || backend_.QueryValue(current_, name, &type, nullptr, &size) != kOk)
    return ValueKind::Other;
  return KindOfType(type);
}

std::string RegistryStore::ReadText(const std::string& name) {
  if (current_ == 0) return {};
  // Size and data in one call where the data fits; a failure is then told apart from a missing or
  // empty value by asking for the size alone.
  std::uint32_t type = 0, size = 0;
  std::vector<std::uint8_t> data;
  if (backend_.QueryValue(current_, name, &type, &data, &size) != kOk) {
    if (backend_.QueryValue(current_, name, &type, nullptr, &size) != kOk || size == 0) return {};
    ThrowGetFailed(name);
  }
  if (data.empty()) return {};
  if (type != kTypeSz && type != kTypeExpandSz) ThrowInvalidType(name);
  const auto* bytes = reinterpret_cast<const char*>(data.data());
  return std::string(bytes, strnlen(bytes, data.size()));
}

void RegistryStore::WriteValue(const std::string& name, std::uint32_t type,
                               const std::vector<std::uint8_t>& data) {
  if (current_ == 0) ThrowSetFailed(name);
  ChangeRecorder* recorder = Recorder();
  bool changes = false;
  if (recorder) {
    const RegFileValue value{name, type, data};
    changes = recorder->BeforeValue(root_, CurrentFromRoot(), current_, name, &value);
  }
  const long status = backend_.SetValue(current_, name, type, data.data(),
                                        static_cast<std::uint32_t>(data.size()));
  backend_.Commit();
  if (status != kOk) ThrowSetFailed(name);
  if (changes) recorder->MarkChanged();
}

void RegistryStore::WriteText(const std::string& name, const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  WriteValue(name, kTypeSz, data);
}

std::int32_t RegistryStore::ReadNumber(const std::string& name) {
  std::uint32_t type = 0, size = 0;
  std::vector<std::uint8_t> data;
  if (current_ == 0 || backend_.QueryValue(current_, name, &type, &data, &size) != kOk ||
      data.size() > 4)
    ThrowGetFailed(name);
  if (type != kTypeDword) ThrowInvalidType(name);
  std::uint32_t value = 0;
  for (size_t i = 0; i < data.size(); ++i) value |= std::uint32_t{data[i]} << (8 * i);
  return static_cast<std::int32_t>(value);
}

void RegistryStore::WriteNumber(const std::string& name, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  WriteValue(name, kTypeDword,
             {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
              static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)});
}

bool RegistryStore::EraseValue(const std::string& name) {
  if (current_ == 0) return false;
  ChangeRecorder* recorder = Recorder();
  const bool present = recorder && recorder->BeforeValue(root_, CurrentFromRoot(), current_, name, nullptr);
  const bool erased = backend_.DeleteValue(current_, name) == kOk;
  backend_.Commit();
  if (erased && present) recorder->MarkChanged();
  return erased;
}

// One-shot routines.

namespace {

std::string ReadTextAt(RegRoot root, const std::string& path, const std::string& name) {
  std::string result;
  RegistryStore store;
  store.SetRoot(root);
  if (store.Open(path, false)) result = store.ReadText(name);
  return result;
}

}  // namespace

bool ListSubkeys(RegRoot root, const std::string& path, NameList& list) {
  RegistryStore store;
  store.SetRoot(root);
  list.clear();
  if (store.Open(path, false)) store.SubkeyNames(list);
  return true;
}

bool ListValues(RegRoot root, const std::string& path, NameList& list) {
  RegistryStore store;
  store.SetRoot(root);
  list.clear();
  if (store.Open(path, false)) store.ValueNames(list);
  return true;
}

bool KeyExistsAt(RegRoot root, const std::string& path) {
  RegistryStore store;
  store.SetRoot(root);
  return store.HasKey(path);
}

bool CreateKeyAt(RegRoot root, const std::string& path) {
  RegistryStore store;
  store.SetRoot(root);
  return store.MakeKey(path);
}

bool DeleteKeyAt(RegRoot root, const std::string& path) {
  RegistryStore store;
  store.SetRoot(root);
  store.EraseKey(path);
  return true;
}

std::string ReadMachineText(const std::string& path, const std::string& name) {
  return ReadTextAt(kLocalMachine, path, name);
}

std::string ReadClassesText(const std::string& path, const std::string& name) {
  return ReadTextAt(kClassesRoot, path, name);
}

std::string ReadUserText(const std::string& path, const std::string& name) {
  return ReadTextAt(kCurrentUser, path, name);
}

bool WriteTextAt(RegRoot root, const std::string& path, const std::string& name,
                 const std::string& text) {
  RegistryStore store;
  store.SetRoot(root);
  store.Open(path, true);
  store.WriteText(name, text);  // raises when the open failed: there is no current key
  return true;
}

bool WriteMachineText(const std::string& path, const std::string& name, const std::string& text) {
  return WriteTextAt(kLocalMachine, path, name, text);
}

std::int32_t ReadDword(RegRoot root, const std::string& path, const std::string& name) {
  RegistryStore store;
  store.SetRoot(root);
  if (store.Open(path, false) && store.GetValueKind(name) == ValueKind::Number)
    return store.ReadNumber(name);
  return 0;
}

bool WriteDword(RegRoot root, const std::string& path, const std::string& name,
                std::int32_t value) {
  RegistryStore store;
  store.SetRoot(root);
  store.Open(path, true);
  store.WriteNumber(name, value);
  return true;
}

bool RemoveValue(RegRoot root, const std::string& path, const std::string& name) {
  RegistryStore store;
  store.SetRoot(root);
  if (store.Open(path, false)) store.EraseValue(name);
  return true;
}

void RegisterText(RegRoot root, const std::string& path, const std::string& name,
                  const std::string& text, RegistryBackend& backend) {
  RegHandle key = 0;
  const long created = backend.CreateKey(root, NormalizeRegPath(path), kAccessRegister, &key);
  long status = created;
  if (created == kOk) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    status = backend.SetValue(key, name, kTypeSz, data.data(),
                              static_cast<std::uint32_t>(data.size()));
    backend.CloseKey(key);
  }
  backend.Commit();
  if (status != kOk) throw EOleRegistrationError("Error creating system registry entry");
}

void RegisterText(RegRoot root, const std::string& path, const std::string& name,
                  const std::string& text) {
  RegisterText(root, path, name, text, DefaultRegistry());
}

// Conversions.

std::string FlagText(std::int32_t flag) { return flag == 0 ? "True" : "False"; }

std::string DecimalText(std::int64_t value) {
  // Negative numbers never come from the registry paths that use this, but must not turn into
  // punctuation either.
  const bool negative = value < 0;
  std::uint64_t n = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string digits;
  while (n > 9) {
    digits += static_cast<char>('0' + n % 10);
    n /= 10;
  }
  digits += static_cast<char>('0' + n);
  if (negative) digits += '-';
  return std::string(digits.rbegin(), digits.rend());
}

std::int32_t DecimalValue(const std::string& text) {
  std::uint32_t result = 0, weight = 1;
  for (auto it = text.rbegin(); it != text.rend(); ++it) {
    if (*it >= '1' && *it <= '9') result += static_cast<std::uint32_t>(*it - '0') * weight;
    weight *= 10;
  }
  return static_cast<std::int32_t>(result);
}

}  // namespace quillet
