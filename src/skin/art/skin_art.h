// Quillet's own skin, drawn from code at any DPI: every bitmap the skin names and its INI text.
// At a DPI of d every picture and every length of the INI text is MulDiv of the 96-DPI one, so
// that the skin drawn at d reads as the 96-DPI skin scaled, only drawn crisp.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "skin/bitmap.h"

namespace quillet::skin::art {

struct SkinArtwork {
  std::string iniName;  // "quillet.ini"
  std::string ini;
  std::vector<std::pair<std::string, Bitmap32>> bitmaps;
};

SkinArtwork DrawQuilletSkin(int dpi = 96);

// The archive (INI first, then the bitmaps as 24-bit files), as it is before compression.
std::vector<std::uint8_t> ArchiveSkin(const SkinArtwork& art);
// The archive compressed: a skin file's bytes.
std::vector<std::uint8_t> PackSkin(const SkinArtwork& art);

}  // namespace quillet::skin::art
