// Quillet's own skin, drawn from code: every bitmap the skin names and its INI text.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "skin/bitmap.h"

namespace quillet::skinmaker {

struct SkinArtwork {
  std::string iniName;  // "quillet.ini"
  std::string ini;
  std::vector<std::pair<std::string, skin::Bitmap32>> bitmaps;
};

SkinArtwork DrawQuilletSkin();

// The archive (INI first, then the bitmaps as 24-bit files), compressed: a skin file's bytes.
std::vector<std::uint8_t> PackSkin(const SkinArtwork& art);

}  // namespace quillet::skinmaker
