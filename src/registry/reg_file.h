#pragma once
// The .reg text format that regedit imports and exports.

#include <cstdint>
#include <stdexcept>
#include <string>
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

// Parses what regedit imports: REGEDIT4 and "Windows Registry Editor Version 5.00" text, 8-bit or
// UTF-16LE with its byte-order mark (UTF-8 with its mark too), and the older REGEDIT form. Wide
// text is brought to the ANSI code page. Raises RegFileError with the line of the first key or
// value line regedit would leave out.
void ParseRegFile(const std::string& bytes, RegFileSink& sink);
std::vector<RegFileOp> ParseRegFile(const std::string& bytes);

const char* RootName(RegRoot root);

// Writer pieces: a key header and one value line, with CR LF.
void AppendKeyHeader(std::string& out, RegRoot root, const std::string& path);
void AppendValueLine(std::string& out, const RegFileValue& value);

// Writes the text to a temporary file beside the path and renames it over the path, so a crash
// never leaves half a file. Raises std::runtime_error on failure.
void WriteFileAtomically(const std::string& path, const std::string& text);
std::string ReadWholeFileBytes(const std::string& path, bool* exists);

}  // namespace quillet
