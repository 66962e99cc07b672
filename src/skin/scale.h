// Skin pictures at any DPI. Skins are drawn for 96 DPI; a window at another DPI uses each picture
// resampled once to dpi / 96, keeping the parts its painter keeps apart apart.
#pragma once

#include "skin/bitmap.h"
#include "skin/painter.h"

namespace quillet::skin {

// How a painter cuts a picture: its frames, side by side or stacked, and each frame's nine-slice
// margins in the picture's pixels.
struct PictureLayout {
  int frames = 1;
  bool stacked = false;
  Margins margins;
};

// The DPIs skins are scaled to; a DPI outside is taken as the nearest end.
constexpr int kMinSkinDpi = 48, kMaxSkinDpi = 960;
constexpr int ClampSkinDpi(int dpi) { return dpi < kMinSkinDpi ? kMinSkinDpi : dpi > kMaxSkinDpi ? kMaxSkinDpi : dpi; }

// A 96-DPI picture at `dpi`. Each frame becomes MulDiv(frame size, dpi, 96) (at least 1), the
// frames in the same order; columns (rows) past the last whole frame, which no painter draws, are
// left out. Whole factors copy pixel for pixel. Other factors scale each frame, and within it each
// of the nine regions, on its own: the margins to MulDiv of their size, the middle to the rest,
// each pixel the area average of the source pixels under it in its region. Magenta stays exact:
// an output pixel is magenta when the source pixel under its centre is, and its colour otherwise
// mixes only pixels that are not magenta. A picture whose scaled size would pass the bitmap
// reader's limit is returned as it is.
Bitmap32 ScalePicture(const Bitmap32& src, const PictureLayout& layout, int dpi);

}  // namespace quillet::skin
