#include "skin/elements.h"

#include <algorithm>

#include "base/dpi.h"
#include "skin/painter.h"
#include "skin/quick_ini.h"
#include "skin/scale.h"
#include "skin/skin_reader.h"
#include "skin/text.h"

namespace quillet::skin {

ColorRef SkinSystem::SysColor(int index) const {
  // The classic scheme, for builds that have no system to ask.
  switch (index) {
    case sys::Scrollbar: return 0xC8C8C8;
    case sys::Menu: return 0xF0F0F0;
    case sys::MenuText: return 0x000000;
    case sys::WindowText: return 0x000000;
    case sys::CaptionText: return 0xFFFFFF;
    case sys::Highlight: return 0xD77800;
    case sys::HighlightText: return 0xFFFFFF;
    case sys::BtnFace: return 0xF0F0F0;
    case sys::BtnShadow: return 0xA0A0A0;
    case sys::BtnText: return 0x000000;
    case sys::InactiveCaptionText: return 0x000000;
    case sys::BtnHighlight: return 0xFFFFFF;
    case sys::DkShadow3D: return 0x696969;
    case sys::Light3D: return 0xE3E3E3;
    default: return 0xFFFFFF;
  }
}

const SkinSystem& DefaultSkinSystem() {
  static const SkinSystem system;
  return system;
}

ColorRef Blend(ColorRef x, ColorRef y, int a) {
  const int d = a < 100 ? 100 : 1000;
  ColorRef out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int cx = (x >> shift) & 0xFF, cy = (y >> shift) & 0xFF;
    const int v = std::clamp((a * cx + (d - a) * cy + d / 2) / d, 0, 255);
    out |= static_cast<ColorRef>(v) << shift;
  }
  return out;
}

int Brightness(ColorRef c) {
  return ((c & 0xFF) * 299 + ((c >> 8) & 0xFF) * 587 + ((c >> 16) & 0xFF) * 114) / 1000;
}

Bitmap32 ReadSkinBitmap(const TSkinReader& reader, const std::string& value) {
  std::string name = value;
  const std::size_t slash = name.find_last_of("\\/:");
  if (slash != std::string::npos) name = name.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (name.empty() || dot == std::string::npos || name.substr(dot) != ".bmp") return {};
  Bitmap32 bmp;
  const std::vector<std::uint8_t> bytes = reader.ExtractByName(name);
  if (!bytes.empty()) ReadBmp(bytes, bmp);
  return bmp;
}

namespace {

int SkinLength(const SkinSystem& system, int length) {
  return base::ScaleToDpi(length, ClampSkinDpi(system.Dpi()));
}

class Reader {
 public:
  Reader(const TQuickIni& ini, const TSkinReader& archive, const SkinSystem& system)
      : ini_(ini), archive_(archive), system_(system) {}

  std::string Str(const std::string& s, const std::string& k) const { return ini_.ReadString(s, k, ""); }
  int Int(const std::string& s, const std::string& k, int def) const { return ini_.ReadInteger(s, k, def); }
  Bitmap32 Bmp(const std::string& s, const std::string& k) const { return ReadSkinBitmap(archive_, Str(s, k)); }
  TColor Color(const std::string& s, const std::string& k, TColor def, bool* present = nullptr) const {
    const std::string text = Str(s, k);
    if (present) *present = !text.empty();
    return text.empty() ? def : static_cast<TColor>(ParseColorText(text));
  }

  void Generic(const std::string& section, TDataSkinObject& e, TColor face) const {
    e.Name = section;
    e.Bitmap = Bmp(section, "Image");
    e.Style = Int(section, "Style", 0);
    e.LeftWidth = Int(section, "LeftWidth", 0);
    e.RightWidth = Int(section, "RightWidth", 0);
    e.TopHeight = Int(section, "TopHeight", 0);
    e.BottomHeight = Int(section, "BottomHeight", 0);
    e.Frame = Int(section, "Frame", 0);
    e.Trans = Int(section, "Trans", 0);
    e.Tile = Int(section, "Tile", 0);
    if (e.Tile > 1) e.Tile = 0;
    ReadTextColors(section, e, face);
  }

  void ReadTextColors(const std::string& section, TDataSkinObject& e, TColor face) const {
    // Each key is read twice: as a plain integer and as "r g b" text.
    e.NormalColour = Int(section, "NormalColour", -1);
    e.MouseOverColour = Int(section, "MouseOverColour", -1);
    e.PressedColour = Int(section, "PressedColour", -1);
    e.NormalColour2 = Color(section, "NormalColour", face, &e.NormalColourPresent);
    e.MouseOverColour2 = Color(section, "MouseOverColour", face, &e.MouseOverColourPresent);
    e.PressedColour2 = Color(section, "PressedColour", face, &e.PressedColourPresent);
  }

  template <class T>
  void Optional(const std::string& section, std::optional<T>& out, TColor face) const {
    out.reset();
    if (Str(section, "Image").empty()) return;
    out.emplace();
    Generic(section, *out, face);
  }

  const SkinSystem& System() const { return system_; }
  // A length the reader makes up, at the skin's DPI.
  int Px(int length) const { return SkinLength(system_, length); }
  const TQuickIni& Ini() const { return ini_; }

 private:
  const TQuickIni& ini_;
  const TSkinReader& archive_;
  const SkinSystem& system_;
};

void ReadBorders(const Reader& rd, TSkinElements& s) {
  const char* names[4] = {"Left", "Right", "Top", "Bottom"};
  TDataSkinBorder* borders[4] = {&s.Left, &s.Right, &s.Top, &s.Bottom};
  for (int i = 0; i < 4; ++i) {
    const std::string n = names[i];
    TDataSkinBorder& b = *borders[i];
    b = TDataSkinBorder();
    b.Name = n;
    b.Bitmap = rd.Bmp("Personality", n);
    b.Frame = rd.Int("Personality", n + "Frame", 1);
    const int stretch = std::min(rd.Int("Personality", n + "Stretch", 1), 1);
    b.Tile = stretch == 1 ? 0 : 1;  // a border's centre is tiled unless it stretches
    b.Trans = rd.Int("Personality", n + "Trans", 1);
    const int first = rd.Int("Personality", n + "TopHeight", 0);
    const int second = rd.Int("Personality", n + "BotHeight", 0);
    if (i < 2) {
      b.TopHeight = first;
      b.BottomHeight = second;
    } else {
      b.LeftWidth = first;
      b.RightWidth = second;
    }
  }
}

void ReadColors(const Reader& rd, TSkinElements& s) {
  s.Colors.fill(0);
  s.ColorPresent.fill(false);
  auto read = [&](int slotIndex, const char* key, TColor def) {
    bool present = false;
    s.Colors[slotIndex] = rd.Color("Colours", key, def, &present);
    s.ColorPresent[slotIndex] = present;
  };
  read(slot::WindowText, "WindowText", SysTColor(sys::WindowText));
  read(slot::ButtonFace, "ButtonFace", SysTColor(sys::BtnFace));
  read(slot::Scrollbar, "Scrollbar", SysTColor(sys::Scrollbar));
  read(slot::HilightText, "HilightText", SysTColor(sys::HighlightText));
  read(slot::Hilight, "Hilight", SysTColor(sys::Highlight));
  read(slot::Menubar, "Menubar", s.Colors[slot::ButtonFace]);
  read(slot::Menu, "Menu", SysTColor(sys::Menu));
  read(slot::MenuText, "MenuText", SysTColor(sys::MenuText));
  read(slot::ButtonText, "ButtonText", SysTColor(sys::BtnText));
  read(slot::ButtonHilight, "ButtonHilight", SysTColor(sys::BtnHighlight));
  read(slot::Buttonlight, "Buttonlight", SysTColor(sys::BtnHighlight));
  read(slot::ButtonShadow, "ButtonShadow", SysTColor(sys::BtnShadow));
  read(slot::ButtonDkShadow, "ButtonDkShadow", SysTColor(sys::DkShadow3D));
  read(slot::MenuBarText, "MenuBarText", SysTColor(sys::MenuText));
  read(slot::TitleTextActive, "TitleTextActive", SysTColor(sys::CaptionText));
  read(slot::TitleTextNoActive, "TitleTextNoActive", SysTColor(sys::InactiveCaptionText));

  s.FurtherColors.clear();
  for (const std::string& section : s.Sections) {
    const std::string up = AsciiUpper(section);
    if (up.rfind("COLOUR", 0) == 0 && up != "COLOURS")
      s.FurtherColors.push_back(rd.Color(section, "color", SysTColor(sys::WindowText)));
  }
  for (int i = 0; i < 10; ++i)
    s.CustomColors[i] = rd.Color("Customcolors", "Color" + std::to_string(i), 0xFFFFFF);
}

void ReadCaptionButtons(const Reader& rd, TSkinElements& s) {
  s.CaptionButtons.clear();
  for (const std::string& section : s.Sections) {
    const std::string up = AsciiUpper(section);
    if (up.rfind("BUTTON", 0) != 0 || up == "BUTTONS" || up == "BUTTON.RADIO" || up == "BUTTON.CHECKBOX")
      continue;
    const int action = rd.Int(section, "Action", 0);
    if (action == -1 && rd.Int(section, "Visibility", -1) != 0) continue;
    TDataSkinSysButton b;
    b.Name = up;
    b.Action = action;
    b.Align = rd.Int(section, "Align", 0);
    b.Xcoord = rd.Int(section, "Xcoord", 0);
    b.Ycoord = rd.Int(section, "Ycoord", 0);
    b.Visibility = rd.Int(section, "Visibility", 0);
    b.Visibility1 = rd.Int(section, "Visibility1", action == -1 ? -1 : 0);
    b.CombineOp = rd.Int(section, "CombineOp", -1);
    b.Frame = rd.Int(section, "frame", 0);
    b.Bitmap = rd.Bmp(section, "ButtonImage");
    if (b.Frame == 0) {
      b.Frame = 6;
      if (!b.Bitmap.Empty() && b.Action >= 0 &&
          static_cast<double>(b.Bitmap.Width()) / b.Bitmap.Height() <= 3.8)
        b.Frame = 3;
      if (b.Action == 3 || b.Action == 11) b.Bitmap.Clear();
    }
    if (b.Action == 4) {
      for (auto it = s.CaptionButtons.rbegin(); it != s.CaptionButtons.rend(); ++it)
        if (it->Action == 1 && it->Visibility == 2) {
          b.Xcoord = it->Xcoord;
          b.Ycoord = it->Ycoord;
          break;
        }
    }
    s.CaptionButtons.push_back(std::move(b));
  }

  const Bitmap32 mdi = rd.Bmp("MDICONTROLS", "Image");
  for (int k = 0; k < 3; ++k) {
    TDataSkinSysButton b;
    b.Name = "MDICONTROLS" + std::to_string(k + 1);
    b.Action = 7 + k;
    b.Align = b.Visibility = b.Visibility1 = 100;
    b.Frame = 4;
    if (!mdi.Empty()) {
      const int w = mdi.Width() / 12;
      b.Bitmap = mdi.Crop({4 * w * k, 0, 4 * w * k + 4 * w, mdi.Height()});
      b.Xcoord = (w + rd.Px(4)) * (3 - k);
    }
    s.CaptionButtons.push_back(std::move(b));
  }
}

void ReadButtons(const Reader& rd, TSkinElements& s) {
  TDataSkinButton& b = s.Buttons;
  b = TDataSkinButton();
  const std::string sec = "Buttons";
  b.Name = sec;
  b.LeftWidth = rd.Int(sec, "LeftWidth", 0);
  b.RightWidth = rd.Int(sec, "RightWidth", 0);
  b.TopHeight = rd.Int(sec, "TopHeight", 0);
  b.BottomHeight = rd.Int(sec, "BottomHeight", 0);
  b.Trans = rd.Int(sec, "Trans", 0);
  b.Tile = rd.Int(sec, "Tile", 0);
  if (b.Tile > 1) b.Tile = 0;
  b.Bitmap = rd.Bmp(sec, "Bitmap");
  b.CheckBitmap = rd.Bmp(sec, "CheckButton");
  b.RadioBitmap = rd.Bmp(sec, "RadioButton");
  b.RadioFrame = rd.Int(sec, "RadioButtonFrame", 0);
  b.CheckFrame = rd.Int(sec, "CheckButtonFrame", 0);
  rd.ReadTextColors(sec, b, s.Colors[slot::ButtonFace]);
}

void ReadTitle(const Reader& rd, TSkinElements& s) {
  TDataSkinTitle& t = s.Title;
  t = TDataSkinTitle();
  const std::string sec = "Personality";
  t.Name = "Title";
  t.Bitmap = rd.Bmp(sec, "TextBack");
  t.TextShift = rd.Int(sec, "TextShift", 0);
  t.TextShiftVert = rd.Int(sec, "TextShiftVert", 0);
  t.TextRightClip = rd.Int(sec, "TextRightClip", 0);
  t.TextAlignment = rd.Int(sec, "TextAlignment", 0);
  t.Textbackground = rd.Int(sec, "Textbackground", 0);
  t.TXTBackleft = rd.Int(sec, "TXTBackleft", 0);
  t.TXTBackRight = rd.Int(sec, "TXTBackRight", 0);
  t.FontHeight = rd.Int("Fonts", "FontHeight", rd.Px(14));
  auto rgb = [&](const std::string& key) -> TColor {
    const int r = rd.Int(sec, key + "R", -1), g = rd.Int(sec, key + "G", -1), b = rd.Int(sec, key + "B", -1);
    if (r < 0 || g < 0 || b < 0) return kColorNotSet;
    return static_cast<TColor>((std::min(r, 255)) | (std::min(g, 255) << 8) | (std::min(b, 255) << 16));
  };
  t.ActiveTextColor = rgb("ActiveText");
  t.InactiveTextColor = rgb("InActiveText");
}

void ReadProgress(const Reader& rd, TSkinElements& s) {
  TDataSkinBorder& p = s.Progress;
  p = TDataSkinBorder();
  const std::string sec = "Progress";
  p.Name = sec;
  p.Bitmap = rd.Bmp(sec, "Bitmap");
  p.Style = rd.Int(sec, "Style", 0);
  p.LeftWidth = rd.Int(sec, "LeftWidth", 0);
  p.RightWidth = rd.Int(sec, "RightWidth", 0);
  p.TopHeight = rd.Int(sec, "TopHeight", 0);
  p.BottomHeight = rd.Int(sec, "BottomHeight", 0);
  p.Trans = rd.Int(sec, "Trans", 0);
  p.Tile = std::min(rd.Int(sec, "Tile", 0), 1);
}

void ReadMenuBar(const Reader& rd, TSkinElements& s) {
  TDataSkinObject& m = s.MenuBar;
  m = TDataSkinObject();
  m.Name = "MenuBar";
  m.Bitmap = rd.Bmp("Personality", "menuBar");
  m.Tile = std::min(rd.Int("Personality", "TileMenu", 1), 1);
  m.LeftWidth = rd.Int("Personality", "TileLeftMenu", rd.Px(1));
  m.RightWidth = rd.Int("Personality", "TileRightMenu", rd.Px(1));
}

template <class T>
void OptionalBorder(const Reader& rd, const std::string& section, const std::string& secondKey,
                    std::optional<T>& out, TColor face) {
  rd.Optional(section, out, face);
  if (out) out->Bitmap2 = rd.Bmp(section, secondKey);
}

void SetFrames(const Reader& rd, TSkinElements& s) {
  auto set = [](auto& opt, int n) {
    if (opt) opt->Frame = n;
  };
  TDataSkinButton& b = s.Buttons;
  b.Frame = 5;
  auto guess = [&rd](const Bitmap32& bmp) {
    if (bmp.Empty()) return 4;
    return std::max(bmp.Width() / (bmp.Height() < rd.Px(16) ? rd.Px(13) : rd.Px(16)), 4);
  };
  if (b.RadioFrame == 0) b.RadioFrame = guess(b.RadioBitmap);
  if (b.CheckFrame == 0) b.CheckFrame = guess(b.CheckBitmap);
  s.Title.Frame = 2;
  s.Progress.Frame = s.Progress.Style != 0 ? 1 : 2;
  s.MenuBar.Frame = 2;
  set(s.GroupBoxEdge, 2);
  set(s.ToolBars, 5);
  set(s.Tabs, 5);
  set(s.TabPane, 1);
  set(s.StatusBarEdges, 3);
  set(s.GroupBox, 1);
  set(s.ComboButton, 4);
  set(s.SunkEdge, 4);
  set(s.ExtraImages, 5);
  if (s.Headerbar && s.Headerbar->Frame == 0) s.Headerbar->Frame = 5;
  set(s.MenuItem, 5);
  set(s.MenuBackground, 1);
  set(s.Scrollbar, 23);
  set(s.HorzScroll, 4);
  set(s.VertScroll, 4);
  set(s.UpDownHorz, 8);
  set(s.UpDownVert, 8);
  for (auto* t : {&s.TrackbarThumbHorz, &s.TrackbarThumbVert, &s.TrackbarThumbLeft, &s.TrackbarThumbRight,
                  &s.TrackbarThumbUp, &s.TrackbarThumbDown})
    set(*t, 5);
}

void BuildCombinedCombo(TSkinElements& s, const SkinSystem& system) {
  TDataSkinObject& sunk = *s.SunkEdge;
  TDataSkinBorder& combo = *s.ComboButton;
  const int n = std::max(sunk.Frame, 1);
  const int cx = system.HScrollArrowWidth();
  // 50 x 21 frames with a 2-pixel edge, at the skin's DPI.
  const int w = SkinLength(system, 50), h = SkinLength(system, 21), edge = SkinLength(system, 2);
  Bitmap32 pic(w * n, h, kMagenta);
  for (int b = 1; b <= n; ++b) {
    const int x = (b - 1) * w;
    const Rect whole{x, 0, x + w, h};
    DrawElement(pic.View(), whole, sunk, b, n);
    const Rect button{x + w - edge - (cx + edge), edge, x + w - edge, h - edge};
    DrawFrame(pic.View(), button, {&combo.Bitmap, b, std::max(combo.Frame, 1), false}, MarginsOf(combo),
              combo.Tile == 1, true);
    if (s.ExtraImages && s.ExtraImages->HasBitmap())
      DrawFrame(pic.View(), button, {&s.ExtraImages->Bitmap, b, std::max(s.ExtraImages->Frame, 1), false},
                MarginsOf(*s.ExtraImages), s.ExtraImages->Tile == 1, true);
    pic.FillRect({x + edge, edge, x + w - SkinLength(system, 3) - cx, h - SkinLength(system, 3)}, kMagenta);
  }
  combo.Bitmap = pic;
  combo.Style = 2;
  combo.Frame = n;
  combo.TopHeight = sunk.TopHeight;
  combo.BottomHeight = sunk.BottomHeight;
  combo.LeftWidth = edge;
  combo.RightWidth = cx + SkinLength(system, 4);
  sunk.Bitmap = pic.MirroredLeftRight();
  sunk.LeftWidth = combo.RightWidth;
  sunk.RightWidth = edge;
}

void BuildComboArrow(TSkinElements& s, ColorRef face, const SkinSystem& system) {
  s.ComboxArrow.reset();
  if (!s.ComboButton || !s.ComboButton->HasBitmap()) return;
  const TDataSkinBorder& combo = *s.ComboButton;
  TDataSkinObject arrow;
  arrow.Name = "ComboxArrow";
  if (!s.SunkEdge) {
    // Towards the face colour: the glyph keeps its shape but sits calmer on a plain face.
    arrow.Bitmap = combo.Bitmap;
    const Pixel facePx = PixelFromColorRef(face);
    for (int y = 0; y < arrow.Bitmap.Height(); ++y)
      for (int x = 0; x < arrow.Bitmap.Width(); ++x) {
        const Pixel p = arrow.Bitmap.At(x, y);
        if (p == kMagenta) continue;
        arrow.Bitmap.Set(x, y, PixelFromColorRef(Blend(ColorRefFromPixel(p), ColorRefFromPixel(facePx), 80)));
      }
    arrow.Frame = combo.Frame;
    arrow.Trans = combo.Trans;
  } else if (combo.Style == 2) {
    const int n = std::max(s.SunkEdge->Frame, 1);
    const int w = combo.Bitmap.Width() / n;
    // The 17-pixel square 2 pixels in from each frame's top right corner.
    const int side = SkinLength(system, 17), in = SkinLength(system, 2);
    arrow.Bitmap = Bitmap32(side * n, side);
    for (int k = 1; k <= n; ++k)
      arrow.Bitmap.Blit(combo.Bitmap.Crop({k * w - side - in, in, k * w - in, in + side}), side * (k - 1), 0);
    arrow.Frame = n;
    arrow.Trans = 1;
  } else {
    return;
  }
  s.ComboxArrow = std::move(arrow);
}

void BuildToolbar(TSkinElements& s, ColorRef face, const SkinSystem& system) {
  const ColorRef top = Blend(face, 0xFFFFFF, 150);
  const int bright = Brightness(s.TitleColor);
  const ColorRef bottom = bright > 110 ? Blend(s.TitleColor, 0xFFFFFF, (5625 - 25 * bright) / 140 + 50)
                                       : Blend(0x808080, s.TitleColor, 150);
  TDataSkinObject t;
  t.Name = "Toolbar";
  const int w = SkinLength(system, 10), h = SkinLength(system, 40);
  t.Bitmap = Bitmap32(w, h);
  for (int y = 0; y < h; ++y) {
    ColorRef c = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const int a = (top >> shift) & 0xFF, b = (bottom >> shift) & 0xFF;
      c |= static_cast<ColorRef>(a + (b - a) * y / (h - 1)) << shift;
    }
    for (int x = 0; x < w; ++x) t.Bitmap.Set(x, y, PixelFromColorRef(c));
  }
  t.Frame = 1;
  s.Toolbar = std::move(t);
}

}  // namespace

void ReadSkinElements(const TQuickIni& ini, const TSkinReader& reader, TSkinElements& s,
                      const SkinSystem& system) {
  const Reader rd(ini, reader, system);
  s.Dpi = ClampSkinDpi(system.Dpi());
  s.Sections = ini.Sections();
  s.SkinName = ini.ReadString("TitlebarSkin", "SkinName", "");
  ReadBorders(rd, s);
  ReadColors(rd, s);
  const TColor face = s.Colors[slot::ButtonFace];
  ReadCaptionButtons(rd, s);
  ReadButtons(rd, s);
  ReadTitle(rd, s);
  ReadProgress(rd, s);
  rd.Optional("Progress.Chunk", s.ProgressChunk, face);
  ReadMenuBar(rd, s);

  rd.Optional("GroupBoxEdge", s.GroupBoxEdge, face);
  rd.Optional("GroupBox", s.GroupBox, face);
  if (s.GroupBox) {
    s.GroupBox->BackgroundAlignment = rd.Int("GroupBox", "BackgroundAlignment", 0);
    s.GroupBox->BackgroundLeftShift = rd.Int("GroupBox", "BackgroundLeftShift", 0);
    s.GroupBox->BackgroundRightShift = rd.Int("GroupBox", "BackgroundRightShift", 0);
  }
  OptionalBorder(rd, "Tabs", "Border", s.Tabs, face);
  rd.Optional("StatusBarEdges", s.StatusBarEdges, face);
  rd.Optional("Tab.Pane", s.TabPane, face);
  if (s.TabPane) {
    for (auto* m : {&s.TabPane->LeftWidth, &s.TabPane->TopHeight, &s.TabPane->RightWidth, &s.TabPane->BottomHeight})
      *m = std::min(*m, rd.Px(4));
  }
  rd.Optional("ToolBars", s.ToolBars, face);
  OptionalBorder(rd, "ComboButton", "****", s.ComboButton, face);
  rd.Optional("SunkEdge", s.SunkEdge, face);
  if (s.ComboButton && s.ComboButton->HasBitmap()) s.ComboButton->Bitmap2 = s.ComboButton->Bitmap.MirroredLeftRight();

  rd.Optional("ExtraImages", s.ExtraImages, face);
  rd.Optional("Headerbar", s.Headerbar, face);
  rd.Optional("MenuItem", s.MenuItem, face);
  rd.Optional("MenuBackground", s.MenuBackground, face);
  rd.Optional("Scrollbar", s.Scrollbar, face);
  rd.Optional("HorzScroll", s.HorzScroll, face);
  rd.Optional("VertScroll", s.VertScroll, face);
  rd.Optional("HorzScrollThumb", s.HorzScrollThumb, face);
  rd.Optional("VertScrollThumb", s.VertScrollThumb, face);
  rd.Optional("Trackbar.ThumbHorz", s.TrackbarThumbHorz, face);
  rd.Optional("Trackbar.ThumbVert", s.TrackbarThumbVert, face);
  rd.Optional("Trackbar.ThumbLeft", s.TrackbarThumbLeft, face);
  rd.Optional("Trackbar.ThumbRight", s.TrackbarThumbRight, face);
  rd.Optional("Trackbar.ThumbUp", s.TrackbarThumbUp, face);
  rd.Optional("Trackbar.ThumbDown", s.TrackbarThumbDown, face);
  OptionalBorder(rd, "UpDown.Horz", "GlyphImage", s.UpDownHorz, face);
  OptionalBorder(rd, "UpDown.Vert", "GlyphImage", s.UpDownVert, face);
  rd.Optional("Track", s.Track, face);
  rd.Optional("TRACKVERT", s.TrackVert, face);
  for (int vertical = 0; vertical < 2; ++vertical) {
    std::optional<TDataSkinObject>& opt = vertical ? s.TrackVert : s.Track;
    if (opt) continue;
    TDataSkinObject& t = opt.emplace();
    t.Name = vertical ? "TRACKVERT" : "TRACK";
    t.Bitmap = ScalePicture(BuiltInTrackBitmap(vertical != 0), {1, false, {3, 3, 3, 3}}, system.Dpi());
    t.LeftWidth = t.TopHeight = t.RightWidth = t.BottomHeight = rd.Px(3);
    t.Tile = 0;
    t.Frame = 1;
  }

  SetFrames(rd, s);
  for (auto* thumb : {&s.HorzScrollThumb, &s.VertScrollThumb})
    if (*thumb) (*thumb)->Frame = rd.Int((*thumb)->Name, "FrameCount", 3);

  s.FaceColor = system.Resolve(face);
  // The title colour is taken before the tool-bar gradient that is made from it.
  if (!s.Top.Bitmap.Empty()) {
    const int fh = s.Top.Bitmap.Height() / std::max(s.Top.Frame, 1);
    s.TitleColor = ColorRefFromPixel(s.Top.Bitmap.At(s.Top.Bitmap.Width() / 3, std::min(fh / 3, s.Top.Bitmap.Height() - 1)));
  } else {
    s.TitleColor = s.FaceColor;
  }
  if (s.SunkEdge && s.ComboButton) BuildCombinedCombo(s, system);
  BuildComboArrow(s, s.FaceColor, system);
  BuildToolbar(s, s.FaceColor, system);
  s.NoSkinLoaded = false;
}

void ReadSkinElements(const TSkinReader& reader, TSkinElements& out, const SkinSystem& system) {
  std::vector<std::uint8_t> iniBytes;
  reader.ExtractByFragment(".ini", iniBytes);
  TQuickIni ini;
  ini.Load(iniBytes);
  ReadSkinElements(ini, reader, out, system);
}

std::vector<const TDataSkinObject*> TSkinElements::All() const {
  std::vector<const TDataSkinObject*> out{&Left, &Right, &Top, &Bottom};
  for (const auto& b : CaptionButtons) out.push_back(&b);
  out.push_back(&Buttons);
  out.push_back(&Title);
  out.push_back(&Progress);
  auto add = [&](const auto& opt) {
    if (opt) out.push_back(&*opt);
  };
  add(ProgressChunk);
  out.push_back(&MenuBar);
  add(GroupBoxEdge);
  add(GroupBox);
  add(Tabs);
  add(StatusBarEdges);
  add(TabPane);
  add(ToolBars);
  add(ComboButton);
  add(SunkEdge);
  for (const auto* o : {&ExtraImages, &Headerbar, &MenuItem, &MenuBackground, &Scrollbar, &HorzScroll, &VertScroll,
                        &HorzScrollThumb, &VertScrollThumb, &TrackbarThumbHorz, &TrackbarThumbVert,
                        &TrackbarThumbLeft, &TrackbarThumbRight, &TrackbarThumbUp, &TrackbarThumbDown})
    add(*o);
  add(UpDownHorz);
  add(UpDownVert);
  add(Track);
  add(TrackVert);
  add(ComboxArrow);
  add(Toolbar);
  return out;
}

const TDataSkinObject* TSkinElements::Find(const std::string& name) const {
  for (const TDataSkinObject* e : All())
    if (EqualNoCase(e->Name, name)) return e;
  return nullptr;
}

}  // namespace quillet::skin
