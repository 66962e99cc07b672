#include "registry/kept_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillet {

namespace {

constexpr std::string_view kClosing = ";~change ";
// Linux stops a killed process's write only where it crosses a multiple of this in the file.
constexpr std::uint64_t kPage = 4096;

// FNV-1a of the lines, or of the lines with the first character of each taken as ";".
std::uint64_t Check(std::string_view lines, bool as_comments) {
  std::uint64_t h = 14695981039346656037ull;
  bool line_start = true;
  for (const char c : lines) {
    h = (h ^ static_cast<unsigned char>(as_comments && line_start ? ';' : c)) * 1099511628211ull;
    line_start = c == '\n';
  }
  return h;
}

void PutHex(std::string& out, std::uint64_t v) {
  for (int shift = 60; shift >= 0; shift -= 4) out += "0123456789abcdef"[(v >> shift) & 15];
}

// Reads a number of at most `digits` digits at `at`, ended by `stop`; false when anything else
// is there.
bool TakeNumber(std::string_view s, size_t* at, int base, size_t digits, char stop,
                std::uint64_t* out) {
  size_t i = *at;
  std::uint64_t v = 0;
  while (i < s.size() && s[i] != stop && i - *at < digits) {
    const char c = s[i++];
    const int d = c >= '0' && c <= '9' ? c - '0' : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (d < 0) return false;
    v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
  }
  if (i == *at || i == s.size() || s[i] != stop) return false;
  *at = i + 1;
  *out = v;
  return true;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string ReadAt(std::FILE* f, std::uint64_t at, size_t n) {
  std::string bytes(n, '\0');
  if (std::fseek(f, static_cast<long>(at), SEEK_SET) != 0) return {};
  bytes.resize(std::fread(bytes.data(), 1, n, f));
  return bytes;
}

struct Tail {
  std::uint64_t end;   // what to read: all, or all before a change cut short
  std::uint64_t base;  // how much was written whole
  bool cut = false;
  bool line_ended = false;  // the last byte ends a line
};

// Looks at the end of the file for the closing line of a change and checks the change.
Tail ReadTail(std::FILE* f, std::uint64_t size) {
  Tail tail{size, size};
  const size_t n = static_cast<size_t>(std::min<std::uint64_t>(size, 128));
  const std::string last = ReadAt(f, size - n, n);
  if (last.size() != n || n == 0) return tail;
  tail.line_ended = last.back() == '\r' || last.back() == '\n';
  if (n < 2 || last.substr(n - 2) != "\r\n") return tail;
  const size_t nl = std::string_view(last).substr(0, n - 2).rfind('\n');
  if (nl == std::string::npos) return tail;
  const std::string_view line = std::string_view(last).substr(nl + 1, n - nl - 2);  // with its CR
  if (line.substr(0, kClosing.size()) != kClosing) return tail;
  size_t at = kClosing.size();
  std::uint64_t change_size = 0, base = 0, active = 0, comments = 0;
  if (!TakeNumber(line, &at, 10, 19, ' ', &change_size) ||
      !TakeNumber(line, &at, 10, 19, ' ', &base) || !TakeNumber(line, &at, 16, 16, ' ', &active) ||
      !TakeNumber(line, &at, 16, 16, '\r', &comments) || at != line.size())
    return tail;
  const std::uint64_t line_start = size - n + nl + 1;
  if (change_size >= line_start || base > line_start - change_size) return tail;
  const std::uint64_t begin = line_start - change_size;
  const std::string change = ReadAt(f, begin - 1, static_cast<size_t>(change_size) + 1);
  if (change.size() != change_size + 1 || (change[0] != '\n' && change[0] != '\r')) return tail;
  const std::string_view lines = std::string_view(change).substr(1);
  if (Check(lines, false) == active) {
    tail.base = base;
  } else if (Check(lines, true) == comments) {
    tail.end = begin;
    tail.base = base;
    tail.cut = true;
  }
  return tail;
}

// The file opened to be written in place, each write one call of the system's.
class InPlaceFile {
 public:
  explicit InPlaceFile(const std::string& path) {
#ifdef _WIN32
    handle_ = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) handle_ = nullptr;
#else
    fd_ = open(path.c_str(), O_RDWR | O_CLOEXEC);
#endif
  }
  ~InPlaceFile() { Close(); }
  InPlaceFile(const InPlaceFile&) = delete;
  InPlaceFile& operator=(const InPlaceFile&) = delete;

#ifdef _WIN32
  bool is_open() const { return handle_ != nullptr; }
  bool Size(std::uint64_t* size) const {
    LARGE_INTEGER n;
    if (!GetFileSizeEx(handle_, &n)) return false;
    *size = static_cast<std::uint64_t>(n.QuadPart);
    return true;
  }
  bool WriteAt(std::uint64_t at, std::string_view bytes) {
    if (bytes.size() > MAXDWORD) return false;
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(at);
    where.OffsetHigh = static_cast<DWORD>(at >> 32);
    DWORD written = 0;
    return WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, &where) &&
           written == bytes.size();
  }
  bool Close() {
    const bool closed = !handle_ || CloseHandle(handle_);
    handle_ = nullptr;
    return closed;
  }

 private:
  HANDLE handle_ = nullptr;
#else
  bool is_open() const { return fd_ >= 0; }
  bool Size(std::uint64_t* size) const {
    struct stat st;
    if (fstat(fd_, &st) != 0) return false;
    *size = static_cast<std::uint64_t>(st.st_size);
    return true;
  }
  bool WriteAt(std::uint64_t at, std::string_view bytes) {
    ssize_t written;
    do {
      written = pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(at));
    } while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(bytes.size());
  }
  bool Close() {
    const bool closed = fd_ < 0 || close(fd_) == 0;
    fd_ = -1;
    return closed;
  }

 private:
  int fd_ = -1;
#endif
};

}  // namespace

KeptFile ReadKeptFile(const std::string& path, RegTextSink& sink) {
  KeptFile kept;
  File in(std::fopen(path.c_str(), "rb"));
  if (!in) return kept;
  kept.exists = true;
  if (std::fseek(in.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(in.get());
    if (size > 0) kept.size = static_cast<std::uint64_t>(size);
  }
  const Tail tail = ReadTail(in.get(), kept.size);
  const std::string head = ReadAt(in.get(), 0, 9);
  std::fseek(in.get(), 0, SEEK_SET);
  const RegTextEnd end = ParseRegFile(in.get(), tail.end, sink);
  kept.base = tail.base;
  kept.appendable = !tail.cut && tail.line_ended && !end.value_continues &&
                    (head == "REGEDIT4\r" || head == "REGEDIT4\n");
  return kept;
}

std::uint64_t AppendKeptChange(const KeptFileWrite& write, const KeptFile& file, std::string_view lines) {
  if (lines.empty()) return file.size;
  // A change that fits in a page but would cross into the next starts on the next, behind a
  // comment line that fills the gap, so that even a write Linux stops half-way makes all of it
  // or none.
  std::uint64_t gap = 0;
  if (lines.size() <= kPage && file.size % kPage + lines.size() > kPage) {
    gap = kPage - file.size % kPage;
    if (gap < 3) gap += kPage;  // room for ";" and the line's end
  }
  std::string first;
  if (gap) first = ";" + std::string(static_cast<size_t>(gap) - 3, ' ') + "\r\n";
  first += lines;
  bool line_start = true;
  for (char& c : first) {
    const bool next = c == '\n';
    if (line_start) c = ';';
    line_start = next;
  }
  first += kClosing;
  first += std::to_string(lines.size()) + ' ' + std::to_string(file.base) + ' ';
  PutHex(first, Check(lines, false));
  first += ' ';
  PutHex(first, Check(lines, true));
  first += "\r\n";
  // Each step in one call: the second above all, so that no kill leaves part of the change made.
  if (!write(file.size, first) || !write(file.size + gap, lines))
    throw std::runtime_error("Cannot write the change");
  return file.size + first.size();
}

std::uint64_t AppendKeptChange(const std::string& path, const KeptFile& file, std::string_view lines) {
  if (lines.empty()) return file.size;
  InPlaceFile f(path);
  if (!f.is_open()) throw std::runtime_error("Cannot open file \"" + path + "\"");
  std::uint64_t size = 0;
  if (!f.Size(&size) || size != file.size)
    throw std::runtime_error("The file \"" + path + "\" was changed by another program");
  const std::uint64_t end = AppendKeptChange(
      [&](std::uint64_t at, std::string_view bytes) { return f.WriteAt(at, bytes); }, file, lines);
  if (!f.Close()) throw std::runtime_error("Cannot write file \"" + path + "\"");
  return end;
}

}  // namespace quillet
