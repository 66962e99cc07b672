#include "registry/reg_file.h"

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillet {

namespace {

constexpr const char* kHeader4 = "REGEDIT4";
constexpr const char* kHeader5 = "Windows Registry Editor Version 5.00";
constexpr size_t kMaxKeyNameLength = 255;

// UTF-16LE to the program's 8-bit text: code points that fit in a byte stay, others become "?".
std::string NarrowUtf16(const std::uint8_t* p, size_t bytes) {
  std::string out;
  out.reserve(bytes / 2);
  for (size_t i = 0; i + 1 < bytes; i += 2) {
    const unsigned cu = p[i] | (unsigned{p[i + 1]} << 8);
    out += cu < 256 ? static_cast<char>(cu) : '?';
  }
  return out;
}

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

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char a = s[i], b = prefix[i];
    if (a >= 'a' && a <= 'z') a -= 32;
    if (b >= 'a' && b <= 'z') b -= 32;
    if (a != b) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseRoot(std::string_view name, RegRoot* root) {
  struct {
    std::string_view name;
    RegRoot root;
  } const roots[] = {{"HKEY_LOCAL_MACHINE", kLocalMachine}, {"HKLM", kLocalMachine},
                     {"HKEY_CURRENT_USER", kCurrentUser},   {"HKCU", kCurrentUser},
                     {"HKEY_CLASSES_ROOT", kClassesRoot},   {"HKCR", kClassesRoot}};
  for (const auto& r : roots) {
    if (name.size() == r.name.size() && StartsWithNoCase(name, r.name)) {
      *root = r.root;
      return true;
    }
  }
  return false;
}

class Parser {
 public:
  Parser(std::string_view text, bool unicode, RegFileSink& sink)
      : lines_(SplitLines(text)), unicode_(unicode), sink_(sink) {}

  void Run() {
    size_t i = 0;
    while (i < lines_.size() && Trim(lines_[i]).empty()) ++i;
    if (i == lines_.size()) Fail(1, "the file is empty");
    const std::string_view header = Trim(lines_[i]);
    if (header != kHeader4 && header != kHeader5)
      Fail(static_cast<int>(i + 1), "not a registry file (expected REGEDIT4)");
    std::string joined;
    for (++i; i < lines_.size(); ++i) {
      line_no_ = static_cast<int>(i + 1);
      std::string_view line = Trim(lines_[i]);
      if (line.empty() || line[0] == ';' || line[0] == '#') continue;
      if (line[0] == '[') {
        KeyLine(line);
        continue;
      }
      // Hex data may go on over lines that end with a backslash.
      if (line.back() == '\\' && i + 1 < lines_.size() && LooksLikeHex(line)) {
        joined.assign(line);
        while (!joined.empty() && joined.back() == '\\' && i + 1 < lines_.size()) {
          joined.pop_back();
          joined += Trim(lines_[++i]);
        }
        line = joined;
      }
      ValueLine(line);
    }
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& what) { throw RegFileError(line, what); }
  [[noreturn]] void Fail(const std::string& what) { Fail(line_no_, what); }

  static bool LooksLikeHex(std::string_view line) {
    for (size_t i = 0; i + 4 <= line.size(); ++i)
      if (line[i] == '=' && StartsWithNoCase(line.substr(i + 1), "hex")) return true;
    return false;
  }

  void KeyLine(std::string_view line) {
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos || close < 1) Fail("a key line must end with ]");
    std::string_view body = line.substr(1, close - 1);
    bool remove = false;
    if (!body.empty() && body[0] == '-') {
      remove = true;
      body.remove_prefix(1);
    }
    const size_t slash = body.find('\\');
    const std::string_view root_name = body.substr(0, slash);
    RegRoot root;
    if (!ParseRoot(root_name, &root)) Fail("unknown root key \"" + std::string(root_name) + "\"");
    std::string path;
    if (slash != std::string_view::npos) {
      size_t p = slash + 1;
      while (p <= body.size()) {
        size_t end = body.find('\\', p);
        if (end == std::string_view::npos) end = body.size();
        if (end > p) {
          if (end - p > kMaxKeyNameLength) Fail("key name longer than 255 characters");
          if (!path.empty()) path += '\\';
          path.append(body.substr(p, end - p));
        }
        p = end + 1;
      }
    }
    // After a removal, values that follow have no key to go to until the next header.
    have_key_ = !remove;
    if (remove) {
      sink_.DeleteKey(root, path, line_no_);
    } else {
      sink_.Key(root, path, line_no_);
    }
  }

  // A quoted string starting at `pos` (at the opening quote); returns the text, moves `pos` past
  // the closing quote.
  std::string Quoted(std::string_view line, size_t& pos) {
    // Most texts hold no escapes: take them whole.
    const size_t stop = line.find_first_of("\\\"", pos + 1);
    if (stop != std::string_view::npos && line[stop] == '"') {
      std::string out(line.substr(pos + 1, stop - pos - 1));
      pos = stop + 1;
      return out;
    }
    std::string out;
    for (size_t i = pos + 1; i < line.size(); ++i) {
      const char c = line[i];
      if (c == '\\' && i + 1 < line.size()) {
        const char n = line[++i];
        if (n == '\\' || n == '"') {
          out += n;
        } else if (n == 'n') {
          out += '\n';
        } else if (n == '0') {
          out += '\0';
        } else {
          out += '\\';
          out += n;
        }
      } else if (c == '"') {
        pos = i + 1;
        return out;
      } else {
        out += c;
      }
    }
    Fail("a quoted text is not closed");
  }

  void ValueLine(std::string_view line) {
    if (!have_key_) Fail("a value must follow a key line");
    RegFileValue value;
    size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (line[0] == '"') {
      value.name = Quoted(line, pos);
    } else {
      Fail("expected a key line, a value line or a comment");
    }
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (pos >= line.size() || line[pos] != '=') Fail("expected = after the value name");
    ++pos;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    const std::string_view data = line.substr(pos);

    if (data == "-") {
      sink_.DeleteValue(value.name, line_no_);
      return;
    }
    if (!data.empty() && data[0] == '"') {
      size_t p = 0;
      const std::string text = Quoted(data, p);
      if (!Trim(data.substr(p)).empty()) Fail("unexpected text after the closing quote");
      value.type = kTypeSz;
      value.data.reserve(text.size() + 1);
      value.data.assign(text.begin(), text.end());
      value.data.push_back(0);
    } else if (StartsWithNoCase(data, "dword:")) {
      const std::string_view digits = Trim(data.substr(6));
      if (digits.empty() || digits.size() > 8) Fail("a dword needs one to eight hex digits");
      std::uint32_t v = 0;
      for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0) Fail("a dword needs one to eight hex digits");
        v = (v << 4) | static_cast<std::uint32_t>(d);
      }
      value.type = kTypeDword;
      value.data = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                    static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    } else if (StartsWithNoCase(data, "hex")) {
      size_t p = 3;
      value.type = kTypeBinary;
      if (p < data.size() && data[p] == '(') {
        const size_t close = data.find(')', p);
        if (close == std::string_view::npos || close == p + 1 || close - p > 9)
          Fail("hex( needs a type number and )");
        std::uint32_t t = 0;
        for (size_t k = p + 1; k < close; ++k) {
          const int d = HexDigit(data[k]);
          if (d < 0) Fail("bad type number in hex(...)");
          t = (t << 4) | static_cast<std::uint32_t>(d);
        }
        value.type = t;
        p = close + 1;
      }
      if (p >= data.size() || data[p] != ':') Fail("expected : after hex");
      HexBytes(data.substr(p + 1), value.data);
      if (unicode_ && (value.type == kTypeSz || value.type == kTypeExpandSz ||
                       value.type == kTypeMultiSz)) {
        const std::string narrow = NarrowUtf16(value.data.data(), value.data.size());
        value.data.assign(narrow.begin(), narrow.end());
      }
    } else {
      Fail("unrecognised value data");
    }
    sink_.Value(std::move(value), line_no_);
  }

  void HexBytes(std::string_view text, std::vector<std::uint8_t>& bytes) {
    bytes.reserve(text.size() / 3 + 1);
    size_t i = 0;
    auto skip = [&] {
      while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    skip();
    while (i < text.size()) {
      const int hi = HexDigit(text[i]);
      const int lo = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
      if (hi < 0) Fail("bad hex byte");
      if (lo < 0) {
        bytes.push_back(static_cast<std::uint8_t>(hi));
        ++i;
      } else {
        bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
        i += 2;
      }
      skip();
      if (i < text.size()) {
        if (text[i] != ',') Fail("hex bytes are separated by commas");
        ++i;
        skip();
      }
    }
  }

  std::vector<std::string_view> lines_;
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
    if (c == '\\' || c == '"') out += '\\';
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
    const std::string narrow = NarrowUtf16(p + 2, bytes.size() - 2);
    Parser(narrow, true, sink).Run();
    return;
  }
  const size_t skip = (bytes.size() >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) ? 3 : 0;
  Parser(std::string_view(bytes).substr(skip), false, sink).Run();
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
