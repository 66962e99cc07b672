// Small drawing helpers the control skins share: solid fills and outlines on the portable
// bitmap, rectangle arithmetic, arrow glyphs, and the colours a control skin paints with.
#pragma once

#include <string>
#include <string_view>

#include "base/dpi.h"
#include "skin/bitmap.h"
#include "skin/elements.h"

namespace quillet::skin {

// A 96-DPI length at the DPI the elements are for.
inline int Px(const TSkinElements& s, int length) { return base::ScaleToDpi(length, s.Dpi); }

// The colours a control skin draws with, resolved once per paint.
struct Palette {
  ColorRef face = 0;
  ColorRef shadow = 0;        // the skin's "ButtonShadow"
  ColorRef dkShadow = 0;      // the skin's "ButtonDkShadow"
  ColorRef buttonText = 0;    // the skin's "ButtonText"
  ColorRef disabledText = 0;  // the system's COLOR_3DSHADOW
};
Palette MakePalette(const TSkinElements& s, const SkinSystem& system);

// Both clip to the bitmap.
void FillSolid(BitmapView v, const Rect& r, ColorRef c);
void Outline(BitmapView v, const Rect& r, ColorRef c);  // one pixel inside r

struct Point {
  int x = 0, y = 0;
};

constexpr Rect Inset(const Rect& r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right - dx, r.bottom - dy}; }
constexpr Rect Inset(const Rect& r, int d) { return Inset(r, d, d); }
constexpr Rect Offset(const Rect& r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }
constexpr bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }
constexpr bool Contains(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }
// The part of a view that `r` covers, clipped to the view.
BitmapView SubView(BitmapView v, const Rect& r);
// A w x h rectangle centred in `within` (it may stick out when larger).
Rect CentreIn(const Rect& within, int w, int h);

// A bitmap mirrored left to right holds its frames in reverse order: frame k of the original
// is frame frames + 1 - k of the mirror.
constexpr int MirroredFrame(int frame, int frames) { return frames + 1 - frame; }

enum class Direction { Up, Down, Left, Right };
// A solid triangle pointing in `dir`, centred in r, as the system draws its arrow glyphs.
void DrawArrowGlyph(BitmapView v, const Rect& r, Direction dir, ColorRef c);

// The rectangle a focus frame surrounds when a text of the given measured size is drawn in
// `area`: placed as the text is, grown by 2 x 1 and clipped to the area.
enum class TextAlign { Left, Centre, Right };
Rect TextFocusRect(const Rect& area, int textWidth, int textHeight, TextAlign align, bool vcentre);

// A caption's "||" pairs become line breaks.
std::string CaptionLines(std::string_view caption);
std::wstring CaptionLines(std::wstring_view caption);

}  // namespace quillet::skin
