// Small skins for the control-skin tests: every frame of every picture is one solid colour
// that names the picture and the frame, so a pixel tells which frame was drawn.
#pragma once

#include <string>

#include "skin/ctl/draw.h"
#include "skin_builders.h"

namespace quillet::skin::testing {

// Frame k (1-based) of picture `tag` is (tag << 16) | (k << 8).
constexpr Pixel FramePixel(int tag, int frame) { return (static_cast<Pixel>(tag) << 16) | (static_cast<Pixel>(frame) << 8); }

// `frames` frames of w x h side by side; with `magentaCorners` each frame's corner pixels are
// the transparent colour.
inline Bitmap32 SolidFrames(int tag, int frames, int w, int h, bool magentaCorners = false) {
  Bitmap32 b(w * frames, h);
  for (int k = 0; k < frames; ++k) {
    b.FillRect({k * w, 0, (k + 1) * w, h}, FramePixel(tag, k + 1));
    if (magentaCorners)
      for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) b.Set(k * w + x, y, kMagenta);
  }
  return b;
}

// Like SolidFrames, but the upper half of each frame is colour `tag` and the lower `tag + 1`.
inline Bitmap32 TwoToneFrames(int tag, int frames, int w, int h) {
  Bitmap32 b = SolidFrames(tag, frames, w, h);
  for (int k = 0; k < frames; ++k) b.FillRect({k * w, h / 2, (k + 1) * w, h}, FramePixel(tag + 1, k + 1));
  return b;
}

constexpr ColorRef kFace = 0xC8C8C8, kShadow = 0x646464, kDkShadow = 0x323232, kButtonText = 0x1E140A;

inline const char* kControlColors = R"(
[Colours]
ButtonFace=200 200 200
ButtonShadow=100 100 100
ButtonDkShadow=50 50 50
ButtonText=10 20 30
)";

inline TSkinElements ControlSkin(const std::string& ini, SkinBuilder b = {}) {
  b.Ini(kControlColors + ini);
  return b.Read();
}

inline Palette TestPalette(const TSkinElements& s) { return MakePalette(s, DefaultSkinSystem()); }

}  // namespace quillet::skin::testing
