#pragma once
// The screen's DPI as a window sees it, and the system's per-DPI calls. Those calls are looked up
// at run time: systems before them run every window at the system's one DPI, and so do we.
// Layouts and skins are made in 96-DPI units (base/dpi.h scales them).

#include <windows.h>

namespace quillet::ui {

// Makes the process aware of each monitor's DPI (per-monitor version 2, else per-monitor, else
// the system's DPI) when the manifest has not already; the first thing the program does.
void DeclareDpiAwareness();

// The system's DPI (the primary monitor's at log-on).
int SystemDpi();
// The DPI a window is laid out at: its monitor's for a per-monitor aware program, else the
// system's. The system's for a null window.
int WindowDpi(HWND hwnd);

// GetSystemMetrics at a DPI; where the system has no per-DPI form, its value at the system DPI
// scaled to `dpi`.
int MetricForDpi(int index, int dpi);
// The non-client metrics (caption, menu and message fonts, frame sizes) at a DPI.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi);
// AdjustWindowRectEx at a DPI.
bool AdjustWindowRectForDpi(RECT& r, DWORD style, bool menu, DWORD ex_style, int dpi);

}  // namespace quillet::ui
