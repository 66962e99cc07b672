// The edit skin (TSkinEdit): the border drawn over an edit's own, and which child window is
// an edit's up-down.
//
// The window layer takes the window and client sizes. When EditHasBorder, it composes a
// bitmap of the window's size with DrawEditBorder and copies only its outer three pixels (the
// client area stays as the edit painted it). For WM_PRINTCLIENT it asks EditPrintsBorder and
// draws DrawEditPrintBorder's two outer pixels, with the device context's brush colour.
#pragma once

#include <string_view>

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"

namespace quillet::skin {

// An edit whose client area is as wide or as high as its window has no border to cover.
constexpr bool EditHasBorder(int windowW, int windowH, int clientW, int clientH) {
  return clientW != windowW && clientH != windowH;
}
// Printing draws only when the client area plus 2 stays smaller than the window both ways.
constexpr bool EditPrintsBorder(int windowW, int windowH, int clientW, int clientH) {
  return clientW + 2 < windowW && clientH + 2 < windowH;
}

// A "ButtonShadow" line along the window's edge and two white lines inside it.
void DrawEditBorder(BitmapView v, const Palette& p);
inline constexpr int kEditBorderWidth = 3;
// The window's edge in "ButtonShadow" and the line inside it in the given brush colour.
void DrawEditPrintBorder(BitmapView v, const Palette& p, ColorRef brush);
inline constexpr int kEditPrintBorderWidth = 2;

// The child window that gets an up-down skin: class "msctls_updown32" or any class whose name
// holds "spin" or "updown" (any case).
bool IsUpDownClass(std::string_view className);

}  // namespace quillet::skin
