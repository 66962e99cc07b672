#pragma once
// An icon location: a file, optionally followed by a comma and an icon index.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quillet::creator {

// A text that is not a whole number where one is needed.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A signed 32-bit integer: an optional "-", then decimal digits, or hexadecimal digits after
// "0x" (after a "-" also after "$" or "x"). Anything else, trailing text or a value out of range
// raises "'%s' is not a valid integer value".
std::int32_t ParseIconIndex(const std::string& text);

struct IconLocation {
  std::string file;
  std::int32_t index = 0;
};

// Cut at the first comma only when a sign or digit follows it; otherwise the whole text is the
// file (names may hold commas) and the index is 0.
IconLocation SplitIconLocation(const std::string& text);

}  // namespace quillet::creator
