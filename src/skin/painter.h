// The one painter every skinned part shares: one frame of an element into a rectangle, with
// fixed margins, a stretched or tiled centre, and magenta as the transparent colour.
#pragma once

#include "skin/bitmap.h"
#include "skin/elements.h"

namespace quillet::skin {

struct FrameSource {
  const Bitmap32* bitmap = nullptr;
  int frame = 1;       // 1-based
  int frames = 1;
  bool vertical = false;  // frames stacked instead of side by side
};

struct Margins {
  int left = 0, top = 0, right = 0, bottom = 0;
};
inline Margins MarginsOf(const TDataSkinObject& e) { return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight}; }

// The margins the tab pane's picture is drawn with: "Tab.Pane"'s when the tabs' Style asks for
// them, else the engine's own at the elements' DPI.
Margins TabPaneMargins(const TSkinElements& s);

// Draws into `dest` at `r` (clipped to dest). Nothing happens for a negative rectangle or an
// empty bitmap. A rectangle narrower (lower) than both side margins drops them and stretches
// the whole frame across.
void DrawFrame(BitmapView dest, const Rect& r, const FrameSource& src, Margins m, bool tile, bool trans);
void DrawElement(BitmapView dest, const Rect& r, const TDataSkinObject& e, int frame, int frames,
                 bool vertical = false);

// For bars: the left margin, the middle of the frame repeated across, the right margin, each at
// the frame's full height stretched to the rectangle's height.
void DrawBar(BitmapView dest, const Rect& r, const FrameSource& src, int left, int right, bool trans);

// Source rectangle of frame `frame` of `frames`.
Rect FrameRect(const Bitmap32& bmp, int frame, int frames, bool vertical);

}  // namespace quillet::skin
