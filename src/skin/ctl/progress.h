// The progress bar skin (TSkinProgress): how far the bar is filled, and the trough and fill drawn
// from the skin's "Progress" and "Progress.Chunk" pictures.
//
// The window layer reads the client size, PBM_GETRANGE, PBM_GETPOS and the styles PBS_VERTICAL
// and PBS_SMOOTH, asks PlanProgress, draws DrawProgress into a bitmap of the client's size over
// the parent's colour and copies it; it paints nothing when DrawProgress answers false.
#pragma once

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"

namespace quillet::skin {

struct ProgressInput {
  int width = 0, height = 0;
  bool vertical = false;  // fills from the bottom up
  bool smooth = false;    // one stretched chunk instead of a row of them
  int min = 0, max = 100, pos = 0;
};

struct ProgressPaint {
  Rect trough;  // the whole control
  Rect inside;  // what the fill runs through: two pixels in from the trough's edge
  Rect fill;    // the filled part of it, empty at the start of the range
};

ProgressPaint PlanProgress(const ProgressInput& in);

// The trough from frame 1 of "Progress"; the fill from "Progress.Chunk" laid side by side (turned
// for vertical bars and cut where the fill ends), or stretched for smooth bars; without a chunk,
// from frame 2 of a two-frame "Progress" (Style 0), else in `fillColor`. False when the skin has
// no "Progress" picture.
bool DrawProgress(BitmapView v, const ProgressInput& in, const ProgressPaint& p, const TSkinElements& s,
                  ColorRef fillColor);

}  // namespace quillet::skin
