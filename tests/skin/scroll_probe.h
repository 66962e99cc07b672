#pragma once
// Looking at scroll-bar overlays from a test, in the program or from outside it: the overlay
// windows under a window, and how far the screen differs from the painter's picture of a bar.

#include <windows.h>

#include <string>
#include <vector>

#include "skin/ctl/scrollbar.h"

namespace quillet::skin::testing {

inline constexpr char kOverlayClass[] = "QuilletScrollOverlay";

// The window itself and its descendants of a class, the visible ones only when asked.
inline std::vector<HWND> WindowsOfClass(HWND top, const std::string& cls, bool visibleOnly = true) {
  struct Query {
    const std::string& cls;
    bool visibleOnly;
    std::vector<HWND> found;
    void Take(HWND h) {
      char name[64] = {};
      GetClassNameA(h, name, sizeof name);
      if (cls == name && (!visibleOnly || IsWindowVisible(h))) found.push_back(h);
    }
  } q{cls, visibleOnly, {}};
  q.Take(top);
  EnumChildWindows(
      top, [](HWND h, LPARAM lp) { return reinterpret_cast<Query*>(lp)->Take(h), TRUE; }, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

// The visible overlay among `candidates` whose window is exactly `bar`, or null.
inline HWND OverlayAt(const std::vector<HWND>& candidates, const RECT& bar) {
  for (HWND o : candidates) {
    RECT r{};
    if (GetWindowRect(o, &r) && EqualRect(&r, &bar) && IsWindowVisible(o)) return o;
  }
  return nullptr;
}

// How many pixels of the screen at `bar` differ from the painter's picture of `in` there (its
// size and arrows taken from the bar and the system).
inline int Differences(const RECT& bar, ScrollOverlayInput in, const TSkinElements& s) {
  in.width = bar.right - bar.left;
  in.height = bar.bottom - bar.top;
  in.arrow = GetSystemMetrics(in.horizontal ? SM_CXHSCROLL : SM_CYVSCROLL);
  if (in.width <= 0 || in.height <= 0) return -1;
  Bitmap32 want(in.width, in.height, 0);
  DrawScrollOverlay(want.View(), in, s);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof bi.bmiHeader, in.width, -in.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, in.width, in.height, screen, bar.left, bar.top, SRCCOPY);
  GdiFlush();
  int differ = 0;
  for (int y = 0; y < in.height; ++y)
    for (int x = 0; x < in.width; ++x)
      differ += (static_cast<const Pixel*>(bits)[y * in.width + x] & 0xFFFFFF) != (want.At(x, y) & 0xFFFFFF);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return differ;
}

}  // namespace quillet::skin::testing
