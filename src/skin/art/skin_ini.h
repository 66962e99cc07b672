// The INI text of Quillet's own skin.
#pragma once

#include <string>

namespace quillet::skin::art {

// The skin's INI text with every length in pixels at `dpi` (MulDiv of the 96-DPI one), with CR LF
// line ends, as INI files on Windows have them.
std::string QuilletSkinIni(int dpi);

}  // namespace quillet::skin::art
