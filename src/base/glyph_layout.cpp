#include "base/glyph_layout.h"

namespace quillet::base {

GlyphPlacement PlaceGlyph(const Rect& area, int gw, int gh, int tw, int th, GlyphLayout layout, int spacing,
                          int margin) {
  const bool across = layout == GlyphLayout::Left || layout == GlyphLayout::Right;
  // Worked out as if the picture came first along x; turned and mirrored at the end.
  const int length = across ? area.Width() : area.Height();
  const int breadth = across ? area.Height() : area.Width();
  const int glen = across ? gw : gh, gbr = across ? gh : gw;
  const int tlen = across ? tw : th, tbr = across ? th : tw;
  const bool both = glen > 0 && tlen > 0;
  const int gap = both ? (spacing < 0 ? 0 : spacing) : 0;
  int g0 = 0, t0 = 0;
  if (glen <= 0) {
    t0 = (length - tlen) / 2;
  } else if (margin < 0) {
    g0 = (length - (glen + gap + tlen)) / 2;
    t0 = g0 + glen + gap;
  } else {
    g0 = margin;
    const int rest = g0 + glen;
    t0 = spacing < 0 ? rest + (length - rest - tlen) / 2 : rest + gap;
  }
  const bool mirrored = layout == GlyphLayout::Right || layout == GlyphLayout::Bottom;
  auto place = [&](int at, int len, int br) -> Rect {
    if (len <= 0 || br <= 0) return {};
    const int from = mirrored ? length - at - len : at;
    const int side = (breadth - br) / 2;
    return across ? Rect{area.left + from, area.top + side, area.left + from + len, area.top + side + br}
                  : Rect{area.left + side, area.top + from, area.left + side + br, area.top + from + len};
  };
  return {place(g0, glen, gbr), place(t0, tlen, tbr)};
}

}  // namespace quillet::base
