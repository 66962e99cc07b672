// Quillet's own skin: what it holds, that it loads to the elements it should, and that the
// `quillet-skin` tool takes it apart and puts it together without loss. Writes every bitmap
// as a file for people to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "skin/ctl/button.h"
#include "skin/ctl/checkbox.h"
#include "skin/ctl/combo.h"
#include "skin/ctl/scrollbar.h"
#include "skin/ctl/updown.h"
#include "skin/skin_data.h"
#include "skin/skin_reader.h"
#include "sample_window.h"
#include "skin/art/skin_art.h"
#include "skin_tool.h"

using namespace quillet::skin;
namespace fs = std::filesystem;

namespace {

const std::vector<std::uint8_t>& Raw() {
  static const auto raw = quillet::skin::art::PackSkin(quillet::skin::art::DrawQuilletSkin());
  return raw;
}

const TSkinElements& Loaded() {
  static const TSkinDataCore data = [] {
    TSkinDataCore d;
    const auto prop = WrapSkinStream(Raw());
    EXPECT_TRUE(d.ReadSkinStream(prop.data(), prop.size()));
    return d;
  }();
  return data.Elements();
}

fs::path TempDir(const char* name) {
  // The process id keeps test programs of two build trees run side by side apart.
  const fs::path dir = fs::temp_directory_path() / (std::string("quillet-skin-") + name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

std::string Describe(const TSkinElements& s) {
  std::ostringstream out;
  for (const TDataSkinObject* e : s.All())
    out << e->Name << " " << e->Bitmap.Width() << "x" << e->Bitmap.Height() << " f" << e->Frame << " m"
        << e->LeftWidth << "," << e->TopHeight << "," << e->RightWidth << "," << e->BottomHeight << " t" << e->Trans
        << e->Tile << " s" << e->Style << " " << std::hash<std::string>()(std::string(
                                                    reinterpret_cast<const char*>(e->Bitmap.Pixels().data()),
                                                    e->Bitmap.Pixels().size() * 4))
        << "\n";
  return out.str();
}

}  // namespace

TEST(OwnSkin, ArchiveHoldsTheIniAndFortyTwoBitmaps) {
  TSkinReader r;
  ASSERT_TRUE(r.Open(Raw()));
  EXPECT_EQ(r.Version(), 70000);
  ASSERT_EQ(r.Names().size(), 43u);
  int bitmaps = 0;
  for (const auto& name : r.Names()) {
    const auto bytes = r.ExtractByName(name);
    if (name.ends_with(".bmp")) {
      ++bitmaps;
      ASSERT_GE(bytes.size(), 2u);
      EXPECT_EQ(bytes[0], 'B');
      Bitmap32 b;
      EXPECT_TRUE(ReadBmp(bytes, b)) << name;
    } else {
      EXPECT_EQ(name, "quillet.ini");
    }
  }
  EXPECT_EQ(bitmaps, 42);
}

TEST(OwnSkin, LoadsTheElementsOfTheStoredSkin) {
  const TSkinElements& s = Loaded();
  EXPECT_FALSE(s.NoSkinLoaded);
  EXPECT_EQ(s.Buttons.TopHeight, 9);
  EXPECT_EQ(s.Buttons.LeftWidth, 8);
  EXPECT_EQ(s.Buttons.Trans, 1);
  EXPECT_EQ(s.Buttons.CheckFrame, 12);
  EXPECT_EQ(s.Buttons.RadioFrame, 8);
  EXPECT_EQ(s.Buttons.CheckBitmap.Width() % 12, 0);
  EXPECT_EQ(s.Buttons.RadioBitmap.Width() % 8, 0);
  for (const TDataSkinBorder* b : {&s.Left, &s.Right, &s.Top, &s.Bottom}) {
    EXPECT_EQ(b->Frame, 2) << b->Name;
    EXPECT_EQ(b->Trans, 1);
    EXPECT_FALSE(b->Bitmap.Empty());
  }
  EXPECT_EQ(s.Left.TopHeight, 24);
  EXPECT_EQ(s.Top.LeftWidth, 15);
  EXPECT_EQ(s.Top.RightWidth, 5);
  // The caption text starts clear of the icon button and ends clear of the right-hand buttons.
  const TDataSkinSysButton& icon = s.CaptionButtons[4];
  EXPECT_GE(s.Title.TextShift, icon.Xcoord + 16);
  EXPECT_GE(s.Title.TextRightClip, s.CaptionButtons[3].Xcoord);
  EXPECT_EQ(s.MenuBar.LeftWidth, 9);
  EXPECT_EQ(s.Colors[slot::ButtonFace], 0xEBE9EB);
  EXPECT_EQ(s.Colors[slot::TitleTextNoActive], 0xE6E4E4);
  EXPECT_EQ(s.Colors[slot::Hilight], 0xABABAB);
  ASSERT_EQ(s.CaptionButtons.size(), 8u);
  EXPECT_EQ(s.CaptionButtons[2].Visibility, 1);
  EXPECT_EQ(s.CaptionButtons[3].Xcoord, 64);
  EXPECT_EQ(s.CaptionButtons[4].Name, "BUTTON17");
  EXPECT_TRUE(s.CaptionButtons[4].Bitmap.Empty());
  EXPECT_EQ(s.CaptionButtons[0].Frame, 6);
  EXPECT_EQ(s.Progress.Style, 1);
  EXPECT_EQ(s.Progress.Frame, 1);
  EXPECT_EQ(s.Tabs->Style, 1);
  EXPECT_EQ(s.TabPane->RightWidth, 4);
  EXPECT_EQ(s.ComboButton->Style, 1);
  EXPECT_EQ(s.StatusBarEdges->LeftWidth, 50);
  EXPECT_EQ(s.Headerbar->Frame, 4);
  EXPECT_EQ(s.HorzScrollThumb->Frame, 4);
  EXPECT_EQ(s.MenuItem->LeftWidth, 18);
  EXPECT_EQ(s.MenuBackground->TopHeight, 11);
  EXPECT_EQ(s.Scrollbar->Frame, 23);
  EXPECT_EQ(s.Scrollbar->Bitmap.Width() % 23, 0);
  EXPECT_FALSE(s.SunkEdge || s.GroupBox || s.GroupBoxEdge);
  EXPECT_TRUE(s.ToolBars && s.TrackbarThumbUp && s.TrackbarThumbLeft && s.TrackbarThumbVert);
  EXPECT_FALSE(s.UpDownHorz->Bitmap2.Empty());
  EXPECT_TRUE(s.Track && s.TrackVert && s.ComboxArrow && s.Toolbar && s.ProgressChunk);
  // Every bitmap's width divides into its frames.
  for (const TDataSkinObject* e : s.All()) {
    if (e->HasBitmap() && e->Frame > 0 && e->Name != "Top" && e->Name != "Bottom" && e->Name != "MenuBar") {
      EXPECT_EQ(e->Bitmap.Width() % e->Frame, 0) << e->Name;
    }
  }
}

// The control skins pick frames by rule; our pictures must hold at each frame what the rule
// means by it.
TEST(OwnSkin, PicturesHoldWhatTheFrameRulesPick) {
  const TSkinElements& s = Loaded();
  auto centre = [](const Bitmap32& b, int frame, int frames) {
    const int w = b.Width() / frames;
    return b.At((frame - 1) * w + w / 2, b.Height() / 2);
  };
  const Pixel accent = Rgb(52, 104, 168), white = Rgb(255, 255, 255), off = Rgb(190, 190, 196);
  using V = CheckValue;
  const Bitmap32& radio = s.Buttons.RadioBitmap;
  EXPECT_EQ(centre(radio, CheckFrame({V::Unchecked}, 8), 8), white);
  EXPECT_EQ(centre(radio, CheckFrame({V::Checked}, 8), 8), accent);
  EXPECT_EQ(centre(radio, CheckFrame({V::Unchecked, false}, 8), 8), Rgb(241, 240, 242));
  EXPECT_EQ(centre(radio, CheckFrame({V::Checked, false}, 8), 8), off);
  EXPECT_EQ(centre(radio, CheckFrame({V::Checked, true, true}, 8), 8), accent);
  EXPECT_EQ(centre(radio, CheckFrame({V::Unchecked, true, false, true}, 8), 8), Rgb(222, 226, 234));
  const Bitmap32& check = s.Buttons.CheckBitmap;
  EXPECT_EQ(centre(check, CheckFrame({V::Unchecked}, 12), 12), white);
  EXPECT_EQ(centre(check, CheckFrame({V::Indeterminate}, 12), 12), accent);
  EXPECT_EQ(centre(check, CheckFrame({V::Indeterminate, false}, 12), 12), off);
  EXPECT_EQ(centre(s.Buttons.Bitmap, ButtonFrame({.isDefault = true, .enabled = false}), 5), Rgb(242, 241, 243));
  EXPECT_EQ(centre(s.Buttons.Bitmap, ButtonFrame({.pressed = true}), 5), Rgb(222, 223, 228));
  EXPECT_EQ(centre(s.UpDownVert->Bitmap, PlanUpDown({16, 22, false, true, true, true, Point{5, 15}}).half[1].frame, 8),
            Rgb(218, 220, 226));
  EXPECT_EQ(s.ComboButton->Bitmap.At(17 * (ComboStateFrame(true, false, false, true) - 1) + 3, 1), Rgb(222, 223, 228));
  EXPECT_EQ(s.ComboButton->Bitmap.At(17 * (ComboStateFrame(false, false, true, true) - 1) + 3, 1), Rgb(236, 240, 247));
  // Each arrow frame points the way the overlay uses it: the glyph's tip is its narrow end.
  auto points = [&](int frame) {
    const Bitmap32& a = s.Scrollbar->Bitmap;
    auto dark = [&](int x, int y) { return (a.At((frame - 1) * 17 + x, y) & 0xFF) < 200; };
    // The spread of the dark pixels along row (or column) i.
    auto spread = [&](int i, bool row) {
      int lo = 17, hi = -1;
      for (int j = 0; j < 17; ++j)
        if (row ? dark(j, i) : dark(i, j)) lo = std::min(lo, j), hi = std::max(hi, j);
      return hi - lo;
    };
    int top = 0, bottom = 16, left = 0, right = 16;
    while (spread(top, true) < 0) ++top;
    while (spread(bottom, true) < 0) --bottom;
    while (spread(left, false) < 0) ++left;
    while (spread(right, false) < 0) --right;
    if (bottom - top < right - left) return spread(top, true) < spread(bottom, true) ? Direction::Up : Direction::Down;
    return spread(left, false) < spread(right, false) ? Direction::Left : Direction::Right;
  };
  EXPECT_EQ(points(ScrollArrowFrame(false, false, 1)), Direction::Up);
  EXPECT_EQ(points(ScrollArrowFrame(false, true, 1)), Direction::Down);
  EXPECT_EQ(points(ScrollArrowFrame(true, false, 1)), Direction::Left);
  EXPECT_EQ(points(ScrollArrowFrame(true, true, 1)), Direction::Right);
}

TEST(OwnSkin, InfoUnpackAndPackRoundTrip) {
  const fs::path dir = TempDir("tool");
  const fs::path file = dir / "quillet.skin";
  {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(Raw().data()), static_cast<std::streamsize>(Raw().size()));
  }
  std::ostringstream out, err;
  ASSERT_EQ(quillet::skintool::Run({"info", file.string()}, out, err), 0) << err.str();
  EXPECT_NE(out.str().find("version 70000\n43 files\n"), std::string::npos);
  EXPECT_NE(out.str().find("  Buttons: 120 x 24, 5 frames, margins 8 9 8 9, transparent\n"), std::string::npos);

  ASSERT_EQ(quillet::skintool::Run({"unpack", file.string(), (dir / "parts").string()}, out, err), 0) << err.str();
  EXPECT_TRUE(fs::exists(dir / "parts" / "quillet.ini"));
  EXPECT_TRUE(fs::exists(dir / "parts" / "scrollbar.bmp"));
  ASSERT_EQ(quillet::skintool::Run({"pack", (dir / "parts").string(), (dir / "again.skin").string()}, out, err), 0)
      << err.str();
  std::ifstream in(dir / "again.skin", std::ios::binary);
  std::vector<std::uint8_t> again{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  TSkinDataCore data;
  ASSERT_TRUE(data.LoadFromRaw(again));
  EXPECT_EQ(Describe(data.Elements()), Describe(Loaded()));

  EXPECT_EQ(quillet::skintool::Run({"pack", (dir / "nothing").string(), (dir / "x.skin").string()}, out, err), 1);
  EXPECT_EQ(quillet::skintool::Run({"info", (dir / "parts" / "quillet.ini").string()}, out, err), 1);
  EXPECT_EQ(quillet::skintool::Run({"bogus"}, out, err), 2);
  fs::remove_all(dir);
}

TEST(OwnSkin, WritesEveryBitmapToLookAt) {
  const fs::path dir = QUILLET_SKIN_LOOK_DIR;
  fs::create_directories(dir);
  const auto art = quillet::skin::art::DrawQuilletSkin();
  for (const auto& [name, bmp] : art.bitmaps) {
    std::ofstream out(dir / name, std::ios::binary);
    const auto bytes = WriteBmp(bmp);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good());
  }
  EXPECT_EQ(art.bitmaps.size(), 42u);
  // And the elements at work: two sample windows painted by the element painter.
  const auto sample = WriteBmp(quillet::skinmaker::PaintSampleWindows(Loaded()));
  std::ofstream(dir / "sample-windows.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(sample.data()), static_cast<std::streamsize>(sample.size()));
  EXPECT_TRUE(fs::exists(dir / "sample-windows.bmp"));
}

TEST(SkinTool, UnpackWritesOnlyPlainNames) {
  const fs::path dir = TempDir("unsafe");
  TSkinArchiveWriter w;
  w.Add("skin.ini", {'x'});
  w.Add("../escaped.bmp", {'y'});
  w.Add("sub\\inner.bmp", {'z'});
  const auto raw = w.RawStream();
  std::ofstream(dir / "bad.skin", std::ios::binary).write(reinterpret_cast<const char*>(raw.data()),
                                                          static_cast<std::streamsize>(raw.size()));
  std::ostringstream out, err;
  ASSERT_EQ(quillet::skintool::Run({"unpack", (dir / "bad.skin").string(), (dir / "out").string()}, out, err), 0);
  EXPECT_TRUE(fs::exists(dir / "out" / "skin.ini"));
  EXPECT_FALSE(fs::exists(dir / "escaped.bmp"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), fs::directory_iterator()), 1);
  EXPECT_NE(err.str().find("unsafe name"), std::string::npos);
  fs::remove_all(dir);
}
