// The status bar and size grip skins (TSkinStatusBar, TSkinSizer): where the bar's panels, their
// texts and its grip go, and their drawing from the skin's "StatusBarEdges" picture.
//
// The window layer reads the client size, each part's SB_GETRECT (one part when SB_ISSIMPLE),
// SBARS_SIZEGRIP (no grip while the window is maximised), asks PlanStatusBar and draws
// DrawStatusBar onto a bitmap of the client size, then each part's SB_GETTEXT in its text
// rectangle, vertically centred, in the control's font and the skin's "ButtonText" (parts the
// program draws itself are left to it). A size grip window draws DrawSizeGrip over its client area.
#pragma once

#include <vector>

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"

namespace quillet::skin {

struct StatusInput {
  int width = 0, height = 0;
  std::vector<Rect> parts;  // SB_GETRECT of each part
  bool grip = false;
};

struct StatusPaint {
  int barFrame = 1;          // 3: the bar whose right end holds the grip
  std::vector<Rect> panels;  // one per part, kept clear of the grip
  std::vector<Rect> texts;
  Rect grip;                 // empty without a grip
};

// The grip takes a square of the bar's height (at most 17) in its bottom-right corner.
StatusPaint PlanStatusBar(const StatusInput& in);
// Frame 1 (or 3) of "StatusBarEdges" across the bar and frame 2 over each panel; a skin without
// the picture gets the face colour with a "ButtonShadow" line after each panel and the dots of
// DrawSizeGrip in the grip.
void DrawStatusBar(BitmapView v, const StatusPaint& p, const TSkinElements& s, const Palette& pal);

// Three diagonal rows of dots, "ButtonShadow" with a white light, in the bottom-right corner of
// r; over the face colour when `fill`.
void DrawSizeGrip(BitmapView v, const Rect& r, const Palette& pal, bool fill);

}  // namespace quillet::skin
