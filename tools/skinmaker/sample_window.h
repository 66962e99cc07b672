// Two sample windows, active and inactive, painted from a skin's elements with the element
// painter: frame, caption buttons, menu bar, tabs, buttons, check boxes, radio buttons,
// progress, combo box, scroll bar, header, up-down, track bar, menu and status bar.
#pragma once

#include "skin/bitmap.h"
#include "skin/elements.h"

namespace quillet::skinmaker {

skin::Bitmap32 PaintSampleWindows(const skin::TSkinElements& elements);

}  // namespace quillet::skinmaker
