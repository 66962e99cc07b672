#pragma once
// The .reg text format that regedit imports and exports.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "registry/backend.h"

namespace quillet {

class RegFileError : public std::runtime_error {
 public:
  RegFileError(int line, const std::string& what)
      : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

struct RegFileValue {
  std::string name;
  std::uint32_t type = kTypeSz;
  std::vector<std::uint8_t> data;
};

// One step of a .reg file, in file order.
struct RegFileOp {
  enum Kind { Key, DeleteKey, Value, DeleteValue } kind = Key;
  RegRoot root = kCurrentUser;
  std::string path;    // below the root, components joined by single backslashes
  RegFileValue value;  // for Value; for DeleteValue only the name
  int line = 0;
};

// Receives the steps of a .reg file as the parser reads them.
class RegFileSink {
 public:
  virtual ~RegFileSink() = default;
  virtual void Key(RegRoot root, const std::string& path, int line) = 0;
  virtual void DeleteKey(RegRoot root, const std::string& path, int line) = 0;
  virtual void Value(RegFileValue&& value, int line) = 0;  // in the last key
  virtual void DeleteValue(const std::string& name, int line) = 0;
};

// The same steps with names, paths and data as views that last only for the call: no copies for
// a reader that keeps what it needs in its own form. Text data ends with its NUL, as stored.
class RegTextSink {
 public:
  virtual ~RegTextSink() = default;
  virtual void Key(RegRoot root, std::string_view path, int line) = 0;
  virtual void DeleteKey(RegRoot root, std::string_view path, int line) = 0;
  virtual void Value(std::string_view name, std::uint32_t type, std::string_view data, int line) = 0;
  virtual void DeleteValue(std::string_view name, int line) = 0;
};

// What a parse saw at the end of the text.
struct RegTextEnd {
  // The last value goes on past the end (a line ending in a continuing backslash): a line added
  // after the text would be read as more of its data.
  bool value_continues = false;
};

// Parses what regedit imports: REGEDIT4 and "Windows Registry Editor Version 5.00" text, 8-bit or
// UTF-16LE with its byte-order mark (UTF-8 with its mark too), and the older REGEDIT form. Wide
// text is brought to the ANSI code page. Raises RegFileError with the line of the first key or
// value line regedit would leave out.
RegTextEnd ParseRegText(std::string_view bytes, RegTextSink& sink);
// The same for the next `size` bytes of an open file, read `piece` bytes at a time (more for a
// longer line); tests make pieces small.
RegTextEnd ParseRegFile(std::FILE* file, std::uint64_t size, RegTextSink& sink,
                        std::size_t piece = 256 * 1024);
void ParseRegFile(const std::string& bytes, RegFileSink& sink);
std::vector<RegFileOp> ParseRegFile(const std::string& bytes);

const char* RootName(RegRoot root);

// Writer pieces: a key header and one value line, with CR LF. Long hex data is wrapped as regedit
// wraps it unless `wrap` is false, which keeps every value on one line.
void AppendKeyHeader(std::string& out, RegRoot root, std::string_view path);
void AppendValueLine(std::string& out, const RegFileValue& value);
void AppendValueLine(std::string& out, std::string_view name, std::uint32_t type,
                     std::string_view data, bool wrap = true);
// A value's removal: "name"=- with CR LF.
void AppendValueRemoval(std::string& out, std::string_view name);

// A file written beside its path and renamed over it only when whole, so a crash never leaves
// half a file. Raises std::runtime_error on failure; the temporary goes when not committed.
class AtomicFile {
 public:
  explicit AtomicFile(const std::string& path);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  void Write(std::string_view bytes);
  void Commit();
  std::uint64_t Size() const { return size_; }

 private:
  std::string path_, temp_;
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
};

// Writes the text to a temporary file beside the path and renames it over the path, so a crash
// never leaves half a file. Raises std::runtime_error on failure.
void WriteFileAtomically(const std::string& path, std::string_view text);
std::string ReadWholeFileBytes(const std::string& path, bool* exists);

}  // namespace quillet
