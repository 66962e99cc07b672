// Text helpers shared by the archive and INI readers. Letter case is folded for ASCII only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace quillet::skin {

using base::AsciiLower;
using base::AsciiUpper;
using base::EqualNoCase;
// Drops spaces and control characters at both ends.
std::string Trim(std::string_view s);
// Lines split at CR, LF or CR LF; a final line break adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace quillet::skin
