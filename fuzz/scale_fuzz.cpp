// The picture scaler on any small picture, layout and DPI, and the element painter drawing what
// it made: sizes as promised, magenta only where the source had some, nothing out of bounds.
#include <cstdlib>

#include "base/dpi.h"
#include "skin/painter.h"
#include "skin/scale.h"

using namespace quillet::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 10) return 0;
  auto s8 = [&](int i) { return static_cast<int>(static_cast<std::int8_t>(data[i])); };
  const int w = data[0] % 65, h = data[1] % 65;
  PictureLayout layout{s8(2), (data[3] & 1) != 0, {s8(4), s8(5), s8(6), s8(7)}};
  // Mostly the DPIs screens have, sometimes any at all.
  const int raw = static_cast<std::int16_t>(data[8] | (data[9] << 8));
  const int dpi = (data[3] & 2) ? raw * 64 : 48 + (raw & 0x3FF) % 433;
  // Pixels from a small palette with magenta and its near neighbours in it, so runs form.
  static const Pixel palette[8] = {kMagenta, 0xFF00FE, 0xFE00FF, 0x000000, 0xFFFFFF, 0x3468A8, 0xEBE9EB, 0x80FF00FF};
  Bitmap32 src(w, h);
  bool magenta = false;
  for (int i = 0; i < w * h; ++i) {
    const std::size_t at = 10 + static_cast<std::size_t>(i) / 2;
    const Pixel p = palette[at < size ? (data[at] >> (4 * (i % 2))) & 7 : 3];
    magenta |= (p & 0xFFFFFF) == kMagenta;
    src.Set(i % w, i / w, p);
  }
  const Bitmap32 out = ScalePicture(src, layout, dpi);
  if (src.Empty() != out.Empty()) std::abort();
  if (!magenta)
    for (Pixel p : out.Pixels())
      if ((p & 0xFFFFFF) == kMagenta) std::abort();

  Bitmap32 dest(48, 40);
  const int d = ClampSkinDpi(dpi);
  const Margins m{quillet::base::ScaleToDpi(layout.margins.left, d), quillet::base::ScaleToDpi(layout.margins.top, d),
                  quillet::base::ScaleToDpi(layout.margins.right, d), quillet::base::ScaleToDpi(layout.margins.bottom, d)};
  DrawFrame(dest.View(), {-3, 2, 40, 37}, {&out, 1 + data[3] % 5, layout.frames, layout.stacked}, m, data[3] & 4, true);
  return 0;
}
