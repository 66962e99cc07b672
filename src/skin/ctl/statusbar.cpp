#include "skin/ctl/statusbar.h"

#include <algorithm>

#include "skin/painter.h"

namespace quillet::skin {

StatusPaint PlanStatusBar(const StatusInput& in) {
  StatusPaint p;
  const int g = in.grip ? std::min(17, in.height) : 0;
  if (g > 0) {
    p.barFrame = 3;
    p.grip = {in.width - g, in.height - g, in.width, in.height};
  }
  const int limit = in.width - g;
  for (const Rect& part : in.parts) {
    const Rect panel{part.left, part.top, std::max(part.left, std::min(part.right, limit)), part.bottom};
    p.panels.push_back(panel);
    p.texts.push_back(Inset(panel, 4, 1));
  }
  return p;
}

void DrawStatusBar(BitmapView v, const StatusPaint& p, const TSkinElements& s, const Palette& pal) {
  const Rect all{0, 0, v.width, v.height};
  if (s.StatusBarEdges && s.StatusBarEdges->HasBitmap()) {
    const TDataSkinObject& e = *s.StatusBarEdges;
    DrawElement(v, all, e, p.barFrame, 3);
    for (const Rect& panel : p.panels) DrawElement(v, panel, e, 2, 3);
    return;
  }
  FillSolid(v, all, pal.face);
  for (const Rect& panel : p.panels) FillSolid(v, {panel.right - 1, panel.top + 2, panel.right, panel.bottom - 2}, pal.shadow);
  if (!IsEmpty(p.grip)) DrawSizeGrip(v, p.grip, pal, false);
}

void DrawSizeGrip(BitmapView v, const Rect& r, const Palette& pal, bool fill) {
  if (fill) FillSolid(v, r, pal.face);
  for (int row = 0; row < 3; ++row)
    for (int i = 0; i <= row; ++i) {
      const int x = r.right - 4 - 4 * i, y = r.bottom - 4 - 4 * (row - i);
      if (x < r.left || y < r.top) continue;
      FillSolid(v, {x, y, x + 2, y + 2}, pal.shadow);
      FillSolid(v, {x + 1, y + 1, x + 2, y + 2}, 0xFFFFFF);
    }
}

}  // namespace quillet::skin
