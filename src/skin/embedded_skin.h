// Quillet's own skin, built into the executable as the main window's stored skin: the bytes of
// the stored property (a 32-bit length, then the raw stream), ready for
// TSkinDataCore::ReadSkinStream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quillet::skin {

// The resource that holds it (RCDATA).
constexpr const char* kEmbeddedSkinResource = "QUILLETSKIN";

#ifdef _WIN32
// The bytes as they lie in the module's resources (no copy; valid while the module is loaded).
// Empty when the module carries no skin.
std::span<const std::uint8_t> EmbeddedSkinStream();
#endif

}  // namespace quillet::skin
