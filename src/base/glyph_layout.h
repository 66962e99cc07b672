#pragma once
// Where a button's picture and caption go: the one rule the toolkit's own drawing and the skin's
// share, so a button looks laid out the same skinned or not.

#include "base/geometry.h"

namespace quillet::base {

enum class GlyphLayout { Left, Right, Top, Bottom };  // the picture's side of the caption

struct GlyphPlacement {
  Rect glyph;  // empty without a picture
  Rect text;   // empty without a caption
};

// A picture of gw x gh and a caption of tw x th inside `area`. With `margin` -1 the two are
// centred together, `spacing` apart; otherwise the picture keeps `margin` from its edge and the
// caption goes `spacing` after it, or, with `spacing` -1, in the middle of the room left.
// Across the layout both are centred.
GlyphPlacement PlaceGlyph(const Rect& area, int gw, int gh, int tw, int th, GlyphLayout layout, int spacing,
                          int margin);

}  // namespace quillet::base
