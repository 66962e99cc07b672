#include "skin/ctl/groupbox.h"

#include <utility>

namespace quillet::skin {

namespace {

// A one-pixel rectangle with corners rounded as a 5 x 5 ellipse rounds them.
void RoundedOutline(BitmapView v, const Rect& r, ColorRef c) {
  if (r.Width() < 5 || r.Height() < 5) {
    Outline(v, r, c);
    return;
  }
  const int l = r.left, t = r.top, rt = r.right - 1, b = r.bottom - 1;
  FillSolid(v, {l + 2, t, rt - 1, t + 1}, c);
  FillSolid(v, {l + 2, b, rt - 1, b + 1}, c);
  FillSolid(v, {l, t + 2, l + 1, b - 1}, c);
  FillSolid(v, {rt, t + 2, rt + 1, b - 1}, c);
  for (const auto& [x, y] : {std::pair{l + 1, t + 1}, {rt - 1, t + 1}, {l + 1, b - 1}, {rt - 1, b - 1}})
    FillSolid(v, {x, y, x + 1, y + 1}, c);
}

}  // namespace

GroupBoxPaint PlanGroupBox(const GroupBoxInput& in) {
  GroupBoxPaint p;
  p.lineY = in.zeroHeight / 2;
  p.box = {1, p.lineY, in.width - 1, in.height - 1};
  p.textRight = in.rightAligned;
  if (in.textWidth > 0) {
    const int indent = base::ScaleToDpi(8, in.dpi);
    const int x = in.rightAligned ? in.width - indent - in.textWidth : indent;
    p.text = {x, 0, x + in.textWidth, in.textHeight};
  }
  return p;
}

void DrawGroupBox(BitmapView v, const GroupBoxInput& in, const GroupBoxPaint& p, const Palette& pal) {
  if (in.foreign) {
    const Rect below{0, p.lineY, in.width, in.height};
    Outline(v, below, pal.face);
    Outline(v, Inset(below, 1), pal.face);
  } else {
    FillSolid(v, {0, 0, in.width, in.height}, pal.face);
  }
  RoundedOutline(v, p.box, pal.shadow);
  FillSolid(v, p.text, pal.face);
}

}  // namespace quillet::skin
