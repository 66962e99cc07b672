// The skinned frame's geometry and pictures: what shows where, what a point is, and the window
// region, for our own skin and for small skins built for the case.
#include <gtest/gtest.h>

#include "skin/menu_layout.h"
#include "skin/nc_layout.h"
#include "skin/nc_paint.h"
#include "skin/skin_data.h"
#include "skin/skin_reader.h"
#include "skin/art/skin_art.h"
#include "skin_builders.h"

using namespace quillet::skin;
using quillet::skin::testing::SkinBuilder;

namespace {

const TSkinElements& Own() {
  static const TSkinDataCore data = [] {
    TSkinDataCore d;
    d.LoadFromRaw(quillet::skin::art::PackSkin(quillet::skin::art::DrawQuilletSkin()));
    return d;
  }();
  return data.Elements();
}

FrameState MainWindow() {
  FrameState s;
  s.border = FrameBorder::Single;
  s.minimizeBox = true;
  s.sysMenu = true;
  s.active = true;
  return s;
}

FrameMeasures Text(int w, int h = 13) {
  FrameMeasures m;
  m.textWidth = w;
  m.textHeight = h;
  return m;
}

const CaptionButtonPlace* ByAction(const TSkinElements& e, const FrameLayout& l, int action, int visibility = -1) {
  for (const auto& p : l.buttons) {
    const auto& b = e.CaptionButtons[static_cast<std::size_t>(p.index)];
    if (b.Action == action && (visibility < 0 || b.Visibility == visibility)) return &p;
  }
  return nullptr;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

TEST(FrameLayout, VisibilityCodes) {
  FrameState s = MainWindow();
  struct Case {
    int code;
    bool normal, maximized, inactive;
  } cases[] = {
      {0, true, true, true},     {1, false, true, false},   {2, true, false, true},   {3, true, true, false},
      {4, false, false, true},   {6, true, true, true},     {7, true, true, true},    {9, false, false, false},
      {10, false, false, false}, {100, false, false, false}, {200, false, false, false}, {500, true, true, true},
      {5, false, false, false},  {-1, false, false, false},
  };
  for (const Case& c : cases) {
    FrameState n = s, m = s, i = s;
    m.size = SizeState::Maximized;
    i.active = false;
    EXPECT_EQ(VisibilityShown(c.code, n, false), c.normal) << c.code;
    EXPECT_EQ(VisibilityShown(c.code, m, false), c.maximized) << c.code;
    EXPECT_EQ(VisibilityShown(c.code, i, false), c.inactive) << c.code;
  }
  EXPECT_TRUE(VisibilityShown(1500, s, true));
  EXPECT_FALSE(VisibilityShown(1500, s, false));
  FrameState dialog = s;
  dialog.border = FrameBorder::Dialog;
  EXPECT_TRUE(VisibilityShown(200, dialog, false));
  dialog.standardDialog = true;
  EXPECT_FALSE(VisibilityShown(200, dialog, false));
  // The second code: 6 asks only for a box, 10 only for help, 100 repeats the first answer.
  FrameState bare = s;
  bare.sysMenu = false;
  EXPECT_TRUE(Visibility1Shown(6, false, bare));
  bare.minimizeBox = false;
  EXPECT_FALSE(Visibility1Shown(8, true, bare));
  bare.help = true;
  EXPECT_TRUE(Visibility1Shown(10, false, bare));
  EXPECT_TRUE(Visibility1Shown(100, true, bare));
  EXPECT_FALSE(Visibility1Shown(200, true, bare));
}

TEST(FrameLayout, CaptionButtonFrames) {
  struct Case {
    int frames;
    ButtonState state;
    bool enabled, active, inMenuBar;
    int frame;
  } cases[] = {
      {6, ButtonState::Normal, true, true, false, 1},  {6, ButtonState::Hot, true, true, false, 2},
      {6, ButtonState::Pressed, true, true, false, 3}, {6, ButtonState::Pressed, false, true, false, 4},
      {3, ButtonState::Hot, false, true, false, 1},    {4, ButtonState::Hot, true, false, false, 4},
      {3, ButtonState::Hot, true, false, false, 2},    {4, ButtonState::Pressed, true, true, true, 4},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CaptionButtonFrame(c.frames, c.state, c.enabled, c.active, c.inMenuBar), c.frame)
        << c.frames << " " << static_cast<int>(c.state);
}

TEST(FrameLayout, OwnSkinMainWindow) {
  const TSkinElements& e = Own();
  const BorderSizes b = SkinBorders(e, FrameBorder::Single);
  EXPECT_EQ(b.left, e.Left.Bitmap.Width() / e.Left.Frame);
  EXPECT_EQ(b.top, e.Top.Bitmap.Height() / e.Top.Frame);
  EXPECT_EQ(SkinBorders(e, FrameBorder::NoCaption), BorderSizes{});

  // The main window keeps its 711 x 569 client area inside the skin's borders.
  int w = 0, h = 0;
  WindowSizeForClient(711, 569, b, 0, w, h);
  const Rect client = ClientFromWindow({100, 50, 100 + w, 50 + h}, b, 0);
  EXPECT_EQ(client.Width(), 711);
  EXPECT_EQ(client.Height(), 569);
  EXPECT_EQ(client.left, 100 + b.left);

  const FrameLayout l = LayoutFrame(e, MainWindow(), w, h, 0, Text(40));
  const CaptionButtonPlace* close = ByAction(e, l, 0);
  const CaptionButtonPlace* max = ByAction(e, l, 1, 2);
  const CaptionButtonPlace* restore = ByAction(e, l, 1, 1);
  const CaptionButtonPlace* min = ByAction(e, l, 2);
  const CaptionButtonPlace* icon = ByAction(e, l, 3);
  ASSERT_TRUE(close && max && restore && min && icon);
  EXPECT_TRUE(close->visible && min->visible && icon->visible);
  EXPECT_TRUE(max->visible) << "a window with a minimise box shows the maximise button";
  EXPECT_FALSE(max->enabled);
  EXPECT_FALSE(restore->visible);
  EXPECT_EQ(close->rect.left, w - 24);
  EXPECT_EQ(l.largestRightOffset, 64);
  // Text, icon and buttons stay apart, and all lie in the caption bar.
  EXPECT_FALSE(Overlap(icon->rect, l.text.rect));
  EXPECT_LE(l.text.rect.right, min->rect.left);
  for (const auto* p : {close, max, min, icon}) EXPECT_LE(p->rect.bottom, b.top);

  // Hit testing reads the same layout.
  EXPECT_EQ(ButtonAt(l, close->rect.left + 2, close->rect.top + 2), close - l.buttons.data());
  EXPECT_EQ(ButtonAt(l, w / 2, 10), -1);
  EXPECT_EQ(FrameHitTest(l, kHtNowhere, w / 2, 10), kHtCaption);
  EXPECT_EQ(FrameHitTest(l, kHtCaption, w / 2, 2), kHtCaption);
  EXPECT_EQ(FrameHitTest(l, kHtNowhere, w / 2, 2), kHtNowhere);
  EXPECT_EQ(FrameHitTest(l, kHtClient, w / 2, 10), kHtClient);
}

TEST(FrameLayout, DialogsAndOtherWindows) {
  const TSkinElements& e = Own();
  FrameState d = MainWindow();
  d.border = FrameBorder::Dialog;
  d.minimizeBox = false;
  const FrameLayout l = LayoutFrame(e, d, 430, 280, 0, Text(100));
  EXPECT_FALSE(ByAction(e, l, 3)->visible) << "dialogs show no icon";
  EXPECT_FALSE(ByAction(e, l, 1, 2)->visible) << "nor a maximise button without boxes";
  EXPECT_FALSE(ByAction(e, l, 2)->visible);
  EXPECT_TRUE(ByAction(e, l, 0)->visible);
  EXPECT_EQ(l.text.rect.left, e.Title.TextShift - 16);

  FrameState nosys = MainWindow();
  nosys.sysMenu = false;
  EXPECT_FALSE(ByAction(e, LayoutFrame(e, nosys, 400, 300, 0, Text(10)), 0)->visible);
  FrameState bare = MainWindow();
  bare.border = FrameBorder::NoCaption;
  const FrameLayout nb = LayoutFrame(e, bare, 400, 300, 0, Text(10));
  EXPECT_EQ(nb.borders, BorderSizes{});
  for (const auto& p : nb.buttons) EXPECT_FALSE(p.visible);

  // Popups end their text short of the right-hand buttons; long texts are cut at the limit.
  FrameState popup = d;
  popup.popup = true;
  const FrameLayout pl = LayoutFrame(e, popup, 300, 200, 0, Text(1000));
  EXPECT_EQ(pl.text.back.right, 300 - pl.largestRightOffset - 5);
  const FrameLayout ll = LayoutFrame(e, MainWindow(), 300, 200, 0, Text(1000));
  EXPECT_EQ(ll.text.back.right, 300 - e.Title.TextRightClip);

  // A message box whose caption is wider than the box grows to hold it.
  EXPECT_EQ(DialogWidthForCaption(e, 300, 200), e.Title.TextShift + 300 + e.Title.TextRightClip);
  EXPECT_EQ(DialogWidthForCaption(e, 10, 400), 0);
}

TEST(FrameLayout, TextAlignmentAndSidedButtons) {
  TSkinElements e = SkinBuilder()
                        .Ini("[Personality]\nTop=t.bmp\nTopFrame=1\nTextShift=10\nTextRightClip=20\n"
                             "[BUTTON0]\nAction=5\nAlign=2\nXcoord=3\nButtonImage=b.bmp\n"
                             "[BUTTON1]\nAction=6\nAlign=3\nXcoord=4\nButtonImage=b.bmp\n"
                             "[BUTTON2]\nAction=0\nAlign=1\nXcoord=30\nButtonImage=b.bmp\n")
                        .Bmp("t.bmp", Bitmap32(10, 24, Rgb(1, 2, 3)))
                        .Bmp("b.bmp", Bitmap32(36, 12, Rgb(4, 5, 6)))
                        .Read();
  FrameState s = MainWindow();
  struct Case {
    int align;
    bool rtl;
    int left;
  } cases[] = {{0, false, 10}, {1, false, (200 - 50) / 2}, {2, false, 200 - 20 - 50},
               {0, true, 200 - 30 - 50 + 10}, {1, true, (200 - 30 - 50) / 2 + 10}, {2, true, 10 + 10}};
  for (const Case& c : cases) {
    e.Title.TextAlignment = c.align;
    s.rtl = c.rtl;
    const FrameLayout l = LayoutFrame(e, s, 200, 100, 0, Text(50));
    EXPECT_EQ(l.text.back.left, c.left) << c.align << c.rtl;
    // Buttons beside the text follow it.
    EXPECT_EQ(l.buttons[0].rect.right, l.text.back.left - 3);
    EXPECT_EQ(l.buttons[1].rect.left, l.text.back.right + 4);
  }
}

TEST(FrameRegion, OwnSkinHasRoundedTopCornersAndAFullClientArea) {
  const TSkinElements& e = Own();
  const FrameLayout l = LayoutFrame(e, MainWindow(), 300, 200, 0, Text(40));
  const std::vector<Rect> rects = FrameRegion(e, l, FrameBorder::Single);
  auto inside = [&](int x, int y) {
    for (const Rect& r : rects)
      if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    return false;
  };
  EXPECT_FALSE(inside(0, 0));
  EXPECT_FALSE(inside(299, 0));
  EXPECT_FALSE(inside(1, 1));
  EXPECT_TRUE(inside(5, 0));
  EXPECT_TRUE(inside(0, 10));
  EXPECT_TRUE(inside(150, 100));
  EXPECT_TRUE(inside(299, 100));
  EXPECT_FALSE(inside(0, 199));
  long area = 0;
  for (const Rect& r : rects) area += static_cast<long>(r.Width()) * r.Height();
  EXPECT_LT(area, 300L * 200);
  EXPECT_GT(area, 300L * 200 - 40);
  EXPECT_LT(rects.size(), 40u) << "rows that repeat are merged";

  // With no transparent border the region is the window.
  TSkinElements opaque = e;
  opaque.Left.Trans = opaque.Right.Trans = opaque.Top.Trans = opaque.Bottom.Trans = 0;
  const std::vector<Rect> whole = FrameRegion(opaque, l, FrameBorder::Single);
  ASSERT_EQ(whole.size(), 1u);
  EXPECT_EQ(whole[0].Width(), 300);
  EXPECT_EQ(whole[0].Height(), 200);
}

TEST(FramePaint, BordersAndCaptionComeFromTheSkinsPictures) {
  const TSkinElements& e = Own();
  const int W = 300, H = 200;
  const FrameLayout l = LayoutFrame(e, MainWindow(), W, H, 0, Text(40));
  for (bool active : {true, false}) {
    Bitmap32 win(W, H, 0);
    PaintBorders(win.View(), e, l, active);
    const BitmapView v = win.View();
    PaintCaptionBack({v.pixels, W, l.borders.top, v.stride}, e, l, active);
    const int frame = active ? 0 : 1;
    // Left border: frame 1 active, 2 inactive, side by side; its top margin unstretched.
    EXPECT_EQ(win.At(0, 10), e.Left.Bitmap.At(frame * l.borders.left, 10)) << active;
    // The caption's middle comes from the middle of "Top", stacked frames.
    const int th = e.Top.Bitmap.Height() / 2;
    EXPECT_EQ(win.At(W / 2, 10), e.Top.Bitmap.At(e.Top.Bitmap.Width() / 2, frame * th + 10)) << active;
    EXPECT_EQ(win.At(W / 2, H - 1), e.Bottom.Bitmap.At(e.Bottom.Bitmap.Width() / 2, (frame + 1) * (e.Bottom.Bitmap.Height() / 2) - 1));
  }
  // Buttons: hot close shows its second frame.
  Bitmap32 win(W, H, 0);
  const auto* close = ByAction(e, l, 0);
  const int idx = static_cast<int>(close - l.buttons.data());
  PaintCaptionButtons(win.View(), e, l, true, idx, -1);
  const TDataSkinSysButton& b = e.CaptionButtons[static_cast<std::size_t>(close->index)];
  const int fw = b.Bitmap.Width() / b.Frame;
  int differing = 0;
  for (int y = 0; y < b.Bitmap.Height(); ++y)
    for (int x = 0; x < fw; ++x) {
      const Pixel src = b.Bitmap.At(fw + x, y);
      if ((src & 0xFFFFFF) == kMagenta) continue;
      differing += win.At(close->rect.left + x, close->rect.top + y) != src;
    }
  EXPECT_EQ(differing, 0);
}

TEST(MenuLayout, SystemMenuStatesAndMeasures) {
  FrameState s = MainWindow();
  EXPECT_TRUE(SystemMenuItemState(sc::Move, false, false, s).enabled);
  EXPECT_FALSE(SystemMenuItemState(sc::Maximize, false, false, s).enabled) << "no maximise box";
  EXPECT_TRUE(SystemMenuItemState(sc::Minimize, false, false, s).enabled);
  EXPECT_FALSE(SystemMenuItemState(sc::Restore, false, false, s).enabled);
  EXPECT_FALSE(SystemMenuItemState(sc::Close, true, false, s).enabled) << "a grayed native item stays so";
  EXPECT_EQ(SystemMenuItemState(sc::Close, false, false, s).glyph, 3);
  EXPECT_TRUE(SystemMenuItemState(0x1234, false, true, s).checked);
  s.size = SizeState::Maximized;
  EXPECT_FALSE(SystemMenuItemState(sc::Size, false, false, s).enabled);
  EXPECT_TRUE(SystemMenuItemState(sc::Restore, false, false, s).enabled);
  s.size = SizeState::Minimized;
  EXPECT_FALSE(SystemMenuItemState(sc::Minimize, false, false, s).enabled);

  EXPECT_EQ(CaptionButtonHint(0), "Close");
  EXPECT_EQ(CaptionButtonHint(62), "Close");
  EXPECT_EQ(CaptionButtonHint(22), "Maximize");
  EXPECT_EQ(CaptionButtonHint(60), "Minimize");
  EXPECT_EQ(CaptionButtonHint(61), "Restore");
  EXPECT_EQ(CaptionButtonHint(3), "");

  const TSkinElements& e = Own();
  int w = 0, h = 0;
  MeasureNativeMenuItem(e, false, 50, 13, w, h);
  EXPECT_EQ(w, 50 + 26 + e.MenuItem->LeftWidth);
  EXPECT_EQ(h, 17);
  MeasureNativeMenuItem(e, true, 50, 13, w, h);
  EXPECT_EQ(h, 8);
  const auto bar = LayoutMenuBar(e, 300, 20, {30, 40}, false);
  ASSERT_EQ(bar.size(), 2u);
  EXPECT_EQ(bar[0].left, e.MenuBar.LeftWidth + 4);
  EXPECT_EQ(bar[1].left, bar[0].right);
  EXPECT_EQ(MenuBarItemAt(bar, bar[1].left + 1, 5), 1);
  const auto rtl = LayoutMenuBar(e, 300, 20, {30}, true);
  EXPECT_EQ(rtl[0].right, 300 - e.MenuBar.RightWidth - 8);
}
