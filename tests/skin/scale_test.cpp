// Skin pictures and elements at other DPIs: sizes, frames and regions kept apart, magenta kept
// exact, and the pictures that cannot be scaled sensibly.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

#include "base/dpi.h"
#include "element_fields.h"
#include "skin/art/read_artwork.h"
#include "skin/scale.h"
#include "skin/scaled_elements.h"

using namespace quillet::skin;
using namespace quillet::skin::testing;
using namespace quillet::skin::art;
using quillet::base::ScaleToDpi;

namespace {

bool IsMagenta(Pixel p) { return (p & 0xFFFFFF) == kMagenta; }
bool IsGrey(Pixel p) { return ((p >> 16) & 0xFF) == ((p >> 8) & 0xFF) && ((p >> 8) & 0xFF) == (p & 0xFF); }

// Where the three parts of one axis of a frame lie: the margins, then the middle.
std::array<int, 4> Cuts(int length, int a, int b) { return {0, a, length - b, length}; }

// Frames of fw x fh, each of nine solid grey regions, a different grey for each region of each
// frame, the corner regions magenta when asked.
Bitmap32 Regions(int frames, bool stacked, int fw, int fh, Margins m, bool magentaCorners) {
  Bitmap32 b(stacked ? fw : fw * frames, stacked ? fh * frames : fh);
  const auto xs = Cuts(fw, m.left, m.right), ys = Cuts(fh, m.top, m.bottom);
  for (int k = 0; k < frames; ++k)
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < fw; ++x) {
        const int col = x < xs[1] ? 0 : x < xs[2] ? 1 : 2, row = y < ys[1] ? 0 : y < ys[2] ? 1 : 2;
        const int g = 20 + 20 * k + 2 * (row * 3 + col);
        const bool corner = col != 1 && row != 1;
        b.Set(stacked ? x : k * fw + x, stacked ? k * fh + y : y, magentaCorners && corner ? kMagenta : Rgb(g, g, g));
      }
  return b;
}

// A pattern of greys and magenta without any order.
Bitmap32 Speckled(int w, int h) {
  Bitmap32 b(w, h);
  unsigned seed = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1103515245 + 12345;
      const int v = static_cast<int>((seed >> 16) & 0xFF);
      b.Set(x, y, v % 3 == 0 ? kMagenta : Rgb(v, v, v));
    }
  return b;
}

// For every frame and each of its nine regions: each output pixel is magenta only where the
// region has magenta, and otherwise within the span of the region's other colours; a region all
// magenta stays all magenta. This is what keeps frames, margins and the transparent colour apart.
void ExpectRegionsKeptApart(const Bitmap32& src, const Bitmap32& out, const PictureLayout& l, int dpi,
                            const std::string& what) {
  const int n = std::max(l.frames, 1);
  const int fw = l.stacked ? src.Width() : src.Width() / n, fh = l.stacked ? src.Height() / n : src.Height();
  const int ow = l.stacked ? out.Width() : out.Width() / n, oh = l.stacked ? out.Height() / n : out.Height();
  const Margins m = l.margins;
  const auto sx = Cuts(fw, m.left, m.right), sy = Cuts(fh, m.top, m.bottom);
  const int oa = ScaleToDpi(m.left, dpi), ot = ScaleToDpi(m.top, dpi);
  const auto ox = Cuts(ow, oa, std::min(ScaleToDpi(m.right, dpi), ow - oa));
  const auto oy = Cuts(oh, ot, std::min(ScaleToDpi(m.bottom, dpi), oh - ot));
  for (int k = 0; k < n; ++k)
    for (int row = 0; row < 3; ++row)
      for (int col = 0; col < 3; ++col) {
        if (sx[col] == sx[col + 1] || sy[row] == sy[row + 1]) continue;  // an empty region has nothing to keep
        std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
        bool magenta = false, opaque = false;
        for (int y = sy[row]; y < sy[row + 1]; ++y)
          for (int x = sx[col]; x < sx[col + 1]; ++x) {
            const Pixel p = l.stacked ? src.At(x, k * fh + y) : src.At(k * fw + x, y);
            if (IsMagenta(p)) {
              magenta = true;
              continue;
            }
            opaque = true;
            for (int c = 0; c < 3; ++c) {
              lo[c] = std::min(lo[c], static_cast<int>((p >> (8 * c)) & 0xFF));
              hi[c] = std::max(hi[c], static_cast<int>((p >> (8 * c)) & 0xFF));
            }
          }
        for (int y = oy[row]; y < oy[row + 1]; ++y)
          for (int x = ox[col]; x < ox[col + 1]; ++x) {
            const Pixel p = l.stacked ? out.At(x, k * oh + y) : out.At(k * ow + x, y);
            const std::string where = what + " frame " + std::to_string(k + 1) + " region " +
                                      std::to_string(row * 3 + col + 1) + " at " + std::to_string(x) + "," +
                                      std::to_string(y);
            if (IsMagenta(p)) {
              ASSERT_TRUE(magenta) << where;
              continue;
            }
            ASSERT_TRUE(opaque) << where;
            for (int c = 0; c < 3; ++c) {
              const int v = static_cast<int>((p >> (8 * c)) & 0xFF);
              ASSERT_TRUE(v >= lo[c] && v <= hi[c]) << where << " channel " << c << " " << v;
            }
          }
      }
}

}  // namespace

TEST(ScalePicture, SizesFramesRegionsAndMagenta) {
  struct Case {
    const char* what;
    int frames;
    bool stacked;
    int fw, fh;
    Margins m;
    bool magentaCorners;
    int dpi;
    int w, h;  // expected
  };
  const Case cases[] = {
      {"a 4-pixel border at 125 %", 1, false, 10, 10, {4, 4, 4, 4}, false, 120, 13, 13},
      {"two frames at 150 %", 2, false, 9, 7, {2, 1, 3, 2}, false, 144, 28, 11},
      {"three stacked frames at 125 %", 3, true, 12, 5, {3, 1, 3, 1}, false, 120, 15, 18},
      {"five frames at 250 %", 5, false, 13, 13, {}, false, 240, 165, 33},
      {"rounded corners at 175 %", 1, false, 24, 24, {8, 9, 8, 9}, true, 168, 42, 42},
      {"rounded corners, four frames at 150 %", 4, false, 13, 13, {5, 5, 5, 5}, true, 144, 80, 20},
      {"margins filling the frame at 125 %", 2, false, 4, 4, {2, 2, 2, 2}, true, 120, 10, 5},
      {"down to 75 %", 1, false, 8, 8, {2, 2, 2, 2}, false, 72, 6, 6},
      {"whole factor 200 %", 2, true, 5, 4, {1, 1, 1, 1}, true, 192, 10, 16},
  };
  for (const Case& c : cases) {
    const Bitmap32 src = Regions(c.frames, c.stacked, c.fw, c.fh, c.m, c.magentaCorners);
    const PictureLayout layout{c.frames, c.stacked, c.m};
    const Bitmap32 out = ScalePicture(src, layout, c.dpi);
    EXPECT_EQ(out.Width(), c.w) << c.what;
    EXPECT_EQ(out.Height(), c.h) << c.what;
    // Solid regions stay solid: each output pixel is its region's own grey, or magenta.
    ExpectRegionsKeptApart(src, out, layout, c.dpi, c.what);
  }
}

TEST(ScalePicture, MagentaWhereTheSourcePixelUnderTheCentreIsAndNowhereElse) {
  const Bitmap32 src = Speckled(13, 11);
  for (int dpi : {72, 120, 144, 168, 240}) {
    const Bitmap32 out = ScalePicture(src, {}, dpi);
    ASSERT_EQ(out.Width(), ScaleToDpi(13, dpi));
    for (int y = 0; y < out.Height(); ++y)
      for (int x = 0; x < out.Width(); ++x) {
        const int cx = (2 * x + 1) * src.Width() / (2 * out.Width()), cy = (2 * y + 1) * src.Height() / (2 * out.Height());
        EXPECT_EQ(IsMagenta(out.At(x, y)), IsMagenta(src.At(cx, cy))) << dpi << " " << x << "," << y;
        // A mix with magenta would not be grey.
        if (!IsMagenta(out.At(x, y))) {
          EXPECT_TRUE(IsGrey(out.At(x, y))) << dpi << " " << x << "," << y;
        }
      }
  }
  // Two colours that average to magenta do not make a transparent pixel.
  Bitmap32 near(4, 1);
  for (int x = 0; x < 4; ++x) near.Set(x, 0, x % 2 ? 0xFF00FE : 0xFE00FF);
  const Bitmap32 mixed = ScalePicture(near, {}, 120);
  for (int x = 0; x < mixed.Width(); ++x) EXPECT_FALSE(IsMagenta(mixed.At(x, 0))) << x;
}

TEST(ScalePicture, WholeFactorsCopyPixelForPixel) {
  const Bitmap32 src = Speckled(12, 7);
  for (int factor : {2, 3}) {
    const Bitmap32 out = ScalePicture(src, {3, false, {1, 2, 1, 1}}, 96 * factor);
    ASSERT_EQ(out.Width(), 12 * factor);
    ASSERT_EQ(out.Height(), 7 * factor);
    for (int y = 0; y < out.Height(); ++y)
      for (int x = 0; x < out.Width(); ++x) ASSERT_EQ(out.At(x, y), src.At(x / factor, y / factor)) << x << "," << y;
  }
  EXPECT_EQ(ScalePicture(src, {3, false, {1, 2, 1, 1}}, 96), src);
}

TEST(ScalePicture, PicturesThatCannotBeScaledSensibly) {
  struct Case {
    const char* what;
    int w, h, frames;
    bool stacked;
    Margins m;
    int dpi;
    int ow, oh;  // expected
  };
  const Case cases[] = {
      {"one pixel", 1, 1, 1, false, {}, 144, 2, 2},
      {"one pixel, five frames: the picture is one frame", 1, 1, 5, false, {}, 144, 2, 2},
      {"more stacked frames than rows", 6, 3, 4, true, {}, 120, 8, 4},
      {"margins wider than the picture", 6, 6, 1, false, {10, 10, 10, 10}, 120, 8, 8},
      {"negative margins", 6, 6, 1, false, {-5, -5, -5, -5}, 144, 9, 9},
      {"frames that do not divide the width: the rest is left out", 11, 4, 3, false, {1, 1, 1, 1}, 144, 15, 6},
      {"no frames", 6, 4, 0, false, {}, 144, 9, 6},
      {"negative frames", 6, 4, -3, true, {}, 144, 9, 6},
      {"DPI 0 is the smallest", 10, 10, 1, false, {}, 0, 5, 5},
      {"negative DPI", 10, 10, 1, false, {}, -96, 5, 5},
      {"a huge factor is the largest", 3, 2, 1, false, {1, 0, 1, 0}, 1000000, 30, 20},
      {"too large at the factor: kept as it is", 2000, 1000, 1, false, {}, 960, 2000, 1000},
      {"empty", 0, 0, 1, false, {}, 144, 0, 0},
  };
  for (const Case& c : cases) {
    Bitmap32 src(c.w, c.h);
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) src.Set(x, y, (x + y) % 3 ? Rgb(x % 200, x % 200, x % 200) : kMagenta);
    const Bitmap32 out = ScalePicture(src, {c.frames, c.stacked, c.m}, c.dpi);
    EXPECT_EQ(out.Width(), c.ow) << c.what;
    EXPECT_EQ(out.Height(), c.oh) << c.what;
    for (Pixel p : out.Pixels()) ASSERT_TRUE(IsMagenta(p) || IsGrey(p)) << c.what;
  }
}

namespace {

// The system a skin drawn for `dpi` is read with.
class SystemAt : public SkinSystem {
 public:
  explicit SystemAt(int dpi) : dpi_(dpi) {}
  int Dpi() const override { return dpi_; }
  int HScrollArrowWidth() const override { return ScaleToDpi(17, dpi_); }

 private:
  int dpi_;
};

const TSkinElements& OwnSkin() {
  static const TSkinElements e = ReadSkinArtwork(DrawQuilletSkin());
  return e;
}

}  // namespace

TEST(ScaleElements, At96AnEqualCopy) {
  EXPECT_EQ(ElementFields(ScaleElements(OwnSkin(), 96), 96, Pictures::Pixels), ElementFields(OwnSkin(), 96, Pictures::Pixels));
}

TEST(ScaleElements, OurSkinAtEachScale) {
  const TSkinElements& base = OwnSkin();
  const std::vector<ElementPicture> before = ElementPictures(base);
  for (int dpi : {120, 144, 192, 240}) {
    const TSkinElements scaled = ScaleElements(base, dpi);
    // Every length scaled, nothing else changed.
    EXPECT_EQ(ElementFields(scaled), ElementFields(base, dpi)) << dpi;
    const std::vector<ElementPicture> after = ElementPictures(scaled);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
      const ElementPicture &b = before[i], &a = after[i];
      const std::string what = b.element->Name + " at " + std::to_string(dpi);
      ASSERT_EQ(a.element->Name, b.element->Name);
      const int n = b.layout.frames;
      const int fw = b.layout.stacked ? b.picture->Width() : b.picture->Width() / n;
      const int fh = b.layout.stacked ? b.picture->Height() / n : b.picture->Height();
      EXPECT_EQ(a.picture->Width(), ScaleToDpi(fw, dpi) * (b.layout.stacked ? 1 : n)) << what;
      EXPECT_EQ(a.picture->Height(), ScaleToDpi(fh, dpi) * (b.layout.stacked ? n : 1)) << what;
      ExpectRegionsKeptApart(*b.picture, *a.picture, b.layout, dpi, what);
    }
  }
}

TEST(ScaleElements, PicturesAreCutAsTheirPaintersCutThem) {
  const TSkinElements& s = OwnSkin();
  std::set<std::string> seen;
  for (const ElementPicture& p : ElementPictures(s)) {
    const std::string& name = p.element->Name;
    if (p.picture == &s.Top.Bitmap || p.picture == &s.Bottom.Bitmap || p.picture == &s.MenuBar.Bitmap) {
      EXPECT_TRUE(p.layout.stacked) << name;
      EXPECT_EQ(p.layout.frames, 2) << name;
    } else {
      EXPECT_FALSE(p.layout.stacked) << name;
    }
    const int frames = p.picture == &s.Buttons.CheckBitmap ? 12
                       : p.picture == &s.Buttons.RadioBitmap || p.picture == &s.UpDownVert->Bitmap2 ? 8
                                                                                                      : p.layout.frames;
    EXPECT_EQ(p.layout.frames, frames) << name;
    EXPECT_TRUE(p.picture != &s.Tabs->Bitmap2 || p.layout.margins.left == s.TabPane->LeftWidth);
    seen.insert(name);
  }
  // Every element with a picture is there.
  for (const TDataSkinObject* e : s.All()) EXPECT_TRUE(!e->HasBitmap() || seen.count(e->Name)) << e->Name;

  // A pane without margins of its own is cut, and drawn at each scale, with the engine's.
  TSkinElements plain;
  plain.Tabs.emplace().Name = "Tabs";
  plain.Tabs->Bitmap2 = Bitmap32(24, 24);
  const auto pictures = ElementPictures(plain);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].layout.margins.top, 5);
  const Margins m = TabPaneMargins(ScaleElements(plain, 144));
  EXPECT_EQ(std::vector<int>({m.left, m.top, m.right, m.bottom}), std::vector<int>({6, 8, 6, 6}));
}

TEST(ScaleElements, OurSkinDrawnAtAScaleReadsAsTheScaledOne) {
  for (int dpi : {120, 144, 168, 192, 240}) {
    const TSkinElements drawn = ReadSkinArtwork(DrawQuilletSkin(dpi), SystemAt(dpi));
    EXPECT_EQ(ElementFields(drawn, 96, Pictures::Sizes), ElementFields(ScaleElements(OwnSkin(), dpi), 96, Pictures::Sizes))
        << dpi;
  }
}
