// Where a button's picture and caption go, for each layout, margin and spacing.
#include <gtest/gtest.h>

#include "base/glyph_layout.h"

using namespace quillet::base;

TEST(GlyphLayout, PictureAndCaptionPlacedByLayoutMarginAndSpacing) {
  const Rect area{10, 20, 110, 60};  // 100 x 40
  struct Case {
    const char* what;
    int gw, gh, tw, th;
    GlyphLayout layout;
    int spacing, margin;
    Rect glyph, text;
  };
  const Case cases[] = {
      {"centred together, picture first", 16, 16, 40, 12, GlyphLayout::Left, 4, -1, {30, 32, 46, 48}, {50, 34, 90, 46}},
      {"centred together, picture after", 16, 16, 40, 12, GlyphLayout::Right, 4, -1, {74, 32, 90, 48}, {30, 34, 70, 46}},
      {"picture above", 16, 16, 40, 12, GlyphLayout::Top, 2, -1, {52, 25, 68, 41}, {40, 43, 80, 55}},
      {"picture below", 16, 16, 40, 12, GlyphLayout::Bottom, 2, -1, {52, 39, 68, 55}, {40, 25, 80, 37}},
      {"margin from the left edge", 16, 16, 40, 12, GlyphLayout::Left, 4, 3, {13, 32, 29, 48}, {33, 34, 73, 46}},
      {"margin, caption in the room left", 16, 16, 40, 12, GlyphLayout::Left, -1, 3, {13, 32, 29, 48}, {49, 34, 89, 46}},
      {"margin from the right edge", 16, 16, 40, 12, GlyphLayout::Right, 4, 3, {91, 32, 107, 48}, {47, 34, 87, 46}},
      {"no picture: the caption centred", 0, 0, 40, 12, GlyphLayout::Left, 4, 3, {}, {40, 34, 80, 46}},
      {"no caption: no spacing", 16, 16, 0, 0, GlyphLayout::Left, 4, -1, {52, 32, 68, 48}, {}},
  };
  for (const Case& c : cases) {
    const GlyphPlacement p = PlaceGlyph(area, c.gw, c.gh, c.tw, c.th, c.layout, c.spacing, c.margin);
    EXPECT_EQ(p.glyph, c.glyph) << c.what;
    EXPECT_EQ(p.text, c.text) << c.what;
  }
}
