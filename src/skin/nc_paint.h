// Painting the skinned frame's pictures into pixels, and the window region they shape. The window
// layer composes a window-sized bitmap with these, draws the caption text onto it with the system's
// fonts between PaintCaptionBack and PaintCaptionButtons, and copies the frame parts to the window.
#pragma once

#include <vector>

#include "skin/bitmap.h"
#include "skin/elements.h"
#include "skin/nc_layout.h"

namespace quillet::skin {

// The frame of a border picture for the window's activation: the second frame is the inactive one.
int BorderFrame(const TDataSkinObject& e, bool active);

// "Left", "Right" and "Bottom" into a bitmap of the whole window.
void PaintBorders(BitmapView window, const TSkinElements& e, const FrameLayout& l, bool active);

// "Top" over the caption bar (a bitmap as wide as the window and as high as the top border) and,
// when the skin has one, the caption text's background picture.
void PaintCaptionBack(BitmapView bar, const TSkinElements& e, const FrameLayout& l, bool active);

// The visible caption buttons over the caption bar (and the menu bar for its buttons). `hot` and
// `pressed` index layout.buttons (-1 for none); icon buttons draw `smallIcon` with magenta as the
// transparent colour.
void PaintCaptionButtons(BitmapView window, const TSkinElements& e, const FrameLayout& l, bool active, int hot,
                         int pressed);

// The window region as rectangles in window coordinates: the client part, and each border either
// whole or only where its picture is not magenta. A single rectangle covering the window when no
// border is transparent.
std::vector<Rect> FrameRegion(const TSkinElements& e, const FrameLayout& l, FrameBorder border);

// The menu-bar band: the "menuBar" picture (two stacked frames) or the "Menubar" colour.
void PaintMenuBarBack(BitmapView band, const TSkinElements& e, bool active, ColorRef menubarColor);

}  // namespace quillet::skin
