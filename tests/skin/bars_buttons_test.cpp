// Glyph, speed and menu buttons, progress bars, track bars, status bars and size grips, media
// players, button tabs and tab sets, date-time buttons: states to frames, geometry, and the
// pixels they draw from the skin's pictures.
#include <gtest/gtest.h>

#include "control_skins.h"
#include "skin/ctl/checkbox.h"
#include "skin/ctl/datetime.h"
#include "skin/ctl/glyph_button.h"
#include "skin/ctl/media_player.h"
#include "skin/ctl/progress.h"
#include "skin/ctl/statusbar.h"
#include "skin/ctl/tab_kinds.h"
#include "skin/ctl/trackbar.h"

using namespace quillet::skin;
using namespace quillet::skin::testing;

namespace {

enum Tag { kButtons = 1, kTrough = 2, kChunk = 3, kThumb = 4, kStatus = 5, kToolBars = 6, kMenuBar = 7, kTrack = 8 };

const TSkinElements& Skin() {
  static const TSkinElements s = ControlSkin(R"(
[Personality]
menuBar=menubar.bmp
[Buttons]
Bitmap=buttons.bmp
[Progress]
Bitmap=progress.bmp
Style=1
[Progress.Chunk]
Image=chunk.bmp
[Trackbar.ThumbDown]
Image=thumb.bmp
[Track]
Image=track.bmp
[StatusBarEdges]
Image=status.bmp
[ToolBars]
Image=toolbars.bmp
)",
      SkinBuilder()
          .Bmp("buttons.bmp", SolidFrames(kButtons, 5, 12, 12))
          .Bmp("progress.bmp", SolidFrames(kTrough, 1, 8, 8))
          .Bmp("chunk.bmp", TwoToneFrames(kChunk, 1, 6, 4))
          .Bmp("thumb.bmp", SolidFrames(kThumb, 5, 6, 10))
          .Bmp("track.bmp", SolidFrames(kTrack, 1, 8, 4))
          .Bmp("status.bmp", SolidFrames(kStatus, 3, 20, 10))
          .Bmp("toolbars.bmp", SolidFrames(kToolBars, 5, 10, 10))
          .Bmp("menubar.bmp", SolidFrames(kMenuBar, 1, 10, 20)));
  return s;
}

Palette Pal() { return TestPalette(Skin()); }

}  // namespace

TEST(GlyphButtonSkin, ImageByStateTransparencyAndGreying) {
  struct Case {
    GlyphState s;
    int count, index;
    bool greyed;
  };
  const Case cases[] = {
      {{}, 4, 0, false},
      {{.enabled = false}, 1, 0, true},
      {{.enabled = false}, 2, 1, false},
      {{.pressed = true}, 2, 0, false},
      {{.pressed = true}, 3, 2, false},
      {{.down = true}, 3, 0, false},
      {{.pressed = true, .down = true}, 4, 2, false},
      {{.down = true}, 4, 3, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GlyphImageIndex(c.s, c.count), c.index) << c.count;
    EXPECT_EQ(GlyphDrawnGreyed(c.s, c.count), c.greyed) << c.count;
  }

  // Two 3 x 3 images; the bottom-left pixel of each is its transparent colour.
  Bitmap32 glyph(6, 3, Rgb(200, 0, 0));
  glyph.FillRect({3, 0, 6, 3}, Rgb(0, 0, 200));
  glyph.Set(0, 2, Rgb(0, 255, 0));
  glyph.Set(2, 2, Rgb(0, 255, 0));
  glyph.Set(3, 2, Rgb(9, 9, 9));
  Bitmap32 out(8, 8, 0x777777);
  DrawGlyph(out.View(), {&glyph, 2, false}, 0, {2, 2}, false, 0xC8C8C8);
  EXPECT_EQ(out.At(2, 2), Rgb(200, 0, 0));
  EXPECT_EQ(out.At(2, 4), 0x777777u) << "the key colour shows what was under it";
  EXPECT_EQ(out.At(4, 4), 0x777777u) << "anywhere in the image";
  DrawGlyph(out.View(), {&glyph, 2, false}, 1, {6, 6}, false, 0xC8C8C8);  // cut at the view's edge
  EXPECT_EQ(out.At(7, 7), Rgb(0, 0, 200));
  // Greyed: no colour left, lighter than the picture.
  Bitmap32 grey(3, 3, 0x777777);
  DrawGlyph(grey.View(), {&glyph, 2, false}, 0, {0, 0}, true, 0xC8C8C8);
  const Pixel g = grey.At(1, 1);
  EXPECT_TRUE((g & 0xFF) == ((g >> 8) & 0xFF) && (g & 0xFF) == (g >> 16)) << std::hex << g;
  EXPECT_EQ(grey.At(0, 2), 0x777777u);
  // With alpha: the top byte blends.
  Bitmap32 alpha(1, 1, 0x80FFFFFF);
  Bitmap32 under(1, 1, 0x000000);
  DrawGlyph(under.View(), {&alpha, 1, true}, 0, {0, 0}, false, 0);
  EXPECT_EQ(under.At(0, 0), Rgb(128, 128, 128));
}

TEST(GlyphButtonSkin, SpeedButtonFacesFromButtonsToolBarsOrTheMenuBar) {
  struct Case {
    const char* what;
    SpeedButtonState s;
    bool toolbar;
    int tag, frame;  // tag 0: no face
  };
  const Case cases[] = {
      {"at rest", {}, false, kButtons, 1},
      {"flat at rest", {.flat = true}, false, 0, 0},
      {"flat and hot", {.hot = true, .flat = true}, false, kButtons, 4},
      {"down", {.down = true, .flat = true}, false, kButtons, 2},
      {"disabled", {.enabled = false}, false, kButtons, 3},
      {"flat and disabled", {.down = true, .enabled = false, .flat = true}, false, 0, 0},
      {"tool bar at rest", {}, true, 0, 0},
      {"tool bar hot", {.hot = true}, true, kToolBars, 2},
      {"tool bar pressed", {.pressed = true, .down = true}, true, kToolBars, 3},
      {"tool bar down", {.down = true}, true, kToolBars, 4},
      {"tool bar disabled", {.enabled = false}, true, kToolBars, 5},
  };
  for (const Case& c : cases) {
    const auto look = SpeedButtonLook(Skin(), c.s, c.toolbar);
    ASSERT_EQ(look.has_value(), c.tag != 0) << c.what;
    if (!look) continue;
    Bitmap32 b(20, 20, 0);
    DrawFaceLook(b.View(), *look);
    EXPECT_EQ(b.At(10, 10), FramePixel(c.tag, c.frame)) << c.what;
  }
  // A skin without "Buttons" draws them over its menu bar: frame 2 (stacked) when lit.
  TSkinElements noButtons = Skin();
  noButtons.Buttons.Bitmap.Clear();
  const auto lit = SpeedButtonLook(noButtons, {.hot = true}, false);
  ASSERT_TRUE(lit);
  EXPECT_EQ(lit->element, &noButtons.MenuBar);
  EXPECT_EQ(lit->frame, 2);
  EXPECT_TRUE(lit->vertical);
  EXPECT_FALSE(SpeedButtonLook(noButtons, {.flat = true}, false));
}

TEST(GlyphButtonSkin, MenuButtonKeepsItsArrowPartClearOfTheCaption) {
  const MenuButtonParts p = SplitMenuButton({2, 2, 98, 22});
  EXPECT_EQ(p.arrow, (Rect{84, 2, 98, 22}));
  EXPECT_EQ(p.divider, (Rect{83, 5, 84, 19}));
  EXPECT_LE(p.caption.right, p.divider.left);
  Bitmap32 b(100, 24, 0xFFFFFF);
  DrawMenuButtonArrow(b.View(), p, 0x646464, 0x000000, false);
  EXPECT_EQ(b.At(83, 12), PixelFromColorRef(0x646464));
  int ink = 0;
  for (int y = 2; y < 22; ++y)
    for (int x = 84; x < 98; ++x) ink += b.At(x, y) == 0;
  EXPECT_GT(ink, 3) << "an arrow in the arrow part";
}

TEST(ProgressSkin, FillFollowsThePositionInEitherDirection) {
  struct Case {
    ProgressInput in;
    Rect fill;
  };
  const Case cases[] = {
      {{100, 20, false, false, 0, 100, 50}, {2, 2, 50, 18}},
      {{100, 20, false, false, 0, 100, 0}, {2, 2, 2, 18}},
      {{100, 20, false, false, 0, 100, 150}, {2, 2, 98, 18}},   // past the end: full
      {{100, 20, false, false, 10, 10, 10}, {2, 2, 2, 18}},     // an empty range fills nothing
      {{100, 20, false, false, -50, 50, 0}, {2, 2, 50, 18}},
      {{100, 20, false, false, 100, 0, 25}, {2, 2, 74, 18}},    // high to low: three quarters
      {{100, 20, false, false, 100, 0, 0}, {2, 2, 98, 18}},
      {{100, 20, false, false, 100, 0, 150}, {2, 2, 2, 18}},    // before the start: empty
      {{20, 100, true, false, 0, 4, 1}, {2, 74, 18, 98}},       // vertical: from the bottom
      {{6, 6, false, false, 0, 1, 1}, {1, 1, 5, 5}},            // small: a thinner edge
  };
  for (const Case& c : cases) EXPECT_EQ(PlanProgress(c.in).fill, c.fill) << c.in.pos << "/" << c.in.max;
}

TEST(ProgressSkin, TroughThenChunksCutAtTheFillsEnd) {
  const ProgressInput in{40, 12, false, false, 0, 100, 50};
  const ProgressPaint p = PlanProgress(in);
  Bitmap32 b(40, 12, 0);
  ASSERT_TRUE(DrawProgress(b.View(), in, p, Skin(), 0x0000FF));
  EXPECT_EQ(b.At(0, 0), FramePixel(kTrough, 1));
  EXPECT_EQ(b.At(30, 6), FramePixel(kTrough, 1)) << "past the fill: the trough";
  EXPECT_EQ(b.At(3, 3), FramePixel(kChunk, 1)) << "a chunk, upper half";
  EXPECT_EQ(b.At(3, 8), FramePixel(kChunk + 1, 1)) << "stretched to the fill's height";
  EXPECT_EQ(b.At(19, 3), FramePixel(kChunk, 1)) << "the last chunk, cut";
  EXPECT_EQ(b.At(20, 3), FramePixel(kTrough, 1));
  // Vertical bars lay their chunks turned, from the bottom.
  const ProgressInput vin{12, 40, true, false, 0, 100, 50};
  Bitmap32 v(12, 40, 0);
  DrawProgress(v.View(), vin, PlanProgress(vin), Skin(), 0x0000FF);
  EXPECT_EQ(v.At(3, 37), FramePixel(kChunk, 1)) << "the upper half turned to the left";
  EXPECT_EQ(v.At(8, 37), FramePixel(kChunk + 1, 1));
  EXPECT_EQ(v.At(6, 10), FramePixel(kTrough, 1));
  // Without a chunk picture a one-frame trough fills with the colour given.
  TSkinElements plain = Skin();
  plain.ProgressChunk.reset();
  Bitmap32 f(40, 12, 0);
  DrawProgress(f.View(), in, p, plain, 0x0000FF);
  EXPECT_EQ(f.At(10, 6), PixelFromColorRef(0x0000FF));
  EXPECT_FALSE(DrawProgress(f.View(), in, p, TSkinElements(), 0)) << "no trough picture: left to the system";
}

TEST(TrackBarSkin, ThumbByStyleAndStateTicksBesideIt) {
  struct ShapeCase {
    std::uint32_t style;
    ThumbShape shape;
  };
  for (const ShapeCase c : {ShapeCase{0, ThumbShape::Down}, {tbs::TopOrLeft, ThumbShape::Up}, {tbs::Both, ThumbShape::Horz},
                            {tbs::Vert, ThumbShape::Right}, {tbs::Vert | tbs::TopOrLeft, ThumbShape::Left},
                            {tbs::Vert | tbs::Both, ThumbShape::Vert}})
    EXPECT_EQ(TrackThumbShape(c.style), c.shape) << c.style;
  EXPECT_EQ(TrackThumbFrame(false, false, false, true), 1);
  EXPECT_EQ(TrackThumbFrame(false, true, true, true), 2);
  EXPECT_EQ(TrackThumbFrame(true, true, true, true), 3);
  EXPECT_EQ(TrackThumbFrame(true, true, true, false), 4);
  EXPECT_EQ(TrackThumbFrame(false, false, true, true), 5);

  TrackInput in;
  in.width = 100;
  in.height = 30;
  in.channel = {8, 10, 92, 11};  // a hairline, as the control may report it
  in.thumb = {40, 4, 46, 20};
  in.ticks = {11, 50, 89};
  in.hot = true;
  const TrackPaint p = PlanTrackBar(in);
  EXPECT_EQ(p.channel, (Rect{8, 8, 92, 12})) << "widened around its middle";
  ASSERT_EQ(p.tickMarks.size(), 3u);
  EXPECT_EQ(p.tickMarks[0], (Rect{11, 22, 12, 27})) << "the range's end: a longer mark";
  EXPECT_EQ(p.tickMarks[1], (Rect{50, 22, 51, 25}));
  TrackInput both = in;
  both.style = tbs::Both;
  EXPECT_EQ(PlanTrackBar(both).tickMarks.size(), 6u);
  both.style = tbs::NoTicks;
  EXPECT_TRUE(PlanTrackBar(both).tickMarks.empty());

  Bitmap32 b(100, 30, 0xFFFFFF);
  DrawTrackBar(b.View(), in, p, Skin(), Pal());
  EXPECT_EQ(b.At(20, 9), FramePixel(kTrack, 1));
  EXPECT_EQ(b.At(43, 12), FramePixel(kThumb, 2)) << "the hot thumb over the channel";
  EXPECT_EQ(b.At(50, 23), PixelFromColorRef(kShadow));
  // A shape the skin has no picture for: a plain box.
  in.style = tbs::Both;
  Bitmap32 plain(100, 30, 0);
  DrawTrackBar(plain.View(), in, PlanTrackBar(in), Skin(), Pal());
  EXPECT_EQ(plain.At(40, 10), PixelFromColorRef(kDkShadow));
  EXPECT_EQ(plain.At(43, 10), 0xFFFFFFu);
}

TEST(StatusBarSkin, PanelsClearOfTheGripOverTheBarsFrames) {
  StatusInput in{200, 20, {{0, 2, 80, 20}, {82, 2, 200, 20}}, true};
  const StatusPaint p = PlanStatusBar(in);
  EXPECT_EQ(p.barFrame, 3);
  EXPECT_EQ(p.grip, (Rect{183, 3, 200, 20}));
  ASSERT_EQ(p.panels.size(), 2u);
  EXPECT_EQ(p.panels[1], (Rect{82, 2, 183, 20}));
  EXPECT_EQ(p.texts[0], (Rect{4, 3, 76, 19}));
  Bitmap32 b(200, 20, 0);
  DrawStatusBar(b.View(), p, Skin(), Pal());
  EXPECT_EQ(b.At(40, 10), FramePixel(kStatus, 2));
  EXPECT_EQ(b.At(81, 10), FramePixel(kStatus, 3)) << "between the panels: the bar";
  EXPECT_EQ(b.At(195, 10), FramePixel(kStatus, 3));
  const StatusPaint noGrip = PlanStatusBar({200, 20, {{0, 0, 200, 20}}, false});
  EXPECT_EQ(noGrip.barFrame, 1);
  EXPECT_TRUE(IsEmpty(noGrip.grip));
  // Without the picture: the face, a line after each panel, the grip's dots.
  Bitmap32 plain(200, 20, 0);
  DrawStatusBar(plain.View(), p, TSkinElements(), Pal());
  EXPECT_EQ(plain.At(40, 10), PixelFromColorRef(kFace));
  EXPECT_EQ(plain.At(79, 10), PixelFromColorRef(kShadow));
  EXPECT_EQ(plain.At(196, 16), PixelFromColorRef(kShadow));
  EXPECT_EQ(plain.At(197, 17), 0xFFFFFFu);
}

TEST(MediaPlayerSkin, ButtonsShareTheBarAndShowTheirState) {
  MediaPlayerInput in;
  in.width = 100;
  in.height = 20;
  in.visible = 0b000010111;  // play, pause, stop, prev
  in.enabled = 0b000000011;
  in.pressed = 1;
  in.hot = 0;
  const auto plan = PlanMediaPlayer(in);
  ASSERT_EQ(plan.size(), 4u);
  EXPECT_EQ(plan[3].button, 4);
  EXPECT_EQ(plan[1].rect, (Rect{25, 0, 50, 20}));
  EXPECT_EQ(plan[0].frame, 4);
  EXPECT_EQ(plan[1].frame, 2);
  EXPECT_EQ(plan[2].frame, 3);
  EXPECT_FALSE(plan[2].enabled);
  EXPECT_EQ(MediaButtonAt(plan, {60, 5}), 2);
  EXPECT_EQ(MediaButtonAt(plan, {100, 5}), -1);
  in.controlEnabled = false;
  EXPECT_EQ(PlanMediaPlayer(in)[0].frame, 3);

  Bitmap32 b(100, 20, 0);
  DrawMediaPlayer(b.View(), plan, Skin(), Pal());
  EXPECT_EQ(b.At(1, 1), FramePixel(kButtons, 4));
  int ink = 0, grey = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 50; x < 75; ++x) {
      ink += b.At(x, y) == PixelFromColorRef(kButtonText);
      grey += b.At(x, y) == PixelFromColorRef(DefaultSkinSystem().SysColor(sys::BtnShadow));
    }
  EXPECT_EQ(ink, 0);
  EXPECT_GT(grey, 20) << "a disabled button's glyph in the disabled colour";
}

TEST(TabKindsSkin, ButtonTabsTabSetsAndOtherPageControls) {
  EXPECT_EQ(TabButtonFrame(TabFrame(true, true, true)), 2);
  EXPECT_EQ(TabButtonFrame(TabFrame(false, true, true)), 4);
  EXPECT_EQ(TabButtonFrame(TabFrame(false, false, false)), 3);
  EXPECT_EQ(TabButtonFrame(TabFrame(false, false, true)), 1);

  TabStripPaint p;
  p.width = 100;
  p.height = 24;
  for (const auto& [frame, text] : {std::pair{1, Rect{2, 2, 40, 22}}, {2, Rect{40, 2, 80, 22}}}) {
    TabItemPaint t;
    t.frame = frame;
    t.text = text;
    p.items.push_back(t);
  }
  Bitmap32 b(100, 24, 0);
  ASSERT_TRUE(DrawTabButtons(b.View(), p, Skin(), 0x102030));
  EXPECT_EQ(b.At(20, 12), FramePixel(kButtons, 1));
  EXPECT_EQ(b.At(60, 12), FramePixel(kButtons, 2));
  EXPECT_EQ(b.At(90, 12), PixelFromColorRef(0x102030));
  EXPECT_FALSE(DrawTabButtons(b.View(), p, TSkinElements(), 0));

  // A tab set's pane ends where its highest tab starts.
  const Rect adjusted = TabSetAdjusted(120, {{2, 6, 40, 24}, {40, 4, 80, 24}});
  EXPECT_EQ(Inset(adjusted, -4).bottom, 4);
  EXPECT_EQ(Inset(adjusted, -4).right, 120);
}

TEST(DateTimeSkin, ArrowButtonAtTheRightInItsState) {
  EXPECT_EQ(DateTimeButtonRect(120, 20, 17), (Rect{103, 0, 120, 20}));
  EXPECT_EQ(DateTimeButtonRect(10, 20, 17), (Rect{0, 0, 10, 20}));
  EXPECT_EQ(ArrowButtonFrame(true, true, true), 2);
  EXPECT_EQ(ArrowButtonFrame(false, true, true), 4);
  EXPECT_EQ(ArrowButtonFrame(true, false, false), 3);
  // Without "ComboxArrow": a plain button with an arrow.
  Bitmap32 b(17, 20, 0);
  DrawArrowButton(b.View(), 1, TSkinElements(), Pal());
  EXPECT_EQ(b.At(0, 0), PixelFromColorRef(kShadow));
  EXPECT_EQ(b.At(3, 3), PixelFromColorRef(kFace));
  EXPECT_EQ(b.At(8, 10), PixelFromColorRef(kButtonText));
}

TEST(ObjImageSkin, ValueFromTheControlsProperties) {
  const std::string checked = "True", unchecked = "false", grayed = "cbGrayed";
  EXPECT_EQ(CheckValueFromProperties(nullptr, &checked), CheckValue::Checked);
  EXPECT_EQ(CheckValueFromProperties(nullptr, &unchecked), CheckValue::Unchecked);
  EXPECT_EQ(CheckValueFromProperties(nullptr, nullptr), CheckValue::Unchecked);
  EXPECT_EQ(CheckValueFromProperties(&grayed, &checked), CheckValue::Indeterminate) << "State wins";
}
