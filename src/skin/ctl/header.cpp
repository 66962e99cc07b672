#include "skin/ctl/header.h"

#include <algorithm>

#include "skin/painter.h"

namespace quillet::skin {

namespace {

constexpr int kSortMark = 8;   // the sort mark's square
constexpr int kMinMargin = 4;

int SideMargin(const TSkinElements& s, int width) { return std::max(width, Px(s, kMinMargin)); }

// The sort mark's square, at the right end of the section's text room.
Rect SortMarkRect(const HeaderSection& sec, const TSkinElements& s) {
  const int right = sec.r.right - SideMargin(s, s.Headerbar ? s.Headerbar->RightWidth : 0);
  const int mark = Px(s, kSortMark);
  const int top = sec.r.top + (sec.r.bottom - sec.r.top - mark) / 2;
  return {right - mark, top, right, top + mark};
}

}  // namespace

int HeaderFrame(bool enabled, bool hot, bool pressed, int frames) {
  const int state = !enabled ? 4 : pressed ? 3 : hot ? 2 : 1;
  return state <= frames ? state : 1;
}

void DrawHeader(BitmapView v, const HeaderInput& in, const TSkinElements& s, const Palette& p) {
  const Rect row{0, 0, in.width, in.height};
  int end = 0;
  for (const HeaderSection& sec : in.sections) end = std::max(end, sec.r.right);
  const Rect rest{end, 0, in.width, in.height};
  if (s.Headerbar && s.Headerbar->HasBitmap()) {
    const auto& bar = *s.Headerbar;
    const int frames = std::max(bar.Frame, 1);
    FillSolid(v, row, p.face);
    if (!IsEmpty(rest)) DrawElement(v, rest, bar, frames >= 5 ? 5 : 1, frames);
    for (const HeaderSection& sec : in.sections)
      DrawElement(v, sec.r, bar, HeaderFrame(in.enabled, sec.hot, sec.pressed, frames), frames);
  } else {
    FillSolid(v, row, p.face);
    FillSolid(v, {0, in.height - 1, in.width, in.height}, p.shadow);
    for (const HeaderSection& sec : in.sections) {
      if (sec.pressed) Outline(v, sec.r, p.shadow);
      FillSolid(v, {sec.r.right - 1, sec.r.top + 2, sec.r.right, sec.r.bottom - 2}, p.shadow);
    }
  }
  for (const HeaderSection& sec : in.sections) {
    if (sec.sort == HeaderSort::None) continue;
    DrawArrowGlyph(v, SortMarkRect(sec, s), sec.sort == HeaderSort::Up ? Direction::Up : Direction::Down,
                   HeaderTextColor(in.enabled, p));
  }
}

Rect HeaderTextRect(const HeaderSection& section, const TSkinElements& s) {
  const int left = SideMargin(s, s.Headerbar ? s.Headerbar->LeftWidth : 0);
  Rect r{section.r.left + left, section.r.top, section.r.right - SideMargin(s, s.Headerbar ? s.Headerbar->RightWidth : 0),
         section.r.bottom};
  if (section.sort != HeaderSort::None) r.right = SortMarkRect(section, s).left - Px(s, kMinMargin);
  if (section.pressed) r = Offset(r, 1, 1);
  if (r.right < r.left) r.right = r.left;
  return r;
}

}  // namespace quillet::skin
