// Combo boxes in each look: where the button goes, which frame, what is left to the control.
#include <gtest/gtest.h>

#include "control_skins.h"
#include "skin/ctl/combo.h"

using namespace quillet::skin;
using namespace quillet::skin::testing;

namespace {

constexpr int kCombo = 0x21, kSunk = 0x22, kExtra = 0x23;

TSkinElements Skin(const std::string& ini) {
  return ControlSkin(ini, SkinBuilder()
                              .Bmp("combo.bmp", SolidFrames(kCombo, 4, 16, 16))
                              .Bmp("sunk.bmp", SolidFrames(kSunk, 4, 10, 10))
                              .Bmp("extra.bmp", SolidFrames(kExtra, 5, 6, 4)));
}

ComboInput Input(bool leftScrollBar = false) {
  ComboInput in;
  in.width = 100;
  in.height = 22;
  in.leftScrollBar = leftScrollBar;
  in.infoButton = {80, 2, 98, 20};
  in.background = 0x00FF00;
  return in;
}

}  // namespace

TEST(ComboSkin, ButtonOverAStripAtEitherEdge) {
  const TSkinElements s = Skin("[ComboButton]\nImage=combo.bmp\nStyle=1\n");
  ComboInput in = Input();
  in.hot = true;
  ComboPaint p = PlanCombo(in, s);
  ASSERT_TRUE(p.draw);
  EXPECT_EQ(p.look, ComboLook::ButtonStrip);
  EXPECT_EQ(p.frame, 4);
  // One frame wide at the right edge two pixels in; no higher than the picture, which is lower
  // than a scroll thumb.
  EXPECT_EQ(p.button.left, 82);
  EXPECT_EQ(p.button.bottom, 18);
  EXPECT_EQ(p.keep.right, 81);
  Bitmap32 bmp(100, 22, 0x123456);
  DrawCombo(bmp.View(), in, p, s, TestPalette(s));
  EXPECT_EQ(bmp.At(90, 10), FramePixel(kCombo, 4));
  EXPECT_EQ(bmp.At(81, 19), PixelFromColorRef(0x00FF00));  // the strip below the button
  EXPECT_EQ(bmp.At(1, 1), PixelFromColorRef(0x00FF00));
  EXPECT_EQ(bmp.At(0, 0), PixelFromColorRef(kShadow));
  EXPECT_EQ(bmp.At(40, 10), 0x123456u);  // the text area is the control's

  in = Input(true);
  in.cyVThumb = 12;  // a picture as high as a thumb or higher keeps the full height
  p = PlanCombo(in, s);
  EXPECT_EQ(p.button.right, 18);
  EXPECT_EQ(p.button.bottom, 20);
  EXPECT_EQ(p.keep.left, 14);

  EXPECT_EQ(p.frame, 1);
  in.enabled = false;
  in.pressed = true;
  EXPECT_EQ(PlanCombo(in, s).frame, 3);
  in.buttonInvisible = true;
  EXPECT_FALSE(PlanCombo(in, s).draw);
  EXPECT_FALSE(PlanCombo(Input(), ControlSkin("")).draw);
}

TEST(ComboSkin, PlainLookPutsTheButtonAndItsGlyphAtTheEdge) {
  const TSkinElements s = Skin("[ComboButton]\nImage=combo.bmp\n[ExtraImages]\nImage=extra.bmp\n");
  ComboInput in = Input();
  in.pressed = true;
  const ComboPaint p = PlanCombo(in, s);
  EXPECT_EQ(p.look, ComboLook::SunkEdge);
  EXPECT_EQ(p.button.left, 79);  // SM_CXHSCROLL + 2 wide, two pixels in
  EXPECT_EQ(p.keep.right, 79);
  Bitmap32 bmp(100, 22, 0);
  DrawCombo(bmp.View(), in, p, s, TestPalette(s));
  EXPECT_EQ(bmp.At(80, 3), FramePixel(kCombo, 2));
  EXPECT_EQ(bmp.At(85, 9), FramePixel(kExtra, 2));  // the 6 x 4 glyph centred
  EXPECT_EQ(bmp.At(91, 12), FramePixel(kCombo, 2));

  // At the left the mirrored picture is used, and still shows the frame of the state.
  in = Input(true);
  in.focused = true;
  const ComboPaint l = PlanCombo(in, s);
  EXPECT_EQ(l.button.right, 21);
  Bitmap32 left(100, 22, 0);
  DrawCombo(left.View(), in, l, s, TestPalette(s));
  EXPECT_EQ(left.At(3, 3), FramePixel(kCombo, 4));
}

TEST(ComboSkin, CombinedPictureInTheStatesFrameOnBothSides) {
  // With a sunken edge the skin composes the edit-and-button picture: ComboButton Style 2.
  const TSkinElements s = Skin("[ComboButton]\nImage=combo.bmp\n[SunkEdge]\nImage=sunk.bmp\nTopHeight=2\nBottomHeight=2\n");
  ASSERT_EQ(s.ComboButton->Style, 2);
  for (bool leftScrollBar : {false, true}) {
    SCOPED_TRACE(leftScrollBar);
    ComboInput in = Input(leftScrollBar);
    in.pressed = true;
    const ComboPaint p = PlanCombo(in, s);
    EXPECT_EQ(p.look, ComboLook::Combined);
    EXPECT_EQ(p.frame, 2);
    EXPECT_EQ(p.button.left, 80);  // GetComboBoxInfo's, for hot tests
    Bitmap32 bmp(100, 22, 0x123456);
    DrawCombo(bmp.View(), in, p, s, TestPalette(s));
    const int buttonX = leftScrollBar ? 10 : 89;
    EXPECT_EQ(bmp.At(buttonX, 10), FramePixel(kCombo, 2));
    EXPECT_EQ(bmp.At(leftScrollBar ? 99 : 0, 10), FramePixel(kSunk, 2));
    EXPECT_EQ(bmp.At(50, 10), 0x123456u);  // the middle is transparent
    EXPECT_EQ(p.keep.left, leftScrollBar ? 21 : 2);
    EXPECT_EQ(p.keep.right, leftScrollBar ? 98 : 79);
  }
}

TEST(ComboSkin, ExtendedModeFramesAndArrowOverTheFirstChild) {
  const TSkinElements s = Skin("[ComboButton]\nImage=combo.bmp\n");
  ComboInput in = Input();
  in.extended = true;
  in.firstChild = {2, 2, 98, 20};
  const ComboPaint p = PlanCombo(in, s);
  EXPECT_EQ(p.look, ComboLook::Extended);
  Bitmap32 bmp(100, 22, 0);
  DrawCombo(bmp.View(), in, p, s, TestPalette(s));
  EXPECT_EQ(bmp.At(0, 0), PixelFromColorRef(kShadow));
  EXPECT_EQ(bmp.At(1, 1), 0xFFFFFFu);
  EXPECT_EQ(bmp.At(40, 10), PixelFromColorRef(kFace));
  EXPECT_NE(bmp.At(90, 10), PixelFromColorRef(kFace));  // the arrow at the child's end
  EXPECT_EQ(bmp.At(81, 10), PixelFromColorRef(kFace));
  in.clientSmaller = false;
  Bitmap32 noFrame(100, 22, 0);
  DrawCombo(noFrame.View(), in, p, s, TestPalette(s));
  EXPECT_EQ(noFrame.At(0, 0), 0u);
}
