// Text helpers shared by the archive and INI readers. Letter case is folded for ASCII only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet::skin {

std::string AsciiLower(std::string s);
std::string AsciiUpper(std::string s);
bool EqualNoCase(std::string_view a, std::string_view b);
// Drops spaces and control characters at both ends.
std::string Trim(std::string_view s);
// Lines split at CR, LF or CR LF; a final line break adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace quillet::skin
