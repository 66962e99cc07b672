// Which frame of the skin's button pictures a window shows on the screen: the window's pixels
// against each frame as the portable painter draws it, where no text goes.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "skin/bitmap.h"
#include "skin/ctl/button.h"
#include "skin/ctl/checkbox.h"

namespace quillet::skin::testing {

// The window's pixels as the screen shows them.
inline Bitmap32 Capture(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  const int w = r.right - r.left, ht = r.bottom - r.top;
  Bitmap32 b(w, ht);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, ht);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, ht, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -ht, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  GetDIBits(mem, bmp, 0, static_cast<UINT>(ht), b.View().pixels, &bi, DIB_RGB_COLORS);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  for (int y = 0; y < ht; ++y)
    for (int x = 0; x < w; ++x) b.Set(x, y, b.At(x, y) & 0xFFFFFF);
  return b;
}

inline bool SamePixels(const Bitmap32& a, const Bitmap32& b, const std::vector<std::pair<int, int>>& at) {
  for (auto [x, y] : at)
    if ((a.At(x, y) & 0xFFFFFF) != (b.At(x, y) & 0xFFFFFF)) return false;
  return true;
}

// The frame of "Buttons" a push button shows (0 for none): its two outer rings of pixels.
inline int ButtonFrameShown(HWND h, const TSkinElements& s) {
  const Bitmap32 shot = Capture(h);
  const int w = shot.Width(), ht = shot.Height();
  std::vector<std::pair<int, int>> ring;
  for (int d = 0; d < 2; ++d) {
    for (int x = 0; x < w; x += 3) ring.insert(ring.end(), {{x, d}, {x, ht - 1 - d}});
    for (int y = 0; y < ht; y += 3) ring.insert(ring.end(), {{d, y}, {w - 1 - d, y}});
  }
  for (int frame = 1; frame <= 5; ++frame) {
    Bitmap32 want(w, ht);
    DrawButton(want.View(), s, frame, false);
    if (SamePixels(shot, want, ring)) return frame;
  }
  return 0;
}

// The frame of the check or radio picture a box shows (0 for none): every pixel of the picture's
// place.
inline int CheckFrameShown(HWND h, const TSkinElements& s, bool radio) {
  const Bitmap32 shot = Capture(h);
  CheckInput in;
  in.width = shot.Width();
  in.height = shot.Height();
  in.radio = radio;
  in.leftText = GetWindowLongA(h, GWL_STYLE) & BS_LEFTTEXT;
  CheckPaint p = PlanCheckBox(in, s, DefaultSkinSystem());
  std::vector<std::pair<int, int>> box;
  for (int y = p.image.top; y < p.image.bottom; ++y)
    for (int x = p.image.left; x < p.image.right; ++x) box.emplace_back(x, y);
  const int frames = radio ? s.Buttons.RadioFrame : s.Buttons.CheckFrame;
  for (p.frame = 1; p.frame <= frames; ++p.frame) {
    Bitmap32 want(in.width, in.height);
    DrawCheckBox(want.View(), s, p, radio, false);
    if (SamePixels(shot, want, box)) return p.frame;
  }
  return 0;
}

}  // namespace quillet::skin::testing
