#include "registry/change_recorder.h"

#include "base/text.h"

namespace quillet {

namespace {

ChangeRecorder* g_active = nullptr;

bool SameValue(const RegFileValue& a, const RegFileValue& b) { return a.type == b.type && a.data == b.data; }

// The path's folded form begins with the other's, ending at a backslash or together.
bool PathWithin(const std::string& inner, const std::string& outer) {
  if (!base::StartsWithNoCase(inner, outer)) return false;
  return inner.size() == outer.size() || outer.empty() || inner[outer.size()] == '\\';
}

std::string Parent(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

bool KeysMeet(const RegKeyRef& a, const RegKeyRef& b) {
  return a.root == b.root && (PathWithin(a.path, b.path) || PathWithin(b.path, a.path));
}

bool AnyKeyMeets(const std::vector<RegKeyRef>& changed, RegRoot root, const std::string& path) {
  const RegKeyRef shown{root, path};
  for (const RegKeyRef& k : changed)
    if (KeysMeet(k, shown)) return true;
  return false;
}

std::string ChangeRecorder::Id(RegRoot root, const std::string& path) {
  // Made for every change the store reports: one allocation.
  std::string id;
  id.reserve(9 + path.size());
  for (int shift = 28; shift >= 0; shift -= 4) id += "0123456789abcdef"[(static_cast<unsigned>(root) >> shift) & 15];
  id += ':';
  id += path;
  return base::AsciiLower(std::move(id));
}

ChangeRecorder::KeyNote& ChangeRecorder::NoteKey(RegRoot root, const std::string& path, bool existed) {
  auto [it, added] = keys_.try_emplace(Id(root, path));
  if (added) it->second = KeyNote{root, path, existed, false};
  return it->second;
}

bool ChangeRecorder::Exists(RegRoot root, const std::string& path) {
  RegHandle key = 0;
  if (backend_.OpenKey(root, path, kAccessRead, &key) != kOk) return false;
  backend_.CloseKey(key);
  return true;
}

bool ChangeRecorder::BeforeCreate(RegRoot root, const std::string& path, long open_status, std::size_t known) {
  if (path.empty()) return false;
  // Refused rather than missing (an account without full rights) is there all the same.
  const bool exists = open_status == kOk || (open_status != kErrFileNotFound && Exists(root, path));
  // A key not noted yet is as it was when the action began: every change to it is noted first.
  if (keys_.count(Id(root, path))) return !exists;
  if (exists) {
    NoteKey(root, path, true);
    return false;
  }
  // Missing: so are the keys above it up to the first one that is there (or noted already).
  std::string missing = path;
  for (;;) {
    NoteKey(root, missing, false);
    const std::string up = Parent(missing);
    if (up.empty() || up.size() <= known || keys_.count(Id(root, up)) || Exists(root, up)) break;
    missing = up;
  }
  return true;
}

void ChangeRecorder::Made(RegRoot root, const std::string& path) {
  NoteKey(root, path, false);
  changed_ = true;
}

std::string ChangeRecorder::StoredName(RegHandle parent, const std::string& name) {
  RegKeyInfo info;
  if (backend_.QueryInfo(parent, &info) != kOk) return name;
  std::uint32_t low = 0, high = info.subkeys;
  std::string found;
  while (low < high) {
    const std::uint32_t mid = low + (high - low) / 2;
    if (backend_.EnumKey(parent, mid, &found) != kOk) break;
    const int order = base::CompareNoCase(found, name);
    if (order == 0) return found;
    if (order < 0) low = mid + 1;
    else high = mid;
  }
  return name;  // an order of another kind: the spelling asked for will do
}

void ChangeRecorder::NoteValues(const std::string& key_id, RegHandle key, std::uint32_t count) {
  if (count == 0) return;
  auto& notes = values_[key_id];
  RegFileValue value;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (backend_.EnumValueData(key, i, &value.name, &value.type, &value.data) != kOk) continue;
    auto [it, added] = notes.try_emplace(base::AsciiLower(value.name));
    if (added) it->second = ValueNote{value.name, true, value};
  }
}

std::string ChangeRecorder::BeforeErase(RegRoot root, const std::string& path, RegHandle key,
                                        std::uint32_t values, RegHandle base, const std::string& relative) {
  // Made by this action: taking the action back removes it whatever it holds, under any spelling.
  if (New(root, path)) return path;
  std::string stored = path, own;
  if (base != 0 && !relative.empty() && backend_.KeyName(key, &own) == kOk &&
      base::EqualNoCase(own, relative.substr(relative.rfind('\\') + 1))) {
    const std::string up = Parent(path);
    stored = up.empty() ? own : up + "\\" + own;
  } else if (base != 0 && !relative.empty()) {
    // The parent is the base itself, or a key below it opened for the look-up alone.
    const std::string within = Parent(relative);
    RegHandle parent = base;
    if (within.empty() || backend_.OpenKey(base, within, kAccessRead, &parent) == kOk) {
      const std::string last = StoredName(parent, relative.substr(within.empty() ? 0 : within.size() + 1));
      if (parent != base) backend_.CloseKey(parent);
      const std::string up = Parent(path);
      stored = up.empty() ? last : up + "\\" + last;
    }
  }
  KeyNote& note = NoteKey(root, stored, true);
  if (note.existed) {
    note.path = stored;
    note.restore = true;
    NoteValues(Id(root, stored), key, values);
  }
  return stored;
}

bool ChangeRecorder::New(RegRoot root, const std::string& path) const {
  const std::string id = Id(root, path);
  const auto it = keys_.find(id);
  return it != keys_.end() ? !it->second.existed : UnderMissingKey(id);
}

bool ChangeRecorder::BeforeValue(RegRoot root, const std::string& path, RegHandle key,
                                 const std::string& name, const RegFileValue* value) {
  std::string id = Id(root, path);
  const auto noted = keys_.find(id);
  // The key's going takes the value with it; making the key marked the action as a change.
  if (noted != keys_.end() ? !noted->second.existed : UnderMissingKey(id)) return true;
  if (noted == keys_.end()) keys_.emplace(id, KeyNote{root, path, true, false});
  auto& notes = values_[std::move(id)];
  auto [it, added] = notes.try_emplace(base::AsciiLower(name));
  ValueNote& v = it->second;
  if (added) {
    v.name = name;
    v.before.name = name;
    std::uint32_t size = 0;
    v.existed = backend_.QueryValue(key, name, &v.before.type, &v.before.data, &size) == kOk;
    if (!value) return v.existed;
    return !v.existed || !SameValue(v.before, *value);
  }
  // Touched before in this action: what is there now is not the first state, so ask again.
  std::uint32_t type = 0, size = 0;
  std::vector<std::uint8_t> data;
  const bool exists = backend_.QueryValue(key, name, &type, &data, &size) == kOk;
  if (!value) return exists;
  return !exists || type != value->type || data != value->data;
}

bool ChangeRecorder::UnderMissingKey(std::string_view id) const {
  // Asked for every key an action makes and again for its record: no copies of the path.
  for (std::size_t slash = id.rfind('\\'); slash != std::string_view::npos && slash > 0;
       slash = id.rfind('\\', slash - 1)) {
    const std::string_view up = id.substr(0, slash);
    const auto it = keys_.find(up);
    if (it != keys_.end() && !it->second.existed) return true;
  }
  return false;
}

std::vector<RegKeyRef> ChangeRecorder::Keys() const {
  std::vector<RegKeyRef> out;
  for (const auto& [id, note] : keys_) {
    // Removing a key that was missing removes all below it.
    if (UnderMissingKey(id)) continue;
    if (!note.existed || note.restore || values_.count(id)) out.push_back({note.root, note.path});
  }
  return out;
}

std::string ChangeRecorder::UndoLines() const {
  std::string out;
  for (const auto& [id, note] : keys_) {
    if (UnderMissingKey(id)) continue;
    if (!note.existed) {
      out += "[-";
      out += RootName(note.root);
      out += '\\';
      out += note.path;
      out += "]\r\n\r\n";
      continue;
    }
    const auto values = values_.find(id);
    if (!note.restore && values == values_.end()) continue;
    AppendKeyHeader(out, note.root, note.path);
    if (values != values_.end()) {
      for (const auto& [folded, v] : values->second) {
        if (v.existed) {
          AppendValueLine(out, v.before);
        } else {
          // The writer's own quoting for the name, with the removal mark for data.
          AppendValueLine(out, RegFileValue{v.name, kTypeSz, {0}});
          out.resize(out.size() - 4);  // the empty text "" and its line end
          out += "-\r\n";
        }
      }
    }
    out += "\r\n";
  }
  return out;
}

ChangeRecorder* ActiveRecorder() { return g_active; }

ScopedRecorder::ScopedRecorder(ChangeRecorder& recorder) : previous_(g_active) { g_active = &recorder; }

ScopedRecorder::~ScopedRecorder() { g_active = previous_; }

}  // namespace quillet
