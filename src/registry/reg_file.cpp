#include "registry/reg_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "base/text.h"
#include "registry/key_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillet {

namespace {

constexpr std::string_view kHeader31 = "REGEDIT";
constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;

// UTF-16 text as the program's 8-bit calls see it: in the ANSI code page, "?" for what it lacks.
#ifdef _WIN32
std::string NarrowWide(const std::u16string& wide) {
  if (wide.empty()) return {};
  const auto* w = reinterpret_cast<const wchar_t*>(wide.data());
  const int n = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, w, n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, w, n, out.data(), size, nullptr, nullptr);
  return out;
}
#else
// Windows-1252, the code page the program's texts are made in.
char NarrowCodeUnit(char16_t c) {
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  if (c < 0x80 || (c >= 0xA0 && c < 0x100)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

std::string NarrowWide(const std::u16string& wide) {
  std::string out;
  out.reserve(wide.size());
  for (char16_t c : wide) out += NarrowCodeUnit(c);
  return out;
}
#endif

// Little-endian code units; an odd last byte is not a character and is dropped.
std::u16string WideFromBytes(const std::uint8_t* p, size_t bytes) {
  std::u16string out(bytes / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(p[2 * i] | (unsigned{p[2 * i + 1]} << 8));
  return out;
}

std::u16string WideFromUtf8(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int more = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    std::uint32_t cp = more == 0 ? b : more == 1 ? (b & 0x1F) : more == 2 ? (b & 0x0F) : (b & 0x07);
    bool ok = more >= 0 && i + static_cast<size_t>(more) < s.size();
    for (int k = 1; ok && k <= more; ++k) {
      const auto c = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
      ok = (c & 0xC0) == 0x80;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    i += 1 + static_cast<size_t>(more);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

// Lines end at CR, LF or CR LF.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
// The characters C's number parsing skips.
bool IsSpace(char c) { return IsBlank(c) || (c >= '\n' && c <= '\r'); }

size_t SkipBlanks(std::string_view s, size_t i) {
  while (i < s.size() && IsBlank(s[i])) ++i;
  return i;
}

std::string_view TrimRightBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Nothing more on the line but blanks and perhaps a ";" comment.
bool EndsHere(std::string_view s, size_t i) {
  i = SkipBlanks(s, i);
  return i == s.size() || s[i] == ';';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsTextType(std::uint32_t type) {
  return type == kTypeSz || type == kTypeExpandSz || type == kTypeMultiSz;
}

// A hexadecimal number read as C's strtoul reads one for regedit: blanks, a sign and "0x" allowed.
struct Number {
  std::uint32_t value = 0;
  size_t end = 0;  // where reading stopped; where it began when nothing was read
  bool read = false;
  bool overflow = false;
};

Number ReadNumber(std::string_view s, size_t pos) {
  Number n;
  n.end = pos;
  size_t i = pos;
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i + 2 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') &&
      HexDigit(s[i + 2]) >= 0)
    i += 2;
  const size_t digits = i;
  std::uint64_t v = 0;
  for (; i < s.size() && HexDigit(s[i]) >= 0; ++i)
    if (v <= 0xFFFFFFFFu) v = v * 16 + static_cast<unsigned>(HexDigit(s[i]));
  if (i == digits) return n;
  n.read = true;
  n.end = i;
  n.overflow = v > 0xFFFFFFFFu;
  n.value = n.overflow ? 0xFFFFFFFFu : static_cast<std::uint32_t>(negative ? 0u - v : v);
  return n;
}

// Reads a .reg file with regedit's meaning. Where regedit would leave a key or value line out
// (a typing error, data it cannot store), the file is refused at that line instead, so that a
// file kept by the program is never saved back without it. Lines that are neither keys nor values
// are passed over as regedit passes over them: comments and stray text alike.
class Parser {
 public:
  Parser(std::string_view text, bool unicode, RegFileSink& sink)
      : lines_(SplitLines(text)), unicode_(unicode), sink_(sink) {}

  void Run() {
    line_no_ = 1;
    bool blank = true;
    for (std::string_view line : lines_) blank = blank && SkipBlanks(line, 0) == line.size();
    if (blank) Fail("the file is empty");
    const std::string_view first = TakeLine();
    const std::string_view header = first.substr(SkipBlanks(first, 0));
    const bool win31 = header == kHeader31;
    if (!win31 && header != kHeader4 && header != kHeader5)
      Fail("not a registry file (its first line must be REGEDIT4)");
    while (next_ < lines_.size()) {
      const std::string_view line = TakeLine();
      if (win31) {
        Win31Line(line);
      } else {
        Line(line);
      }
    }
  }

 private:
  [[noreturn]] void Fail(const std::string& what) { throw RegFileError(line_no_, what); }

  std::string_view TakeLine() {
    line_no_ = static_cast<int>(next_ + 1);
    const std::string_view line = lines_[next_++];
    // regedit loses what follows a NUL on its line and beyond; no meaning to keep.
    if (line.find('\0') != std::string_view::npos) Fail("the line holds a NUL character");
    return line;
  }

  void Line(std::string_view line) {
    const size_t p = SkipBlanks(line, 0);
    if (p == line.size()) return;
    if (line[p] == '[') {
      KeyLine(line.substr(p + 1));
    } else if (line[p] == '@' || line[p] == '"') {
      ValueLine(line.substr(p));
    }
  }

  // The Windows 3.1 form: "HKEY_CLASSES_ROOT\path [=] text" sets the key's default value.
  void Win31Line(std::string_view line) {
    constexpr std::string_view kRoot = "HKEY_CLASSES_ROOT";
    if (line.substr(0, kRoot.size()) != kRoot) return;
    size_t key_end = 0;
    while (key_end < line.size() && !IsSpace(line[key_end])) ++key_end;
    size_t v = SkipBlanks(line, key_end);
    if (v < line.size() && line[v] == '=') ++v;
    if (v < line.size() && line[v] == ' ') ++v;  // one space only
    RegRoot root;
    const std::string path = KeyName(line.substr(0, key_end), &root);
    sink_.Key(root, path, line_no_);
    RegFileValue value;
    value.data.assign(line.begin() + static_cast<std::ptrdiff_t>(v), line.end());
    value.data.push_back(0);
    sink_.Value(std::move(value), line_no_);
  }

  // The text after "[".
  void KeyLine(std::string_view rest) {
    const size_t close = rest.rfind(']');
    if (close == std::string_view::npos) Fail("a key line must end with ]");
    if (!rest.empty() && IsBlank(rest[0])) Fail("a key line may not have a blank after [");
    std::string_view body = rest.substr(0, close);
    const bool remove = !body.empty() && body[0] == '-';
    if (remove) {
      body.remove_prefix(1);
      if (body.empty() || (body[0] != 'H' && body[0] != 'h')) Fail("expected a key name after [-");
    }
    RegRoot root;
    const std::string path = KeyName(body, &root);
    if (remove && path.empty()) Fail("a root key cannot be deleted");
    // After a removal, values that follow have no key to go to until the next key line.
    have_key_ = !remove;
    if (remove) {
      sink_.DeleteKey(root, path, line_no_);
    } else {
      sink_.Key(root, path, line_no_);
    }
  }

  // A full key name: its root, and the path below with empty components dropped.
  std::string KeyName(std::string_view name, RegRoot* root) {
    static constexpr struct {
      std::string_view name;
      RegRoot root;
    } kRoots[] = {{"HKEY_LOCAL_MACHINE", kLocalMachine},
                  {"HKEY_CURRENT_USER", kCurrentUser},
                  {"HKEY_CLASSES_ROOT", kClassesRoot},
                  {"HKEY_USERS", 0},
                  {"HKEY_CURRENT_CONFIG", 0},
                  {"HKEY_DYN_DATA", 0}};
    const size_t slash = name.find('\\');
    const std::string_view root_name = name.substr(0, slash);
    const auto* found = std::find_if(std::begin(kRoots), std::end(kRoots),
                                     [&](const auto& r) { return base::EqualNoCase(r.name, root_name); });
    if (found == std::end(kRoots)) Fail("unknown root key \"" + std::string(root_name) + "\"");
    if (found->root == 0) Fail("the root key " + std::string(found->name) + " is not kept here");
    *root = found->root;
    std::string path;
    for (std::string_view key : SplitKeyPath(slash == std::string_view::npos ? "" : name.substr(slash + 1))) {
      if (key.size() > kMaxKeyNameLength) Fail("key name longer than 255 characters");
      if (!path.empty()) path += '\\';
      path.append(key);
    }
    return path;
  }

  // A quoted text from just after its opening quote; returns null and sets `after` past the
  // closing quote, or names what is wrong.
  static const char* Unquote(std::string_view s, size_t pos, std::string* out, size_t* after) {
    // Most texts hold no escapes: take them whole.
    const size_t stop = s.find_first_of("\\\"", pos);
    if (stop != std::string_view::npos && s[stop] == '"') {
      out->assign(s.substr(pos, stop - pos));
      *after = stop + 1;
      return nullptr;
    }
    out->clear();
    for (size_t i = pos; i < s.size(); ++i) {
      const char c = s[i];
      if (c == '"') {
        *after = i + 1;
        return nullptr;
      }
      if (c != '\\') {
        *out += c;
        continue;
      }
      if (++i == s.size()) break;
      switch (s[i]) {
        case 'n': *out += '\n'; break;
        case 'r': *out += '\r'; break;
        case '0': return "a quoted text may not hold \\0";
        default: *out += s[i]; break;  // \\ and \", and any other letter stands for itself
      }
    }
    return "a quoted text is not closed";
  }

  // The line from its "@" or opening quote.
  void ValueLine(std::string_view line) {
    if (!have_key_) Fail("a value must follow a key line");
    const int first_line = line_no_;
    RegFileValue value;
    size_t pos = 1;
    if (line[0] == '"') {
      if (const char* error = Unquote(line, 1, &value.name, &pos)) Fail(error);
      if (value.name.size() > kMaxValueNameLength) Fail("value name longer than 16383 characters");
    }
    pos = SkipBlanks(line, pos);
    if (pos == line.size() || line[pos] != '=') Fail("expected = after the value name");
    const std::string_view data = TrimRightBlanks(line.substr(SkipBlanks(line, pos + 1)));

    if (!data.empty() && data[0] == '-') {
      if (!EndsHere(data, 1)) Fail("unexpected text after =-");
      sink_.DeleteValue(value.name, first_line);
      return;
    }
    if (!data.empty() && data[0] == '"') {
      std::string text;
      size_t after = 0;
      if (const char* error = Unquote(data, 1, &text, &after)) Fail(error);
      if (!EndsHere(data, after)) Fail("unexpected text after the closing quote");
      value.type = kTypeSz;
      value.data.reserve(text.size() + 1);
      value.data.assign(text.begin(), text.end());
      value.data.push_back(0);
    } else if (data.substr(0, 6) == "dword:") {
      value.type = kTypeDword;
      value.data = Dword(data.substr(6));
    } else if (data.substr(0, 4) == "hex:") {
      HexData(data.substr(4), kTypeBinary, value);
    } else if (data.substr(0, 4) == "hex(") {
      const std::string_view rest = data.substr(4);
      const Number type = ReadNumber(rest, 0);
      if (rest.empty() || (rest.size() > 1 && (rest[1] == 'x' || rest[1] == 'X')) ||
          type.overflow || type.end + 1 >= rest.size() || rest[type.end] != ')' ||
          rest[type.end + 1] != ':')
        Fail("hex( needs a type number and ):");
      HexData(rest.substr(type.end + 2), type.value, value);
    } else {
      Fail("unrecognised value data");
    }
    sink_.Value(std::move(value), first_line);
  }

  std::vector<std::uint8_t> Dword(std::string_view text) {
    const size_t begin = SkipBlanks(text, 0);
    size_t end = begin;
    std::uint32_t v = 0;
    for (; end < text.size() && HexDigit(text[end]) >= 0; ++end)
      v = (v << 4) | static_cast<std::uint32_t>(HexDigit(text[end]));
    if (begin == text.size() || end - begin > 8 || !EndsHere(text, end))
      Fail("a dword needs one to eight hex digits");
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
  }

  enum class HexEnd { Done, Continued, Bad };

  // Comma-separated bytes; a backslash after a comma continues them on the next line.
  static HexEnd HexList(std::string_view s, std::vector<std::uint8_t>& out, size_t* rest) {
    size_t i = 0;
    while (i < s.size()) {
      const Number n = ReadNumber(s, i);
      if (!n.read) {
        const size_t k = SkipBlanks(s, i);
        if (k < s.size() && s[k] == '\\') {
          *rest = k + 1;
          return HexEnd::Continued;
        }
        return k < s.size() && s[k] == ';' ? HexEnd::Done : HexEnd::Bad;
      }
      if (n.overflow || n.value > 0xFF) return HexEnd::Bad;
      out.push_back(static_cast<std::uint8_t>(n.value));
      if (n.end < s.size() && s[n.end] != ',') return EndsHere(s, n.end) ? HexEnd::Done : HexEnd::Bad;
      i = n.end + 1;
    }
    return HexEnd::Done;
  }

  void HexData(std::string_view text, std::uint32_t type, RegFileValue& value) {
    value.type = type;
    value.data.reserve(text.size() / 3 + 1);
    const bool empty = text.empty();
    for (;;) {
      size_t rest = 0;
      const HexEnd end = HexList(text, value.data, &rest);
      if (end == HexEnd::Bad) Fail("hex data is bytes of one or two hex digits separated by commas");
      if (end == HexEnd::Done) break;
      if (!EndsHere(text, rest)) Fail("unexpected text after the continuing backslash");
      const auto next = NextHexLine();
      if (!next) break;  // the file ended: what was read stands
      text = *next;
    }
    // Texts are stored wide by regedit, ending with a NUL it adds when missing.
    if (empty || !IsTextType(type)) return;
    if (unicode_) {
      const std::string narrow = NarrowWide(WideFromBytes(value.data.data(), value.data.size()));
      value.data.assign(narrow.begin(), narrow.end());
    }
    if (value.data.empty() || value.data.back() != 0) value.data.push_back(0);
  }

  // The next line that goes on with hex bytes; blank and ";" lines between are passed over.
  std::optional<std::string_view> NextHexLine() {
    while (next_ < lines_.size()) {
      const std::string_view line = TakeLine();
      const size_t k = SkipBlanks(line, 0);
      if (k == line.size() || line[k] == ';') continue;
      if (HexDigit(line[k]) < 0) Fail("a continued hex value must go on with hex bytes");
      return line.substr(k);
    }
    return std::nullopt;
  }

  std::vector<std::string_view> lines_;
  size_t next_ = 0;
  bool unicode_;
  RegFileSink& sink_;
  int line_no_ = 0;
  bool have_key_ = false;
};

// Collects the steps into a list, for callers that want them all at once.
class OpCollector : public RegFileSink {
 public:
  void Key(RegRoot root, const std::string& path, int line) override {
    root_ = root;
    path_ = path;
    Push(RegFileOp::Key, line);
  }
  void DeleteKey(RegRoot root, const std::string& path, int line) override {
    root_ = root;
    path_ = path;
    Push(RegFileOp::DeleteKey, line);
  }
  void Value(RegFileValue&& value, int line) override {
    Push(RegFileOp::Value, line).value = std::move(value);
  }
  void DeleteValue(const std::string& name, int line) override {
    Push(RegFileOp::DeleteValue, line).value.name = name;
  }
  std::vector<RegFileOp> ops;

 private:
  RegFileOp& Push(RegFileOp::Kind kind, int line) {
    RegFileOp op;
    op.kind = kind;
    op.root = root_;
    op.path = path_;
    op.line = line;
    ops.push_back(std::move(op));
    return ops.back();
  }
  RegRoot root_ = kCurrentUser;
  std::string path_;
};

void AppendQuoted(std::string& out, const std::string& s) {
  out += '"';
  for (char c : s) {
    if (c == '\\' || c == '"') {
      out += '\\';
    } else if (c == '\n' || c == '\r') {
      out += c == '\n' ? "\\n" : "\\r";
      continue;
    }
    out += c;
  }
  out += '"';
}

// A REG_SZ that reads back unchanged when written as "text".
bool PlainText(const RegFileValue& v) {
  if (v.type != kTypeSz || v.data.empty() || v.data.back() != 0) return false;
  for (size_t i = 0; i + 1 < v.data.size(); ++i) {
    const std::uint8_t c = v.data[i];
    if (c == 0 || c == '\r' || c == '\n') return false;
  }
  return true;
}

}  // namespace

void ParseRegFile(const std::string& bytes, RegFileSink& sink) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
  if (bytes.size() >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
    const std::string narrow = NarrowWide(WideFromBytes(p + 2, bytes.size() - 2));
    Parser(narrow, true, sink).Run();
  } else if (bytes.size() >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
    const std::string narrow = NarrowWide(WideFromUtf8(std::string_view(bytes).substr(3)));
    Parser(narrow, false, sink).Run();
  } else {
    Parser(bytes, false, sink).Run();
  }
}

std::vector<RegFileOp> ParseRegFile(const std::string& bytes) {
  OpCollector collector;
  ParseRegFile(bytes, collector);
  return std::move(collector.ops);
}

const char* RootName(RegRoot root) {
  switch (root) {
    case kLocalMachine: return "HKEY_LOCAL_MACHINE";
    case kCurrentUser: return "HKEY_CURRENT_USER";
    case kClassesRoot: return "HKEY_CLASSES_ROOT";
    default: return "?";
  }
}

void AppendKeyHeader(std::string& out, RegRoot root, const std::string& path) {
  out += '[';
  out += RootName(root);
  if (!path.empty()) {
    out += '\\';
    out += path;
  }
  out += "]\r\n";
}

void AppendValueLine(std::string& out, const RegFileValue& v) {
  const size_t line_start = out.size();
  if (v.name.empty()) {
    out += '@';
  } else {
    AppendQuoted(out, v.name);
  }
  out += '=';
  if (PlainText(v)) {
    AppendQuoted(out, std::string(reinterpret_cast<const char*>(v.data.data()), v.data.size() - 1));
    out += "\r\n";
    return;
  }
  if (v.type == kTypeDword && v.data.size() == 4) {
    char buf[16];
    const std::uint32_t d = v.data[0] | (std::uint32_t{v.data[1]} << 8) |
                            (std::uint32_t{v.data[2]} << 16) | (std::uint32_t{v.data[3]} << 24);
    std::snprintf(buf, sizeof buf, "dword:%08x", d);
    out += buf;
    out += "\r\n";
    return;
  }
  if (v.type == kTypeBinary) {
    out += "hex:";
  } else {
    char buf[24];
    std::snprintf(buf, sizeof buf, "hex(%x):", v.type);
    out += buf;
  }
  // Lines are wrapped as regedit wraps them: at most 80 characters, "\" at the end, two spaces on.
  size_t col = out.size() - line_start;
  static const char kHex[] = "0123456789abcdef";
  for (size_t i = 0; i < v.data.size(); ++i) {
    out += kHex[v.data[i] >> 4];
    out += kHex[v.data[i] & 15];
    col += 2;
    if (i + 1 < v.data.size()) {
      out += ',';
      ++col;
      if (col >= 77) {
        out += "\\\r\n  ";
        col = 2;
      }
    }
  }
  out += "\r\n";
}

namespace {

// C stdio rather than file streams: the streams bring the whole locale machinery into the program.
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::string ReadWholeFileBytes(const std::string& path, bool* exists) {
  File in(std::fopen(path.c_str(), "rb"));
  *exists = in != nullptr;
  if (!in) return {};
  std::string bytes;
  if (std::fseek(in.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(in.get());
    if (size > 0) bytes.reserve(static_cast<size_t>(size));
    std::rewind(in.get());
  }
  char buf[16384];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, in.get())) > 0) bytes.append(buf, got);
  return bytes;
}

void WriteFileAtomically(const std::string& path, const std::string& text) {
  const std::string temp = path + ".tmp";
  File out(std::fopen(temp.c_str(), "wb"));
  if (!out) throw std::runtime_error("Cannot create file \"" + temp + "\"");
  const bool written = std::fwrite(text.data(), 1, text.size(), out.get()) == text.size();
  if (std::fclose(out.release()) != 0 || !written) {
    std::remove(temp.c_str());
    throw std::runtime_error("Cannot write file \"" + temp + "\"");
  }
#ifdef _WIN32
  const bool moved = MoveFileExA(temp.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  const bool moved = std::rename(temp.c_str(), path.c_str()) == 0;
#endif
  if (!moved) {
    std::remove(temp.c_str());
    throw std::runtime_error("Cannot replace file \"" + path + "\"");
  }
}

}  // namespace quillet
