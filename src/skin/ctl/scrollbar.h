// The scroll-bar skin's arithmetic and drawing (TSkinScrollbar and its overlay windows): the
// zone under the cursor, the thumb of a stand-alone scroll bar, the thumb while it is dragged,
// and the overlay's picture.
//
// The overlay window keeps its length along the axis, the arrow size (SM_CXHSCROLL), the thumb
// span (from GetScrollBarInfo, or StandaloneThumb for a scroll-bar control from GetScrollInfo),
// its hot zone and pressed flag. On WM_MOUSEMOVE it asks ScrollZoneAt; while the thumb is
// dragged it asks DraggedThumbStart; to paint it composes at its size with DrawScrollOverlay
// and copies the result. The control's skin draws its border with DrawScrollBorder when
// ScrollBorderDrawn, and fills ScrollCorner with the face colour when both bars show.
#pragma once

#include <string_view>

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"

namespace quillet::skin {

// The zones of an overlay, as the scroll codes number them.
enum ScrollZone : int {
  kZoneNone = -1,
  kZoneFirstArrow = 0,
  kZoneSecondArrow = 1,
  kZonePageBefore = 2,
  kZonePageAfter = 3,
  kZoneThumb = 5,
};

// The zone at coordinate `a` along a bar of `length` with arrows `arrow` long.
int ScrollZoneAt(int a, int arrow, int thumbStart, int thumbEnd, int length);

// The system's MulDiv: a * b / c rounded half away from zero; -1 when c is 0 or the result
// does not fit.
int RoundedMulDiv(int a, int b, int c);

struct ThumbSpan {
  int start = 0, end = 0;
  bool operator==(const ThumbSpan&) const = default;
};

// The thumb of a stand-alone scroll bar from GetScrollInfo's minimum, maximum, page and
// position. Kept between the arrows whatever the numbers say.
ThumbSpan StandaloneThumb(int length, int arrow, int min, int max, int page, int pos);

// Where a dragged thumb's start is drawn: it follows the cursor, between the arrows.
int DraggedThumbStart(int savedStart, int cursor, int savedCursor, int arrow, int length, int thumbLength);

// The thumb an overlay draws: the system's, or while it is dragged (pressed on the thumb) the
// system's length at the place the cursor has moved it to.
struct ThumbDrag {
  int savedStart = 0, savedCursor = 0, cursor = 0;
};
ThumbSpan DrawnThumb(const ThumbSpan& system, bool dragging, const ThumbDrag& d, int arrow, int length);

// The zone after the control received a scroll code (WM_HSCROLL / WM_VSCROLL): while the overlay
// is pressed the system is tracking that press, and the code says where (SB_THUMBPOSITION and
// SB_THUMBTRACK the thumb); other codes, and codes the program sent itself, leave the zone.
int ZoneAfterScrollCode(int code, int zone, bool pressed);

// A stand-alone scroll bar's "Kind" property: "sbHorizontal" (any case) is horizontal.
bool StandaloneIsHorizontal(std::string_view kind);

// The "Scrollbar" picture's 23 frames: up, down, left and right arrows, four frames each
// (normal, hot, pressed, disabled), from frame 1; frames 17 to 23 are not used.
int ScrollArrowFrame(bool horizontal, bool second, int state);

struct ScrollOverlayInput {
  int width = 0, height = 0;
  bool horizontal = false;
  bool enabled = true;
  int zone = kZoneNone;
  bool pressed = false;
  int arrow = 17;
  ThumbSpan thumb;
};

// The face colour, the track between the arrows ("HorzScroll" or "VertScroll": 1 normal,
// 2 hot, 3 pressed in a page zone, 4 disabled), the arrows and the thumb ("HorzScrollThumb"
// or "VertScrollThumb": 1 normal, 2 hot, 3 pressed, 4 disabled, as far as it has frames).
void DrawScrollOverlay(BitmapView v, const ScrollOverlayInput& in, const TSkinElements& s);

// The skinned border: unless "BorderStyle" reads "bsNone" (any case), the class is
// "TImageScrollBox", or the skin covers a single scroll bar.
bool ScrollBorderDrawn(std::string_view borderStyle, std::string_view className, bool singleBar);
// "ButtonShadow" along the window's edge, the face colour inside it.
void DrawScrollBorder(BitmapView v, const Palette& p);
// The square between a vertical and a horizontal bar, from their rectangles (in the same
// coordinates).
constexpr Rect ScrollCorner(const Rect& vertical, const Rect& horizontal) {
  return {vertical.left, horizontal.top, vertical.right, horizontal.bottom};
}

}  // namespace quillet::skin
