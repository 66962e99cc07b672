#include "skin/ctl/scrollbar.h"

#include <algorithm>

#include "base/dpi.h"
#include "skin/painter.h"
#include "skin/text.h"

namespace quillet::skin {

int ScrollZoneAt(int a, int arrow, int thumbStart, int thumbEnd, int length) {
  if (a < arrow) return kZoneFirstArrow;
  if (a < thumbStart) return kZonePageBefore;
  if (a < thumbEnd) return kZoneThumb;
  if (a < length - arrow) return kZonePageAfter;
  return kZoneSecondArrow;
}

int RoundedMulDiv(int a, int b, int c) { return base::MulDivRound(a, b, c); }

ThumbSpan StandaloneThumb(int length, int arrow, int min, int max, int page, int pos) {
  const int range = max == min ? 9999999 : max - min;
  const int track = length - 2 * arrow;
  int start = 0, size = 0;
  if (page > 0) {
    size = RoundedMulDiv(track, page - 1, range);
    int usable = track;
    if (size < 8) {
      size = 8;
      usable = track - 8;
    }
    start = arrow + (pos == min ? 0 : RoundedMulDiv(usable, pos - min, range));
  } else {
    size = arrow;
    start = arrow + RoundedMulDiv(length - 3 * arrow, pos - min, range);
  }
  // Ranges turned round, positions outside the range and bars too short for their thumb would
  // put the thumb over the arrows or outside the bar.
  size = std::clamp(size, 0, std::max(track, 0));
  start = std::clamp(start, arrow, std::max(arrow, length - arrow - size));
  return {start, start + size};
}

int DraggedThumbStart(int savedStart, int cursor, int savedCursor, int arrow, int length, int thumbLength) {
  return std::clamp(savedStart + (cursor - savedCursor), arrow, std::max(arrow, length - arrow - thumbLength));
}

ThumbSpan DrawnThumb(const ThumbSpan& system, bool dragging, const ThumbDrag& d, int arrow, int length) {
  if (!dragging || system.end <= system.start) return system;
  const int size = system.end - system.start;
  const int start = DraggedThumbStart(d.savedStart, d.cursor, d.savedCursor, arrow, length, size);
  return {start, start + size};
}

int ZoneAfterScrollCode(int code, int zone, bool pressed) {
  if (!pressed) return zone;
  switch (code) {
    case kZoneFirstArrow:
    case kZoneSecondArrow:
    case kZonePageBefore:
    case kZonePageAfter:
    case kZoneThumb:
      return code;
    case 4:  // SB_THUMBPOSITION: the thumb was let go where it was dragged
      return kZoneThumb;
    default:
      return zone;
  }
}

bool StandaloneIsHorizontal(std::string_view kind) { return EqualNoCase(kind, "sbhorizontal"); }

int ScrollArrowFrame(bool horizontal, bool second, int state) {
  const int direction = (horizontal ? 2 : 0) + (second ? 1 : 0);  // up, down, left, right
  return direction * 4 + std::clamp(state, 1, 4);
}

void DrawScrollOverlay(BitmapView v, const ScrollOverlayInput& in, const TSkinElements& s) {
  FillSolid(v, {0, 0, in.width, in.height}, s.FaceColor);
  const int length = in.horizontal ? in.width : in.height;
  const int arrow = std::clamp(in.arrow, 0, length / 2);
  // A span along the axis as a rectangle across the whole bar.
  const auto along = [&](int from, int to) {
    return in.horizontal ? Rect{from, 0, to, in.height} : Rect{0, from, in.width, to};
  };

  const auto& track = in.horizontal ? s.HorzScroll : s.VertScroll;
  if (track) {
    const bool page = in.zone == kZonePageBefore || in.zone == kZonePageAfter;
    const int state = !in.enabled ? 4 : in.pressed && page ? 3 : in.zone != kZoneNone ? 2 : 1;
    DrawElement(v, along(arrow, length - arrow), *track, state, std::max(track->Frame, 1));
  }
  if (s.Scrollbar) {
    for (int k = 0; k < 2; ++k) {
      const bool here = in.zone == (k ? kZoneSecondArrow : kZoneFirstArrow);
      const int state = !in.enabled ? 4 : here && in.pressed ? 3 : here ? 2 : 1;
      const Rect r = k ? along(length - arrow, length) : along(0, arrow);
      DrawFrame(v, r, {&s.Scrollbar->Bitmap, ScrollArrowFrame(in.horizontal, k == 1, state), 23, false}, {}, false,
                s.Scrollbar->Trans != 0);
    }
  }
  const auto& thumb = in.horizontal ? s.HorzScrollThumb : s.VertScrollThumb;
  if (thumb && in.thumb.end > in.thumb.start) {
    const int frames = std::max(thumb->Frame, 1);
    int state = !in.enabled ? 4 : in.zone == kZoneThumb ? (in.pressed ? 3 : 2) : 1;
    if (state > frames) state = 1;
    DrawElement(v, along(in.thumb.start, in.thumb.end), *thumb, state, frames);
  }
}

bool ScrollBorderDrawn(std::string_view borderStyle, std::string_view className, bool singleBar) {
  return !EqualNoCase(borderStyle, "bsnone") && !EqualNoCase(className, "TImageScrollBox") && !singleBar;
}

void DrawScrollBorder(BitmapView v, const Palette& p) {
  const Rect r{0, 0, v.width, v.height};
  Outline(v, r, p.shadow);
  Outline(v, Inset(r, 1), p.face);
}

}  // namespace quillet::skin
