// Small drawing helpers for the skin's artwork: crisp lines of whole pixels, rounded rectangles
// and discs with soft edges blended into a known background.
#pragma once

#include <algorithm>
#include <cmath>

#include "skin/bitmap.h"

namespace quillet::skin::art {

using skin::Bitmap32;
using skin::Pixel;
using skin::Rgb;

inline Pixel Mix(Pixel a, Pixel b, double t) {  // t = share of a
  auto ch = [&](int s) {
    const double v = ((a >> s) & 0xFF) * t + ((b >> s) & 0xFF) * (1 - t);
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0)));
  };
  return Rgb(ch(16), ch(8), ch(0));
}
inline Pixel Grey(int v) { return Rgb(v, v, v); }

// Lines `t` pixels thick: a horizontal one from row y down, a vertical one from column x right.
inline void HLine(Bitmap32& b, int x0, int x1, int y, Pixel p, int t = 1) {  // x1 exclusive
  b.FillRect({x0, y, x1, y + t}, p);
}
inline void VLine(Bitmap32& b, int x, int y0, int y1, Pixel p, int t = 1) {
  b.FillRect({x, y0, x + t, y1}, p);
}
// A rectangle's outline, `t` pixels thick, inside the rectangle.
inline void Frame(Bitmap32& b, int x, int y, int w, int h, Pixel p, int t = 1) {
  HLine(b, x, x + w, y, p, t);
  HLine(b, x, x + w, y + h - t, p, t);
  VLine(b, x, y, y + h, p, t);
  VLine(b, x + w - t, y, y + h, p, t);
}

// Coverage of a pixel by a rounded rectangle, sampled 4 x 4.
inline double RoundRectCoverage(double px, double py, double x, double y, double w, double h, double r) {
  int inside = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx) {
      const double qx = px + (sx + 0.5) / 4, qy = py + (sy + 0.5) / 4;
      if (qx < x || qy < y || qx > x + w || qy > y + h) continue;
      const double cx = std::clamp(qx, x + r, x + w - r), cy = std::clamp(qy, y + r, y + h - r);
      if ((qx - cx) * (qx - cx) + (qy - cy) * (qy - cy) <= r * r) ++inside;
    }
  return inside / 16.0;
}

// A filled rounded rectangle with a border `t` pixels thick; `outside` is what lies around it
// (magenta for transparent bitmaps), `edgeBg` the colour soft edges blend into.
inline void RoundBox(Bitmap32& b, int x, int y, int w, int h, double r, Pixel border, Pixel fill,
                     Pixel outside, Pixel edgeBg, int t = 1) {
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px) {
      const double outer = RoundRectCoverage(px, py, x, y, w, h, r);
      const double inner = RoundRectCoverage(px, py, x + t, y + t, w - 2 * t, h - 2 * t, std::max(r - t, 0.0));
      if (outer <= 0.0) {
        b.Put(px, py, outside);
        continue;
      }
      Pixel c = Mix(fill, border, inner);
      if (outer < 1.0) c = outer < 0.25 ? outside : Mix(c, edgeBg, outer);
      b.Put(px, py, c);
    }
}

// A disc (or a ring with a fill) centred at (cx, cy), soft at the edge.
inline void Disc(Bitmap32& b, double cx, double cy, double radius, Pixel color, Pixel edgeBg, bool keepOutside) {
  for (int py = static_cast<int>(cy - radius) - 1; py <= static_cast<int>(cy + radius) + 1; ++py)
    for (int px = static_cast<int>(cx - radius) - 1; px <= static_cast<int>(cx + radius) + 1; ++px) {
      int inside = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          const double qx = px + (sx + 0.5) / 4 - cx, qy = py + (sy + 0.5) / 4 - cy;
          if (qx * qx + qy * qy <= radius * radius) ++inside;
        }
      if (inside == 0) continue;
      if (px < 0 || py < 0 || px >= b.Width() || py >= b.Height()) continue;
      const double t = inside / 16.0;
      const Pixel under = b.At(px, py);
      const Pixel base = (under == skin::kMagenta || !keepOutside) ? edgeBg : under;
      b.Set(px, py, t >= 1.0 ? color : Mix(color, base, t));
    }
}

// An anti-aliased line of width w between two points, blended over what is there.
inline void Line(Bitmap32& b, double x0, double y0, double x1, double y1, double width, Pixel color) {
  const double minx = std::min(x0, x1) - width, maxx = std::max(x0, x1) + width;
  const double miny = std::min(y0, y1) - width, maxy = std::max(y0, y1) + width;
  const double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
  for (int py = static_cast<int>(std::floor(miny)); py <= static_cast<int>(maxy); ++py)
    for (int px = static_cast<int>(std::floor(minx)); px <= static_cast<int>(maxx); ++px) {
      if (px < 0 || py < 0 || px >= b.Width() || py >= b.Height()) continue;
      int inside = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          const double qx = px + (sx + 0.5) / 4, qy = py + (sy + 0.5) / 4;
          double t = len2 > 0 ? ((qx - x0) * dx + (qy - y0) * dy) / len2 : 0;
          t = std::clamp(t, 0.0, 1.0);
          const double ex = x0 + t * dx - qx, ey = y0 + t * dy - qy;
          if (ex * ex + ey * ey <= width * width / 4) ++inside;
        }
      if (!inside) continue;
      const Pixel under = b.At(px, py);
      b.Set(px, py, inside == 16 ? color : Mix(color, under, inside / 16.0));
    }
}

}  // namespace quillet::skin::art
