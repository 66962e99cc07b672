#include <gtest/gtest.h>

#include <random>
#include <string>

#include "skin/lzh.h"

using quillet::skin::ElzhException;
using quillet::skin::TLZH;

namespace {

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<std::uint8_t> Mixed(std::size_t n, unsigned seed) {
  // Text-like runs, repeats near and far, and noise: every kind of code the format has.
  std::mt19937 rng(seed);
  std::vector<std::uint8_t> out;
  while (out.size() < n) {
    switch (rng() % 4) {
      case 0:
        for (int i = 0, k = rng() % 80; i < k; ++i) out.push_back(static_cast<std::uint8_t>(rng()));
        break;
      case 1:
        out.insert(out.end(), rng() % 200, static_cast<std::uint8_t>(rng()));
        break;
      default:
        if (out.size() > 10) {
          const std::size_t back = 1 + rng() % std::min<std::size_t>(out.size(), 5000);
          const std::size_t len = 3 + rng() % 70;
          for (std::size_t i = 0; i < len; ++i) out.push_back(out[out.size() - back]);
        }
    }
  }
  out.resize(n);
  return out;
}

}  // namespace

TEST(Lzh, PositionTablesAreThePublishedOnes) {
  // Each upper-six-bit value owns 2^(8 - length) first bytes, in order; spot values pin them.
  int expected = 0;
  for (int b = 0; b < 256;) {
    const int code = TLZH::DCode(b), len = TLZH::DLen(b);
    ASSERT_EQ(code, expected);
    for (int i = 0; i < (1 << (8 - len)); ++i, ++b) {
      ASSERT_EQ(TLZH::DCode(b), code);
      ASSERT_EQ(TLZH::DLen(b), len);
    }
    ++expected;
  }
  EXPECT_EQ(expected, 64);
  EXPECT_EQ(TLZH::DCode(0x1F), 0x00);
  EXPECT_EQ(TLZH::DCode(0x20), 0x01);
  EXPECT_EQ(TLZH::DCode(0x50), 0x04);
  EXPECT_EQ(TLZH::DCode(0x90), 0x0C);
  EXPECT_EQ(TLZH::DCode(0xC0), 0x18);
  EXPECT_EQ(TLZH::DCode(0xF0), 0x30);
  EXPECT_EQ(TLZH::DLen(0x4F), 4);
  EXPECT_EQ(TLZH::DLen(0xFF), 8);
}

TEST(Lzh, RoundTripsEveryKindOfInput) {
  for (const auto& input : {Bytes(""), Bytes("a"), Bytes("abcabcabcabcabcabc"), Bytes(std::string(5000, ' ')),
                            Mixed(1000, 1), Mixed(300000, 2)}) {
    const auto packed = TLZH::Encode(input);
    ASSERT_EQ(TLZH::Decode(packed), input) << input.size();
  }
}

TEST(Lzh, SizeFieldAndFirstBits) {
  const auto packed = TLZH::Encode(Bytes("xyz"));
  ASSERT_GE(packed.size(), 5u);
  EXPECT_EQ(packed[0], 3);
  EXPECT_EQ(packed[1] | packed[2] | packed[3], 0);
  // The fresh tree gives every code 8 or 9 bits (314 leaves of equal weight): a literal uses
  // at most 9, so three literals fit in 4 bytes.
  EXPECT_LE(packed.size(), 4u + 4u);
}

TEST(Lzh, FirstLiteralFollowsTheFreshTree) {
  // In the fresh tree (leaves paired in order, parents appended) 'A' sits at the end of the
  // path 1 1 1 0 0 1 1 0 1 from the root, sent most significant bit first.
  const std::vector<std::uint8_t> stream = {1, 0, 0, 0, 0xE6, 0x80};
  EXPECT_EQ(TLZH::Encode(Bytes("A")), stream);
  EXPECT_EQ(TLZH::Decode(stream), Bytes("A"));
}

TEST(Lzh, AMatchBeforeTheStartCopiesTheRingsSpaces) {
  // Code 256 (a 3-byte match, path 1 0 0 0 1 1 0 0), position 0 (prefix 000, then six zero
  // bits): three bytes from just before the write position 4036, all spaces.
  const std::vector<std::uint8_t> stream = {3, 0, 0, 0, 0x8C, 0x00, 0x00};
  EXPECT_EQ(TLZH::Decode(stream), Bytes("   "));
}

TEST(Lzh, InitialRingIsSpacesSoAMatchCanReachBeforeTheStart) {
  // A stream of zero bits: the first code is a literal, later codes may copy from the ring,
  // which begins as spaces. Whatever comes, exactly S bytes come out.
  std::vector<std::uint8_t> zeros = {0x10, 0x27, 0, 0};  // S = 10000, no bits at all
  const auto out = TLZH::Decode(zeros);
  EXPECT_EQ(out.size(), 10000u);
}

TEST(Lzh, TruncatedStreamsDecodeOnZeroBits) {
  const auto input = Mixed(20000, 3);
  auto packed = TLZH::Encode(input);
  const auto whole = packed.size();
  packed.resize(whole / 2);
  const auto out = TLZH::Decode(packed);
  ASSERT_EQ(out.size(), input.size());
  // What was there decodes unchanged up to close to the cut.
  EXPECT_TRUE(std::equal(out.begin(), out.begin() + 1000, input.begin()));
  // Padding with zero bytes is the same as the cut.
  packed.resize(whole + 64, 0);
  packed.resize(whole / 2);
  auto padded = packed;
  padded.resize(whole, 0);
  EXPECT_EQ(TLZH::Decode(padded), out);
}

TEST(Lzh, RefusesAbsurdSizesAndShortInput) {
  std::vector<std::uint8_t> huge = {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3};
  EXPECT_THROW(TLZH::Decode(huge), ElzhException);
  EXPECT_THROW(TLZH::Decode(huge, 1000), ElzhException);
  EXPECT_TRUE(TLZH::Decode(std::vector<std::uint8_t>{1, 0}).empty());
}
