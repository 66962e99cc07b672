#pragma once
// Colours and fonts as controls describe them, and the GDI objects made for them. Brushes and
// fonts are made once per description and kept for the program's life: controls share them, and
// a window never owns the font or brush it is handed.

#include <windows.h>

#include <string>

#include "base/geometry.h"

namespace quillet::ui {

using Color = base::Color;
inline constexpr Color kColorBtnFace = base::SystemColor(COLOR_BTNFACE);
inline constexpr Color kColorWindow = base::SystemColor(COLOR_WINDOW);
inline constexpr Color kColorWindowText = base::SystemColor(COLOR_WINDOWTEXT);
inline constexpr Color kColorBtnText = base::SystemColor(COLOR_BTNTEXT);
inline constexpr Color kColorGrayText = base::SystemColor(COLOR_GRAYTEXT);
inline constexpr Color kColorWhite = 0xFFFFFF;
inline constexpr Color kColorBlack = 0x000000;
COLORREF ToColorRef(Color c);

inline RECT ToRECT(const base::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline base::Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
// A brush for a colour, kept for the program's life.
HBRUSH ColorBrush(Color c);

struct FontSpec {
  std::string name = "MS Sans Serif";
  int size = 8;  // points: the face is made at each window's DPI from it
  bool bold = false, italic = false, underline = false;
  Color color = kColorWindowText;
  bool operator==(const FontSpec&) const = default;
};
// A font handle for a description at a DPI, kept for the program's life.
HFONT FontHandle(const FontSpec& font, int dpi);

}  // namespace quillet::ui
