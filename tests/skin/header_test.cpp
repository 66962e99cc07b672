// Header controls: the frame of each section's state, the picture of the title row, and where
// the titles go.
#include <gtest/gtest.h>

#include "control_skins.h"
#include "skin/ctl/header.h"

using namespace quillet::skin;
using namespace quillet::skin::testing;

namespace {

constexpr int kBar = 0x71;

TSkinElements HeaderSkin(int frames) {
  return ControlSkin("[Headerbar]\nImage=h.bmp\nLeftWidth=6\nRightWidth=2\nFrame=" + std::to_string(frames) + "\n",
                     SkinBuilder().Bmp("h.bmp", SolidFrames(kBar, frames, 10, 10)));
}

}  // namespace

TEST(HeaderSkin, FrameOfEachState) {
  struct Case {
    bool enabled, hot, pressed;
    int frames, frame;
  };
  const Case cases[] = {
      {true, false, false, 5, 1}, {true, true, false, 5, 2},  {true, true, true, 5, 3},
      {false, true, true, 5, 4},  {false, false, false, 3, 1}, {true, false, true, 2, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HeaderFrame(c.enabled, c.hot, c.pressed, c.frames), c.frame)
        << c.enabled << c.hot << c.pressed << " of " << c.frames;
}

TEST(HeaderSkin, RowPictureAndTitlePlaces) {
  const TSkinElements five = HeaderSkin(5), four = HeaderSkin(4), none = ControlSkin("");
  const auto row = [](const TSkinElements& s, bool enabled) {
    HeaderInput in{120, 20, enabled, {{{0, 0, 40, 20}, false, false}, {{40, 0, 90, 20}, true, false, HeaderSort::Down}}};
    Bitmap32 b(120, 20, 0);
    DrawHeader(b.View(), in, s, TestPalette(s));
    return b;
  };
  const Bitmap32 a = row(five, true);
  EXPECT_EQ(a.At(20, 3), FramePixel(kBar, 1));
  EXPECT_EQ(a.At(50, 3), FramePixel(kBar, 2)) << "hot";
  EXPECT_EQ(a.At(100, 3), FramePixel(kBar, 5)) << "the rest of the row";
  EXPECT_EQ(a.At(81, 9), PixelFromColorRef(kButtonText)) << "the sort mark, clear of the right margin";
  EXPECT_EQ(row(four, true).At(100, 3), FramePixel(kBar, 1));
  EXPECT_EQ(row(four, false).At(50, 3), FramePixel(kBar, 4)) << "disabled";
  const Bitmap32 plain = row(none, true);
  EXPECT_EQ(plain.At(20, 5), PixelFromColorRef(kFace));
  EXPECT_EQ(plain.At(20, 19), PixelFromColorRef(kShadow)) << "a line under the row";
  EXPECT_EQ(plain.At(39, 10), PixelFromColorRef(kShadow)) << "and between the sections";

  struct Case {
    const char* what;
    HeaderSection section;
    const TSkinElements* skin;
    Rect text;
  };
  const Case cases[] = {
      {"inside the picture's margins", {{40, 0, 140, 20}}, &five, {46, 0, 136, 20}},
      {"margins of at least 4 pixels", {{40, 0, 140, 20}}, &none, {44, 0, 136, 20}},
      {"clear of the sort mark", {{40, 0, 140, 20}, false, false, HeaderSort::Up}, &five, {46, 0, 124, 20}},
      {"pressed: one pixel down and right", {{40, 0, 140, 20}, false, true}, &five, {47, 1, 137, 21}},
      {"never turned round", {{40, 0, 45, 20}}, &five, {46, 0, 46, 20}},
  };
  for (const Case& c : cases) {
    const Rect r = HeaderTextRect(c.section, *c.skin);
    EXPECT_TRUE(r.left == c.text.left && r.top == c.text.top && r.right == c.text.right && r.bottom == c.text.bottom)
        << c.what << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}
