#include <gtest/gtest.h>

#include "skin/painter.h"

using namespace quillet::skin;

namespace {

// Nine regions with nine colours: margins left 2, top 3, right 4, bottom 5 around a 3 x 2
// centre, so every frame is 9 x 10. Colour = 0x010000 * frame + region number (1..9, rows
// first), except that the centre's second column is 0x80 + region to make tiling visible.
constexpr int L = 2, T = 3, R = 4, B = 5, FW = 9, FH = 10;

int Region(int x, int y) {
  const int col = x < L ? 0 : x < FW - R ? 1 : 2;
  const int row = y < T ? 0 : y < FH - B ? 1 : 2;
  return row * 3 + col + 1;
}

Bitmap32 NineRegions(int frames, bool vertical) {
  Bitmap32 b(vertical ? FW : FW * frames, vertical ? FH * frames : FH);
  for (int f = 0; f < frames; ++f)
    for (int y = 0; y < FH; ++y)
      for (int x = 0; x < FW; ++x) {
        Pixel p = 0x010000u * (f + 1) + Region(x, y);
        if (Region(x, y) == 5 && x == L + 1) p += 0x80;
        b.Set(vertical ? x : f * FW + x, vertical ? f * FH + y : y, p);
      }
  return b;
}

TDataSkinObject Element(const Bitmap32& bmp, int tile = 0, int trans = 0) {
  TDataSkinObject e;
  e.Bitmap = bmp;
  e.LeftWidth = L, e.TopHeight = T, e.RightWidth = R, e.BottomHeight = B;
  e.Tile = tile;
  e.Trans = trans;
  return e;
}

}  // namespace

TEST(Painter, CornersKeepTheirSizeEdgesAndCentreStretch) {
  const auto src = NineRegions(3, false);
  Bitmap32 dst(40, 30, 0xEEEEEE);
  DrawElement(dst.View(), {5, 4, 35, 28}, Element(src), 2, 3);  // 30 x 24 at (5, 4)
  auto at = [&](int x, int y) { return dst.At(5 + x, 4 + y); };
  const Pixel f = 0x020000;
  EXPECT_EQ(at(0, 0), f + 1);
  EXPECT_EQ(at(L - 1, T - 1), f + 1);
  EXPECT_EQ(at(L, 0), f + 2);
  EXPECT_EQ(at(29 - R + 1, 0), f + 3);
  EXPECT_EQ(at(29 - R, 0), f + 2);
  EXPECT_EQ(at(0, T), f + 4);
  EXPECT_EQ(at(0, 23 - B), f + 4);
  EXPECT_EQ(at(0, 23 - B + 1), f + 7);
  EXPECT_EQ(at(29, 23), f + 9);
  EXPECT_EQ(at(L, 23), f + 8);
  // The 3-wide centre stretched to 24: the first third from column 0, the middle from column 1.
  EXPECT_EQ(at(L, T), f + 5);
  EXPECT_EQ(at(L + 7, T), f + 5);
  EXPECT_EQ(at(L + 8, T), f + 0x80 + 5);
  EXPECT_EQ(at(L + 16, T), f + 5);
  // Nothing outside the rectangle.
  EXPECT_EQ(dst.At(4, 4), 0xEEEEEEu);
  EXPECT_EQ(dst.At(35, 27), 0xEEEEEEu);
  EXPECT_EQ(dst.At(5, 28), 0xEEEEEEu);
}

TEST(Painter, TiledCentreRepeatsFromItsTopLeft) {
  const auto src = NineRegions(1, false);
  Bitmap32 dst(20, 20);
  DrawElement(dst.View(), {0, 0, 20, 20}, Element(src, 1), 1, 1);
  const Pixel f = 0x010000;
  for (int x = L; x < 20 - R; ++x) EXPECT_EQ(dst.At(x, T), f + 5 + ((x - L) % 3 == 1 ? 0x80 : 0)) << x;
}

TEST(Painter, StackedFramesWithTheVerticalFlag) {
  const auto src = NineRegions(4, true);
  Bitmap32 dst(12, 12);
  DrawElement(dst.View(), {0, 0, 12, 12}, Element(src), 3, 4, true);
  EXPECT_EQ(dst.At(0, 0), 0x030001u);
  EXPECT_EQ(dst.At(11, 11), 0x030009u);
}

TEST(Painter, MarginsDropWhenTheRectangleIsTooSmall) {
  const auto src = NineRegions(1, false);
  Bitmap32 dst(9, 9, 0);
  // 5 wide < L + R = 6: the frame is stretched across, columns sampled from the whole frame.
  DrawElement(dst.View(), {0, 0, 5, 20}, Element(src), 1, 1);
  EXPECT_EQ(dst.At(0, 0), 0x010001u);
  EXPECT_EQ(dst.At(4, 0), 0x010003u);  // column 4 of 5 samples source column 7
  EXPECT_EQ(dst.At(0, T), 0x010004u);  // top margin kept: the rectangle is high enough
  // 7 high < T + B = 8: rows come from the whole frame as well.
  Bitmap32 low(20, 7, 0);
  DrawElement(low.View(), {0, 0, 20, 7}, Element(src), 1, 1);
  EXPECT_EQ(low.At(0, 0), 0x010001u);
  EXPECT_EQ(low.At(0, 6), 0x010007u);
  EXPECT_EQ(low.At(L, 2), 0x010002u);  // row 2 of 7 samples source row 2
}

TEST(Painter, NegativeOrEmptyRectanglesAndEmptyBitmapsDrawNothing) {
  const auto src = NineRegions(1, false);
  Bitmap32 dst(10, 10, 0x123456);
  const Bitmap32 before = dst;
  DrawElement(dst.View(), {5, 5, 4, 9}, Element(src), 1, 1);
  DrawElement(dst.View(), {5, 5, 9, 2}, Element(src), 1, 1);
  DrawElement(dst.View(), {5, 5, 5, 9}, Element(src), 1, 1);
  DrawElement(dst.View(), {0, 0, 10, 10}, TDataSkinObject(), 1, 1);
  DrawElement(dst.View(), {20, 20, 30, 30}, Element(src), 1, 1);
  EXPECT_EQ(dst, before);
}

TEST(Painter, MagentaIsTransparentOnlyWithTrans) {
  Bitmap32 src(3, 3, kMagenta);
  src.Set(1, 1, 0x00FF00);
  Bitmap32 a(3, 3, 0x111111), b(3, 3, 0x111111);
  TDataSkinObject e;
  e.Bitmap = src;
  e.Trans = 1;
  DrawElement(a.View(), {0, 0, 3, 3}, e, 1, 1);
  EXPECT_EQ(a.At(0, 0), 0x111111u);
  EXPECT_EQ(a.At(1, 1), 0x00FF00u);
  e.Trans = 0;
  DrawElement(b.View(), {0, 0, 3, 3}, e, 1, 1);
  EXPECT_EQ(b.At(0, 0), kMagenta);
}

TEST(Painter, ClipsToTheDestinationAndClampsFrames) {
  const auto src = NineRegions(2, false);
  Bitmap32 dst(6, 6);
  DrawElement(dst.View(), {-3, -4, 10, 12}, Element(src), 7, 2);  // frame 7 of 2 draws frame 2
  EXPECT_EQ(dst.At(0, 0), 0x020005u);                            // (3, 4) of the work: the centre
  EXPECT_EQ(dst.At(5, 5), 0x020005u);
  // Margins larger than the frame are cut to it.
  auto e = Element(src);
  e.LeftWidth = 100;
  e.RightWidth = 100;
  DrawElement(dst.View(), {0, 0, 6, 6}, e, 1, 2);
}

TEST(Painter, BarRepeatsTheMiddleAtFullHeight) {
  const auto src = NineRegions(2, true);  // stacked, as the menu bar is
  Bitmap32 dst(20, 20);
  DrawBar(dst.View(), {0, 0, 20, 20}, {&src, 2, 2, true}, L, R, false);
  const Pixel f = 0x020000;
  EXPECT_EQ(dst.At(0, 0), f + 1);
  EXPECT_EQ(dst.At(0, 19), f + 7);                 // the full frame height stretched to 20 rows
  EXPECT_EQ(dst.At(L, 0), f + 2);
  EXPECT_EQ(dst.At(L + 3, 0), f + 2);              // the middle (3 wide) repeated
  EXPECT_EQ(dst.At(L + 4, 8), f + 0x80 + 5);       // row 8 of 20 samples row 4 of 10
  EXPECT_EQ(dst.At(19, 0), f + 3);
  EXPECT_EQ(dst.At(20 - R, 19), f + 9);
}
