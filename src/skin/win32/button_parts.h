// What the skins of the button family (push buttons, check and radio boxes, group boxes) share:
// the system's colours for the portable plans, painting a whole control on WM_PAINT, the parent's
// painting as a background, text on a canvas, and hot tracking.
#pragma once

#include <windows.h>

#include <string>

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"
#include "ui/gdi.h"
#include "ui/graphics.h"
#include "ui/messages.h"

namespace quillet::skin::win32 {

class TSkinControl;

// The system's colours, as the portable plans ask for them.
const SkinSystem& ControlSystem();
// The colours a control skin draws with, from the skin and those of the system.
Palette ControlPalette(const TSkinElements& s);

using ui::ToRECT;
using ui::FromRECT;

// For a control the skin paints whole: answers WM_PAINT (BeginPaint / EndPaint, or the DC it
// brings) and WM_PRINTCLIENT by painting the control, and WM_ERASEBKGND with nothing to erase.
// `withFrame` for one whose frame the skin paints too (a progress bar's static edge): WM_NCPAINT
// and WM_PAINT then paint the whole window through its window DC, and WM_PRINTCLIENT goes on.
// True when the message was one of these; it is complete then.
bool AnswerPaintMessage(TSkinControl& skin, ui::Message& m, bool withFrame = false);
// Answers WM_PAINT or WM_PRINTCLIENT by painting the control into the DC the message brings, else
// between BeginPaint and EndPaint.
void PaintForMessage(TSkinControl& skin, ui::Message& m);

// Messages the native button answers by painting at once, over the skin.
bool NativeButtonPaints(unsigned msg);

// Paints into `dc` what the parent shows under the window, as if the window were not there.
void PaintParentUnder(HWND hwnd, HDC dc);

// The size DrawText gives `text` with `flags` (DT_CALCRECT added) when it may use `width`.
SIZE MeasureText(HDC dc, const std::wstring& text, UINT flags, int width);
// Draws `text` transparent in `colour`.
void DrawTextIn(HDC dc, const std::wstring& text, const Rect& r, UINT flags, COLORREF color);
// The dotted focus frame in its usual black and white.
void DrawFocusFrame(HDC dc, const Rect& r);

// Hot tracking: the pointer over an enabled control makes it hot, leaving makes it cold; the
// system is asked to say when the pointer leaves. Only `area` (client coordinates) is hot when
// given, else the client area. True when the message changed `hot`.
bool UpdateHot(HWND hwnd, const ui::Message& m, bool enabled, bool& hot, const RECT* area = nullptr);

}  // namespace quillet::skin::win32
