// Push buttons, check and radio boxes, edits, group boxes and up-downs: frames by state,
// placement, and the pixels they draw from the skin's pictures.
#include <gtest/gtest.h>

#include "control_skins.h"
#include "skin/ctl/button.h"
#include "skin/ctl/checkbox.h"
#include "skin/ctl/edit.h"
#include "skin/ctl/groupbox.h"
#include "skin/ctl/updown.h"

using namespace quillet::skin;
using namespace quillet::skin::testing;

namespace {

const TSkinElements& Skin() {
  static const TSkinElements s = ControlSkin(R"(
[Buttons]
Bitmap=buttons.bmp
CheckButton=check.bmp
RadioButton=radio.bmp
CheckButtonFrame=12
RadioButtonFrame=8
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
Trans=1
NormalColour=1 2 3
PressedColour=7 8 9
[UpDown.Vert]
Image=updownv.bmp
GlyphImage=updownvglyph.bmp
)",
      SkinBuilder()
          .Bmp("buttons.bmp", SolidFrames(1, 5, 20, 20, true))
          .Bmp("check.bmp", SolidFrames(2, 12, 10, 10))
          .Bmp("radio.bmp", SolidFrames(3, 8, 10, 10))
          .Bmp("updownv.bmp", SolidFrames(4, 8, 12, 8, true))
          .Bmp("updownvglyph.bmp", SolidFrames(5, 8, 4, 2)));
  return s;
}

Pixel Face() { return PixelFromColorRef(kFace); }

}  // namespace

TEST(ButtonSkin, FrameByState) {
  struct Case {
    PushButtonState s;
    int frame;
  };
  const Case cases[] = {
      {{}, 1},
      {{.pressed = true, .hot = true, .focused = true}, 2},
      {{.hot = true, .focused = true}, 4},
      {{.focused = true}, 5},
      {{.isDefault = true}, 5},
      {{.isDefault = true, .enabled = false}, 3},
      {{.pressed = true, .hot = true, .enabled = false}, 3},
  };
  for (const Case& c : cases) EXPECT_EQ(ButtonFrame(c.s), c.frame);
}

TEST(ButtonSkin, DisabledDefaultButtonShowsFrameThreeOverTheFace) {
  Bitmap32 bmp(60, 24, 0x123456);
  const ButtonPaint p = PlanButton({60, 24, {.isDefault = true, .enabled = false}, false, 0, {}}, Skin(),
                                   DefaultSkinSystem());
  ASSERT_TRUE(DrawButton(bmp.View(), Skin(), p.frame, false));
  EXPECT_EQ(bmp.At(30, 12), FramePixel(1, 3));
  EXPECT_EQ(bmp.At(1, 1), FramePixel(1, 3));
  EXPECT_EQ(bmp.At(0, 0), Face());  // a transparent corner shows the face
  EXPECT_EQ(bmp.At(59, 23), Face());
  // Over the parent's painting the corners keep it.
  Bitmap32 over(60, 24, 0x123456);
  DrawButton(over.View(), Skin(), 1, true);
  EXPECT_EQ(over.At(0, 0), 0x123456u);
  EXPECT_EQ(over.At(30, 12), FramePixel(1, 1));
  // Without a "Buttons" picture nothing is drawn.
  Bitmap32 none(10, 10, 7);
  EXPECT_FALSE(DrawButton(none.View(), TSkinElements(), 1, false));
  EXPECT_EQ(none.At(5, 5), 7u);
}

TEST(ButtonSkin, TextColorAndCaption) {
  const SkinSystem& sys = DefaultSkinSystem();
  const ColorRef font = 0x0000FF;
  auto color = [&](PushButtonState s, bool foreign, const TSkinElements& skin) {
    return PlanButton({50, 20, s, foreign, font, {}}, skin, sys).textColor;
  };
  const TSkinElements plain = ControlSkin("[Buttons]\nBitmap=b.bmp\n", SkinBuilder().Bmp("b.bmp", SolidFrames(1, 5, 8, 8)));
  EXPECT_EQ(color({}, false, Skin()), 0x030201u);                 // NormalColour2
  EXPECT_EQ(color({.hot = true}, false, Skin()), 0x030201u);      // no MouseOverColour: stays
  EXPECT_EQ(color({.pressed = true}, false, Skin()), 0x090807u);  // PressedColour2
  EXPECT_EQ(color({.pressed = true, .enabled = false}, false, Skin()), sys.SysColor(sys::BtnShadow));
  EXPECT_EQ(color({}, false, plain), font);
  EXPECT_EQ(color({}, true, plain), kButtonText);
  EXPECT_FALSE(PlanButton({50, 20, {.focused = true}, false, font, {xoNoFocusRect}}, Skin(), sys).focusRect);
  EXPECT_EQ(CaptionLines("Save||and close"), "Save\r\nand close");
  EXPECT_EQ(CaptionLines("a|||b||"), "a\r\n|b\r\n");
  EXPECT_EQ(CaptionLines(L"x||y"), L"x\r\ny");
}

TEST(CheckBoxSkin, FrameByValueStateAndPictureSize) {
  using V = CheckValue;
  struct Case {
    CheckState s;
    int frames, frame;
  };
  const Case cases[] = {
      {{V::Unchecked}, 12, 1},
      {{V::Unchecked, true, true}, 12, 2},
      {{V::Unchecked, false}, 12, 4},
      {{V::Checked}, 12, 5},
      {{V::Checked, false, true}, 12, 8},
      {{V::Indeterminate}, 12, 9},
      {{V::Indeterminate, true, false, true}, 12, 11},
      {{V::Indeterminate, false}, 12, 12},
      {{V::Unchecked}, 4, 1},
      {{V::Checked, false}, 4, 4},
      {{V::Checked, true, true}, 4, 2},  // no hot frames in a small picture
      {{V::Indeterminate, false}, 6, 4},
      {{V::Unchecked, true, true}, 8, 5},
      {{V::Checked, true, true}, 8, 6},
      {{V::Checked, true, false, true}, 8, 8},
      {{V::Checked, false, true, true}, 8, 4},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckFrame(c.s, c.frames), c.frame) << int(c.s.value) << c.s.enabled << c.s.hot << c.s.pressed << " of "
                                                  << c.frames;
  EXPECT_EQ(CheckValueFromButtonState(0x9), V::Checked);  // with BST_FOCUS
  EXPECT_EQ(CheckValueFromStateProperty("cbUnchecked"), V::Unchecked);
  EXPECT_EQ(CheckValueFromStateProperty("cbGrayed"), V::Indeterminate);
}

TEST(CheckBoxSkin, IndeterminateDisabledTwelveFramePictureShowsFrameTwelve) {
  const SkinSystem& sys = DefaultSkinSystem();
  CheckInput in{80, 20, {CheckValue::Indeterminate, false}, false, true, false, false, false, 0x00FF00};
  const CheckPaint p = PlanCheckBox(in, Skin(), sys);
  EXPECT_EQ(p.frame, 12);
  EXPECT_EQ(p.textArea.left, 12);  // 2 pixels after the picture
  EXPECT_EQ(p.textColor, sys.SysColor(sys::BtnShadow));
  EXPECT_TRUE(p.focusRect);
  const Rect focus = TextFocusRect(p.textArea, 30, 14, TextAlign::Left, true);  // clipped on the left
  EXPECT_EQ(focus.left, 12);
  EXPECT_EQ(focus.top, 2);
  EXPECT_EQ(focus.right, 44);
  Bitmap32 bmp(80, 20, 0);
  ASSERT_TRUE(DrawCheckBox(bmp.View(), Skin(), p, false, false));
  EXPECT_EQ(bmp.At(0, 5), FramePixel(2, 12));
  EXPECT_EQ(bmp.At(9, 14), FramePixel(2, 12));
  EXPECT_EQ(bmp.At(10, 10), Face());
  EXPECT_EQ(bmp.At(0, 4), Face());

  // Text on the left: the picture goes right and the text ends 2 pixels before it.
  in.leftText = true;
  in.state = {CheckValue::Checked};
  in.radio = true;
  in.windows6 = true;
  const CheckPaint r = PlanCheckBox(in, Skin(), sys);
  EXPECT_EQ(r.textArea.right, 68);
  EXPECT_TRUE(r.textRight);
  EXPECT_EQ(r.textColor, 0x00FF00u);
  EXPECT_FALSE(r.focusRect);
  DrawCheckBox(bmp.View(), Skin(), r, true, true);
  EXPECT_EQ(bmp.At(75, 10), FramePixel(3, 2));
  EXPECT_FALSE(DrawCheckBox(bmp.View(), TSkinElements(), r, true, false));
}

TEST(EditSkin, BorderOnlyWhereTheEditHasOne) {
  EXPECT_TRUE(EditHasBorder(100, 21, 96, 17));
  EXPECT_FALSE(EditHasBorder(100, 21, 100, 17));
  EXPECT_FALSE(EditHasBorder(100, 21, 96, 21));
  EXPECT_FALSE(EditPrintsBorder(100, 21, 98, 17));
  Bitmap32 bmp(10, 8, 0x777777);
  DrawEditBorder(bmp.View(), TestPalette(Skin()));
  EXPECT_EQ(bmp.At(0, 0), PixelFromColorRef(kShadow));
  EXPECT_EQ(bmp.At(2, 5), 0xFFFFFFu);
  EXPECT_EQ(bmp.At(3, 3), 0x777777u);
  EXPECT_TRUE(IsUpDownClass("TSpinButton"));
}

TEST(GroupBoxSkin, LineAtHalfTheTextHeightTextOnTheFace) {
  GroupBoxInput in{100, 50, 13, 30, 15, false, false};
  const GroupBoxPaint p = PlanGroupBox(in);
  EXPECT_EQ(p.text.left, 8);
  Bitmap32 bmp(100, 50, 0);
  DrawGroupBox(bmp.View(), in, p, TestPalette(Skin()));
  const Pixel shadow = PixelFromColorRef(kShadow);
  EXPECT_EQ(bmp.At(50, 6), shadow);   // the top line
  EXPECT_EQ(bmp.At(20, 6), Face());   // under the text
  EXPECT_EQ(bmp.At(98, 20), shadow);  // the pen inside the right and bottom edges
  EXPECT_EQ(bmp.At(50, 48), shadow);
  EXPECT_EQ(bmp.At(1, 6), Face());    // a rounded corner
  EXPECT_EQ(bmp.At(2, 7), shadow);

  in.rightAligned = true;
  in.foreign = true;
  const GroupBoxPaint r = PlanGroupBox(in);
  EXPECT_EQ(r.text.right, 92);
  Bitmap32 foreign(100, 50, 0x010101);
  DrawGroupBox(foreign.View(), in, r, TestPalette(Skin()));
  EXPECT_EQ(foreign.At(0, 30), Face());          // framed twice in the face colour
  EXPECT_EQ(foreign.At(50, 20), 0x010101u);      // the inside is the dialog's own
}

TEST(UpDownSkin, HalvesStatesAndFrames) {
  auto plan = [](bool horizontal, bool enabled, bool pressed, bool hot, std::optional<Point> at) {
    const UpDownPaint p = PlanUpDown({16, 22, horizontal, enabled, pressed, hot, at});
    return std::pair{p.half[0].frame, p.half[1].frame};
  };
  EXPECT_EQ(plan(false, true, true, true, Point{5, 15}), std::pair(1, 6));  // pressed lower half
  EXPECT_EQ(plan(false, true, true, true, Point{5, 3}), std::pair(2, 5));
  EXPECT_EQ(plan(false, true, false, true, Point{5, 3}), std::pair(4, 5));
  EXPECT_EQ(plan(false, true, true, true, std::nullopt), std::pair(1, 5));
  EXPECT_EQ(plan(false, false, true, true, Point{5, 15}), std::pair(3, 7));
  EXPECT_EQ(plan(true, true, true, true, Point{12, 3}), std::pair(1, 6));  // the right half
}

TEST(UpDownSkin, PressingTheLowerHalfOfAVerticalUpDownShowsFrameSix) {
  const UpDownInput in{12, 16, false, true, true, true, Point{6, 12}};
  const UpDownPaint p = PlanUpDown(in);
  Bitmap32 bmp(12, 16, 0);
  DrawUpDown(bmp.View(), in, p, Skin(), TestPalette(Skin()), 0xFFFFFF);
  EXPECT_EQ(bmp.At(1, 1), FramePixel(4, 1));
  EXPECT_EQ(bmp.At(1, 9), FramePixel(4, 6));
  EXPECT_EQ(bmp.At(0, 8), 0xFFFFFFu);             // a transparent corner over the background
  EXPECT_EQ(bmp.At(4, 11), FramePixel(5, 6));     // the glyph, 4 x 2, centred
  EXPECT_EQ(bmp.At(8, 11), FramePixel(4, 6));

  // Without the element: a plain button, darker while pressed, with an arrow.
  Bitmap32 plain(12, 16, 0);
  DrawUpDown(plain.View(), in, p, ControlSkin(""), TestPalette(Skin()), 0xFFFFFF);
  EXPECT_EQ(plain.At(0, 0), PixelFromColorRef(kDkShadow));
  EXPECT_EQ(plain.At(2, 2), Face());
  EXPECT_EQ(plain.At(2, 10), PixelFromColorRef(kShadow));
  EXPECT_EQ(plain.At(5, 11), PixelFromColorRef(kButtonText));  // the down arrow's base
  EXPECT_EQ(plain.At(5, 3), PixelFromColorRef(kButtonText));   // the up arrow's tip
}
