#include "skin/scale.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/dpi.h"

namespace quillet::skin {

namespace {

using base::ScaleToDpi;

bool IsMagenta(Pixel p) { return (p & 0xFFFFFF) == kMagenta; }

// Where one output pixel takes its colour from along one axis: source pixels first .. first +
// count - 1 of the frame with the given weights, and the one under its centre.
struct Taps {
  int first = 0, count = 0, centre = 0;
  int weights = 0;  // index of the first weight in AxisPlan::weights
};

struct AxisPlan {
  std::vector<Taps> taps;  // one per output pixel of a frame
  std::vector<std::int64_t> weights;
};

// Maps the source span [s0, s1) onto the output span [d0, d1): each output pixel covers
// (s1 - s0) / (d1 - d0) source pixels, weighted by how much of each it covers. An empty source
// span under a non-empty output one (the middle of a frame whose margins fill it) takes the
// nearest pixel of the whole frame.
void MapSpan(AxisPlan& plan, int s0, int s1, int d0, int d1, int frameLen, int outLen) {
  const std::int64_t sl = s1 - s0, dl = d1 - d0;
  for (std::int64_t i = 0; i < dl; ++i) {
    Taps& t = plan.taps[static_cast<std::size_t>(d0 + i)];
    t.weights = static_cast<int>(plan.weights.size());
    if (sl == 0) {
      const std::int64_t u = ((2 * (d0 + i) + 1) * frameLen) / (2 * static_cast<std::int64_t>(outLen));
      t.first = t.centre = static_cast<int>(std::clamp<std::int64_t>(u, 0, frameLen - 1));
      t.count = 1;
      plan.weights.push_back(1);
      continue;
    }
    // In units of 1/dl source pixel: the output pixel covers [lo, hi), source pixel j [j dl, (j + 1) dl).
    const std::int64_t lo = i * sl, hi = (i + 1) * sl;
    const std::int64_t j0 = lo / dl, j1 = (hi - 1) / dl;
    t.first = static_cast<int>(s0 + j0);
    t.count = static_cast<int>(j1 - j0 + 1);
    t.centre = static_cast<int>(s0 + std::min((2 * i + 1) * sl / (2 * dl), sl - 1));
    for (std::int64_t j = j0; j <= j1; ++j) plan.weights.push_back(std::min(hi, (j + 1) * dl) - std::max(lo, j * dl));
  }
}

// One axis of a frame: the two margins and the middle, each mapped on its own.
AxisPlan PlanAxis(int frameLen, int outLen, int marginA, int marginB, int dpi) {
  const int a = std::clamp(marginA, 0, frameLen), b = std::clamp(marginB, 0, frameLen - a);
  const int oa = std::min(ScaleToDpi(a, dpi), outLen), ob = std::min(ScaleToDpi(b, dpi), outLen - oa);
  AxisPlan plan;
  plan.taps.resize(static_cast<std::size_t>(outLen));
  MapSpan(plan, 0, a, 0, oa, frameLen, outLen);
  MapSpan(plan, a, frameLen - b, oa, outLen - ob, frameLen, outLen);
  MapSpan(plan, frameLen - b, frameLen, outLen - ob, outLen, frameLen, outLen);
  return plan;
}

// The weighted mean of the source pixels under an output pixel that are not magenta. The centre
// pixel is one of them, so there is always one.
Pixel Mean(const Bitmap32& src, int sx, int sy, const AxisPlan& px, const Taps& tx, const AxisPlan& py,
           const Taps& ty) {
  std::uint64_t sum[4] = {}, total = 0;
  for (int j = 0; j < ty.count; ++j) {
    const Pixel* row = src.Row(sy + ty.first + j);
    const std::uint64_t wy = static_cast<std::uint64_t>(py.weights[static_cast<std::size_t>(ty.weights + j)]);
    for (int i = 0; i < tx.count; ++i) {
      const Pixel p = row[sx + tx.first + i];
      if (IsMagenta(p)) continue;
      const std::uint64_t w = wy * static_cast<std::uint64_t>(px.weights[static_cast<std::size_t>(tx.weights + i)]);
      for (int c = 0; c < 4; ++c) sum[c] += w * ((p >> (8 * c)) & 0xFF);
      total += w;
    }
  }
  Pixel out = 0;
  for (int c = 0; c < 4; ++c) out |= static_cast<Pixel>((sum[c] + total / 2) / total) << (8 * c);
  // Colours next to magenta can round to it; magenta is only ever what the source had there.
  if (IsMagenta(out)) out ^= 1;
  return out;
}

}  // namespace

Bitmap32 ScalePicture(const Bitmap32& src, const PictureLayout& layout, int dpi) {
  dpi = ClampSkinDpi(dpi);
  if (src.Empty() || dpi == base::kBaseDpi) return src;
  const int w = src.Width(), h = src.Height();
  int n = std::max(layout.frames, 1);
  if ((layout.stacked ? h : w) < n) n = 1;  // more frames than pixels: the picture is one frame
  const int fw = layout.stacked ? w : w / n, fh = layout.stacked ? h / n : h;
  const int ow = std::max(ScaleToDpi(fw, dpi), 1), oh = std::max(ScaleToDpi(fh, dpi), 1);
  if (static_cast<std::int64_t>(ow) * oh * n > kMaxBmpPixels) return src;

  const AxisPlan px = PlanAxis(fw, ow, layout.margins.left, layout.margins.right, dpi);
  const AxisPlan py = PlanAxis(fh, oh, layout.margins.top, layout.margins.bottom, dpi);
  Bitmap32 out(layout.stacked ? ow : ow * n, layout.stacked ? oh * n : oh);
  for (int k = 0; k < n; ++k) {
    const int sx = layout.stacked ? 0 : k * fw, sy = layout.stacked ? k * fh : 0;
    const int dx = layout.stacked ? 0 : k * ow, dy = layout.stacked ? k * oh : 0;
    for (int y = 0; y < oh; ++y) {
      const Taps& ty = py.taps[static_cast<std::size_t>(y)];
      Pixel* row = out.Row(dy + y) + dx;
      const Pixel* centreRow = src.Row(sy + ty.centre) + sx;
      for (int x = 0; x < ow; ++x) {
        const Taps& tx = px.taps[static_cast<std::size_t>(x)];
        const Pixel centre = centreRow[tx.centre];
        row[x] = (tx.count == 1 && ty.count == 1) || IsMagenta(centre) ? centre : Mean(src, sx, sy, px, tx, py, ty);
      }
    }
  }
  return out;
}

}  // namespace quillet::skin
