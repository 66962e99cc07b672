// LZHUF: LZSS with adaptive Huffman coding of bytes and match lengths and a static code for
// the upper six bits of match positions. Skins travel in this format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillet::skin {

class ElzhException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TLZH {
 public:
  static constexpr int N = 4096;            // ring buffer
  static constexpr int F = 60;              // longest match
  static constexpr int THRESHOLD = 2;       // shortest match is THRESHOLD + 1
  static constexpr int N_CHAR = 256 - THRESHOLD + F;  // 314 codes
  static constexpr int T = N_CHAR * 2 - 1;  // 627 tree nodes
  static constexpr int R = T - 1;           // root
  static constexpr unsigned MAX_FREQ = 0x8000;

  // Larger sizes are refused: a skin is a few hundred kilobytes, and a damaged size field must
  // not make us write gigabytes of zero-bit output.
  static constexpr std::uint32_t kDefaultMaxSize = 64u << 20;

  // Reads the 32-bit size S and the bit stream, returns S bytes. Past the end of the source
  // the stream reads as zero bits. Throws ElzhException when S exceeds maxSize.
  static std::vector<std::uint8_t> Decode(const std::uint8_t* src, std::size_t size,
                                          std::uint32_t maxSize = kDefaultMaxSize);
  static std::vector<std::uint8_t> Decode(const std::vector<std::uint8_t>& src,
                                          std::uint32_t maxSize = kDefaultMaxSize) {
    return Decode(src.data(), src.size(), maxSize);
  }

  // The published position tables: upper six bits and code length by first byte.
  static int DCode(int byte);
  static int DLen(int byte);

  // Writes the size and the bit stream that Decode reads back.
  static std::vector<std::uint8_t> Encode(const std::uint8_t* src, std::size_t size);
  static std::vector<std::uint8_t> Encode(const std::vector<std::uint8_t>& src) {
    return Encode(src.data(), src.size());
  }
};

}  // namespace quillet::skin
