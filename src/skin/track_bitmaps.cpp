// The program's own track-bar grooves, for skins that bring none: a sunken 1-pixel channel.
#include "skin/elements.h"

namespace quillet::skin {

Bitmap32 BuiltInTrackBitmap(bool vertical) {
  constexpr int kLong = 12, kShort = 6;
  const Pixel shadow = Rgb(160, 160, 164), dark = Rgb(120, 120, 124), light = Rgb(255, 255, 255),
              inner = Rgb(226, 226, 230);
  Bitmap32 bmp(kLong, kShort, inner);
  for (int x = 0; x < kLong; ++x) {
    bmp.Set(x, 0, shadow);
    bmp.Set(x, 1, dark);
    bmp.Set(x, kShort - 1, light);
  }
  for (int y = 0; y < kShort; ++y) {
    bmp.Set(0, y, shadow);
    bmp.Set(kLong - 1, y, light);
  }
  bmp.Set(0, kShort - 1, light);
  if (!vertical) return bmp;
  Bitmap32 turned(kShort, kLong);
  for (int y = 0; y < kShort; ++y)
    for (int x = 0; x < kLong; ++x) turned.Set(y, x, bmp.At(x, y));
  return turned;
}

}  // namespace quillet::skin
