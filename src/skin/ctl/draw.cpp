#include "skin/ctl/draw.h"

#include <algorithm>

namespace quillet::skin {

Palette MakePalette(const TSkinElements& s, const SkinSystem& system) {
  Palette p;
  p.face = s.FaceColor;
  p.shadow = system.Resolve(s.Color(slot::ButtonShadow));
  p.dkShadow = system.Resolve(s.Color(slot::ButtonDkShadow));
  p.buttonText = system.Resolve(s.Color(slot::ButtonText));
  p.disabledText = system.SysColor(sys::BtnShadow);
  return p;
}

void FillSolid(BitmapView v, const Rect& r, ColorRef c) {
  const int x0 = std::max(r.left, 0), x1 = std::min(r.right, v.width);
  const int y0 = std::max(r.top, 0), y1 = std::min(r.bottom, v.height);
  const Pixel p = PixelFromColorRef(c);
  for (int y = y0; y < y1; ++y) std::fill(v.Row(y) + x0, v.Row(y) + std::max(x0, x1), p);
}

void Outline(BitmapView v, const Rect& r, ColorRef c) {
  if (IsEmpty(r)) return;
  FillSolid(v, {r.left, r.top, r.right, r.top + 1}, c);
  FillSolid(v, {r.left, r.bottom - 1, r.right, r.bottom}, c);
  FillSolid(v, {r.left, r.top, r.left + 1, r.bottom}, c);
  FillSolid(v, {r.right - 1, r.top, r.right, r.bottom}, c);
}

BitmapView SubView(BitmapView v, const Rect& r) {
  const int l = std::clamp(r.left, 0, v.width), t = std::clamp(r.top, 0, v.height);
  const int rr = std::clamp(r.right, l, v.width), b = std::clamp(r.bottom, t, v.height);
  return {v.Row(t) + l, rr - l, b - t, v.stride};
}

Rect CentreIn(const Rect& within, int w, int h) {
  const int x = within.left + (within.Width() - w) / 2, y = within.top + (within.Height() - h) / 2;
  return {x, y, x + w, y + h};
}

void DrawArrowGlyph(BitmapView v, const Rect& r, Direction dir, ColorRef c) {
  // Rows of 7, 5, 3 and 1 pixels for a pointing-down arrow, scaled down for small rectangles.
  const bool vertical = dir == Direction::Up || dir == Direction::Down;
  const int across = vertical ? r.Width() : r.Height();
  const int along = vertical ? r.Height() : r.Width();
  const int depth = std::clamp(std::min(across / 2 - 1, along - 2), 1, 4);
  const Rect box = CentreIn(r, vertical ? 2 * depth - 1 : depth, vertical ? depth : 2 * depth - 1);
  for (int i = 0; i < depth; ++i) {
    // i counts from the arrow's wide base towards its tip.
    Rect line;
    switch (dir) {
      case Direction::Down:
        line = {box.left + i, box.top + i, box.right - i, box.top + i + 1};
        break;
      case Direction::Up:
        line = {box.left + i, box.bottom - 1 - i, box.right - i, box.bottom - i};
        break;
      case Direction::Right:
        line = {box.left + i, box.top + i, box.left + i + 1, box.bottom - i};
        break;
      case Direction::Left:
        line = {box.right - 1 - i, box.top + i, box.right - i, box.bottom - i};
        break;
    }
    FillSolid(v, line, c);
  }
}

Rect TextFocusRect(const Rect& area, int textWidth, int textHeight, TextAlign align, bool vcentre) {
  int x = area.left;
  if (align == TextAlign::Centre) x = area.left + (area.Width() - textWidth) / 2;
  if (align == TextAlign::Right) x = area.right - textWidth;
  const int y = vcentre ? area.top + (area.Height() - textHeight) / 2 : area.top;
  const Rect r{x - 2, y - 1, x + textWidth + 2, y + textHeight + 1};
  return {std::max(r.left, area.left), std::max(r.top, area.top), std::min(r.right, area.right),
          std::min(r.bottom, area.bottom)};
}

namespace {
template <class S, class V>
S Lines(V caption, const S& pair, const S& lineBreak) {
  S out(caption);
  for (std::size_t at = 0; (at = out.find(pair, at)) != S::npos; at += lineBreak.size()) out.replace(at, 2, lineBreak);
  return out;
}
}  // namespace

std::string CaptionLines(std::string_view caption) { return Lines<std::string>(caption, "||", "\r\n"); }
std::wstring CaptionLines(std::wstring_view caption) { return Lines<std::wstring>(caption, L"||", L"\r\n"); }

}  // namespace quillet::skin
