// The track bar skin (TSkinTrackBar): which thumb picture a track bar's style asks for and in
// which frame, the tick marks, and the drawing of channel, ticks and thumb.
//
// The window layer reads the style, the client size, TBM_GETCHANNELRECT (turned the right way
// for vertical bars, whose channel the control reports lying down), TBM_GETTHUMBRECT, the tick
// positions along the bar (TBM_GETTICPOS plus the two ends, in client coordinates), WS_DISABLED,
// the focus, whether the thumb is being dragged and whether the pointer is over it. It draws
// DrawTrackBar onto a bitmap of the client size over the parent's colour and copies it.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"

namespace quillet::skin {

// Styles the skin reads, as the control defines them.
namespace tbs {
constexpr std::uint32_t Vert = 0x2, TopOrLeft = 0x4, Both = 0x8, NoTicks = 0x10, NoThumb = 0x80;
}

// The thumb's picture: a plain box when the ticks are on both sides, else pointing at the ticks.
enum class ThumbShape { Horz, Vert, Up, Down, Left, Right };
ThumbShape TrackThumbShape(std::uint32_t style);
// "Trackbar.ThumbHorz", ".ThumbVert", ".ThumbUp", ... for the shape; null when the skin has none.
const TDataSkinObject* TrackThumbElement(const TSkinElements& s, ThumbShape shape);
// Frames of the thumb pictures: 1 normal, 2 hot, 3 dragged, 4 disabled, 5 focused.
int TrackThumbFrame(bool dragged, bool hot, bool focused, bool enabled);

struct TrackInput {
  int width = 0, height = 0;
  std::uint32_t style = 0;
  Rect channel;            // client coordinates, the right way round
  Rect thumb;              // client coordinates
  std::vector<int> ticks;  // positions along the bar; the first and last are the range's ends
  bool dragged = false, hot = false, focused = false, enabled = true;
};

struct TrackPaint {
  Rect channel;                 // at least 4 pixels across
  std::vector<Rect> tickMarks;  // 1 pixel wide, longer at the range's ends
  bool thumb = true;            // TBS_NOTHUMB hides it
  ThumbShape shape = ThumbShape::Down;
  int thumbFrame = 1;
};

TrackPaint PlanTrackBar(const TrackInput& in);
// The channel from "Track" (or "TRACKVERT"), the ticks in "ButtonShadow", the thumb's picture
// over the thumb rectangle, or without one a plain box.
void DrawTrackBar(BitmapView v, const TrackInput& in, const TrackPaint& p, const TSkinElements& s, const Palette& pal);

}  // namespace quillet::skin
