#pragma once
// Letter case folded for ASCII only, as the registry, the skin's INI text and the toolkit's names
// compare them; other bytes compare as they are.

#include <string>
#include <string_view>

namespace quillet::base {

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
std::string AsciiLower(std::string s);
std::string AsciiUpper(std::string s);

bool EqualNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
// Orders as the registry sorts names: letters folded to upper case, then byte by byte (so "_"
// sorts after letters), a name before the longer names it begins.
int CompareNoCase(std::string_view a, std::string_view b);

}  // namespace quillet::base
