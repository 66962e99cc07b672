// The skin's elements: what the INI text and its bitmaps become, read once per skin load.
// Window frames and controls paint only from these records.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skin/bitmap.h"

namespace quillet::skin {

class TQuickIni;
class TSkinReader;

// A colour as the skin stores it: an RGB ColorRef, or, with the top bit set, the index of a
// system colour that is looked up when the colour is used.
using TColor = std::int32_t;
constexpr TColor SysTColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index)); }
constexpr bool IsSysColor(TColor c) { return c < 0; }

// System colour indices, as the operating system numbers them.
namespace sys {
constexpr int Scrollbar = 0, Menu = 4, MenuText = 7, WindowText = 8, CaptionText = 9, Highlight = 13,
              HighlightText = 14, BtnFace = 15, BtnShadow = 16, BtnText = 18, InactiveCaptionText = 19,
              BtnHighlight = 20, DkShadow3D = 21, Light3D = 22;
}

// What element reading needs of the system: its colours, the width of a scroll-bar arrow, and the
// DPI the skin is drawn for.
class SkinSystem {
 public:
  virtual ~SkinSystem() = default;
  virtual ColorRef SysColor(int index) const;  // the classic Windows scheme
  virtual int HScrollArrowWidth() const { return 17; }
  // The skin's lengths are pixels at this DPI. The lengths the reader makes up itself (its
  // defaults, the pictures it composes) are 96-DPI ones and are made at it.
  virtual int Dpi() const { return 96; }
  ColorRef Resolve(TColor c) const {
    return IsSysColor(c) ? SysColor(c & 0xFF) : static_cast<ColorRef>(c) & 0xFFFFFF;
  }
};
const SkinSystem& DefaultSkinSystem();

struct TDataSkinObject {
  std::int32_t LeftWidth = 0;
  std::int32_t TopHeight = 0;
  std::int32_t RightWidth = 0;
  std::int32_t BottomHeight = 0;
  Bitmap32 Bitmap;
  std::int32_t Trans = 0;
  std::int32_t Tile = 0;
  std::string Name;
  std::int32_t Frame = 1;
  std::int32_t Style = 0;
  std::int32_t NormalColour = -1;
  std::int32_t MouseOverColour = -1;
  std::int32_t PressedColour = -1;
  TColor NormalColour2 = SysTColor(sys::BtnFace);
  TColor MouseOverColour2 = SysTColor(sys::BtnFace);
  TColor PressedColour2 = SysTColor(sys::BtnFace);
  // Whether each of the three colour texts was given: the default is the face colour, which
  // text must not be drawn in.
  bool NormalColourPresent = false;
  bool MouseOverColourPresent = false;
  bool PressedColourPresent = false;

  virtual ~TDataSkinObject() = default;
  bool HasBitmap() const { return !Bitmap.Empty(); }
};

struct TDataSkinBorder : TDataSkinObject {
  Bitmap32 Bitmap2;
};

struct TDataSkinBoxLabel : TDataSkinObject {
  std::int32_t BackgroundLeftShift = 0;
  std::int32_t BackgroundRightShift = 0;
  std::int32_t BackgroundAlignment = 0;
};

constexpr TColor kColorNotSet = 0x1FFFFFFF;

struct TDataSkinTitle : TDataSkinObject {
  std::int32_t TextShift = 0;
  std::int32_t TextShiftVert = 0;
  std::int32_t TextRightClip = 0;
  std::int32_t TextAlignment = 0;
  std::int32_t Textbackground = 0;
  std::int32_t TXTBackleft = 0;
  std::int32_t TXTBackRight = 0;
  std::int32_t FontHeight = 14;
  TColor ActiveTextColor = kColorNotSet;
  TColor InactiveTextColor = kColorNotSet;
};

struct TDataSkinSysButton : TDataSkinObject {
  std::int32_t Action = 0;
  std::int32_t Align = 0;
  std::int32_t Xcoord = 0;
  std::int32_t Ycoord = 0;
  std::int32_t CombineOp = -1;
  std::int32_t Visibility = 0;
  std::int32_t Visibility1 = 0;
};

struct TDataSkinButton : TDataSkinObject {
  Bitmap32 CheckBitmap;
  Bitmap32 RadioBitmap;
  std::int32_t CheckFrame = 0;
  std::int32_t RadioFrame = 0;
};

// Slots of the colour table.
namespace slot {
constexpr int WindowText = 0, TitleTextActive = 1, TitleTextNoActive = 2, ButtonFace = 3, ButtonText = 4,
              ButtonHilight = 5, Buttonlight = 6, ButtonShadow = 7, ButtonDkShadow = 8, HilightText = 11,
              Hilight = 12, Menubar = 13, MenuBarText = 14, MenuText = 15, Menu = 16, Scrollbar = 18;
}

struct TSkinElements {
  std::string SkinName;
  std::vector<std::string> Sections;

  TDataSkinBorder Left, Right, Top, Bottom;
  std::array<TColor, 19> Colors{};
  std::array<bool, 19> ColorPresent{};
  std::vector<TColor> FurtherColors;
  std::array<TColor, 10> CustomColors{};

  std::vector<TDataSkinSysButton> CaptionButtons;  // the skin's own, then the three MDI buttons
  TDataSkinButton Buttons;
  TDataSkinTitle Title;
  TDataSkinBorder Progress;
  std::optional<TDataSkinObject> ProgressChunk;
  TDataSkinObject MenuBar;
  std::optional<TDataSkinObject> GroupBoxEdge;
  std::optional<TDataSkinBoxLabel> GroupBox;
  std::optional<TDataSkinBorder> Tabs;
  std::optional<TDataSkinObject> StatusBarEdges, TabPane, ToolBars;
  std::optional<TDataSkinBorder> ComboButton;
  std::optional<TDataSkinObject> SunkEdge;
  std::optional<TDataSkinObject> ExtraImages, Headerbar, MenuItem, MenuBackground, Scrollbar, HorzScroll,
      VertScroll, HorzScrollThumb, VertScrollThumb;
  std::optional<TDataSkinObject> TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft, TrackbarThumbRight,
      TrackbarThumbUp, TrackbarThumbDown;
  std::optional<TDataSkinBorder> UpDownHorz, UpDownVert;
  std::optional<TDataSkinObject> Track, TrackVert;
  std::optional<TDataSkinObject> ComboxArrow;
  std::optional<TDataSkinObject> Toolbar;

  ColorRef TitleColor = 0;
  ColorRef FaceColor = 0;  // the colour of the face brush
  bool NoSkinLoaded = true;
  // The DPI the pictures and lengths are for; the painters' own lengths are made at it.
  int Dpi = 96;

  TColor Color(int slotIndex) const { return Colors[slotIndex]; }
  // Every element record that exists, in reading order (caption buttons included).
  std::vector<const TDataSkinObject*> All() const;
  // The element read from the given section ("Buttons", "Tabs", "Left", "BUTTON0", ...), any case.
  const TDataSkinObject* Find(const std::string& name) const;
};

// Reads every element (the whole sequence, from the skin's name to the face brush) and clears
// NoSkinLoaded. Re-reading replaces what was there.
void ReadSkinElements(const TQuickIni& ini, const TSkinReader& reader, TSkinElements& out,
                      const SkinSystem& system = DefaultSkinSystem());
// The same from an opened archive, with the INI text its first file named ".ini" holds.
void ReadSkinElements(const TSkinReader& reader, TSkinElements& out, const SkinSystem& system = DefaultSkinSystem());

// Reads a bitmap value: only a file name ending exactly in ".bmp" names a bitmap.
Bitmap32 ReadSkinBitmap(const TSkinReader& reader, const std::string& value);

// Mixes two colours: a parts of x to (d - a) of y, d = 100 below a = 100 and 1000 from there.
ColorRef Blend(ColorRef x, ColorRef y, int a);
int Brightness(ColorRef c);

// The program's own track-bar pictures, used when a skin has none.
Bitmap32 BuiltInTrackBitmap(bool vertical);

}  // namespace quillet::skin
