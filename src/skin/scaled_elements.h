// The skin's elements at a window's DPI: what a skin drawn for 96 DPI becomes on a screen at
// another one.
#pragma once

#include <vector>

#include "skin/elements.h"
#include "skin/scale.h"

namespace quillet::skin {

// One picture of an element and the way its painters cut it.
struct ElementPicture {
  const TDataSkinObject* element = nullptr;
  const Bitmap32* picture = nullptr;  // the element's Bitmap, Bitmap2, CheckBitmap or RadioBitmap
  PictureLayout layout;
};

// Every non-empty picture of the elements with its layout.
std::vector<ElementPicture> ElementPictures(const TSkinElements& e);

// The elements of a 96-DPI skin as a window at `dpi` uses them: every picture scaled with its own
// layout, every length in pixels (margins, caption-button places, text shifts and clips, the
// caption font's height, the group box's background shifts) scaled as MulDiv rounds, and Dpi set;
// nothing else changes. At 96 DPI an equal copy.
TSkinElements ScaleElements(const TSkinElements& e, int dpi);

}  // namespace quillet::skin
