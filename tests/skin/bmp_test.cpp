#include <gtest/gtest.h>

#include "skin/bitmap.h"

using namespace quillet::skin;

namespace {

void Put(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x, int n) {
  for (int i = 0; i < n; ++i) v[at + i] = static_cast<std::uint8_t>(x >> (8 * i));
}

// A bitmap file with a 40-byte header, the given palette and rows (as stored).
std::vector<std::uint8_t> File(int w, int h, int bpp, const std::vector<std::uint32_t>& palette,
                               const std::vector<std::uint8_t>& bits, std::uint32_t compression = 0) {
  std::vector<std::uint8_t> v(54 + palette.size() * 4);
  v[0] = 'B', v[1] = 'M';
  Put(v, 10, static_cast<std::uint32_t>(v.size()), 4);
  Put(v, 14, 40, 4);
  Put(v, 18, static_cast<std::uint32_t>(w), 4);
  Put(v, 22, static_cast<std::uint32_t>(h), 4);
  Put(v, 26, 1, 2);
  Put(v, 28, bpp, 2);
  Put(v, 30, compression, 4);
  Put(v, 46, static_cast<std::uint32_t>(palette.size()), 4);
  for (std::size_t i = 0; i < palette.size(); ++i) Put(v, 54 + 4 * i, palette[i], 4);
  v.insert(v.end(), bits.begin(), bits.end());
  return v;
}

}  // namespace

TEST(Bmp, WriteThenReadGivesTheSamePixels) {
  Bitmap32 b(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.Set(x, y, Rgb(x * 50, y * 80, 7));
  const auto file = WriteBmp(b);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file.size(), 54u + 16u * 3);  // rows padded to four bytes
  Bitmap32 back;
  ASSERT_TRUE(ReadBmp(file, back));
  EXPECT_EQ(back, b);
}

TEST(Bmp, PalettedAndTopDownAndBitFields) {
  Bitmap32 b;
  // 1 bit, bottom-up: the first stored row is the bottom one.
  ASSERT_TRUE(ReadBmp(File(3, 2, 1, {0x000000, 0xFFFFFF}, {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0}), b));
  EXPECT_EQ(b.At(0, 1), 0xFFFFFFu);
  EXPECT_EQ(b.At(1, 1), 0u);
  EXPECT_EQ(b.At(1, 0), 0xFFFFFFu);
  // 4 bits, top-down (negative height).
  ASSERT_TRUE(ReadBmp(File(2, -1, 4, {0x112233, 0x445566}, {0x10, 0, 0, 0}), b));
  EXPECT_EQ(b.At(0, 0), 0x445566u);
  EXPECT_EQ(b.At(1, 0), 0x112233u);
  // 8 bits with an index past a short palette reads as black.
  ASSERT_TRUE(ReadBmp(File(2, 1, 8, {0xABCDEF}, {0, 9, 0, 0}), b));
  EXPECT_EQ(b.At(0, 0), 0xABCDEFu);
  EXPECT_EQ(b.At(1, 0), 0u);
  // 16 bits, 5-5-5.
  ASSERT_TRUE(ReadBmp(File(1, 1, 16, {}, {0x1F, 0x7C, 0, 0}), b));
  EXPECT_EQ(b.At(0, 0), Rgb(255, 0, 255));
  // 32 bits with bit fields (masks after the header): red in the low byte.
  auto f = File(1, 1, 32, {0x000000FF, 0x0000FF00, 0x00FF0000}, {0x10, 0x20, 0x30, 0}, 3);
  ASSERT_TRUE(ReadBmp(f, b));
  EXPECT_EQ(b.At(0, 0), Rgb(0x10, 0x20, 0x30));
}

TEST(Bmp, RefusesWhatDoesNotFit) {
  Bitmap32 b(2, 2);
  EXPECT_FALSE(ReadBmp(std::vector<std::uint8_t>{'B', 'M'}, b));
  EXPECT_TRUE(b.Empty());
  EXPECT_FALSE(ReadBmp(File(4, 4, 24, {}, std::vector<std::uint8_t>(47)), b));  // one byte short
  EXPECT_TRUE(ReadBmp(File(4, 4, 24, {}, std::vector<std::uint8_t>(48)), b));
  EXPECT_FALSE(ReadBmp(File(100000, 100000, 1, {0, 0}, {}), b));          // absurd size
  EXPECT_FALSE(ReadBmp(File(1, 1, 8, {}, {0, 0, 0, 0}, 1), b));             // run-length coded
  EXPECT_FALSE(ReadBmp(File(1, 1, 7, {}, {0, 0, 0, 0}), b));                // no such depth
  EXPECT_FALSE(ReadBmp(File(0, 1, 24, {}, {}), b));
  auto badHeader = File(1, 1, 24, {}, {0, 0, 0, 0});
  Put(badHeader, 14, 0xFFFFFF, 4);
  EXPECT_FALSE(ReadBmp(badHeader, b));
}
