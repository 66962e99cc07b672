#include "sample_window.h"

#include <algorithm>
#include <optional>

#include "skin/painter.h"

namespace quillet::skinmaker {

using namespace quillet::skin;

namespace {

// Absent elements draw nothing, so any skin can be looked at.
template <class T>
const T& Or(const std::optional<T>& o) {
  static const T none;
  return o ? *o : none;
}
int Frames(const TDataSkinObject& e) { return std::max(e.Frame, 1); }

}  // namespace

Bitmap32 PaintSampleWindows(const TSkinElements& s) {
  const int W = 520, H = 400;
  Bitmap32 canvas(W + 40, 2 * H + 60, Rgb(90, 110, 130));  // a desktop behind two windows
  for (int win = 0; win < 2; ++win) {
    const bool active = win == 0;
    const int f = active ? 1 : 2;
    Bitmap32 w(W, H, PixelFromColorRef(s.FaceColor));
    const int left = s.Left.Bitmap.Width() / Frames(s.Left), right = s.Right.Bitmap.Width() / Frames(s.Right);
    const int top = s.Top.Bitmap.Height() / Frames(s.Top), bottom = s.Bottom.Bitmap.Height() / Frames(s.Bottom);
    auto bv = w.View();
    DrawElement(bv, {0, 0, left, H}, s.Left, f, s.Left.Frame);
    DrawElement(bv, {W - right, 0, W, H}, s.Right, f, s.Right.Frame);
    DrawElement(bv, {left, H - bottom, W - right, H}, s.Bottom, f, s.Bottom.Frame, true);
    DrawElement(bv, {left, 0, W - right, top}, s.Top, f, s.Top.Frame, true);
    for (const auto& b : s.CaptionButtons) {
      if (!b.HasBitmap() || b.Align != 1 || (b.Action == 1 && b.Visibility != 2)) continue;
      const int bw = b.Bitmap.Width() / Frames(b);
      const int frame = active ? (b.Action == 0 ? 2 : 1) : 4;
      DrawFrame(bv, {W - b.Xcoord, b.Ycoord, W - b.Xcoord + bw, b.Ycoord + b.Bitmap.Height()},
                {&b.Bitmap, frame, b.Frame, false}, {}, false, true);
    }
    const int menuH = 20;
    DrawElement(bv, {left, top, W - right, top + menuH}, s.MenuBar, f, 2, true);
    int y = top + menuH + 10;
    // Tabs over a pane.
    const auto& tabs = Or(s.Tabs);
    DrawElement(bv, {left + 8, y + 22, W - right - 8, y + 230}, Or(s.TabPane), 1, 1);
    for (int t = 0; t < 4; ++t) {
      const int x = left + 10 + t * 110;
      DrawElement(bv, {x, t == 0 ? y : y + 2, x + 110, y + 23}, tabs, t == 0 ? 2 : (t == 2 ? 3 : 1), 5);
    }
    y += 40;
    // Push buttons in their five states.
    for (int st = 1; st <= 5; ++st) {
      const int x = left + 20 + (st - 1) * 92;
      DrawElement(bv, {x, y, x + 84, y + 25}, s.Buttons, st, 5);
    }
    y += 40;
    // Check boxes and radio buttons, every frame.
    for (int k = 1; k <= std::min(s.Buttons.CheckFrame, 20); ++k) {
      const int x = left + 20 + (k - 1) * 22;
      DrawFrame(bv, {x, y, x + 13, y + 13}, {&s.Buttons.CheckBitmap, k, s.Buttons.CheckFrame, false}, {}, false, true);
    }
    for (int k = 1; k <= std::min(s.Buttons.RadioFrame, 20); ++k) {
      const int x = left + 20 + (k - 1) * 22;
      DrawFrame(bv, {x, y + 22, x + 13, y + 35}, {&s.Buttons.RadioBitmap, k, s.Buttons.RadioFrame, false}, {}, false, true);
    }
    y += 50;
    // A progress bar at 60 %.
    DrawElement(bv, {left + 20, y, left + 320, y + 16}, s.Progress, 1, 1);
    DrawFrame(bv, {left + 20 + 3, y + 3, left + 20 + 3 + 176, y + 13}, {&Or(s.ProgressChunk).Bitmap, 1, 1, false}, {}, true, false);
    // A combo box: white field, frame and the button.
    {
      const int x = left + 340, x2 = left + 480;
      w.FillRect({x, y - 3, x2, y + 18}, Rgb(255, 255, 255));
      const Pixel line = PixelFromColorRef(s.Colors[slot::ButtonShadow]);
      for (int i = x; i < x2; ++i) w.Set(i, y - 3, line), w.Set(i, y + 17, line);
      for (int j = y - 3; j < y + 18; ++j) w.Set(x, j, line), w.Set(x2 - 1, j, line);
      DrawElement(bv, {x2 - 19, y - 1, x2 - 2, y + 16}, Or(s.ComboButton), 1, 4);
    }
    y += 36;
    // A horizontal scroll bar and a header row.
    {
      const int x = left + 20, x2 = left + 320;
      DrawElement(bv, {x + 17, y, x2 - 17, y + 17}, Or(s.HorzScroll), 1, 4);
      DrawFrame(bv, {x, y, x + 17, y + 17}, {&Or(s.Scrollbar).Bitmap, 9, 23, false}, {}, false, false);
      DrawFrame(bv, {x2 - 17, y, x2, y + 17}, {&Or(s.Scrollbar).Bitmap, 13, 23, false}, {}, false, false);
      DrawElement(bv, {x + 60, y, x + 140, y + 17}, Or(s.HorzScrollThumb), 1, 4);
      for (int c = 0; c < 3; ++c)
        DrawElement(bv, {left + 340 + c * 50, y - 2, left + 390 + c * 50, y + 18}, Or(s.Headerbar), c == 1 ? 2 : 1, 4);
      // Up-down beside it.
      DrawElement(bv, {left + 340, y + 24, left + 356, y + 35}, Or(s.UpDownVert), 1, 8);
      DrawElement(bv, {left + 340, y + 35, left + 356, y + 46}, Or(s.UpDownVert), 8, 8);
      DrawFrame(bv, {left + 343, y + 25, left + 352, y + 34}, {&Or(s.UpDownVert).Bitmap2, 1, 8, false}, {}, false, true);
      DrawFrame(bv, {left + 343, y + 36, left + 352, y + 45}, {&Or(s.UpDownVert).Bitmap2, 8, 8, false}, {}, false, true);
    }
    y += 30;
    // A vertical scroll bar and a track bar.
    {
      const int x = left + 20;
      DrawElement(bv, {x, y, x + 300, y + 6}, Or(s.Track), 1, 1);
      DrawFrame(bv, {x + 100, y - 7, x + 111, y + 13}, {&Or(s.TrackbarThumbHorz).Bitmap, 1, 5, false}, {}, false, false);
      DrawFrame(bv, {x + 200, y - 7, x + 211, y + 13}, {&Or(s.TrackbarThumbDown).Bitmap, 2, 5, false}, {}, false, false);
    }
    // A menu with a selected item, over the lower right.
    {
      const int mx = left + 300, my = y + 30, mw = 160, mh = 80;
      DrawElement(bv, {mx, my, mx + mw, my + mh}, Or(s.MenuBackground), 1, 1);
      DrawElement(bv, {mx + 3, my + 22, mx + mw - 3, my + 40}, Or(s.MenuItem), 4, 5);
    }
    // The status bar along the bottom.
    DrawElement(bv, {left, H - bottom - 22, W - right, H - bottom}, Or(s.StatusBarEdges), 3, 3);
    canvas.Blit(w, 20, 20 + win * (H + 20));
  }
  return canvas;
}

}  // namespace quillet::skinmaker
