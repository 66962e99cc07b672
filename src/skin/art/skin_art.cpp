#include "skin/art/skin_art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <string_view>

#include "base/dpi.h"
#include "skin/art/drawing.h"
#include "skin/art/skin_ini.h"
#include "skin/scale.h"
#include "skin/skin_reader.h"

namespace quillet::skin::art {

namespace {

// The palette: soft greys and one accent.
const Pixel kFace = Rgb(235, 233, 235);
const Pixel kCaption = Rgb(248, 248, 250);
const Pixel kCaptionOff = Rgb(142, 142, 148);
const Pixel kAccent = Rgb(52, 104, 168);
const Pixel kAccentLight = Rgb(96, 142, 198);
const Pixel kAccentDark = Rgb(36, 80, 136);
const Pixel kAccentTint = Rgb(214, 226, 242);
const Pixel kOutlineOff = Rgb(126, 126, 132);
const Pixel kLine = Rgb(167, 166, 168);  // the skin's ButtonShadow
const Pixel kLineSoft = Rgb(204, 203, 206);
const Pixel kGlyph = Rgb(64, 64, 68);
const Pixel kGlyphOff = Rgb(172, 172, 176);
const Pixel kWhite = Rgb(255, 255, 255);
const Pixel kTrack = Rgb(240, 239, 241);

// The art is laid out in 96-DPI pixels and drawn at the DPI asked for: sizes and places as
// MulDiv rounds them, fractional places and radii at the exact factor, and hairlines in whole
// device pixels, one for each whole 96 DPI, so that they stay crisp.
class Scale {
 public:
  explicit Scale(int dpi) : dpi_(dpi), factor_(dpi / 96.0), line_(std::max(1, dpi / 96)) {}
  int px(int v) const { return base::ScaleToDpi(v, dpi_); }
  double at(double v) const { return v * factor_; }
  int line() const { return line_; }

 private:
  int dpi_;
  double factor_;
  int line_;
};

// Draws a frame on an opaque background, then makes that background transparent, so soft
// edges blend into the colour the frame is shown on.
Bitmap32 OnTransparent(int w, int h, Pixel bg, const std::function<void(Bitmap32&)>& draw) {
  Bitmap32 b(w, h, bg);
  draw(b);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (b.At(x, y) == bg) b.Set(x, y, kMagenta);
  return b;
}

// Frames side by side.
Bitmap32 Strip(const std::vector<Bitmap32>& frames) {
  int w = 0, h = 0;
  for (const auto& f : frames) w += f.Width(), h = std::max(h, f.Height());
  Bitmap32 out(w, h, kMagenta);
  int x = 0;
  for (const auto& f : frames) out.Blit(f, x, 0), x += f.Width();
  return out;
}
// Frames stacked.
Bitmap32 Stack(const std::vector<Bitmap32>& frames) {
  int w = 0, h = 0;
  for (const auto& f : frames) h += f.Height(), w = std::max(w, f.Width());
  Bitmap32 out(w, h, kMagenta);
  int y = 0;
  for (const auto& f : frames) out.Blit(f, 0, y), y += f.Height();
  return out;
}

// ---- Window frame ----------------------------------------------------------------------------

constexpr int kBorder = 4;
constexpr int kCaptionH = 28;    // the caption band: 24 rows of caption, 4 of face below
constexpr int kCaptionBand = 24;

Bitmap32 SideFrame(const Scale& s, bool active, bool right) {
  const Pixel outline = active ? kAccent : kOutlineOff;
  const Pixel cap = active ? kCaption : kCaptionOff;
  const Pixel sep = active ? kLineSoft : Rgb(120, 120, 126);
  const int w = s.px(kBorder), h = s.px(40), band = s.px(kCaptionBand), t = s.line();
  Bitmap32 b(w, h, kFace);
  b.FillRect({0, 0, w, band - t}, cap);
  b.FillRect({0, band - t, w, band}, sep);
  VLine(b, 0, 0, h, outline, t);
  HLine(b, 0, w, h - t, outline, t);
  // A rounded top corner: magenta outside the curve (the window region leaves it out), the
  // outline along it. Each row's outline starts where it meets a circle about the corner.
  const double c = s.at(kBorder), r = s.at(3.25);
  for (int y = 0; y < w && y + 0.5 < c; ++y) {
    const double dy = c - (y + 0.5);
    const int x0 = dy < r ? static_cast<int>(std::lround(c - std::sqrt(r * r - dy * dy))) : w;
    b.FillRect({0, y, std::min(x0, w), y + 1}, kMagenta);
    b.FillRect({x0, y, std::min(x0 + t, w), y + 1}, outline);
    b.FillRect({x0 + t, y, w, y + 1}, y < band - t ? cap : sep);
  }
  b.FillRect({0, h - t, t, h}, kMagenta);  // a soft bottom corner
  return right ? b.MirroredLeftRight() : b;
}

Bitmap32 TopFrame(const Scale& s, bool active) {
  const Pixel outline = active ? kAccent : kOutlineOff;
  const Pixel cap = active ? kCaption : kCaptionOff;
  const Pixel sep = active ? kLineSoft : Rgb(120, 120, 126);
  const int w = s.px(60), band = s.px(kCaptionBand), t = s.line();
  Bitmap32 b(w, s.px(kCaptionH), kFace);
  b.FillRect({0, t, w, band - t}, cap);
  HLine(b, 0, w, band - t, sep, t);
  HLine(b, 0, w, 0, outline, t);
  return b;
}

Bitmap32 BottomFrame(const Scale& s, bool active) {
  const int h = s.px(kBorder);
  Bitmap32 b(s.px(20), h, kFace);
  HLine(b, 0, b.Width(), h - s.line(), active ? kAccent : kOutlineOff, s.line());
  return b;
}

Bitmap32 MenuBarFrame(const Scale& s) {
  const int h = s.px(20);
  Bitmap32 b(s.px(30), h, kFace);
  HLine(b, 0, b.Width(), h - s.line(), Rgb(224, 223, 226), s.line());
  return b;
}

// ---- Caption buttons -------------------------------------------------------------------------

enum class Glyph { Close, Maximize, Restore, Minimize };

void DrawGlyph(const Scale& s, Bitmap32& b, Glyph g, int ox, int oy, int size, Pixel c) {
  // The glyph sits in a size x size box at (ox, oy); its lines are hairlines.
  const double z = size, half = s.at(0.5);
  const int t = s.line(), two = s.px(2);
  switch (g) {
    case Glyph::Close:
      Line(b, ox + half, oy + half, ox + z - half, oy + z - half, s.at(1.3), c);
      Line(b, ox + z - half, oy + half, ox + half, oy + z - half, s.at(1.3), c);
      break;
    case Glyph::Maximize:
      Frame(b, ox, oy, size, size, c, t);
      HLine(b, ox, ox + size, oy + t, c, t);
      break;
    case Glyph::Restore:
      Frame(b, ox, oy + two, size - two, size - two, c, t);
      HLine(b, ox, ox + size - two, oy + two + t, c, t);
      HLine(b, ox + two, ox + size, oy, c, t);
      VLine(b, ox + size - t, oy, oy + size - two, c, t);
      break;
    case Glyph::Minimize:
      HLine(b, ox, ox + size, oy + size - two, c, t);
      break;
  }
}

// Six frames: normal, hot, pressed, inactive or disabled, then normal twice more.
Bitmap32 CaptionButton(const Scale& s, Glyph g) {
  const int size = s.px(18);
  std::vector<Bitmap32> frames;
  for (int state = 1; state <= 6; ++state) {
    const int st = state > 4 ? 1 : state;
    const Pixel bg = st == 4 ? kCaptionOff : kCaption;
    frames.push_back(OnTransparent(size, size, bg, [&](Bitmap32& b) {
      Pixel glyph = st == 4 ? Rgb(222, 222, 226) : kGlyph;
      if (st == 2 || st == 3) {
        const Pixel fill = g == Glyph::Close ? (st == 2 ? kAccent : kAccentDark)
                                             : (st == 2 ? Rgb(226, 227, 232) : Rgb(208, 210, 216));
        RoundBox(b, 0, 0, size, size, s.at(3), fill, fill, bg, bg);
        if (g == Glyph::Close) glyph = kWhite;
      }
      const int gs = s.px(g == Glyph::Close ? 8 : 9);
      DrawGlyph(s, b, g, (size - gs) / 2, (size - gs) / 2, gs, glyph);
    }));
  }
  return Strip(frames);
}

// The three buttons of a maximised child window's menu bar: minimise, restore, close, four
// frames each (normal, hot, pressed, disabled).
Bitmap32 MdiControls(const Scale& s) {
  const int w = s.px(16), h = s.px(14);
  std::vector<Bitmap32> frames;
  for (Glyph g : {Glyph::Minimize, Glyph::Restore, Glyph::Close})
    for (int st = 1; st <= 4; ++st)
      frames.push_back(OnTransparent(w, h, kFace, [&](Bitmap32& b) {
        if (st == 2 || st == 3)
          RoundBox(b, 0, 0, w, h, s.at(2), kLine, st == 2 ? kWhite : Rgb(220, 220, 224), kFace, kFace, s.line());
        DrawGlyph(s, b, g, s.px(4), s.px(3), s.px(8), st == 4 ? kGlyphOff : kGlyph);
      }));
  return Strip(frames);
}

// ---- Push buttons, check boxes, radio buttons -----------------------------------------------

Bitmap32 PushButtons(const Scale& s) {
  // Frames: normal, pressed, disabled, hot, focused or default.
  const int w = s.px(24), h = s.px(24), t = s.line(), in = s.px(2);
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 5; ++st) {
    Bitmap32 b(w, h, kMagenta);
    Pixel border = kLine, fill = Rgb(252, 252, 253);
    if (st == 2) border = Rgb(140, 140, 146), fill = Rgb(222, 223, 228);
    if (st == 3) border = Rgb(208, 207, 210), fill = Rgb(242, 241, 243);
    if (st == 4) border = kAccentLight, fill = Rgb(244, 247, 252);
    if (st == 5) border = kAccent;
    RoundBox(b, 0, 0, w, h, s.at(3), border, fill, kMagenta, kFace, t);
    if (st == 5) {
      // A second, lighter ring inside marks the default and the focused button.
      HLine(b, in, w - in, t, kAccentTint, t);
      HLine(b, in, w - in, h - 2 * t, kAccentTint, t);
      VLine(b, t, in, h - in, kAccentTint, t);
      VLine(b, w - 2 * t, in, h - in, kAccentTint, t);
    } else if (st == 1 || st == 4) {
      // A faint shade along the bottom gives the face a little depth.
      HLine(b, in, w - in, h - 2 * t, Rgb(240, 240, 242), t);
    }
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

void CheckMark(const Scale& s, Bitmap32& b, Pixel c) {
  Line(b, s.at(3.0), s.at(6.7), s.at(5.4), s.at(9.0), s.at(1.6), c);
  Line(b, s.at(5.4), s.at(9.0), s.at(10.0), s.at(3.8), s.at(1.6), c);
}

Bitmap32 CheckBoxes(const Scale& s) {
  // Rows of four (normal, hot, pressed, disabled) for unchecked, checked and indeterminate.
  const int size = s.px(13);
  std::vector<Bitmap32> frames;
  for (int value = 0; value < 3; ++value)
    for (int st = 1; st <= 4; ++st)
      frames.push_back(OnTransparent(size, size, kFace, [&](Bitmap32& b) {
        const bool disabled = st == 4;
        if (value == 1) {
          const Pixel fill = disabled ? Rgb(190, 190, 196) : st == 2 ? kAccentLight : st == 3 ? kAccentDark : kAccent;
          RoundBox(b, 0, 0, size, size, s.at(2.5), fill, fill, kFace, kFace);
          CheckMark(s, b, kWhite);
          return;
        }
        const Pixel border = disabled ? Rgb(200, 199, 203) : st == 2 ? kAccent : Rgb(134, 134, 140);
        const Pixel fill = disabled ? Rgb(241, 240, 242) : st == 3 ? Rgb(222, 226, 234) : kWhite;
        RoundBox(b, 0, 0, size, size, s.at(2.5), border, fill, kFace, kFace, s.line());
        if (value == 2) b.FillRect({s.px(3), s.px(3), size - s.px(3), size - s.px(3)}, disabled ? Rgb(190, 190, 196) : kAccent);
      }));
  return Strip(frames);
}

Bitmap32 RadioButtons(const Scale& s) {
  // Unchecked and checked in pairs: normal, disabled, hot, pressed. The first four frames are
  // those of any radio picture (unchecked, checked, then both disabled).
  const int size = s.px(13);
  std::vector<Bitmap32> frames;
  for (int st : {1, 4, 2, 3})
    for (int checked = 0; checked < 2; ++checked)
      frames.push_back(OnTransparent(size, size, kFace, [&](Bitmap32& b) {
        const bool disabled = st == 4;
        const double c = size / 2.0, outer = s.at(6.5);
        Pixel ring = disabled ? Rgb(200, 199, 203) : st == 2 || checked ? kAccent : Rgb(134, 134, 140);
        if (checked && st == 3) ring = kAccentDark;
        const Pixel fill = disabled ? Rgb(241, 240, 242) : st == 3 ? Rgb(222, 226, 234) : kWhite;
        Disc(b, c, c, outer, ring, kFace, false);
        Disc(b, c, c, outer - s.line(), fill, ring, true);
        if (checked) Disc(b, c, c, s.at(3.0), disabled ? Rgb(190, 190, 196) : ring, fill, true);
      }));
  return Strip(frames);
}

// ---- Progress, tabs, panes ---------------------------------------------------------------

Bitmap32 ProgressTrough(const Scale& s) {
  const int w = s.px(20), h = s.px(12);
  Bitmap32 b(w, h, kFace);
  RoundBox(b, 0, 0, w, h, s.at(2.5), kLine, Rgb(246, 246, 248), kFace, kFace, s.line());
  return b;
}

Bitmap32 ProgressChunk(const Scale& s) { return Bitmap32(s.px(8), s.px(10), kAccent); }

Bitmap32 Tabs(const Scale& s) {
  // Frames: normal, selected, hot, disabled, selected again. The selected tab takes the face
  // colour so it runs into the pane; an accent bar with rounded ends marks it.
  const int w = s.px(24), h = s.px(24), t = s.line(), bar = s.px(2);
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 5; ++st) {
    const bool selected = st == 2 || st == 5;
    Bitmap32 b(w, h, kFace);
    const Pixel fill = selected ? kFace : st == 3 ? Rgb(244, 244, 246) : st == 4 ? Rgb(230, 229, 231) : Rgb(224, 223, 226);
    const int top = selected ? 0 : s.px(2);
    RoundBox(b, 0, top, w, h - top + s.px(3), s.at(3), Rgb(184, 183, 187), fill, kFace, kFace, t);
    if (selected) {
      HLine(b, bar, w - bar, 0, kAccent, bar / 2);
      HLine(b, s.px(1), w - s.px(1), bar / 2, kAccent, bar - bar / 2);
    } else {
      HLine(b, 0, w, h - t, Rgb(184, 183, 187), t);
    }
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

Bitmap32 Pane(const Scale& s, int size) {
  const int z = s.px(size);
  Bitmap32 b(z, z, kFace);
  Frame(b, 0, 0, z, z, Rgb(184, 183, 187), s.line());
  return b;
}

// ---- Combo button, arrows, scroll bars --------------------------------------------------------

enum class Dir { Up, Down, Left, Right };

// A chevron centred at (cx, cy); `size` and `width` at the skin's scale.
void Chevron(Bitmap32& b, double cx, double cy, Dir d, Pixel c, double size, double width) {
  switch (d) {
    case Dir::Down:
      Line(b, cx - size, cy - size / 2, cx, cy + size / 2, width, c);
      Line(b, cx, cy + size / 2, cx + size, cy - size / 2, width, c);
      break;
    case Dir::Up:
      Line(b, cx - size, cy + size / 2, cx, cy - size / 2, width, c);
      Line(b, cx, cy - size / 2, cx + size, cy + size / 2, width, c);
      break;
    case Dir::Left:
      Line(b, cx + size / 2, cy - size, cx - size / 2, cy, width, c);
      Line(b, cx - size / 2, cy, cx + size / 2, cy + size, width, c);
      break;
    case Dir::Right:
      Line(b, cx - size / 2, cy - size, cx + size / 2, cy, width, c);
      Line(b, cx + size / 2, cy, cx - size / 2, cy + size, width, c);
      break;
  }
}

Bitmap32 ComboButton(const Scale& s) {
  // Frames: normal, pressed, disabled, hot.
  const int size = s.px(17);
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 4; ++st) {
    const Pixel bg = st == 2 ? Rgb(222, 223, 228) : st == 4 ? Rgb(236, 240, 247) : kWhite;
    Bitmap32 b(size, size, bg);
    VLine(b, 0, s.px(2), size - s.px(2), kLineSoft, s.line());
    Chevron(b, size / 2.0 + s.at(0.5), size / 2.0, Dir::Down, st == 3 ? kGlyphOff : kGlyph, s.at(3.5), s.at(1.4));
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

Bitmap32 ExtraImages(const Scale& s) {
  // The arrow glyph for combo buttons drawn in parts: normal, pressed, disabled, hot, focused.
  const int size = s.px(11);
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 5; ++st)
    frames.push_back(OnTransparent(size, size, kWhite, [&](Bitmap32& b) {
      Chevron(b, size / 2.0, size / 2.0, Dir::Down, st == 3 ? kGlyphOff : kGlyph, s.at(3.5), s.at(1.4));
    }));
  return Strip(frames);
}

// 23 frames of 17 x 17: up, down, left and right arrows, four states each (normal, hot,
// pressed, disabled); the last seven are plain track squares.
Bitmap32 ScrollArrows(const Scale& s) {
  const int size = s.px(17), in = s.px(1);
  std::vector<Bitmap32> frames;
  for (Dir d : {Dir::Up, Dir::Down, Dir::Left, Dir::Right})
    for (int st = 1; st <= 4; ++st) {
      Bitmap32 b(size, size, kTrack);
      if (st == 2 || st == 3) {
        const Pixel fill = st == 2 ? Rgb(218, 218, 222) : Rgb(190, 190, 196);
        RoundBox(b, in, in, size - 2 * in, size - 2 * in, s.at(2), fill, fill, kTrack, kTrack);
      }
      const Pixel c = st == 4 ? Rgb(196, 196, 200) : st == 3 ? Rgb(40, 40, 44) : Rgb(96, 96, 102);
      Chevron(b, size / 2.0, size / 2.0, d, c, s.at(3.0), s.at(1.4));
      frames.push_back(std::move(b));
    }
  for (int i = 0; i < 7; ++i) frames.emplace_back(size, size, kTrack);
  return Strip(frames);
}

Bitmap32 ScrollTrack(const Scale& s, bool horizontal) {
  // Four frames: normal, hot, pressed, disabled; a hairline on the outer sides.
  const int size = s.px(17), t = s.line();
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 4; ++st) {
    const Pixel fill = st == 3 ? Rgb(228, 228, 232) : kTrack;
    Bitmap32 b(size, size, fill);
    if (horizontal) {
      HLine(b, 0, size, 0, Rgb(228, 227, 230), t);
      HLine(b, 0, size, size - t, Rgb(228, 227, 230), t);
    } else {
      VLine(b, 0, 0, size, Rgb(228, 227, 230), t);
      VLine(b, size - t, 0, size, Rgb(228, 227, 230), t);
    }
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

Bitmap32 ScrollThumb(const Scale& s, bool horizontal) {
  // Four frames: normal, hot, pressed, disabled; a slim rounded bar on the track colour.
  const int w = s.px(horizontal ? 20 : 17), h = s.px(horizontal ? 17 : 20);
  const int along = s.px(1), across = s.px(4);
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 4; ++st) {
    Bitmap32 b(w, h, kTrack);
    const Pixel c = st == 2 ? Rgb(168, 168, 174) : st == 3 ? Rgb(132, 132, 140) : st == 4 ? Rgb(222, 222, 226) : Rgb(194, 194, 200);
    if (horizontal)
      RoundBox(b, along, across, w - 2 * along, h - 2 * across, s.at(4), c, c, kTrack, kTrack);
    else
      RoundBox(b, across, along, w - 2 * across, h - 2 * along, s.at(4), c, c, kTrack, kTrack);
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

// ---- Up-down ---------------------------------------------------------------------------------

Bitmap32 UpDownHalves(const Scale& s, bool horizontal) {
  // Frames 1-4 the first half (up or left), 5-8 the second: normal, pressed, disabled, hot.
  const int w = s.px(horizontal ? 12 : 16), h = s.px(horizontal ? 16 : 11);
  std::vector<Bitmap32> frames;
  for (int half = 0; half < 2; ++half)
    for (int st = 1; st <= 4; ++st) {
      Bitmap32 b(w, h, kMagenta);
      const Pixel fill = st == 2 ? Rgb(218, 220, 226) : st == 4 ? Rgb(238, 242, 248) : st == 3 ? Rgb(244, 243, 245) : kWhite;
      const Pixel border = st == 3 ? Rgb(208, 207, 210) : st == 4 ? kAccentLight : kLine;
      RoundBox(b, 0, 0, w, h, s.at(2), border, fill, kMagenta, kFace, s.line());
      frames.push_back(std::move(b));
    }
  return Strip(frames);
}

Bitmap32 UpDownGlyphs(const Scale& s, bool horizontal) {
  const int size = s.px(9);
  std::vector<Bitmap32> frames;
  for (int half = 0; half < 2; ++half)
    for (int st = 1; st <= 4; ++st)
      frames.push_back(OnTransparent(size, size, kWhite, [&](Bitmap32& b) {
        const Dir d = horizontal ? (half ? Dir::Right : Dir::Left) : (half ? Dir::Down : Dir::Up);
        Chevron(b, size / 2.0, size / 2.0, d, st == 3 ? kGlyphOff : kGlyph, s.at(3.0), s.at(1.4));
      }));
  return Strip(frames);
}

// ---- Status bar, header, menus, track bar -----------------------------------------------------

Bitmap32 StatusBar(const Scale& s) {
  // Frames: the bar, a panel, the bar with the size grip at its right end.
  const int w = s.px(80), h = s.px(24), t = s.line();
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 3; ++st) {
    Bitmap32 b(w, h, kFace);
    HLine(b, 0, w, 0, Rgb(214, 213, 216), t);
    HLine(b, 0, w, t, kWhite, t);
    if (st == 2) {
      VLine(b, w - t, s.px(4), h - s.px(4), Rgb(204, 203, 206), t);
      VLine(b, 0, s.px(4), h - s.px(4), kWhite, t);
    }
    if (st == 3) {
      // A grip of dots in the last 17 pixels, each with a light one below to its right.
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= i; ++j) {
          const int x = w - s.px(5) - s.px(4) * j, y = h - s.px(5) - s.px(4) * (i - j);
          b.FillRect({x, y, x + t, y + t}, Rgb(160, 160, 166));
          b.FillRect({x + t, y + t, x + 2 * t, y + 2 * t}, kWhite);
        }
    }
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

Bitmap32 Header(const Scale& s) {
  // Frames: normal, hot, pressed, normal.
  const int w = s.px(24), h = s.px(20), t = s.line();
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 4; ++st) {
    const Pixel fill = st == 2 ? Rgb(242, 245, 250) : st == 3 ? Rgb(226, 228, 234) : Rgb(250, 250, 251);
    Bitmap32 b(w, h, fill);
    HLine(b, 0, w, h - t, Rgb(200, 199, 203), t);
    VLine(b, w - t, s.px(4), h - s.px(4), Rgb(214, 213, 216), t);
    if (st == 2) HLine(b, 0, w, h - 2 * t, kAccentLight, t);
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

Bitmap32 MenuItems(const Scale& s) {
  // Frames: normal (transparent over the menu's background), then selected; the rest repeat.
  const int w = s.px(32), h = s.px(18), in = s.px(2);
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 5; ++st) {
    Bitmap32 b(w, h, kMagenta);
    if (st == 4 || st == 2)
      RoundBox(b, in, 0, w - 2 * in, h, s.at(3), Rgb(176, 198, 228), kAccentTint, kMagenta, Rgb(250, 250, 251), s.line());
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

Bitmap32 MenuBackground(const Scale& s) {
  const int w = s.px(24), h = s.px(28);
  Bitmap32 b(w, h, Rgb(250, 250, 251));
  Frame(b, 0, 0, w, h, Rgb(170, 170, 176), s.line());
  return b;
}

// The thumb's frames (normal, hot, pressed, disabled, focused), each pointing down or a plain box;
// `turn` makes each frame what the other shapes need.
Bitmap32 TrackThumb(const Scale& s, bool pointer, const std::function<Bitmap32(const Bitmap32&)>& turn = {}) {
  const int w = s.px(11), h = s.px(20), t = s.line();
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 5; ++st) {
    Bitmap32 b(w, h, kFace);
    const Pixel border = st == 4 ? Rgb(200, 199, 203) : st == 2 || st == 5 ? kAccent : Rgb(134, 134, 140);
    const Pixel fill = st == 3 ? kAccentTint : st == 4 ? Rgb(241, 240, 242) : kWhite;
    if (!pointer) {
      RoundBox(b, 0, 0, w, h, s.at(2.5), border, fill, kFace, kFace, t);
    } else {
      // A tab pointing down: a box whose lower part narrows at 45 degrees to a point.
      const int box = h - s.px(5);
      RoundBox(b, 0, 0, w, box, s.at(2), border, fill, kFace, kFace, t);
      for (int y = box - 1; y < h; ++y) {
        const int inset = std::min(y - (box - 1), (w - 1) / 2);
        HLine(b, inset, w - inset, y, fill);
        HLine(b, inset, inset + t, y, border);
        HLine(b, w - inset - t, w - inset, y, border);
      }
    }
    frames.push_back(turn ? turn(b) : std::move(b));
  }
  return Strip(frames);
}

// Tool bars: the bar (white fading into the face, a soft line below), then the tool buttons
// hot, pressed, down and disabled (nothing: the bar shows through).
Bitmap32 ToolBars(const Scale& s) {
  const int w = s.px(24), h = s.px(28), t = s.line();
  std::vector<Bitmap32> frames;
  Bitmap32 bar(w, h, kFace);
  const int fade = h - t;  // rows of the fade
  for (int y = 0; y < fade; ++y) HLine(bar, 0, w, y, Mix(Rgb(252, 252, 253), kFace, 1.0 - y / double(fade - 1)));
  HLine(bar, 0, w, fade, kLineSoft, t);
  frames.push_back(std::move(bar));
  for (int st = 2; st <= 5; ++st) {
    Bitmap32 b(w, h, kMagenta);
    const double r = s.at(3);
    if (st == 2) RoundBox(b, 0, 0, w, h, r, Rgb(176, 198, 228), Rgb(236, 242, 250), kMagenta, kFace, t);
    if (st == 3) RoundBox(b, 0, 0, w, h, r, kAccent, Rgb(206, 220, 240), kMagenta, kFace, t);
    if (st == 4) RoundBox(b, 0, 0, w, h, r, kAccentLight, kAccentTint, kMagenta, kFace, t);
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

// The groove a track bar's thumb runs along: soft, flat, a little darker than the face.
Bitmap32 TrackGroove(const Scale& s) {
  const int w = s.px(8), h = s.px(4);
  Bitmap32 b(w, h, Rgb(222, 221, 225));
  Frame(b, 0, 0, w, h, Rgb(190, 189, 193), s.line());
  return b;
}

}  // namespace

SkinArtwork DrawQuilletSkin(int dpi) {
  const Scale s(ClampSkinDpi(dpi));
  SkinArtwork art;
  art.iniName = "quillet.ini";
  art.ini = QuilletSkinIni(ClampSkinDpi(dpi));
  auto add = [&](const char* name, Bitmap32 b) { art.bitmaps.emplace_back(name, std::move(b)); };
  add("left.bmp", Strip({SideFrame(s, true, false), SideFrame(s, false, false)}));
  add("right.bmp", Strip({SideFrame(s, true, true), SideFrame(s, false, true)}));
  add("top.bmp", Stack({TopFrame(s, true), TopFrame(s, false)}));
  add("bottom.bmp", Stack({BottomFrame(s, true), BottomFrame(s, false)}));
  add("menubar.bmp", Stack({MenuBarFrame(s), MenuBarFrame(s)}));
  add("close.bmp", CaptionButton(s, Glyph::Close));
  add("maximize.bmp", CaptionButton(s, Glyph::Maximize));
  add("restore.bmp", CaptionButton(s, Glyph::Restore));
  add("minimize.bmp", CaptionButton(s, Glyph::Minimize));
  add("buttons.bmp", PushButtons(s));
  add("checkbox.bmp", CheckBoxes(s));
  add("radio.bmp", RadioButtons(s));
  add("progress.bmp", ProgressTrough(s));
  add("progresschunk.bmp", ProgressChunk(s));
  add("tabs.bmp", Tabs(s));
  add("tabborder.bmp", Pane(s, 24));
  add("tabpane.bmp", Pane(s, 16));
  add("combobutton.bmp", ComboButton(s));
  add("statusbar.bmp", StatusBar(s));
  add("header.bmp", Header(s));
  add("hthumb.bmp", ScrollThumb(s, true));
  add("vthumb.bmp", ScrollThumb(s, false));
  add("hscroll.bmp", ScrollTrack(s, true));
  add("vscroll.bmp", ScrollTrack(s, false));
  add("menuitem.bmp", MenuItems(s));
  add("menubg.bmp", MenuBackground(s));
  add("scrollbar.bmp", ScrollArrows(s));
  add("extraimages.bmp", ExtraImages(s));
  add("trackthumbh.bmp", TrackThumb(s, false));
  add("trackthumbd.bmp", TrackThumb(s, true));
  // Pictures for a horizontal bar serve a vertical one with rows turned into columns.
  add("trackthumbu.bmp", TrackThumb(s, true, [](const Bitmap32& b) { return b.FlippedTopBottom(); }));
  add("trackthumbv.bmp", TrackThumb(s, false, [](const Bitmap32& b) { return b.Transposed(); }));
  add("trackthumbr.bmp", TrackThumb(s, true, [](const Bitmap32& b) { return b.Transposed(); }));
  add("trackthumbl.bmp", TrackThumb(s, true, [](const Bitmap32& b) { return b.FlippedTopBottom().Transposed(); }));
  add("track.bmp", TrackGroove(s));
  add("toolbars.bmp", ToolBars(s));
  add("trackvert.bmp", TrackGroove(s).Transposed());
  add("mdicontrols.bmp", MdiControls(s));
  add("updownv.bmp", UpDownHalves(s, false));
  add("updownvglyph.bmp", UpDownGlyphs(s, false));
  add("updownh.bmp", UpDownHalves(s, true));
  add("updownhglyph.bmp", UpDownGlyphs(s, true));
  return art;
}

namespace {
TSkinArchiveWriter Writer(const SkinArtwork& art) {
  TSkinArchiveWriter writer;
  writer.Add(art.iniName, {art.ini.begin(), art.ini.end()});
  for (const auto& [name, bmp] : art.bitmaps) writer.Add(name, WriteBmp(bmp));
  return writer;
}
}  // namespace

std::vector<std::uint8_t> ArchiveSkin(const SkinArtwork& art) { return Writer(art).Archive(); }

std::vector<std::uint8_t> PackSkin(const SkinArtwork& art) { return Writer(art).RawStream(); }

}  // namespace quillet::skin::art
