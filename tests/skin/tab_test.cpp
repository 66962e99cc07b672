// Tab controls: the strip and the pane in each orientation, tab frames, close boxes.
#include <gtest/gtest.h>

#include "control_skins.h"
#include "skin/ctl/tab.h"

using namespace quillet::skin;
using namespace quillet::skin::testing;

namespace {

// Tabs are 10 x 12, upper half colour kTab, lower half kTab + 1; the pane picture likewise.
constexpr int kTab = 0x30, kBorder = 0x40, kPane = 0x50;

TSkinElements Skin(const std::string& extra = "") {
  return ControlSkin("[Tabs]\nImage=tabs.bmp\nBorder=border.bmp\n" + extra,
                     SkinBuilder()
                         .Bmp("tabs.bmp", TwoToneFrames(kTab, 5, 10, 12))
                         .Bmp("border.bmp", TwoToneFrames(kBorder, 1, 12, 12))
                         .Bmp("pane.bmp", TwoToneFrames(kPane, 1, 12, 12)));
}

struct Drawn {
  TabStripPaint plan;
  Bitmap32 strip;  // turned into place
  Bitmap32 client;
};

// A 200 x 100 tab control with two 20-pixel tabs, the second one focused.
Drawn Draw(TabOrientation o, const TSkinElements& s, bool closeBoxes = false) {
  TabStripInput in;
  in.width = 200;
  in.height = 100;
  in.focused = 1;
  in.closeBoxes = closeBoxes;
  switch (o) {
    case TabOrientation::Top:
      in.adjusted = {4, 28, 196, 96};
      in.items = {{2, 2, 60, 22}, {60, 2, 120, 22}};
      break;
    case TabOrientation::Bottom:
      in.adjusted = {4, 4, 196, 72};
      in.items = {{2, 78, 60, 98}, {60, 78, 120, 98}};
      break;
    case TabOrientation::Left:
      in.adjusted = {28, 4, 196, 96};
      in.items = {{2, 2, 22, 40}, {2, 40, 22, 80}};
      break;
    case TabOrientation::Right:
      in.adjusted = {4, 4, 172, 96};
      in.items = {{178, 2, 198, 40}, {178, 40, 198, 80}};
      break;
  }
  const TabImages img = PrepareTabImages(s, o, DefaultSkinSystem());
  Drawn d;
  d.plan = PlanTabStrip(in, img);
  Bitmap32 composition(d.plan.width, d.plan.height);
  DrawTabStrip(composition.View(), d.plan, img, kFace);
  d.strip = TurnTabStrip(composition, o);
  d.client = Bitmap32(200, 100, 0);
  DrawTabPane(d.client.View(), d.plan, img);
  return d;
}

}  // namespace

TEST(TabSkin, OrientationFramesAndCloseBoxMode) {
  EXPECT_EQ(TabOrientationFromStyle(0x80), TabOrientation::Left);
  EXPECT_EQ(TabOrientationFromStyle(0x82), TabOrientation::Right);
  EXPECT_EQ(TabFrame(true, true, false), 2);
  EXPECT_EQ(TabFrame(false, true, true), 3);
  EXPECT_EQ(TabFrame(false, true, false), 4);
  EXPECT_TRUE(TabHasCloseBoxes(true, 7777, TabOrientation::Top));
  EXPECT_FALSE(TabHasCloseBoxes(true, 7777, TabOrientation::Bottom));
}

TEST(TabSkin, TabsOnTopMeetThePaneAndTheFocusedOneStandsOut) {
  const Drawn d = Draw(TabOrientation::Top, Skin());
  EXPECT_EQ(d.plan.strip.bottom, 24);  // the adjusted rectangle grown by 4
  ASSERT_EQ(d.plan.items.size(), 2u);
  EXPECT_EQ(d.plan.items[1].index, 1);  // drawn last
  EXPECT_EQ(d.strip.At(30, 2), FramePixel(kTab, 1));
  EXPECT_EQ(d.strip.At(30, 20), FramePixel(kTab + 1, 1));
  EXPECT_EQ(d.strip.At(59, 2), FramePixel(kTab, 2));
  EXPECT_EQ(d.strip.At(1, 10), PixelFromColorRef(kFace));
  EXPECT_EQ(d.strip.At(150, 10), PixelFromColorRef(kFace));
  // The pane ("Border": "Tabs" Style 0) over the display area, the right way up.
  EXPECT_EQ(d.client.At(100, 24), FramePixel(kBorder, 1));
  EXPECT_EQ(d.client.At(100, 99), FramePixel(kBorder + 1, 1));
  EXPECT_EQ(d.client.At(100, 23), 0u);
}

TEST(TabSkin, TabsAtTheBottomAreMirroredFromTheSameImages) {
  const Drawn d = Draw(TabOrientation::Bottom, Skin());
  EXPECT_EQ(d.plan.strip.top, 76);
  EXPECT_EQ(d.strip.At(30, 2), FramePixel(kTab + 1, 1));
  EXPECT_EQ(d.strip.At(30, 20), FramePixel(kTab, 1));
  EXPECT_EQ(d.strip.At(59, 20), FramePixel(kTab, 2));
  EXPECT_EQ(d.client.At(100, 0), FramePixel(kBorder + 1, 1));
  EXPECT_EQ(d.client.At(100, 75), FramePixel(kBorder, 1));
}

TEST(TabSkin, TabsAtTheSidesAreComposedOnTopAndTurned) {
  const Drawn left = Draw(TabOrientation::Left, Skin());
  ASSERT_EQ(left.strip.Width(), 24);
  ASSERT_EQ(left.strip.Height(), 100);
  // The tabs' tops face outwards, their open sides face the pane.
  EXPECT_EQ(left.strip.At(2, 20), FramePixel(kTab, 1));
  EXPECT_EQ(left.strip.At(20, 20), FramePixel(kTab + 1, 1));
  EXPECT_EQ(left.strip.At(2, 60), FramePixel(kTab, 2));
  EXPECT_EQ(left.strip.At(10, 90), PixelFromColorRef(kFace));
  // The first tab's text runs along it, from its lower end up.
  const Rect text = left.plan.items[0].text;
  EXPECT_EQ(text.left, 60);
  EXPECT_EQ(text.right, 98);
  EXPECT_EQ(left.client.At(24, 50), FramePixel(kBorder, 1));
  EXPECT_EQ(left.client.At(199, 50), FramePixel(kBorder + 1, 1));

  const Drawn right = Draw(TabOrientation::Right, Skin());
  EXPECT_EQ(right.plan.strip.left, 176);
  EXPECT_EQ(right.strip.At(21, 20), FramePixel(kTab, 1));
  EXPECT_EQ(right.strip.At(2, 20), FramePixel(kTab + 1, 1));
  EXPECT_EQ(right.client.At(175, 50), FramePixel(kBorder, 1));
  EXPECT_EQ(right.client.At(0, 50), FramePixel(kBorder + 1, 1));
}

TEST(TabSkin, PanePictureMarginsAndTextColors) {
  // Style 1 with a "Tab.Pane" takes its picture and margins; its colours name the texts.
  const TSkinElements s = Skin(
      "Style=1\nNormalColour=1 2 3\nMouseOverColour=4 5 6\n[Tab.Pane]\nImage=pane.bmp\nTopHeight=3\nBottomHeight=1\n");
  const TabImages top = PrepareTabImages(s, TabOrientation::Top, DefaultSkinSystem());
  EXPECT_EQ(top.paneMargins.top, 3);
  EXPECT_EQ(top.paneMargins.bottom, 1);
  EXPECT_EQ(top.pane.At(0, 0), FramePixel(kPane, 1));
  EXPECT_EQ(top.normalText, 0x030201u);
  EXPECT_EQ(top.focusedText, 0x060504u);
  const TabImages bottom = PrepareTabImages(s, TabOrientation::Bottom, DefaultSkinSystem());
  EXPECT_EQ(bottom.paneMargins.top, 1);
  EXPECT_EQ(bottom.paneMargins.bottom, 3);
  const TabImages left = PrepareTabImages(s, TabOrientation::Left, DefaultSkinSystem());
  EXPECT_EQ(left.paneMargins.left, 3);
  EXPECT_EQ(left.paneMargins.right, 1);
  EXPECT_EQ(PrepareTabImages(Skin(), TabOrientation::Top, DefaultSkinSystem()).paneMargins.top, 5);

  // A skin that names no text colours gets readable ones, not its face colour.
  const TabImages plain = PrepareTabImages(Skin(), TabOrientation::Top, DefaultSkinSystem());
  EXPECT_EQ(plain.normalText, kButtonText);
  EXPECT_EQ(plain.focusedText, kButtonText);
  const Drawn d = Draw(TabOrientation::Top, s);
  EXPECT_EQ(d.plan.items[0].textColor, 0x030201u);
  EXPECT_EQ(d.plan.items[1].textColor, 0x060504u);
}

TEST(TabSkin, CloseBoxesOnTabsOnTop) {
  const Drawn d = Draw(TabOrientation::Top, Skin(), true);
  const TabItemPaint& first = d.plan.items[0];
  EXPECT_EQ(first.closeBox.left, 46);
  EXPECT_EQ(first.text.right, 44);
  EXPECT_EQ(d.strip.At(47, 8), PixelFromColorRef(kButtonText));  // the cross
  EXPECT_EQ(TabCloseBoxAt(d.plan, {50, 10}), 0);
  EXPECT_EQ(TabCloseBoxAt(d.plan, {110, 10}), 1);
  EXPECT_EQ(TabCloseBoxAt(d.plan, {40, 10}), -1);
  const Drawn bottom = Draw(TabOrientation::Bottom, Skin(), true);
  EXPECT_EQ(TabCloseBoxAt(bottom.plan, {50, 88}), -1);
}
