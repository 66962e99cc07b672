// The text encodings a .reg file comes in, brought to the 8-bit text the registry's ANSI calls take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

// UTF-16 text in the ANSI code page (Windows-1252 off Windows), "?" for what it lacks.
std::string NarrowWide(const std::u16string& wide);
// Little-endian UTF-16 bytes, narrowed the same way; an odd last byte is dropped.
std::string NarrowUtf16Bytes(const std::uint8_t* p, size_t bytes);
// UTF-8 as UTF-16; a malformed sequence becomes U+FFFD.
std::u16string WideFromUtf8(std::string_view s);

}  // namespace quillet
