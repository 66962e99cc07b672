#pragma once
// Pictures the dialogs and the header show, drawn in code so no image files need shipping.

#include <windows.h>

namespace quillet::dialogs {

// A "Donate" button picture, 62 x 31 at 96 DPI, drawn at `dpi`.
HBITMAP MakeDonateBitmap(int dpi = 96);
// A bitmap of one pixel in one colour, for bands that are stretched.
HBITMAP MakeSolidBitmap(COLORREF color);
// The program's icon from its resources at a size (0 for the system's large icon size).
HICON LoadProgramIcon(int size);

}  // namespace quillet::dialogs
