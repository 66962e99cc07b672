// Writing .reg text: key headers and value lines as regedit reads them back.
#include <algorithm>
#include <string_view>

#include "registry/reg_file.h"

namespace quillet {

namespace {

// Room for `n` more bytes at the end of `out`, written through a pointer; Done gives back what
// was not used.
class Room {
 public:
  Room(std::string& out, size_t n) : out_(out), at_(out.size()) { out.resize(at_ + n); }
  char* begin() { return out_.data() + at_; }
  void Done(const char* end) { out_.resize(static_cast<size_t>(end - out_.data())); }

 private:
  std::string& out_;
  size_t at_;
};

constexpr char kHexChars[] = "0123456789abcdef";

// Room needed: 2 + 2 * s.size().
char* PutQuoted(char* p, std::string_view s) {
  *p++ = '"';
  for (char c : s) {
    if (c == '\\' || c == '"' || c == '\n' || c == '\r') {
      *p++ = '\\';
      *p++ = c == '\n' ? 'n' : c == '\r' ? 'r' : c;
    } else {
      *p++ = c;
    }
  }
  *p++ = '"';
  return p;
}

char* PutName(char* p, std::string_view name) {
  if (!name.empty()) return PutQuoted(p, name);
  *p++ = '@';
  return p;
}

// A REG_SZ that reads back unchanged when written as "text".
bool PlainText(std::uint32_t type, std::string_view data) {
  if (type != kTypeSz || data.empty() || data.back() != 0) return false;
  for (size_t i = 0; i + 1 < data.size(); ++i) {
    const char c = data[i];
    if (c == 0 || c == '\r' || c == '\n') return false;
  }
  return true;
}

}  // namespace

const char* RootName(RegRoot root) {
  switch (root) {
    case kLocalMachine: return "HKEY_LOCAL_MACHINE";
    case kCurrentUser: return "HKEY_CURRENT_USER";
    case kClassesRoot: return "HKEY_CLASSES_ROOT";
    default: return "?";
  }
}

void AppendKeyHeader(std::string& out, RegRoot root, std::string_view path) {
  const std::string_view name = RootName(root);
  Room room(out, name.size() + path.size() + 5);
  char* p = room.begin();
  *p++ = '[';
  p = std::copy(name.begin(), name.end(), p);
  if (!path.empty()) {
    *p++ = '\\';
    p = std::copy(path.begin(), path.end(), p);
  }
  p = std::copy_n("]\r\n", 3, p);
  room.Done(p);
}

void AppendValueLine(std::string& out, const RegFileValue& v) {
  AppendValueLine(out, v.name, v.type,
                  {reinterpret_cast<const char*>(v.data.data()), v.data.size()});
}

void AppendValueLine(std::string& out, std::string_view name, std::uint32_t type,
                     std::string_view data, bool wrap) {
  // Every form fits: a quoted name, "hex(ffffffff):", three characters a byte, a wrap every
  // 25 bytes; or the text quoted.
  Room room(out, 2 * name.size() + 4 * data.size() + 40);
  char* const line = room.begin();
  char* p = PutName(line, name);
  *p++ = '=';
  if (PlainText(type, data)) {
    p = PutQuoted(p, data.substr(0, data.size() - 1));
  } else if (type == kTypeDword && data.size() == 4) {
    std::uint32_t d = 0;
    for (int i = 3; i >= 0; --i) d = (d << 8) | static_cast<unsigned char>(data[static_cast<size_t>(i)]);
    p = std::copy_n("dword:", 6, p);
    for (int shift = 28; shift >= 0; shift -= 4) *p++ = kHexChars[(d >> shift) & 15];
  } else {
    if (type == kTypeBinary) {
      p = std::copy_n("hex:", 4, p);
    } else {
      p = std::copy_n("hex(", 4, p);
      int shift = 28;
      while (shift > 0 && (type >> shift) == 0) shift -= 4;
      for (; shift >= 0; shift -= 4) *p++ = kHexChars[(type >> shift) & 15];
      p = std::copy_n("):", 2, p);
    }
    // Lines are wrapped as regedit wraps them: at most 80 characters, "\" at the end, two
    // spaces on.
    size_t col = static_cast<size_t>(p - line);
    for (size_t i = 0; i < data.size(); ++i) {
      const auto b = static_cast<unsigned char>(data[i]);
      *p++ = kHexChars[b >> 4];
      *p++ = kHexChars[b & 15];
      col += 2;
      if (i + 1 < data.size()) {
        *p++ = ',';
        ++col;
        if (wrap && col >= 77) {
          p = std::copy_n("\\\r\n  ", 5, p);
          col = 2;
        }
      }
    }
  }
  *p++ = '\r';
  *p++ = '\n';
  room.Done(p);
}

void AppendValueRemoval(std::string& out, std::string_view name) {
  Room room(out, 2 * name.size() + 6);
  char* p = PutName(room.begin(), name);
  room.Done(std::copy_n("=-\r\n", 4, p));
}

}  // namespace quillet
