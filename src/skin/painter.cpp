#include "skin/painter.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/dpi.h"

namespace quillet::skin {

namespace {

// Where a frame is composed: the destination itself when the rectangle lies inside it and no
// colour is transparent, else a work bitmap of the rectangle's size that is copied out after.
struct Target {
  BitmapView view;
  int ox = 0, oy = 0;
  Pixel* Row(int y) const { return view.Row(oy + y) + ox; }
};

// Nearest-pixel stretch of a source rectangle onto a rectangle of the target.
void Stretch(const Target& dst, const Rect& d, const Bitmap32& src, const Rect& s) {
  const int dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  thread_local std::vector<int> xs;
  if (sw != dw) {
    xs.resize(dw);
    for (int x = 0; x < dw; ++x) xs[x] = s.left + static_cast<int>(static_cast<long long>(x) * sw / dw);
  }
  for (int y = 0; y < dh; ++y) {
    const Pixel* srow = src.Row(s.top + static_cast<int>(static_cast<long long>(y) * sh / dh));
    Pixel* drow = dst.Row(d.top + y) + d.left;
    if (sw == dw) {
      std::copy(srow + s.left, srow + s.left + sw, drow);
    } else if (sw == 1) {
      std::fill(drow, drow + dw, srow[s.left]);
    } else {
      for (int x = 0; x < dw; ++x) drow[x] = srow[xs[x]];
    }
  }
}

// Repeats the source rectangle over the destination from its top-left corner, clipped to it.
void TileRect(const Target& dst, const Rect& d, const Bitmap32& src, const Rect& s) {
  const int sw = s.Width(), sh = s.Height();
  if (d.Width() <= 0 || d.Height() <= 0 || sw <= 0 || sh <= 0) return;
  for (int y = d.top; y < d.bottom; ++y) {
    const Pixel* srow = src.Row(s.top + (y - d.top) % sh);
    Pixel* drow = dst.Row(y);
    for (int x = d.left; x < d.right;) {
      const int n = std::min(sw, d.right - x);
      std::copy(srow + s.left, srow + s.left + n, drow + x);
      x += n;
    }
  }
}

void CopyOut(BitmapView dest, const Rect& r, BitmapView work, bool trans) {
  const int x0 = std::max(r.left, 0), y0 = std::max(r.top, 0);
  const int x1 = std::min(r.right, dest.width), y1 = std::min(r.bottom, dest.height);
  for (int y = y0; y < y1; ++y) {
    const Pixel* s = work.Row(y - r.top) + (x0 - r.left);
    Pixel* d = dest.Row(y) + x0;
    if (!trans) {
      std::copy(s, s + (x1 - x0), d);
    } else {
      for (int x = 0; x < x1 - x0; ++x)
        if ((s[x] & 0xFFFFFF) != kMagenta) d[x] = s[x];
    }
  }
}

// The largest rectangle composed; far beyond any window.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

bool Usable(BitmapView dest, const Rect& r, const FrameSource& src) {
  const std::int64_t w = std::int64_t{r.right} - r.left, h = std::int64_t{r.bottom} - r.top;
  return src.bitmap && !src.bitmap->Empty() && w > 0 && h > 0 && w * h <= kMaxPixels && dest.pixels &&
         r.right > 0 && r.bottom > 0 && r.left < dest.width && r.top < dest.height;
}

bool Inside(BitmapView dest, const Rect& r) {
  return r.left >= 0 && r.top >= 0 && r.right <= dest.width && r.bottom <= dest.height;
}

// Composes with `draw` into the destination directly when that gives the same pixels, else
// through a work bitmap.
template <class F>
void Compose(BitmapView dest, const Rect& r, bool trans, F&& draw) {
  if (!trans && Inside(dest, r)) {
    draw(Target{dest, r.left, r.top});
    return;
  }
  // One work buffer per thread, reused: painting happens on every frame of every window. It
  // starts black, as a fresh bitmap would, for the parts a degenerate frame leaves unpainted.
  thread_local std::vector<Pixel> buffer;
  const std::size_t n = static_cast<std::size_t>(r.Width()) * r.Height();
  buffer.assign(n, 0);
  const BitmapView work{buffer.data(), r.Width(), r.Height(), r.Width()};
  draw(Target{work, 0, 0});
  CopyOut(dest, r, work, trans);
}

}  // namespace

Margins TabPaneMargins(const TSkinElements& s) {
  if (s.Tabs && s.Tabs->Style != 0 && s.TabPane) return MarginsOf(*s.TabPane);
  auto px = [&](int v) { return base::ScaleToDpi(v, s.Dpi); };
  return {px(4), px(5), px(4), px(4)};
}

Rect FrameRect(const Bitmap32& bmp, int frame, int frames, bool vertical) {
  frames = std::max(frames, 1);
  frame = std::clamp(frame, 1, frames);
  if (vertical) {
    const int h = bmp.Height() / frames;
    return {0, (frame - 1) * h, bmp.Width(), frame * h};
  }
  const int w = bmp.Width() / frames;
  return {(frame - 1) * w, 0, frame * w, bmp.Height()};
}

void DrawFrame(BitmapView dest, const Rect& r, const FrameSource& src, Margins m, bool tile, bool trans) {
  if (!Usable(dest, r, src)) return;
  const Bitmap32& bmp = *src.bitmap;
  const Rect f = FrameRect(bmp, src.frame, src.frames, src.vertical);
  const int fw = f.Width(), fh = f.Height();
  if (fw <= 0 || fh <= 0) return;
  const int w = r.Width(), h = r.Height();
  // Margins never reach past the frame itself, whatever the skin says.
  int l = std::clamp(m.left, 0, fw), rt = std::clamp(m.right, 0, fw - std::clamp(m.left, 0, fw));
  int t = std::clamp(m.top, 0, fh), b = std::clamp(m.bottom, 0, fh - std::clamp(m.top, 0, fh));
  if (w < l + rt) l = rt = 0;
  if (h < t + b) t = b = 0;

  const int cw = fw - l - rt, ch = fh - t - b;
  Compose(dest, r, trans, [&](const Target& work) {
    // Corners at their size.
    Stretch(work, {0, 0, l, t}, bmp, {f.left, f.top, f.left + l, f.top + t});
    Stretch(work, {w - rt, 0, w, t}, bmp, {f.right - rt, f.top, f.right, f.top + t});
    Stretch(work, {0, h - b, l, h}, bmp, {f.left, f.bottom - b, f.left + l, f.bottom});
    Stretch(work, {w - rt, h - b, w, h}, bmp, {f.right - rt, f.bottom - b, f.right, f.bottom});
    // Edges stretched along their length.
    Stretch(work, {l, 0, w - rt, t}, bmp, {f.left + l, f.top, f.right - rt, f.top + t});
    Stretch(work, {l, h - b, w - rt, h}, bmp, {f.left + l, f.bottom - b, f.right - rt, f.bottom});
    Stretch(work, {0, t, l, h - b}, bmp, {f.left, f.top + t, f.left + l, f.bottom - b});
    Stretch(work, {w - rt, t, w, h - b}, bmp, {f.right - rt, f.top + t, f.right, f.bottom - b});
    const Rect centreDst{l, t, w - rt, h - b};
    const Rect centreSrc{f.left + l, f.top + t, f.left + l + cw, f.top + t + ch};
    if (tile)
      TileRect(work, centreDst, bmp, centreSrc);
    else
      Stretch(work, centreDst, bmp, centreSrc);
  });
}

void DrawElement(BitmapView dest, const Rect& r, const TDataSkinObject& e, int frame, int frames,
                 bool vertical) {
  DrawFrame(dest, r, {&e.Bitmap, frame, frames, vertical}, MarginsOf(e), e.Tile == 1, e.Trans != 0);
}

void DrawBar(BitmapView dest, const Rect& r, const FrameSource& src, int left, int right, bool trans) {
  if (!Usable(dest, r, src)) return;
  const Bitmap32& bmp = *src.bitmap;
  const Rect f = FrameRect(bmp, src.frame, src.frames, src.vertical);
  const int fw = f.Width(), fh = f.Height();
  if (fw <= 0 || fh <= 0) return;
  const int w = r.Width(), h = r.Height();
  int l = std::clamp(left, 0, fw), rt = std::clamp(right, 0, fw - l);
  if (w < l + rt) l = rt = 0;
  const int mw = fw - l - rt;

  Compose(dest, r, trans, [&](const Target& work) {
    Stretch(work, {0, 0, l, h}, bmp, {f.left, f.top, f.left + l, f.bottom});
    if (mw > 0) {
      for (int x = l; x < w - rt; x += mw) {
        const int n = std::min(mw, w - rt - x);
        Stretch(work, {x, 0, x + n, h}, bmp, {f.left + l, f.top, f.left + l + n, f.bottom});
      }
    }
    Stretch(work, {w - rt, 0, w, h}, bmp, {f.right - rt, f.top, f.right, f.bottom});
  });
}

}  // namespace quillet::skin
