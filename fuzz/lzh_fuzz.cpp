// The decoder on any bytes (with a small size limit so runs stay fast), and the encoder's
// output decoding back to its input.
#include <cstdlib>
#include <cstring>

#include "skin/lzh.h"

using quillet::skin::ElzhException;
using quillet::skin::TLZH;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const auto out = TLZH::Decode(data, size, 1u << 16);
    if (size >= 4 && out.size() != (data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24)))
      std::abort();
  } catch (const ElzhException&) {
  }
  const auto packed = TLZH::Encode(data, size);
  const auto back = TLZH::Decode(packed);
  if (back.size() != size || (size && std::memcmp(back.data(), data, size) != 0)) std::abort();
  return 0;
}
