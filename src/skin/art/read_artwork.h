// The elements of a skin drawn from code, read as a skin file's would be, without packing it.
#pragma once

#include "skin/art/skin_art.h"
#include "skin/elements.h"

namespace quillet::skin::art {

// `system` says the DPI the artwork was drawn for.
TSkinElements ReadSkinArtwork(const SkinArtwork& art, const SkinSystem& system = DefaultSkinSystem());

}  // namespace quillet::skin::art
