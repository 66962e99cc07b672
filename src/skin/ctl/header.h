// The header control skin (TSkinHeader): the title row of a list view, its sections drawn from
// "Headerbar".
//
// To paint, the window layer gathers the client size, each section's HDM_GETITEMRECT in display
// order (HDM_GETORDERARRAY) with its format (alignment, sort mark), the section under the pointer
// and the one pressed, and whether the header is enabled. It composes DrawHeader at the client
// size, writes each section's text (HDM_GETITEM) in the header's font and HeaderTextColor,
// aligned in HeaderTextRect, and copies the result to the window.
#pragma once

#include <vector>

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"

namespace quillet::skin {

enum class HeaderSort { None, Up, Down };

struct HeaderSection {
  Rect r;
  bool hot = false, pressed = false;
  HeaderSort sort = HeaderSort::None;
};

struct HeaderInput {
  int width = 0, height = 0;
  bool enabled = true;
  std::vector<HeaderSection> sections;
};

// The "Headerbar" frame of a section: 1 normal, 2 hot, 3 pressed, 4 a disabled header's; a
// picture without the frame a state asks for shows its first. Frame 5, when the picture has it,
// fills the row right of the last section (frame 1 does otherwise).
int HeaderFrame(bool enabled, bool hot, bool pressed, int frames);

// Every section and the rest of the row, and the sort marks. Without a "Headerbar" picture the
// row is the face colour with a shadow line under it and between the sections.
void DrawHeader(BitmapView v, const HeaderInput& in, const TSkinElements& s, const Palette& p);

// Where a section's text goes: inside the picture's side margins (at least 4 pixels), clear of
// the sort mark, one pixel down and right while pressed.
Rect HeaderTextRect(const HeaderSection& section, const TSkinElements& s);

constexpr ColorRef HeaderTextColor(bool enabled, const Palette& p) { return enabled ? p.buttonText : p.disabledText; }

}  // namespace quillet::skin
