#include "skin_art.h"

#include <functional>

#include "canvas.h"
#include "skin/skin_reader.h"

namespace quillet::skinmaker {

namespace {

using skin::kMagenta;

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
// Rows become columns: a picture for a horizontal bar serves a vertical one.
Bitmap32 Transposed(const Bitmap32& b) {
  Bitmap32 out(b.Height(), b.Width());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) out.Set(y, x, b.At(x, y));
  return out;
}
Bitmap32 FlippedTopBottom(const Bitmap32& b) {
  Bitmap32 out(b.Width(), b.Height());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) out.Set(x, b.Height() - 1 - y, b.At(x, y));
  return out;
}
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

Bitmap32 SideFrame(bool active, bool right) {
  const Pixel outline = active ? kAccent : kOutlineOff;
  const Pixel cap = active ? kCaption : kCaptionOff;
  const Pixel sep = active ? kLineSoft : Rgb(120, 120, 126);
  Bitmap32 b(kBorder, 40, kFace);
  for (int y = 0; y < 40; ++y) {
    for (int x = 1; x < kBorder; ++x) b.Set(x, y, y < kCaptionBand - 1 ? cap : y == kCaptionBand - 1 ? sep : kFace);
    b.Set(0, y, outline);
  }
  HLine(b, 0, kBorder, 39, outline);
  // A rounded top corner: magenta outside the curve (the window region leaves it out), the
  // outline along it.
  const char* corner[4] = {"mmmm", "mmoc", "mocc", "mocc"};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < kBorder; ++x)
      b.Set(x, y, corner[y][x] == 'm' ? kMagenta : corner[y][x] == 'o' ? outline : cap);
  b.Set(0, 39, kMagenta);  // a soft bottom corner
  return right ? b.MirroredLeftRight() : b;
}

Bitmap32 TopFrame(bool active) {
  const Pixel outline = active ? kAccent : kOutlineOff;
  const Pixel cap = active ? kCaption : kCaptionOff;
  const Pixel sep = active ? kLineSoft : Rgb(120, 120, 126);
  Bitmap32 b(60, kCaptionH, kFace);
  b.FillRect({0, 1, 60, kCaptionBand - 1}, cap);
  HLine(b, 0, 60, kCaptionBand - 1, sep);
  HLine(b, 0, 60, 0, outline);
  return b;
}

Bitmap32 BottomFrame(bool active) {
  Bitmap32 b(20, kBorder, kFace);
  HLine(b, 0, 20, kBorder - 1, active ? kAccent : kOutlineOff);
  return b;
}

Bitmap32 MenuBarFrame() {
  Bitmap32 b(30, 20, kFace);
  HLine(b, 0, 30, 19, Rgb(224, 223, 226));
  return b;
}

// ---- Caption buttons -------------------------------------------------------------------------

enum class Glyph { Close, Maximize, Restore, Minimize };

void DrawGlyph(Bitmap32& b, Glyph g, int ox, int oy, int size, Pixel c) {
  // The glyph sits in a size x size box at (ox, oy); lines are one pixel.
  const double s = size;
  switch (g) {
    case Glyph::Close:
      Line(b, ox + 0.5, oy + 0.5, ox + s - 0.5, oy + s - 0.5, 1.3, c);
      Line(b, ox + s - 0.5, oy + 0.5, ox + 0.5, oy + s - 0.5, 1.3, c);
      break;
    case Glyph::Maximize:
      Frame(b, ox, oy, size, size, c);
      HLine(b, ox, ox + size, oy + 1, c);
      break;
    case Glyph::Restore:
      Frame(b, ox, oy + 2, size - 2, size - 2, c);
      HLine(b, ox, ox + size - 2, oy + 3, c);
      HLine(b, ox + 2, ox + size, oy, c);
      VLine(b, ox + size - 1, oy, oy + size - 2, c);
      break;
    case Glyph::Minimize:
      HLine(b, ox, ox + size, oy + size - 2, c);
      break;
  }
}

// Six frames: normal, hot, pressed, inactive or disabled, then normal twice more.
Bitmap32 CaptionButton(Glyph g) {
  constexpr int kSize = 18;
  std::vector<Bitmap32> frames;
  for (int state = 1; state <= 6; ++state) {
    const int st = state > 4 ? 1 : state;
    const Pixel bg = st == 4 ? kCaptionOff : kCaption;
    frames.push_back(OnTransparent(kSize, kSize, bg, [&](Bitmap32& b) {
      Pixel glyph = st == 4 ? Rgb(222, 222, 226) : kGlyph;
      if (st == 2 || st == 3) {
        const Pixel fill = g == Glyph::Close ? (st == 2 ? kAccent : kAccentDark)
                                             : (st == 2 ? Rgb(226, 227, 232) : Rgb(208, 210, 216));
        RoundBox(b, 0, 0, kSize, kSize, 3, fill, fill, bg, bg);
        if (g == Glyph::Close) glyph = kWhite;
      }
      const int gs = g == Glyph::Close ? 8 : 9;
      DrawGlyph(b, g, (kSize - gs) / 2, (kSize - gs) / 2, gs, glyph);
    }));
  }
  return Strip(frames);
}

// The three buttons of a maximised child window's menu bar: minimise, restore, close, four
// frames each (normal, hot, pressed, disabled).
Bitmap32 MdiControls() {
  constexpr int kW = 16, kH = 14;
  std::vector<Bitmap32> frames;
  for (Glyph g : {Glyph::Minimize, Glyph::Restore, Glyph::Close})
    for (int st = 1; st <= 4; ++st)
      frames.push_back(OnTransparent(kW, kH, kFace, [&](Bitmap32& b) {
        if (st == 2 || st == 3) RoundBox(b, 0, 0, kW, kH, 2, kLine, st == 2 ? kWhite : Rgb(220, 220, 224), kFace, kFace);
        DrawGlyph(b, g, 4, 3, 8, st == 4 ? kGlyphOff : kGlyph);
      }));
  return Strip(frames);
}

// ---- Push buttons, check boxes, radio buttons -----------------------------------------------

Bitmap32 PushButtons() {
  // Frames: normal, pressed, disabled, hot, focused or default.
  constexpr int kW = 24, kH = 24;
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 5; ++st) {
    Bitmap32 b(kW, kH, kMagenta);
    Pixel border = kLine, fill = Rgb(252, 252, 253);
    if (st == 2) border = Rgb(140, 140, 146), fill = Rgb(222, 223, 228);
    if (st == 3) border = Rgb(208, 207, 210), fill = Rgb(242, 241, 243);
    if (st == 4) border = kAccentLight, fill = Rgb(244, 247, 252);
    if (st == 5) border = kAccent;
    RoundBox(b, 0, 0, kW, kH, 3, border, fill, kMagenta, kFace);
    if (st == 5) {
      // A second, lighter ring inside marks the default and the focused button.
      for (int x = 2; x < kW - 2; ++x) b.Set(x, 1, kAccentTint), b.Set(x, kH - 2, kAccentTint);
      for (int y = 2; y < kH - 2; ++y) b.Set(1, y, kAccentTint), b.Set(kW - 2, y, kAccentTint);
    } else if (st == 1 || st == 4) {
      // A faint shade along the bottom gives the face a little depth.
      HLine(b, 2, kW - 2, kH - 2, Rgb(240, 240, 242));
    }
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

void CheckMark(Bitmap32& b, int ox, int oy, Pixel c) {
  Line(b, ox + 3.0, oy + 6.7, ox + 5.4, oy + 9.0, 1.6, c);
  Line(b, ox + 5.4, oy + 9.0, ox + 10.0, oy + 3.8, 1.6, c);
}

Bitmap32 CheckBoxes() {
  // Rows of four (normal, hot, pressed, disabled) for unchecked, checked and indeterminate.
  constexpr int kS = 13;
  std::vector<Bitmap32> frames;
  for (int value = 0; value < 3; ++value)
    for (int st = 1; st <= 4; ++st)
      frames.push_back(OnTransparent(kS, kS, kFace, [&](Bitmap32& b) {
        const bool disabled = st == 4;
        if (value == 1) {
          const Pixel fill = disabled ? Rgb(190, 190, 196) : st == 2 ? kAccentLight : st == 3 ? kAccentDark : kAccent;
          RoundBox(b, 0, 0, kS, kS, 2.5, fill, fill, kFace, kFace);
          CheckMark(b, 0, 0, kWhite);
          return;
        }
        const Pixel border = disabled ? Rgb(200, 199, 203) : st == 2 ? kAccent : Rgb(134, 134, 140);
        const Pixel fill = disabled ? Rgb(241, 240, 242) : st == 3 ? Rgb(222, 226, 234) : kWhite;
        RoundBox(b, 0, 0, kS, kS, 2.5, border, fill, kFace, kFace);
        if (value == 2) b.FillRect({3, 3, kS - 3, kS - 3}, disabled ? Rgb(190, 190, 196) : kAccent);
      }));
  return Strip(frames);
}

Bitmap32 RadioButtons() {
  // Unchecked and checked in pairs: normal, disabled, hot, pressed. The first four frames are
  // those of any radio picture (unchecked, checked, then both disabled).
  constexpr int kS = 13;
  std::vector<Bitmap32> frames;
  for (int st : {1, 4, 2, 3})
    for (int checked = 0; checked < 2; ++checked)
      frames.push_back(OnTransparent(kS, kS, kFace, [&](Bitmap32& b) {
        const bool disabled = st == 4;
        const double c = kS / 2.0;
        Pixel ring = disabled ? Rgb(200, 199, 203) : st == 2 || checked ? kAccent : Rgb(134, 134, 140);
        if (checked && st == 3) ring = kAccentDark;
        const Pixel fill = disabled ? Rgb(241, 240, 242) : st == 3 ? Rgb(222, 226, 234) : kWhite;
        Disc(b, c, c, 6.5, ring, kFace, false);
        Disc(b, c, c, 5.5, fill, ring, true);
        if (checked) Disc(b, c, c, 3.0, disabled ? Rgb(190, 190, 196) : ring, fill, true);
      }));
  return Strip(frames);
}

// ---- Progress, tabs, panes ---------------------------------------------------------------

Bitmap32 ProgressTrough() {
  Bitmap32 b(20, 12, kFace);
  RoundBox(b, 0, 0, 20, 12, 2.5, kLine, Rgb(246, 246, 248), kFace, kFace);
  return b;
}

Bitmap32 ProgressChunk() { return Bitmap32(8, 10, kAccent); }

Bitmap32 Tabs() {
  // Frames: normal, selected, hot, disabled, selected again. The selected tab takes the face
  // colour so it runs into the pane; an accent line marks it.
  constexpr int kW = 24, kH = 24;
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 5; ++st) {
    const bool selected = st == 2 || st == 5;
    Bitmap32 b(kW, kH, kFace);
    const Pixel fill = selected ? kFace : st == 3 ? Rgb(244, 244, 246) : st == 4 ? Rgb(230, 229, 231) : Rgb(224, 223, 226);
    const int top = selected ? 0 : 2;
    RoundBox(b, 0, top, kW, kH - top + 3, 3, Rgb(184, 183, 187), fill, kFace, kFace);
    if (selected) {
      HLine(b, 2, kW - 2, 0, kAccent);
      HLine(b, 1, kW - 1, 1, kAccent);
    } else {
      HLine(b, 0, kW, kH - 1, Rgb(184, 183, 187));
    }
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

Bitmap32 Pane(int w, int h) {
  Bitmap32 b(w, h, kFace);
  Frame(b, 0, 0, w, h, Rgb(184, 183, 187));
  return b;
}

// ---- Combo button, arrows, scroll bars --------------------------------------------------------

enum class Dir { Up, Down, Left, Right };

void Chevron(Bitmap32& b, double cx, double cy, Dir d, Pixel c, double size = 3.5) {
  switch (d) {
    case Dir::Down:
      Line(b, cx - size, cy - size / 2, cx, cy + size / 2, 1.4, c);
      Line(b, cx, cy + size / 2, cx + size, cy - size / 2, 1.4, c);
      break;
    case Dir::Up:
      Line(b, cx - size, cy + size / 2, cx, cy - size / 2, 1.4, c);
      Line(b, cx, cy - size / 2, cx + size, cy + size / 2, 1.4, c);
      break;
    case Dir::Left:
      Line(b, cx + size / 2, cy - size, cx - size / 2, cy, 1.4, c);
      Line(b, cx - size / 2, cy, cx + size / 2, cy + size, 1.4, c);
      break;
    case Dir::Right:
      Line(b, cx - size / 2, cy - size, cx + size / 2, cy, 1.4, c);
      Line(b, cx + size / 2, cy, cx - size / 2, cy + size, 1.4, c);
      break;
  }
}

Bitmap32 ComboButton() {
  // Frames: normal, pressed, disabled, hot.
  constexpr int kS = 17;
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 4; ++st) {
    const Pixel bg = st == 2 ? Rgb(222, 223, 228) : st == 4 ? Rgb(236, 240, 247) : kWhite;
    Bitmap32 b(kS, kS, bg);
    VLine(b, 0, 2, kS - 2, kLineSoft);
    Chevron(b, kS / 2.0 + 0.5, kS / 2.0, Dir::Down, st == 3 ? kGlyphOff : kGlyph);
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

Bitmap32 ExtraImages() {
  // The arrow glyph for combo buttons drawn in parts: normal, pressed, disabled, hot, focused.
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 5; ++st)
    frames.push_back(OnTransparent(11, 11, kWhite, [&](Bitmap32& b) {
      Chevron(b, 5.5, 5.5, Dir::Down, st == 3 ? kGlyphOff : kGlyph);
    }));
  return Strip(frames);
}

// 23 frames of 17 x 17: up, down, left and right arrows, four states each (normal, hot,
// pressed, disabled); the last seven are plain track squares.
Bitmap32 ScrollArrows() {
  constexpr int kS = 17;
  std::vector<Bitmap32> frames;
  for (Dir d : {Dir::Up, Dir::Down, Dir::Left, Dir::Right})
    for (int st = 1; st <= 4; ++st) {
      Bitmap32 b(kS, kS, kTrack);
      if (st == 2 || st == 3) RoundBox(b, 1, 1, kS - 2, kS - 2, 2, st == 2 ? Rgb(218, 218, 222) : Rgb(190, 190, 196),
                                       st == 2 ? Rgb(218, 218, 222) : Rgb(190, 190, 196), kTrack, kTrack);
      const Pixel c = st == 4 ? Rgb(196, 196, 200) : st == 3 ? Rgb(40, 40, 44) : Rgb(96, 96, 102);
      Chevron(b, kS / 2.0, kS / 2.0, d, c, 3.0);
      frames.push_back(std::move(b));
    }
  for (int i = 0; i < 7; ++i) frames.emplace_back(kS, kS, kTrack);
  return Strip(frames);
}

Bitmap32 ScrollTrack(bool horizontal) {
  // Four frames: normal, hot, pressed, disabled; a hairline on the outer sides.
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 4; ++st) {
    const Pixel fill = st == 3 ? Rgb(228, 228, 232) : kTrack;
    Bitmap32 b(17, 17, fill);
    if (horizontal) {
      HLine(b, 0, 17, 0, Rgb(228, 227, 230));
      HLine(b, 0, 17, 16, Rgb(228, 227, 230));
    } else {
      VLine(b, 0, 0, 17, Rgb(228, 227, 230));
      VLine(b, 16, 0, 17, Rgb(228, 227, 230));
    }
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

Bitmap32 ScrollThumb(bool horizontal) {
  // Four frames: normal, hot, pressed, disabled; a slim rounded bar on the track colour.
  const int w = horizontal ? 20 : 17, h = horizontal ? 17 : 20;
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 4; ++st) {
    Bitmap32 b(w, h, kTrack);
    const Pixel c = st == 2 ? Rgb(168, 168, 174) : st == 3 ? Rgb(132, 132, 140) : st == 4 ? Rgb(222, 222, 226) : Rgb(194, 194, 200);
    if (horizontal)
      RoundBox(b, 1, 4, w - 2, h - 8, 4, c, c, kTrack, kTrack);
    else
      RoundBox(b, 4, 1, w - 8, h - 2, 4, c, c, kTrack, kTrack);
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

// ---- Up-down ---------------------------------------------------------------------------------

Bitmap32 UpDownHalves(bool horizontal) {
  // Frames 1-4 the first half (up or left), 5-8 the second: normal, pressed, disabled, hot.
  const int w = horizontal ? 12 : 16, h = horizontal ? 16 : 11;
  std::vector<Bitmap32> frames;
  for (int half = 0; half < 2; ++half)
    for (int st = 1; st <= 4; ++st) {
      Bitmap32 b(w, h, kMagenta);
      const Pixel fill = st == 2 ? Rgb(218, 220, 226) : st == 4 ? Rgb(238, 242, 248) : st == 3 ? Rgb(244, 243, 245) : kWhite;
      const Pixel border = st == 3 ? Rgb(208, 207, 210) : st == 4 ? kAccentLight : kLine;
      RoundBox(b, 0, 0, w, h, 2, border, fill, kMagenta, kFace);
      frames.push_back(std::move(b));
    }
  return Strip(frames);
}

Bitmap32 UpDownGlyphs(bool horizontal) {
  std::vector<Bitmap32> frames;
  for (int half = 0; half < 2; ++half)
    for (int st = 1; st <= 4; ++st)
      frames.push_back(OnTransparent(9, 9, kWhite, [&](Bitmap32& b) {
        const Dir d = horizontal ? (half ? Dir::Right : Dir::Left) : (half ? Dir::Down : Dir::Up);
        Chevron(b, 4.5, 4.5, d, st == 3 ? kGlyphOff : kGlyph, 3.0);
      }));
  return Strip(frames);
}

// ---- Status bar, header, menus, track bar -----------------------------------------------------

Bitmap32 StatusBar() {
  // Frames: the bar, a panel, the bar with the size grip at its right end.
  constexpr int kW = 80, kH = 24;
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 3; ++st) {
    Bitmap32 b(kW, kH, kFace);
    HLine(b, 0, kW, 0, Rgb(214, 213, 216));
    HLine(b, 0, kW, 1, kWhite);
    if (st == 2) {
      VLine(b, kW - 1, 4, kH - 4, Rgb(204, 203, 206));
      VLine(b, 0, 4, kH - 4, kWhite);
    }
    if (st == 3) {
      // A grip of dots in the last 17 pixels.
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= i; ++j) {
          const int x = kW - 5 - 4 * j, y = kH - 5 - 4 * (i - j);
          b.Set(x, y, Rgb(160, 160, 166));
          b.Set(x + 1, y + 1, kWhite);
        }
    }
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

Bitmap32 Header() {
  // Frames: normal, hot, pressed, normal.
  constexpr int kW = 24, kH = 20;
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 4; ++st) {
    const Pixel fill = st == 2 ? Rgb(242, 245, 250) : st == 3 ? Rgb(226, 228, 234) : Rgb(250, 250, 251);
    Bitmap32 b(kW, kH, fill);
    HLine(b, 0, kW, kH - 1, Rgb(200, 199, 203));
    VLine(b, kW - 1, 4, kH - 4, Rgb(214, 213, 216));
    if (st == 2) HLine(b, 0, kW, kH - 2, kAccentLight);
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

Bitmap32 MenuItems() {
  // Frames: normal (transparent over the menu's background), then selected; the rest repeat.
  constexpr int kW = 32, kH = 18;
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 5; ++st) {
    Bitmap32 b(kW, kH, kMagenta);
    if (st == 4 || st == 2)
      RoundBox(b, 2, 0, kW - 4, kH, 3, Rgb(176, 198, 228), kAccentTint, kMagenta, Rgb(250, 250, 251));
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

Bitmap32 MenuBackground() {
  Bitmap32 b(24, 28, Rgb(250, 250, 251));
  Frame(b, 0, 0, 24, 28, Rgb(170, 170, 176));
  return b;
}

// The thumb's frames (normal, hot, pressed, disabled, focused), each pointing down or a plain box;
// `turn` makes each frame what the other shapes need.
Bitmap32 TrackThumb(bool pointer, const std::function<Bitmap32(const Bitmap32&)>& turn = {}) {
  constexpr int kW = 11, kH = 20;
  std::vector<Bitmap32> frames;
  for (int st = 1; st <= 5; ++st) {
    Bitmap32 b(kW, kH, kFace);
    const Pixel border = st == 4 ? Rgb(200, 199, 203) : st == 2 || st == 5 ? kAccent : Rgb(134, 134, 140);
    const Pixel fill = st == 3 ? kAccentTint : st == 4 ? Rgb(241, 240, 242) : kWhite;
    if (!pointer) {
      RoundBox(b, 0, 0, kW, kH, 2.5, border, fill, kFace, kFace);
    } else {
      // A tab pointing down: a box whose lower part narrows to a point.
      RoundBox(b, 0, 0, kW, kH - 5, 2, border, fill, kFace, kFace);
      for (int y = kH - 6; y < kH; ++y) {
        const int inset = y - (kH - 6);
        HLine(b, inset, kW - inset, y, fill);
        b.Set(inset, y, border);
        b.Set(kW - 1 - inset, y, border);
      }
    }
    frames.push_back(turn ? turn(b) : std::move(b));
  }
  return Strip(frames);
}

// Tool bars: the bar (white fading into the face, a soft line below), then the tool buttons
// hot, pressed, down and disabled (nothing: the bar shows through).
Bitmap32 ToolBars() {
  constexpr int kW = 24, kH = 28;
  std::vector<Bitmap32> frames;
  Bitmap32 bar(kW, kH, kFace);
  for (int y = 0; y < kH - 1; ++y) HLine(bar, 0, kW, y, Mix(Rgb(252, 252, 253), kFace, 1.0 - y / double(kH - 2)));
  HLine(bar, 0, kW, kH - 1, kLineSoft);
  frames.push_back(std::move(bar));
  for (int st = 2; st <= 5; ++st) {
    Bitmap32 b(kW, kH, kMagenta);
    if (st == 2) RoundBox(b, 0, 0, kW, kH, 3, Rgb(176, 198, 228), Rgb(236, 242, 250), kMagenta, kFace);
    if (st == 3) RoundBox(b, 0, 0, kW, kH, 3, kAccent, Rgb(206, 220, 240), kMagenta, kFace);
    if (st == 4) RoundBox(b, 0, 0, kW, kH, 3, kAccentLight, kAccentTint, kMagenta, kFace);
    frames.push_back(std::move(b));
  }
  return Strip(frames);
}

// The groove a track bar's thumb runs along: soft, flat, a little darker than the face.
Bitmap32 TrackGroove() {
  Bitmap32 b(8, 4, Rgb(222, 221, 225));
  Frame(b, 0, 0, 8, 4, Rgb(190, 189, 193));
  return b;
}

const char* kIni = R"(; Quillet's skin: soft greys and one accent.
[TitlebarSkin]
SkinName=Quillet

[Personality]
Left=left.bmp
LeftFrame=2
LeftStretch=1
LeftTrans=
LeftTopHeight=24
LeftBotHeight=1
Right=right.bmp
RightFrame=2
RightStretch=1
RightTrans=
RightTopHeight=24
RightBotHeight=1
Top=top.bmp
TopFrame=2
TopStretch=1
TopTrans=
TopTopHeight=15
TopBotHeight=5
Bottom=bottom.bmp
BottomFrame=2
BottomStretch=1
BottomTrans=
BottomTopHeight=0
BottomBotHeight=0
TextShift=30
TextShiftVert=-4
TextRightClip=72
TextAlignment=0
menuBar=menubar.bmp
TileMenu=1
TileLeftMenu=9
TileRightMenu=9

[Colours]
ButtonFace=235 233 235
TitleTextActive=40 40 40
TitleTextNoActive=228 228 230
ButtonHilight=255 255 255
ButtonShadow=167 166 168
ButtonDkShadow=135 135 137
Buttonlight=222 223 224
Menubar=178 178 178
Menu=210 210 210
MenuText=0 0 0
MenuBarText=0 0 0
Hilight=171 171 171
HilightText=0 0 0

[BUTTON0]
; close
Action=0
Align=1
Xcoord=24
Ycoord=3
Visibility=0
frame=
ButtonImage=close.bmp

[BUTTON1]
; maximise
Action=1
Align=1
Xcoord=44
Ycoord=3
Visibility=2
Visibility1=6
frame=
ButtonImage=maximize.bmp

[BUTTON2]
; restore
Action=1
Align=1
Xcoord=44
Ycoord=3
Visibility=1
Visibility1=6
frame=
ButtonImage=restore.bmp

[BUTTON3]
; minimise
Action=2
Align=1
Xcoord=64
Ycoord=3
Visibility=8
frame=
ButtonImage=minimize.bmp

[Button17]
; the window's icon, clear of the caption text
Action=3
Align=0
Xcoord=9
Ycoord=4
Visibility=0
frame=

[Buttons]
Bitmap=buttons.bmp
CheckButton=checkbox.bmp
RadioButton=radio.bmp
TopHeight=9
BottomHeight=9
LeftWidth=8
RightWidth=8
Trans=1
CheckButtonFrame=12
RadioButtonFrame=8

[Progress]
Bitmap=progress.bmp
TopHeight=3
BottomHeight=3
LeftWidth=4
RightWidth=4
Trans=0
Tile=1
Style=1

[Progress.Chunk]
Image=progresschunk.bmp

[Tabs]
Image=tabs.bmp
Border=tabborder.bmp
TopHeight=6
BottomHeight=6
LeftWidth=6
RightWidth=6
Trans=0
Tile=0
Style=1

[Tab.Pane]
Image=tabpane.bmp
TopHeight=2
BottomHeight=4
LeftWidth=2
RightWidth=4
Style=1

[ComboButton]
Image=combobutton.bmp
Trans=0
Style=1

[StatusBarEdges]
Image=statusbar.bmp
TopHeight=5
BottomHeight=9
LeftWidth=50
RightWidth=17
Tile=1

[Headerbar]
Image=header.bmp
TopHeight=3
BottomHeight=4
LeftWidth=8
RightWidth=8
Tile=1
Trans=1
Frame=4

[HorzScrollThumb]
Image=hthumb.bmp
TopHeight=5
BottomHeight=5
LeftWidth=5
RightWidth=5
FrameCount=4

[VertScrollThumb]
Image=vthumb.bmp
TopHeight=5
BottomHeight=5
LeftWidth=5
RightWidth=5
FrameCount=4

[HorzScroll]
Image=hscroll.bmp
TopHeight=1
BottomHeight=1
LeftWidth=0
RightWidth=0

[VertScroll]
Image=vscroll.bmp
TopHeight=0
BottomHeight=0
LeftWidth=1
RightWidth=1

[MenuItem]
Image=menuitem.bmp
TopHeight=6
BottomHeight=6
LeftWidth=18
RightWidth=7
Trans=1
Tile=0

[MenuBackground]
Image=menubg.bmp
TopHeight=11
BottomHeight=10
LeftWidth=15
RightWidth=3

[Scrollbar]
Image=scrollbar.bmp

[ExtraImages]
Image=extraimages.bmp

[Trackbar.ThumbHorz]
Image=trackthumbh.bmp

[Trackbar.ThumbDown]
Image=trackthumbd.bmp

[Trackbar.ThumbUp]
Image=trackthumbu.bmp

[Trackbar.ThumbVert]
Image=trackthumbv.bmp

[Trackbar.ThumbRight]
Image=trackthumbr.bmp

[Trackbar.ThumbLeft]
Image=trackthumbl.bmp

[ToolBars]
Image=toolbars.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1

[Track]
Image=track.bmp
LeftWidth=2
RightWidth=2
TopHeight=1
BottomHeight=1

[TRACKVERT]
Image=trackvert.bmp
LeftWidth=1
RightWidth=1
TopHeight=2
BottomHeight=2

[MDICONTROLS]
Image=mdicontrols.bmp

[UpDown.Vert]
Image=updownv.bmp
GlyphImage=updownvglyph.bmp

[UpDown.Horz]
Image=updownh.bmp
GlyphImage=updownhglyph.bmp
)";

}  // namespace

SkinArtwork DrawQuilletSkin() {
  SkinArtwork art;
  art.iniName = "quillet.ini";
  art.ini = kIni;
  // The text travels with CR LF line ends, as INI files on Windows do.
  std::string crlf;
  for (char c : art.ini) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  art.ini = crlf;
  auto add = [&](const char* name, Bitmap32 b) { art.bitmaps.emplace_back(name, std::move(b)); };
  add("left.bmp", Strip({SideFrame(true, false), SideFrame(false, false)}));
  add("right.bmp", Strip({SideFrame(true, true), SideFrame(false, true)}));
  add("top.bmp", Stack({TopFrame(true), TopFrame(false)}));
  add("bottom.bmp", Stack({BottomFrame(true), BottomFrame(false)}));
  add("menubar.bmp", Stack({MenuBarFrame(), MenuBarFrame()}));
  add("close.bmp", CaptionButton(Glyph::Close));
  add("maximize.bmp", CaptionButton(Glyph::Maximize));
  add("restore.bmp", CaptionButton(Glyph::Restore));
  add("minimize.bmp", CaptionButton(Glyph::Minimize));
  add("buttons.bmp", PushButtons());
  add("checkbox.bmp", CheckBoxes());
  add("radio.bmp", RadioButtons());
  add("progress.bmp", ProgressTrough());
  add("progresschunk.bmp", ProgressChunk());
  add("tabs.bmp", Tabs());
  add("tabborder.bmp", Pane(24, 24));
  add("tabpane.bmp", Pane(16, 16));
  add("combobutton.bmp", ComboButton());
  add("statusbar.bmp", StatusBar());
  add("header.bmp", Header());
  add("hthumb.bmp", ScrollThumb(true));
  add("vthumb.bmp", ScrollThumb(false));
  add("hscroll.bmp", ScrollTrack(true));
  add("vscroll.bmp", ScrollTrack(false));
  add("menuitem.bmp", MenuItems());
  add("menubg.bmp", MenuBackground());
  add("scrollbar.bmp", ScrollArrows());
  add("extraimages.bmp", ExtraImages());
  add("trackthumbh.bmp", TrackThumb(false));
  add("trackthumbd.bmp", TrackThumb(true));
  add("trackthumbu.bmp", TrackThumb(true, FlippedTopBottom));
  add("trackthumbv.bmp", TrackThumb(false, Transposed));
  add("trackthumbr.bmp", TrackThumb(true, Transposed));
  add("trackthumbl.bmp", TrackThumb(true, [](const Bitmap32& b) { return Transposed(FlippedTopBottom(b)); }));
  add("track.bmp", TrackGroove());
  add("toolbars.bmp", ToolBars());
  add("trackvert.bmp", Transposed(TrackGroove()));
  add("mdicontrols.bmp", MdiControls());
  add("updownv.bmp", UpDownHalves(false));
  add("updownvglyph.bmp", UpDownGlyphs(false));
  add("updownh.bmp", UpDownHalves(true));
  add("updownhglyph.bmp", UpDownGlyphs(true));
  return art;
}

std::vector<std::uint8_t> PackSkin(const SkinArtwork& art) {
  skin::TSkinArchiveWriter writer;
  writer.Add(art.iniName, {art.ini.begin(), art.ini.end()});
  for (const auto& [name, bmp] : art.bitmaps) writer.Add(name, skin::WriteBmp(bmp));
  return writer.RawStream();
}

}  // namespace quillet::skinmaker
