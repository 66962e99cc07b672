// Scroll bars: zones under the cursor, the stand-alone thumb's arithmetic, the dragged thumb,
// and the overlay's picture.
#include <gtest/gtest.h>

#include <climits>

#include "control_skins.h"
#include "skin/ctl/scrollbar.h"

using namespace quillet::skin;
using namespace quillet::skin::testing;

TEST(ScrollSkin, ZoneAlongTheAxis) {
  // A 100-pixel bar, 17-pixel arrows, the thumb from 40 to 60.
  const std::pair<int, int> cases[] = {{0, kZoneFirstArrow}, {16, kZoneFirstArrow}, {17, kZonePageBefore},
                                       {39, kZonePageBefore}, {40, kZoneThumb},     {59, kZoneThumb},
                                       {60, kZonePageAfter},  {82, kZonePageAfter}, {83, kZoneSecondArrow},
                                       {99, kZoneSecondArrow}};
  for (auto [a, zone] : cases) EXPECT_EQ(ScrollZoneAt(a, 17, 40, 60, 100), zone) << a;
}

TEST(ScrollSkin, MulDivRoundsHalfAwayFromZero) {
  struct Case {
    int a, b, c, r;
  };
  const Case cases[] = {{10, 3, 4, 8},  {-10, 3, 4, -8}, {10, -3, 4, -8}, {10, 3, -4, -8}, {-10, -3, -4, -8},
                        {7, 1, 2, 4},   {5, 1, 2, 3},    {6, 1, 4, 2},    {0, 5, 3, 0},    {1, 1, 0, -1},
                        {INT_MAX, 2, 1, -1}, {INT_MAX, 2, 2, INT_MAX}, {66, 49, 99, 33}};
  for (const Case& c : cases) EXPECT_EQ(RoundedMulDiv(c.a, c.b, c.c), c.r) << c.a << " " << c.b << " " << c.c;
}

TEST(ScrollSkin, StandaloneThumb) {
  struct Case {
    const char* what;
    int length, min, max, page, pos;
    ThumbSpan thumb;
  };
  // Arrows are 17 pixels throughout.
  const Case cases[] = {
      {"short page: 8 pixels, at the start", 100, 0, 100, 10, 0, {17, 25}},
      {"short page: the rest of the track for the position", 100, 0, 100, 10, 50, {46, 54}},
      {"half a page", 100, 0, 99, 50, 25, {34, 67}},
      {"the last position ends at the second arrow", 100, 0, 99, 50, 50, {50, 83}},
      {"maximum equal to minimum", 100, 5, 5, 1, 5, {17, 25}},
      {"no page: the thumb is an arrow long", 100, 0, 100, 0, 100, {66, 83}},
      {"no page, at the start", 100, 0, 100, 0, 0, {17, 34}},
      {"a position past the maximum stays on the track", 100, 0, 100, 10, 200, {75, 83}},
      {"a range turned round stays on the track", 100, 100, 0, 10, 150, {17, 25}},
      {"a page larger than the range fills the track", 100, 0, 100, 200, 0, {17, 83}},
      {"a bar too short for its thumb", 40, 0, 100, 10, 50, {17, 23}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StandaloneThumb(c.length, 17, c.min, c.max, c.page, c.pos), c.thumb)
        << c.what << ": " << StandaloneThumb(c.length, 17, c.min, c.max, c.page, c.pos).start;
}

TEST(ScrollSkin, DraggedThumbFollowsTheCursorBetweenTheArrows) {
  EXPECT_EQ(DraggedThumbStart(30, 50, 40, 17, 100, 20), 40);
  EXPECT_EQ(DraggedThumbStart(30, -100, 40, 17, 100, 20), 17);
  EXPECT_EQ(DraggedThumbStart(30, 500, 40, 17, 100, 20), 63);
  EXPECT_EQ(DraggedThumbStart(30, 500, 40, 17, 40, 30), 17);  // no room: it stays by the first arrow
}

TEST(ScrollSkin, DrawnThumbAndTheZoneAScrollCodeLeaves) {
  // A 100-pixel bar with 17-pixel arrows; the system's thumb from 30 to 50.
  const ThumbDrag drag{30, 40, 55};
  EXPECT_EQ(DrawnThumb({30, 50}, false, drag, 17, 100), (ThumbSpan{30, 50})) << "at rest: the system's";
  EXPECT_EQ(DrawnThumb({30, 50}, true, drag, 17, 100), (ThumbSpan{45, 65})) << "dragged 15 pixels on";
  EXPECT_EQ(DrawnThumb({30, 50}, true, {30, 40, 400}, 17, 100), (ThumbSpan{63, 83})) << "up to the second arrow";
  EXPECT_EQ(DrawnThumb({}, true, drag, 17, 100), (ThumbSpan{})) << "no thumb to drag";

  struct Case {
    int code, zone;
    bool pressed;
    int after;
  };
  const Case cases[] = {
      {0, kZoneThumb, true, kZoneFirstArrow}, {1, kZoneNone, true, kZoneSecondArrow},
      {3, kZoneNone, true, kZonePageAfter},   {5, kZoneThumb, true, kZoneThumb},
      {4, kZoneNone, true, kZoneThumb},       {8, kZoneSecondArrow, true, kZoneSecondArrow},
      {6, kZoneNone, true, kZoneNone},        {1, kZoneNone, false, kZoneNone},
      {2, kZoneThumb, false, kZoneThumb},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ZoneAfterScrollCode(c.code, c.zone, c.pressed), c.after) << c.code << " " << c.zone << " " << c.pressed;
}

TEST(ScrollSkin, Border) {
  EXPECT_TRUE(ScrollBorderDrawn("bsSingle", "TListBox", false));
  EXPECT_FALSE(ScrollBorderDrawn("BSNONE", "TListBox", false));
  EXPECT_FALSE(ScrollBorderDrawn("bsSingle", "TImageScrollBox", false));
  EXPECT_FALSE(ScrollBorderDrawn("bsSingle", "TListBox", true));
  Bitmap32 border(6, 6, 0);
  DrawScrollBorder(border.View(), TestPalette(ControlSkin("")));
  EXPECT_EQ(border.At(0, 3), PixelFromColorRef(kShadow));
  EXPECT_EQ(border.At(1, 3), PixelFromColorRef(kFace));
  EXPECT_EQ(border.At(2, 3), 0u);
}

TEST(ScrollSkin, OverlayPictureByZoneAndState) {
  constexpr int kArrows = 0x61, kTrack = 0x62, kThumb = 0x63, kHTrack = 0x64;
  const TSkinElements s = ControlSkin(
      "[Scrollbar]\nImage=arrows.bmp\n[VertScroll]\nImage=vtrack.bmp\n[HorzScroll]\nImage=htrack.bmp\n"
      "[VertScrollThumb]\nImage=vthumb.bmp\nFrameCount=4\n[HorzScrollThumb]\nImage=hthumb.bmp\n",
      SkinBuilder()
          .Bmp("arrows.bmp", SolidFrames(kArrows, 23, 5, 5))
          .Bmp("vtrack.bmp", SolidFrames(kTrack, 4, 5, 5))
          .Bmp("htrack.bmp", SolidFrames(kHTrack, 4, 5, 5))
          .Bmp("vthumb.bmp", SolidFrames(kThumb, 4, 5, 5))
          .Bmp("hthumb.bmp", SolidFrames(kThumb, 3, 5, 5)));
  struct Case {
    const char* what;
    int zone;
    bool pressed, enabled;
    int up, down, track, thumb;
  };
  const Case cases[] = {
      {"at rest", kZoneNone, false, true, 1, 5, 1, 1},
      {"over the second arrow", kZoneSecondArrow, false, true, 1, 6, 2, 1},
      {"pressing the first arrow", kZoneFirstArrow, true, true, 3, 5, 2, 1},
      {"dragging the thumb", kZoneThumb, true, true, 1, 5, 2, 3},
      {"pressing the page", kZonePageAfter, true, true, 1, 5, 3, 1},
      {"disabled", kZoneNone, false, false, 4, 8, 4, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bitmap32 bmp(17, 100, 0);
    DrawScrollOverlay(bmp.View(), {17, 100, false, c.enabled, c.zone, c.pressed, 17, {40, 60}}, s);
    EXPECT_EQ(bmp.At(8, 5), FramePixel(kArrows, c.up));
    EXPECT_EQ(bmp.At(8, 95), FramePixel(kArrows, c.down));
    EXPECT_EQ(bmp.At(8, 20), FramePixel(kTrack, c.track));
    EXPECT_EQ(bmp.At(8, 70), FramePixel(kTrack, c.track));
    EXPECT_EQ(bmp.At(8, 50), FramePixel(kThumb, c.thumb));
  }
  // Horizontal: left and right arrows; a three-frame thumb has no disabled frame.
  Bitmap32 h(100, 17, 0);
  DrawScrollOverlay(h.View(), {100, 17, true, false, kZoneNone, false, 17, {40, 60}}, s);
  EXPECT_EQ(h.At(5, 8), FramePixel(kArrows, 12));
  EXPECT_EQ(h.At(95, 8), FramePixel(kArrows, 16));
  EXPECT_EQ(h.At(20, 8), FramePixel(kHTrack, 4));
  EXPECT_EQ(h.At(50, 8), FramePixel(kThumb, 1));
  // A bar shorter than its two arrows shares it between them; no thumb, only the face colour.
  Bitmap32 tiny(17, 20, 0);
  DrawScrollOverlay(tiny.View(), {17, 20, false, true, kZoneNone, false, 17, {}}, ControlSkin("[Scrollbar]\nImage=a.bmp\n",
      SkinBuilder().Bmp("a.bmp", SolidFrames(kArrows, 23, 5, 5))));
  EXPECT_EQ(tiny.At(8, 9), FramePixel(kArrows, 1));
  EXPECT_EQ(tiny.At(8, 10), FramePixel(kArrows, 5));
}
