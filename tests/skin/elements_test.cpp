#include <gtest/gtest.h>

#include "skin/painter.h"
#include "skin_builders.h"

using namespace quillet::skin;
using quillet::skin::testing::SkinBuilder;

TEST(Elements, BordersColorsAndDefaults) {
  Bitmap32 top(30, 40, 0);
  top.Set(10, 6, 0x00C0FF);  // (width / 3, frame height / 3) of a two-frame stacked bitmap
  const auto s = SkinBuilder()
                     .Ini("[TitlebarSkin]\nSkinName=Test\n[Personality]\nTop=top.bmp\nTopFrame=2\nTopTopHeight=15\n"
                          "TopBotHeight=5\nLeft=left.bmp\nLeftTopHeight=24\nLeftBotHeight=1\nLeftStretch=7\n"
                          "BottomStretch=0\n[Colours]\nButtonFace=1 2 3\nMenu=4 5 6\n"
                          "[Colour1]\ncolor=9 9 9\n[COLOURS2]\n[Customcolors]\nColor3=1 1 1\n")
                     .Bmp("top.bmp", top)
                     .Read();
  EXPECT_FALSE(s.NoSkinLoaded);
  EXPECT_EQ(s.SkinName, "Test");
  EXPECT_EQ(s.Top.LeftWidth, 15);
  EXPECT_EQ(s.Top.RightWidth, 5);
  EXPECT_EQ(s.Top.TopHeight, 0);
  EXPECT_EQ(s.Top.Trans, 1);
  EXPECT_EQ(s.Left.TopHeight, 24);
  EXPECT_EQ(s.Left.BottomHeight, 1);
  EXPECT_EQ(s.Left.Frame, 1);
  EXPECT_EQ(s.Left.Tile, 0);  // Stretch above 1 counts as 1
  EXPECT_EQ(s.Bottom.Tile, 1);
  EXPECT_TRUE(s.Left.Bitmap.Empty());  // named but not in the archive
  EXPECT_TRUE(s.Right.Bitmap.Empty());
  EXPECT_EQ(s.TitleColor, ColorRefFromPixel(0x00C0FF));

  EXPECT_EQ(s.Colors[slot::ButtonFace], 0x030201);
  EXPECT_EQ(s.Colors[slot::Menubar], 0x030201);  // defaults to the face as just read
  EXPECT_EQ(s.Colors[slot::Menu], 0x060504);
  EXPECT_TRUE(s.ColorPresent[slot::Menu]);
  EXPECT_FALSE(s.ColorPresent[slot::Menubar]);
  EXPECT_EQ(s.Colors[slot::WindowText], SysTColor(sys::WindowText));
  EXPECT_EQ(s.Colors[slot::Buttonlight], SysTColor(sys::BtnHighlight));
  EXPECT_EQ(s.FaceColor, 0x030201u);
  EXPECT_EQ(s.FurtherColors, (std::vector<TColor>{0x090909, SysTColor(sys::WindowText)}));
  EXPECT_EQ(s.CustomColors[3], 0x010101);
  EXPECT_EQ(s.CustomColors[0], 0xFFFFFF);
}

TEST(Elements, CaptionButtons) {
  const auto s = SkinBuilder()
                     .Ini("[BUTTON0]\nAction=1\nVisibility=2\nXcoord=44\nYcoord=4\nButtonImage=narrow.bmp\n"
                          "[Buttons]\n[Button.Radio]\n[button.checkbox]\n"
                          "[Button5]\nAction=0\nButtonImage=wide.bmp\n"
                          "[Button6]\nAction=4\nframe=2\n"
                          "[Button7]\nAction=3\nButtonImage=narrow.bmp\n"
                          "[Button8]\nAction=-1\nButtonImage=narrow.bmp\n"
                          "[Button9]\nAction=-1\nVisibility=0\nButtonImage=narrow.bmp\n"
                          "[Button10]\nAction=2\nButtonImage=upper.BMP\n"
                          "[MDICONTROLS]\nImage=mdi.bmp\n")
                     .Bmp("narrow.bmp", Bitmap32(60, 20))
                     .Bmp("wide.bmp", Bitmap32(200, 20))
                     .Bmp("upper.BMP", Bitmap32(60, 20))
                     .Bmp("mdi.bmp", Bitmap32(120, 10, 0x123456))
                     .Read();
  std::vector<std::string> names;
  for (const auto& b : s.CaptionButtons) names.push_back(b.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"BUTTON0", "BUTTON5", "BUTTON6", "BUTTON7", "BUTTON9", "BUTTON10",
                                             "MDICONTROLS1", "MDICONTROLS2", "MDICONTROLS3"}));
  const auto& b = s.CaptionButtons;
  EXPECT_EQ(b[0].Frame, 3);  // 60 x 20
  EXPECT_EQ(b[1].Frame, 6);  // 200 x 20
  EXPECT_EQ(b[2].Frame, 2);
  EXPECT_EQ(b[2].Xcoord, 44);  // Action 4 takes the maximise button's place
  EXPECT_EQ(b[2].Ycoord, 4);
  EXPECT_TRUE(b[3].Bitmap.Empty());  // the icon button draws the window's icon
  EXPECT_EQ(b[4].Frame, 6);          // negative action
  EXPECT_EQ(b[4].Visibility1, -1);
  EXPECT_EQ(b[0].Visibility1, 0);
  EXPECT_EQ(b[0].CombineOp, -1);
  EXPECT_TRUE(b[5].Bitmap.Empty());  // ".BMP" is not ".bmp"
  EXPECT_EQ(b[5].Frame, 6);
  for (int k = 0; k < 3; ++k) {
    const auto& m = b[6 + k];
    EXPECT_EQ(m.Action, 7 + k);
    EXPECT_EQ(m.Align, 100);
    EXPECT_EQ(m.Visibility, 100);
    EXPECT_EQ(m.Visibility1, 100);
    EXPECT_EQ(m.Frame, 4);
    EXPECT_EQ(m.Bitmap.Width(), 40);
    EXPECT_EQ(m.Bitmap.Height(), 10);
    EXPECT_EQ(m.Xcoord, 14 * (3 - k));
  }
}

TEST(Elements, ButtonsAndFixedFrameCounts) {
  const auto s = SkinBuilder()
                     .Ini("[Buttons]\nBitmap=b.bmp\nCheckButton=c.bmp\nRadioButton=r.bmp\nTile=2\nTrans=1\n"
                          "RadioButtonFrame=8\nNormalColour=10 20 30\nPressedColour=0x10\n"
                          "[Tab.Pane]\nImage=b.bmp\nLeftWidth=6\nTopHeight=6\nRightWidth=3\nBottomHeight=6\n"
                          "[Headerbar]\nImage=b.bmp\n[Progress]\nBitmap=b.bmp\nStyle=0\nTile=5\n"
                          "[HorzScrollThumb]\nImage=b.bmp\nFrameCount=4\n[VertScrollThumb]\nImage=b.bmp\n"
                          "[Progress.Chunk]\nImage=\n[Personality]\nmenuBar=b.bmp\nTileMenu=3\n")
                     .Bmp("b.bmp", Bitmap32(50, 20))
                     .Bmp("c.bmp", Bitmap32(52, 13))
                     .Bmp("r.bmp", Bitmap32(200, 20))
                     .Read();
  EXPECT_EQ(s.Buttons.Frame, 5);
  EXPECT_EQ(s.Buttons.Tile, 0);
  EXPECT_EQ(s.Buttons.CheckFrame, 4);  // 52 / 13
  EXPECT_EQ(s.Buttons.RadioFrame, 8);
  EXPECT_TRUE(s.Buttons.NormalColourPresent);
  EXPECT_FALSE(s.Buttons.MouseOverColourPresent);
  EXPECT_EQ(s.Buttons.NormalColour2, 0x1E140A);
  EXPECT_EQ(s.Buttons.NormalColour, -1);  // not an integer
  EXPECT_EQ(s.Buttons.PressedColour, 16);
  EXPECT_EQ(s.Buttons.MouseOverColour2, SysTColor(sys::BtnFace));
  ASSERT_TRUE(s.TabPane);
  EXPECT_EQ(s.TabPane->LeftWidth, 4);
  EXPECT_EQ(s.TabPane->TopHeight, 4);
  EXPECT_EQ(s.TabPane->RightWidth, 3);
  EXPECT_EQ(s.TabPane->Frame, 1);
  EXPECT_EQ(s.Headerbar->Frame, 5);
  EXPECT_EQ(s.Progress.Frame, 2);
  EXPECT_EQ(s.Progress.Tile, 1);
  EXPECT_EQ(s.HorzScrollThumb->Frame, 4);
  EXPECT_EQ(s.VertScrollThumb->Frame, 3);
  EXPECT_FALSE(s.ProgressChunk);  // no image, no element
  EXPECT_EQ(s.MenuBar.Frame, 2);
  EXPECT_EQ(s.MenuBar.Tile, 1);
  EXPECT_EQ(s.MenuBar.LeftWidth, 1);
  EXPECT_EQ(s.Title.Frame, 2);
  EXPECT_EQ(s.Title.FontHeight, 14);
  EXPECT_EQ(s.Title.ActiveTextColor, kColorNotSet);
  ASSERT_TRUE(s.Track && s.TrackVert);  // built in when the skin has none
  EXPECT_EQ(s.Track->LeftWidth, 3);
  EXPECT_EQ(s.Track->Frame, 1);
  EXPECT_GT(s.TrackVert->Bitmap.Height(), s.TrackVert->Bitmap.Width());
  EXPECT_FALSE(s.ComboxArrow);
  ASSERT_TRUE(s.Toolbar);
  EXPECT_EQ(s.Find("tab.pane"), &*s.TabPane);
  EXPECT_EQ(s.Find("nothing"), nullptr);
}

TEST(Elements, ComboButtonWithoutSunkEdgeIsMirroredAndGivesTheArrow) {
  Bitmap32 combo(8, 2, 0x000000);
  combo.Set(0, 0, 0xFF0000);
  combo.Set(1, 0, kMagenta);
  const auto s = SkinBuilder()
                     .Ini("[ComboButton]\nImage=c.bmp\nStyle=1\n[Colours]\nButtonFace=255 255 255\n")
                     .Bmp("c.bmp", combo)
                     .Read();
  ASSERT_TRUE(s.ComboButton);
  EXPECT_EQ(s.ComboButton->Frame, 4);
  EXPECT_EQ(s.ComboButton->Bitmap2.At(7, 0), 0xFF0000u);
  ASSERT_TRUE(s.ComboxArrow);
  EXPECT_EQ(s.ComboxArrow->Frame, 4);
  EXPECT_EQ(s.ComboxArrow->Bitmap.At(1, 0), kMagenta);
  const Pixel p = s.ComboxArrow->Bitmap.At(1, 1);  // black moved towards the white face
  EXPECT_GT(p & 0xFF, 0u);
  EXPECT_LT(p & 0xFF, 0xFFu);
}

TEST(Elements, SunkEdgeAndComboButtonMakeTheCombinedPicture) {
  const auto s = SkinBuilder()
                     .Ini("[SunkEdge]\nImage=s.bmp\nTopHeight=2\nBottomHeight=3\nLeftWidth=2\nRightWidth=2\n"
                          "[ComboButton]\nImage=c.bmp\n")
                     .Bmp("s.bmp", Bitmap32(40, 10, 0x0000FF))
                     .Bmp("c.bmp", Bitmap32(40, 10, 0x00FF00))
                     .Read();
  const int cx = DefaultSkinSystem().HScrollArrowWidth();
  const auto& c = *s.ComboButton;
  EXPECT_EQ(c.Style, 2);
  EXPECT_EQ(c.Bitmap.Width(), 200);
  EXPECT_EQ(c.Bitmap.Height(), 21);
  EXPECT_EQ(c.LeftWidth, 2);
  EXPECT_EQ(c.RightWidth, cx + 4);
  EXPECT_EQ(c.TopHeight, 2);
  EXPECT_EQ(c.BottomHeight, 3);
  EXPECT_EQ(c.Bitmap.At(0, 0), 0x0000FFu);     // the sunk edge
  EXPECT_EQ(c.Bitmap.At(10, 10), kMagenta);    // the inner area
  EXPECT_EQ(c.Bitmap.At(45, 10), 0x00FF00u);   // the button part
  EXPECT_EQ(s.SunkEdge->Bitmap, c.Bitmap.MirroredLeftRight());
  EXPECT_EQ(s.SunkEdge->LeftWidth, cx + 4);
  EXPECT_EQ(s.SunkEdge->RightWidth, 2);
  ASSERT_TRUE(s.ComboxArrow);
  EXPECT_EQ(s.ComboxArrow->Bitmap.Width(), 17 * 4);
  EXPECT_EQ(s.ComboxArrow->Bitmap.Height(), 17);
  EXPECT_EQ(s.ComboxArrow->Bitmap.At(16, 5), 0x00FF00u);
}

TEST(Elements, ToolbarGradientAndBlend) {
  EXPECT_EQ(Blend(0xFFFFFF, 0x000000, 50), 0x808080u);
  EXPECT_EQ(Blend(0x0000FF, 0x000000, 150), 0x000026u);  // (150 * 255 + 500) / 1000 = 38
  Bitmap32 top(3, 6, PixelFromColorRef(0x202020));       // dark title
  const auto dark = SkinBuilder()
                        .Ini("[Personality]\nTop=t.bmp\n[Colours]\nButtonFace=200 200 200\n")
                        .Bmp("t.bmp", top)
                        .Read();
  const auto& bmp = dark.Toolbar->Bitmap;
  EXPECT_EQ(bmp.Width(), 10);
  EXPECT_EQ(bmp.Height(), 40);
  EXPECT_EQ(ColorRefFromPixel(bmp.At(0, 0)), Blend(0xC8C8C8, 0xFFFFFF, 150));
  EXPECT_EQ(ColorRefFromPixel(bmp.At(9, 39)), Blend(0x808080, 0x202020, 150));
  top.Fill(PixelFromColorRef(0xF0F0F0));  // bright title: the bottom is the title lightened
  const auto light = SkinBuilder().Ini("[Personality]\nTop=t.bmp\n").Bmp("t.bmp", top).Read();
  EXPECT_EQ(ColorRefFromPixel(light.Toolbar->Bitmap.At(0, 39)),
            Blend(0xF0F0F0, 0xFFFFFF, (5625 - 25 * Brightness(0xF0F0F0)) / 140 + 50));
}

TEST(Elements, RereadingReplacesEverything) {
  TSkinElements s = SkinBuilder().Ini("[Tabs]\nImage=t.bmp\n").Bmp("t.bmp", Bitmap32(5, 5)).Read();
  ASSERT_TRUE(s.Tabs);
  TSkinReader reader;
  reader.OpenArchive(SkinBuilder().Ini("").Archive());
  ReadSkinElements(TQuickIni(), reader, s);
  EXPECT_FALSE(s.Tabs);
  EXPECT_TRUE(s.Left.Bitmap.Empty());
  EXPECT_EQ(s.CaptionButtons.size(), 3u);  // only the three MDI buttons
}
