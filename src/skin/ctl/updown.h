// The up-down skin (TSkinUpDown): its two halves, each half's state and frame, and their
// drawing.
//
// The window layer reads UDS_HORZ (or knows it attached the skin in horizontal mode),
// WS_DISABLED, its pressed and hot flags and the cursor in client coordinates, and asks
// PlanUpDown; it composes at the control's size over `background` (the parent's face, or
// white for a foreign up-down) with DrawUpDown and copies the result.
#pragma once

#include <cstdint>
#include <optional>

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"

namespace quillet::skin {

constexpr bool UpDownIsHorizontal(std::uint32_t style, bool attachedHorizontal) {
  return (style & 0x40) != 0 || attachedHorizontal;  // UDS_HORZ
}

struct UpDownInput {
  int width = 0, height = 0;
  bool horizontal = false;
  bool enabled = true;
  bool pressed = false;
  bool hot = false;
  std::optional<Point> cursor;  // client coordinates; none when the cursor is elsewhere
};

struct UpDownHalf {
  Rect rect;
  int state = 1;  // 1 normal, 2 pressed, 3 disabled, 4 hot
  int frame = 1;  // state + 4 for the second half, of 8
};

struct UpDownPaint {
  UpDownHalf half[2];  // top or left, then bottom or right
};

UpDownPaint PlanUpDown(const UpDownInput& in);
// Each half from "UpDown.Vert" or "UpDown.Horz" with its glyph centred over it; without the
// element a plain button with an arrow.
void DrawUpDown(BitmapView v, const UpDownInput& in, const UpDownPaint& p, const TSkinElements& s,
                const Palette& pal, ColorRef background);

}  // namespace quillet::skin
