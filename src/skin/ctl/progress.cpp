#include "skin/ctl/progress.h"

#include <algorithm>

#include "skin/painter.h"

namespace quillet::skin {

namespace {

Bitmap32 Turned(const Bitmap32& b) {
  Bitmap32 t(b.Height(), b.Width());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) t.Set(y, b.Width() - 1 - x, b.At(x, y));
  return t;
}

// Chunks of `chunk` side by side along the fill (from the bottom for vertical bars), the last one
// cut where the fill ends.
void LayChunks(BitmapView v, const Rect& fill, const Bitmap32& chunk, bool vertical) {
  const FrameSource src{&chunk, 1, 1, false};
  if (!vertical) {
    const int step = std::max(1, chunk.Width());
    BitmapView part = SubView(v, fill);
    for (int x = 0; x < part.width; x += step) DrawFrame(part, {x, 0, x + step, part.height}, src, {}, false, true);
    return;
  }
  const int step = std::max(1, chunk.Height());
  BitmapView part = SubView(v, fill);
  for (int y = part.height; y > 0; y -= step) DrawFrame(part, {0, y - step, part.width, y}, src, {}, false, true);
}

}  // namespace

ProgressPaint PlanProgress(const ProgressInput& in) {
  ProgressPaint p;
  p.trough = {0, 0, in.width, in.height};
  p.inside = Inset(p.trough, std::min(2, in.width / 4), std::min(2, in.height / 4));
  // A range given high to low fills as the control measures it: the share of the way from min to max.
  long long range = static_cast<long long>(in.max) - in.min;
  long long done = static_cast<long long>(in.pos) - in.min;
  if (range < 0) range = -range, done = -done;
  done = std::clamp(done, 0LL, range);
  const int length = in.vertical ? p.inside.Height() : p.inside.Width();
  const int filled = range > 0 ? static_cast<int>(length * done / range) : 0;
  p.fill = in.vertical ? Rect{p.inside.left, p.inside.bottom - filled, p.inside.right, p.inside.bottom}
                       : Rect{p.inside.left, p.inside.top, p.inside.left + filled, p.inside.bottom};
  return p;
}

bool DrawProgress(BitmapView v, const ProgressInput& in, const ProgressPaint& p, const TSkinElements& s,
                  ColorRef fillColor) {
  const TDataSkinBorder& trough = s.Progress;
  if (!trough.HasBitmap()) return false;
  const int frames = trough.Style != 0 ? 1 : 2;
  DrawElement(v, p.trough, trough, 1, frames);
  if (IsEmpty(p.fill)) return true;
  if (s.ProgressChunk && s.ProgressChunk->HasBitmap()) {
    const TDataSkinObject& chunk = *s.ProgressChunk;
    if (in.smooth) {
      const Bitmap32 shape = in.vertical ? Turned(chunk.Bitmap) : chunk.Bitmap;
      DrawFrame(v, p.fill, {&shape, 1, 1, false}, {}, false, true);
    } else {
      LayChunks(v, p.fill, in.vertical ? Turned(chunk.Bitmap) : chunk.Bitmap, in.vertical);
    }
  } else if (frames == 2) {
    DrawElement(v, p.fill, trough, 2, 2);
  } else {
    FillSolid(v, p.fill, fillColor);
  }
  return true;
}

}  // namespace quillet::skin
