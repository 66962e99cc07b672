#include "registry/reg_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "base/text.h"
#include "registry/reg_encoding.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quillet {

namespace {

constexpr std::string_view kHeader31 = "REGEDIT";
constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;

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

struct HexDigits {
  signed char value[256];
  constexpr HexDigits() : value() {
    for (int i = 0; i < 256; ++i) value[i] = -1;
    for (int i = 0; i < 10; ++i) value['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
      value['a' + i] = static_cast<signed char>(10 + i);
      value['A' + i] = static_cast<signed char>(10 + i);
    }
  }
};
constexpr HexDigits kHexDigits;

int HexDigit(char c) { return kHexDigits.value[static_cast<unsigned char>(c)]; }

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

// Where the line from `p` ends: at the first CR, LF or NUL, or at `end`. Sixteen bytes at a time
// where the processor can: finding its lines takes a good part of reading a large file.
const char* LineEnd(const char* p, const char* end) {
#ifdef __SSE2__
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), nul = _mm_setzero_si128();
  for (; end - p >= 16; p += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int hits = _mm_movemask_epi8(_mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)), _mm_cmpeq_epi8(v, nul)));
    if (hits) return p + __builtin_ctz(static_cast<unsigned>(hits));
  }
#endif
  while (p < end && *p != '\r' && *p != '\n' && *p != '\0') ++p;
  return p;
}

// The first quote or backslash from `p`, or `end`; sixteen bytes at a time where the processor
// can, as texts are most of a file.
const char* QuoteOrBackslash(const char* p, const char* end) {
#ifdef __SSE2__
  const __m128i quote = _mm_set1_epi8('"'), backslash = _mm_set1_epi8('\\');
  for (; end - p >= 16; p += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int hits =
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, backslash)));
    if (hits) return p + __builtin_ctz(static_cast<unsigned>(hits));
  }
#endif
  while (p < end && *p != '"' && *p != '\\') ++p;
  return p;
}

// Reads a .reg file with regedit's meaning. Where regedit would leave a key or value line out
// (a typing error, data it cannot store), the file is refused at that line instead, so that a
// file kept by the program is never saved back without it. Lines that are neither keys nor values
// are passed over as regedit passes over them: comments and stray text alike.
// Lines are taken one at a time and names and data handed on as views, with scratch buffers kept
// across lines: a large file then loads at close to the speed its bytes are read.
class Parser {
 public:
  // The whole text at once.
  Parser(std::string_view text, bool unicode, RegTextSink& sink)
      : text_(text), unicode_(unicode), sink_(sink) {}
  // `left` bytes of a file from where it stands, read in pieces: a large file is then never in
  // memory whole, and the piece being read stays in the processor's cache.
  Parser(std::FILE* file, std::uint64_t left, size_t piece, RegTextSink& sink)
      : file_(file), left_(left), piece_(std::max<size_t>(piece, 1)), unicode_(false), sink_(sink) {}

  RegTextEnd Run() {
    std::string_view line;
    if (!TakeLine(&line)) throw RegFileError(1, "the file is empty");
    const std::string_view header = line.substr(SkipBlanks(line, 0));
    const bool win31 = header == kHeader31;
    if (!win31 && header != kHeader4 && header != kHeader5) {
      if (SkipBlanks(line, 0) == line.size() && RestIsBlank()) Fail("the file is empty");
      Fail("not a registry file (its first line must be REGEDIT4)");
    }
    while (TakeLine(&line)) {
      if (win31) {
        Win31Line(line);
      } else {
        Line(line);
      }
    }
    return end_;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) { throw RegFileError(line_no_, what); }

  // Reads on, keeping what is from pos_ on; false when there is no more.
  bool Refill() {
    if (!file_ || left_ == 0) return false;
    if (keep_ && keep_->data() != name_.data()) *keep_ = name_.assign(*keep_);
    const size_t keep = text_.size() - pos_;
    if (capacity_ == 0 || keep > capacity_ / 2) {
      // The first piece, or a line as long as half of one: room for more of it.
      const size_t capacity =
          capacity_ ? 2 * capacity_ : static_cast<size_t>(std::min<std::uint64_t>(piece_, left_));
      std::unique_ptr<char[]> bigger(new char[capacity]);
      if (keep) std::memcpy(bigger.get(), text_.data() + pos_, keep);
      buffer_ = std::move(bigger);
      capacity_ = capacity;
    } else if (keep) {
      std::memmove(buffer_.get(), text_.data() + pos_, keep);
    }
    const size_t want = static_cast<size_t>(std::min<std::uint64_t>(capacity_ - keep, left_));
    const size_t got = std::fread(buffer_.get() + keep, 1, want, file_);
    left_ = got < want ? 0 : left_ - got;
    text_ = std::string_view(buffer_.get(), keep + got);
    pos_ = 0;
    return got > 0;
  }

  // The next line, ended by CR, LF or CR LF; false at the end of the text. Views of earlier
  // lines may go with it.
  bool TakeLine(std::string_view* line) {
    for (;;) {
      const char* const begin = text_.data() + pos_;
      const char* const end = text_.data() + text_.size();
      const size_t size = text_.size();
      const size_t stop = static_cast<size_t>(LineEnd(begin, end) - text_.data());
      // The line, or its CR LF, may go on in the next piece.
      if ((stop == size || (stop + 1 == size && text_[stop] == '\r')) && Refill()) continue;
      if (pos_ == size) return false;
      ++line_no_;
      // regedit loses what follows a NUL on its line and beyond; no meaning to keep.
      if (stop != size && text_[stop] == '\0') Fail("the line holds a NUL character");
      *line = std::string_view(text_.data() + pos_, stop - pos_);
      pos_ = stop == size ? size
                          : stop + (stop + 1 < size && text_[stop] == '\r' && text_[stop + 1] == '\n' ? 2 : 1);
      return true;
    }
  }

  // Nothing but blanks and line ends from here to the end.
  bool RestIsBlank() {
    do {
      if (text_.find_first_not_of(" \t\r\n", pos_) != std::string_view::npos) return false;
      pos_ = text_.size();
    } while (Refill());
    return true;
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
    const std::string_view path = KeyName(line.substr(0, key_end), &root);
    sink_.Key(root, path, line_no_);
    data_.assign(line.substr(v));
    data_ += '\0';
    sink_.Value({}, kTypeSz, data_, line_no_);
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
    const std::string_view path = KeyName(body, &root);
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
  std::string_view KeyName(std::string_view name, RegRoot* root) {
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
    // Spelled as written here, mostly.
    const auto* found = std::find_if(std::begin(kRoots), std::end(kRoots),
                                     [&](const auto& r) { return r.name == root_name; });
    if (found == std::end(kRoots))
      found = std::find_if(std::begin(kRoots), std::end(kRoots),
                           [&](const auto& r) { return base::EqualNoCase(r.name, root_name); });
    if (found == std::end(kRoots)) Fail("unknown root key \"" + std::string(root_name) + "\"");
    if (found->root == 0) Fail("the root key " + std::string(found->name) + " is not kept here");
    *root = found->root;
    if (slash == std::string_view::npos) return {};
    const std::string_view below = name.substr(slash + 1);
    // Most paths have no empty component and are handed on as they stand.
    bool clean = true;
    for (size_t start = 0; start <= below.size();) {
      size_t end = below.find('\\', start);
      if (end == std::string_view::npos) end = below.size();
      if (end - start > kMaxKeyNameLength) Fail("key name longer than 255 characters");
      clean = clean && end > start;
      start = end + 1;
    }
    if (clean) return below;
    path_.clear();
    for (size_t start = 0; start < below.size();) {
      size_t end = below.find('\\', start);
      if (end == std::string_view::npos) end = below.size();
      if (end > start) {
        if (!path_.empty()) path_ += '\\';
        path_.append(below.substr(start, end - start));
      }
      start = end + 1;
    }
    return path_;
  }

  // A quoted text from just after its opening quote: sets `out` (a view into `s`, or into
  // `scratch` when the text holds escapes) and `after` past the closing quote, or names what is
  // wrong.
  static const char* Unquote(std::string_view s, size_t pos, std::string& scratch,
                             std::string_view* out, size_t* after) {
    const size_t stop = static_cast<size_t>(QuoteOrBackslash(s.data() + pos, s.data() + s.size()) - s.data());
    if (stop < s.size() && s[stop] == '"') {
      *out = s.substr(pos, stop - pos);
      *after = stop + 1;
      return nullptr;
    }
    scratch.assign(s.substr(pos, stop - pos));
    for (size_t i = stop; i < s.size(); ++i) {
      const char c = s[i];
      if (c == '"') {
        *out = scratch;
        *after = i + 1;
        return nullptr;
      }
      if (c != '\\') {
        scratch += c;
        continue;
      }
      if (++i == s.size()) break;
      switch (s[i]) {
        case 'n': scratch += '\n'; break;
        case 'r': scratch += '\r'; break;
        case '0': return "a quoted text may not hold \\0";
        default: scratch += s[i]; break;  // \\ and \", and any other letter stands for itself
      }
    }
    return "a quoted text is not closed";
  }

  // The line from its "@" or opening quote.
  void ValueLine(std::string_view line) {
    if (!have_key_) Fail("a value must follow a key line");
    const int first_line = line_no_;
    std::string_view name;
    size_t pos = 1;
    if (line[0] == '"') {
      if (const char* error = Unquote(line, 1, name_, &name, &pos)) Fail(error);
      if (name.size() > kMaxValueNameLength) Fail("value name longer than 16383 characters");
    }
    pos = SkipBlanks(line, pos);
    if (pos == line.size() || line[pos] != '=') Fail("expected = after the value name");
    const std::string_view data = TrimRightBlanks(line.substr(SkipBlanks(line, pos + 1)));

    if (!data.empty() && data[0] == '-') {
      if (!EndsHere(data, 1)) Fail("unexpected text after =-");
      sink_.DeleteValue(name, first_line);
      return;
    }
    std::uint32_t type = kTypeSz;
    if (!data.empty() && data[0] == '"') {
      std::string_view text;
      size_t after = 0;
      if (const char* error = Unquote(data, 1, text_scratch_, &text, &after)) Fail(error);
      if (!EndsHere(data, after)) Fail("unexpected text after the closing quote");
      data_.assign(text);
      data_ += '\0';
    } else if (data.substr(0, 6) == "dword:") {
      type = kTypeDword;
      Dword(data.substr(6));
    } else if (data.substr(0, 4) == "hex:") {
      type = kTypeBinary;
      HexData(data.substr(4), type, &name);
    } else if (data.substr(0, 4) == "hex(") {
      const std::string_view rest = data.substr(4);
      const Number n = ReadNumber(rest, 0);
      if (rest.empty() || (rest.size() > 1 && (rest[1] == 'x' || rest[1] == 'X')) ||
          n.overflow || n.end + 1 >= rest.size() || rest[n.end] != ')' || rest[n.end + 1] != ':')
        Fail("hex( needs a type number and ):");
      type = n.value;
      HexData(rest.substr(n.end + 2), type, &name);
    } else {
      Fail("unrecognised value data");
    }
    sink_.Value(name, type, data_, first_line);
  }

  void Dword(std::string_view text) {
    const size_t begin = SkipBlanks(text, 0);
    size_t end = begin;
    std::uint32_t v = 0;
    for (; end < text.size() && HexDigit(text[end]) >= 0; ++end)
      v = (v << 4) | static_cast<std::uint32_t>(HexDigit(text[end]));
    if (begin == text.size() || end - begin > 8 || !EndsHere(text, end))
      Fail("a dword needs one to eight hex digits");
    data_.assign({static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                  static_cast<char>(v >> 24)});
  }

  enum class HexEnd { Done, Continued, Bad };

  // Comma-separated bytes; a backslash after a comma continues them on the next line.
  static HexEnd HexList(std::string_view s, std::string& out, size_t* rest) {
    // Room for every byte the line can hold, each at least a digit and a comma.
    const size_t had = out.size();
    out.resize(had + s.size() / 2 + 1);
    char* const first = out.data() + had;
    char* p = first;
    const HexEnd end = HexBytes(s, p, rest);
    out.resize(had + static_cast<size_t>(p - first));
    return end;
  }

  static HexEnd HexBytes(std::string_view s, char*& out, size_t* rest) {
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
      // Most bytes are two digits and a comma.
      while (i + 5 < n) {
        const int high = HexDigit(s[i]), low = HexDigit(s[i + 1]);
        const int high2 = HexDigit(s[i + 3]), low2 = HexDigit(s[i + 4]);
        if ((high | low | high2 | low2) < 0 || s[i + 2] != ',' || s[i + 5] != ',') break;
        out[0] = static_cast<char>(high << 4 | low);
        out[1] = static_cast<char>(high2 << 4 | low2);
        out += 2;
        i += 6;
      }
      while (i + 2 < n) {
        const int high = HexDigit(s[i]), low = HexDigit(s[i + 1]);
        if ((high | low) < 0 || s[i + 2] != ',') break;
        *out++ = static_cast<char>(high << 4 | low);
        i += 3;
      }
      if (i >= n) break;
      if (i + 2 == n && HexDigit(s[i]) >= 0 && HexDigit(s[i + 1]) >= 0) {
        *out++ = static_cast<char>(HexDigit(s[i]) << 4 | HexDigit(s[i + 1]));
        break;
      }
      if (s[i] == '\\') {
        *rest = i + 1;
        return HexEnd::Continued;
      }
      const Number num = ReadNumber(s, i);
      if (!num.read) {
        const size_t k = SkipBlanks(s, i);
        if (k < n && s[k] == '\\') {
          *rest = k + 1;
          return HexEnd::Continued;
        }
        return k < n && s[k] == ';' ? HexEnd::Done : HexEnd::Bad;
      }
      if (num.overflow || num.value > 0xFF) return HexEnd::Bad;
      *out++ = static_cast<char>(num.value);
      if (num.end < n && s[num.end] != ',') return EndsHere(s, num.end) ? HexEnd::Done : HexEnd::Bad;
      i = num.end + 1;
    }
    return HexEnd::Done;
  }

  // `name` is kept where reading the next lines cannot take it.
  void HexData(std::string_view text, std::uint32_t type, std::string_view* name) {
    data_.clear();
    data_.reserve(text.size() / 3 + 1);
    const bool empty = text.empty();
    for (;;) {
      size_t rest = 0;
      const HexEnd end = HexList(text, data_, &rest);
      if (end == HexEnd::Bad) Fail("hex data is bytes of one or two hex digits separated by commas");
      if (end == HexEnd::Done) break;
      if (!EndsHere(text, rest)) Fail("unexpected text after the continuing backslash");
      keep_ = name;
      const auto next = NextHexLine();
      keep_ = nullptr;
      if (!next) {
        end_.value_continues = true;
        break;  // the file ended: what was read stands
      }
      text = *next;
    }
    // Texts are stored wide by regedit, ending with a NUL it adds when missing.
    if (empty || !IsTextType(type)) return;
    if (unicode_)
      data_ = NarrowUtf16Bytes(reinterpret_cast<const std::uint8_t*>(data_.data()), data_.size());
    if (data_.empty() || data_.back() != 0) data_ += '\0';
  }

  // The next line that goes on with hex bytes; blank and ";" lines between are passed over.
  std::optional<std::string_view> NextHexLine() {
    std::string_view line;
    while (TakeLine(&line)) {
      const size_t k = SkipBlanks(line, 0);
      if (k == line.size() || line[k] == ';') continue;
      if (HexDigit(line[k]) < 0) Fail("a continued hex value must go on with hex bytes");
      return line.substr(k);
    }
    return std::nullopt;
  }

  std::string_view text_;  // the text, or the piece of the file read
  size_t pos_ = 0;         // where the next line begins
  std::FILE* file_ = nullptr;
  std::uint64_t left_ = 0;  // of the file, not yet read
  size_t piece_ = 0;
  std::unique_ptr<char[]> buffer_;
  size_t capacity_ = 0;
  std::string_view* keep_ = nullptr;  // a view Refill moves out of the buffer first
  bool unicode_;
  RegTextSink& sink_;
  int line_no_ = 0;
  bool have_key_ = false;
  RegTextEnd end_;
  std::string path_, name_, text_scratch_, data_;
};

// Hands the steps on as copies, to a sink that keeps them.
class CopyingSink : public RegTextSink {
 public:
  explicit CopyingSink(RegFileSink& sink) : sink_(sink) {}
  void Key(RegRoot root, std::string_view path, int line) override {
    sink_.Key(root, std::string(path), line);
  }
  void DeleteKey(RegRoot root, std::string_view path, int line) override {
    sink_.DeleteKey(root, std::string(path), line);
  }
  void Value(std::string_view name, std::uint32_t type, std::string_view data, int line) override {
    sink_.Value(RegFileValue{std::string(name), type, {data.begin(), data.end()}}, line);
  }
  void DeleteValue(std::string_view name, int line) override {
    sink_.DeleteValue(std::string(name), line);
  }

 private:
  RegFileSink& sink_;
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

}  // namespace

RegTextEnd ParseRegText(std::string_view bytes, RegTextSink& sink) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
  if (bytes.size() >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
    const std::string narrow = NarrowUtf16Bytes(p + 2, bytes.size() - 2);
    return Parser(narrow, true, sink).Run();
  }
  if (bytes.size() >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
    const std::string narrow = NarrowWide(WideFromUtf8(bytes.substr(3)));
    return Parser(narrow, false, sink).Run();
  }
  return Parser(bytes, false, sink).Run();
}

RegTextEnd ParseRegFile(std::FILE* file, std::uint64_t size, RegTextSink& sink, size_t piece) {
  const long start = std::ftell(file);
  unsigned char mark[3] = {};
  const size_t got = std::fread(mark, 1, static_cast<size_t>(std::min<std::uint64_t>(size, 3)), file);
  std::fseek(file, start, SEEK_SET);
  if ((got >= 2 && mark[0] == 0xFF && mark[1] == 0xFE) ||
      (got == 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF)) {
    // Wide text is brought to 8 bits whole.
    std::string bytes(static_cast<size_t>(size), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    return ParseRegText(bytes, sink);
  }
  return Parser(file, size, piece, sink).Run();
}

void ParseRegFile(const std::string& bytes, RegFileSink& sink) {
  CopyingSink copies(sink);
  ParseRegText(bytes, copies);
}

std::vector<RegFileOp> ParseRegFile(const std::string& bytes) {
  OpCollector collector;
  ParseRegFile(bytes, collector);
  return std::move(collector.ops);
}
}  // namespace quillet
