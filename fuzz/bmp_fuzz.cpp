// The bitmap reader on any bytes, and the element painter drawing what it read with margins,
// frames and a rectangle taken from the input.
#include "skin/bitmap.h"
#include "skin/painter.h"

using namespace quillet::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 12) return 0;
  TDataSkinObject e;
  if (!ReadBmp(data + 12, size - 12, e.Bitmap)) return 0;
  auto s8 = [&](int i) { return static_cast<int>(static_cast<std::int8_t>(data[i])); };
  e.LeftWidth = s8(0), e.TopHeight = s8(1), e.RightWidth = s8(2), e.BottomHeight = s8(3);
  e.Tile = data[4] & 1;
  e.Trans = data[4] & 2;
  Bitmap32 dest(64, 48);
  const Rect r{s8(5), s8(6), s8(5) + s8(7), s8(6) + s8(8)};
  DrawElement(dest.View(), r, e, s8(9), s8(10), data[11] & 1);
  DrawBar(dest.View(), r, {&e.Bitmap, s8(9), s8(10), (data[11] & 2) != 0}, s8(0), s8(2), true);
  return 0;
}
