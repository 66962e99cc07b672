#include "creator/icon_location.h"

namespace quillet::creator {

namespace {

[[noreturn]] void NotAnInteger(const std::string& text) {
  throw EConvertError("'" + text + "' is not a valid integer value");
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::int32_t ParseIconIndex(const std::string& text) {
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;

  bool hex = false;
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  } else if (negative && i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    i += 1;
  }
  if (i >= text.size()) NotAnInteger(text);

  std::uint64_t value = 0;
  if (hex) {
    for (; i < text.size(); ++i) {
      const int d = HexDigit(text[i]);
      if (d < 0) NotAnInteger(text);
      value = value * 16 + static_cast<unsigned>(d);
      if (value > 0xFFFFFFFFull) NotAnInteger(text);
    }
    // Hexadecimal numbers fill all 32 bits; the sign then negates the bit pattern.
    auto bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') NotAnInteger(text);
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) NotAnInteger(text);
  }
  return negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(value))
                  : static_cast<std::int32_t>(value);
}

IconLocation SplitIconLocation(const std::string& text) {
  const auto comma = text.find(',');
  if (comma != std::string::npos && comma + 1 < text.size()) {
    const char next = text[comma + 1];
    if (next == '-' || (next >= '0' && next <= '9'))
      return {text.substr(0, comma), ParseIconIndex(text.substr(comma + 1))};
  }
  return {text, 0};
}

}  // namespace quillet::creator
