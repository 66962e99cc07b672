#include "skin/nc_paint.h"

#include <algorithm>

#include "skin/painter.h"

namespace quillet::skin {

int BorderFrame(const TDataSkinObject& e, bool active) { return active || e.Frame <= 1 ? 1 : 2; }

void PaintBorders(BitmapView window, const TSkinElements& e, const FrameLayout& l, bool active) {
  const BorderSizes& b = l.borders;
  const int W = l.width, H = l.height;
  DrawElement(window, {0, 0, b.left, H}, e.Left, BorderFrame(e.Left, active), e.Left.Frame);
  DrawElement(window, {W - b.right, 0, W, H}, e.Right, BorderFrame(e.Right, active), e.Right.Frame);
  DrawElement(window, {b.left, H - b.bottom, W - b.right, H}, e.Bottom, BorderFrame(e.Bottom, active),
              e.Bottom.Frame, true);
}

void PaintCaptionBack(BitmapView bar, const TSkinElements& e, const FrameLayout& l, bool active) {
  const BorderSizes& b = l.borders;
  DrawElement(bar, {b.left, 0, l.width - b.right, b.top}, e.Top, BorderFrame(e.Top, active), e.Top.Frame, true);
  const TDataSkinTitle& t = e.Title;
  if (t.HasBitmap() && l.text.back.Width() > 0)
    DrawBar(bar, l.text.back, {&t.Bitmap, active ? 1 : 2, 2, true}, t.TXTBackleft, t.TXTBackRight, true);
}

void PaintCaptionButtons(BitmapView window, const TSkinElements& e, const FrameLayout& l, bool active, int hot,
                         int pressed) {
  for (std::size_t i = 0; i < l.buttons.size(); ++i) {
    const CaptionButtonPlace& p = l.buttons[i];
    if (!p.visible) continue;
    const TDataSkinSysButton& b = e.CaptionButtons[static_cast<std::size_t>(p.index)];
    if (p.icon && b.Bitmap.Empty()) continue;  // the window's own icon, drawn by the window layer
    const int idx = static_cast<int>(i);
    const ButtonState st = idx == pressed ? ButtonState::Pressed : idx == hot ? ButtonState::Hot : ButtonState::Normal;
    const int frame = CaptionButtonFrame(b.Frame, st, p.enabled, active, p.inMenuBar);
    DrawFrame(window, p.rect, {&b.Bitmap, frame, std::max(b.Frame, 1), false}, {}, false, true);
  }
}

namespace {

// Rows of runs of non-magenta pixels, merged into rectangles where rows repeat.
void AddOpaqueRuns(const Bitmap32& pic, int ox, int oy, std::vector<Rect>& out) {
  std::vector<Rect> open;  // rectangles whose last row is the previous one
  std::vector<Rect> row;
  for (int y = 0; y < pic.Height(); ++y) {
    row.clear();
    const Pixel* p = pic.Row(y);
    for (int x = 0; x < pic.Width();) {
      if ((p[x] & 0xFFFFFF) == kMagenta) {
        ++x;
        continue;
      }
      int x1 = x;
      while (x1 < pic.Width() && (p[x1] & 0xFFFFFF) != kMagenta) ++x1;
      row.push_back({ox + x, oy + y, ox + x1, oy + y + 1});
      x = x1;
    }
    const bool same = row.size() == open.size() &&
                      std::equal(row.begin(), row.end(), open.begin(), [](const Rect& a, const Rect& b) {
                        return a.left == b.left && a.right == b.right;
                      });
    if (same) {
      for (Rect& r : open) ++r.bottom;
    } else {
      out.insert(out.end(), open.begin(), open.end());
      open = row;
    }
  }
  out.insert(out.end(), open.begin(), open.end());
}

void AddBorder(const TDataSkinObject& e, const Rect& r, bool vertical, bool shaped, std::vector<Rect>& out) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  if (!shaped || !e.HasBitmap()) {
    out.push_back(r);
    return;
  }
  // The picture as drawn, without transparency, so its magenta pixels can be found.
  Bitmap32 pic(r.Width(), r.Height(), kMagenta);
  DrawFrame(pic.View(), {0, 0, r.Width(), r.Height()}, {&e.Bitmap, 1, std::max(e.Frame, 1), vertical},
            {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight}, e.Tile == 1, false);
  AddOpaqueRuns(pic, r.left, r.top, out);
}

}  // namespace

std::vector<Rect> FrameRegion(const TSkinElements& e, const FrameLayout& l, FrameBorder border) {
  const int W = l.width, H = l.height;
  const BorderSizes& b = l.borders;
  if (!e.Left.Trans && !e.Right.Trans && !e.Top.Trans && !e.Bottom.Trans) return {{0, 0, W, H}};
  std::vector<Rect> out;
  if (W - b.right > b.left && H - b.bottom > b.top) out.push_back({b.left, b.top, W - b.right, H - b.bottom});
  if (border == FrameBorder::NoCaption) return out;
  AddBorder(e.Left, {0, 0, b.left, H}, false, e.Left.Trans == 1 && H > 1, out);
  AddBorder(e.Right, {W - b.right, 0, W, H}, false, e.Right.Trans == 1 && H > 1, out);
  AddBorder(e.Bottom, {b.left, H - b.bottom, W - b.right, H}, true, e.Bottom.Trans == 1 && b.bottom >= 2, out);
  AddBorder(e.Top, {b.left, 0, W - b.right, b.top}, true, e.Top.Trans == 1 && b.top > 1, out);
  return out;
}

void PaintMenuBarBack(BitmapView band, const TSkinElements& e, bool active, ColorRef menubarColor) {
  const Rect r{0, 0, band.width, band.height};
  const TDataSkinObject& m = e.MenuBar;
  if (!m.HasBitmap()) {
    const Pixel p = PixelFromColorRef(menubarColor);
    for (int y = 0; y < band.height; ++y) std::fill(band.Row(y), band.Row(y) + band.width, p);
    return;
  }
  const int frame = active ? 1 : 2;
  if (m.Tile == 1)
    DrawFrame(band, r, {&m.Bitmap, frame, 2, true}, {m.LeftWidth, 0, m.RightWidth, 0}, false, false);
  else
    DrawBar(band, r, {&m.Bitmap, frame, 2, true}, m.LeftWidth, m.RightWidth, false);
}

}  // namespace quillet::skin
