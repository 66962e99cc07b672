#include "skin/ctl/updown.h"

#include <algorithm>

#include "skin/painter.h"

namespace quillet::skin {

UpDownPaint PlanUpDown(const UpDownInput& in) {
  UpDownPaint p;
  if (in.horizontal) {
    const int mid = in.width / 2;
    p.half[0].rect = {0, 0, mid, in.height};
    p.half[1].rect = {mid, 0, in.width, in.height};
  } else {
    const int mid = in.height / 2;
    p.half[0].rect = {0, 0, in.width, mid};
    p.half[1].rect = {0, mid, in.width, in.height};
  }
  for (int k = 0; k < 2; ++k) {
    UpDownHalf& h = p.half[k];
    const bool over = in.cursor && Contains(h.rect, in.cursor->x, in.cursor->y);
    h.state = !in.enabled ? 3 : !over ? 1 : in.pressed ? 2 : in.hot ? 4 : 1;
    h.frame = h.state + 4 * k;
  }
  return p;
}

void DrawUpDown(BitmapView v, const UpDownInput& in, const UpDownPaint& p, const TSkinElements& s,
                const Palette& pal, ColorRef background) {
  FillSolid(v, {0, 0, in.width, in.height}, background);
  const auto& element = in.horizontal ? s.UpDownHorz : s.UpDownVert;
  for (int k = 0; k < 2; ++k) {
    const UpDownHalf& h = p.half[k];
    if (element && element->HasBitmap()) {
      const TDataSkinBorder& e = *element;
      DrawFrame(v, h.rect, {&e.Bitmap, h.frame, 8, false}, {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight},
                e.Tile == 1, true);
      if (!e.Bitmap2.Empty()) {
        const int gw = e.Bitmap2.Width() / 8, gh = e.Bitmap2.Height();
        DrawFrame(v, CentreIn(h.rect, gw, gh), {&e.Bitmap2, h.frame, 8, false}, {}, false, true);
      }
      continue;
    }
    FillSolid(v, h.rect, h.state == 2 || h.state == 4 ? pal.shadow : pal.face);
    Outline(v, h.rect, pal.dkShadow);
    const Direction d = in.horizontal ? (k ? Direction::Right : Direction::Left) : (k ? Direction::Down : Direction::Up);
    DrawArrowGlyph(v, Inset(h.rect, 2), d, h.state == 3 ? pal.disabledText : pal.buttonText);
  }
}

}  // namespace quillet::skin
