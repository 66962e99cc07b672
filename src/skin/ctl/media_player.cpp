#include "skin/ctl/media_player.h"

#include <algorithm>

#include "skin/ctl/button.h"
#include "skin/painter.h"

namespace quillet::skin {

namespace {

constexpr ColorRef kRecordRed = 0x3C3CB4;

// A solid triangle in box, pointing left or right (or up), as wide as the box allows.
void Triangle(BitmapView v, const Rect& box, Direction dir, ColorRef c) {
  if (dir == Direction::Up) {
    const int half = box.Width() / 2;
    for (int i = 0; i <= half && i < box.Height(); ++i)
      FillSolid(v, {box.left + half - i, box.top + i, box.left + half + i + 1, box.top + i + 1}, c);
    return;
  }
  const int half = box.Height() / 2;
  for (int i = 0; i <= half && i < box.Width(); ++i) {
    const int x = dir == Direction::Right ? box.left + i : box.right - 1 - i;
    FillSolid(v, {x, box.top + i, x + 1, box.bottom - i}, c);
  }
}

void Disc(BitmapView v, const Rect& box, ColorRef c) {
  const int r = std::min(box.Width(), box.Height()) / 2, cx = box.left + box.Width() / 2, cy = box.top + box.Height() / 2;
  for (int y = -r; y <= r; ++y)
    for (int x = -r; x <= r; ++x)
      if (x * x + y * y <= r * r + r) FillSolid(v, {cx + x, cy + y, cx + x + 1, cy + y + 1}, c);
}

}  // namespace

std::vector<MediaButtonPaint> PlanMediaPlayer(const MediaPlayerInput& in) {
  std::vector<int> shown;
  for (int k = 0; k < kMediaGlyphs; ++k)
    if ((in.visible >> k) & 1) shown.push_back(k);
  std::vector<MediaButtonPaint> plan;
  const int n = static_cast<int>(shown.size());
  for (int slot = 0; slot < n; ++slot) {
    MediaButtonPaint b;
    b.button = shown[static_cast<std::size_t>(slot)];
    b.rect = {slot * in.width / n, 0, (slot + 1) * in.width / n, in.height};
    b.enabled = in.controlEnabled && ((in.enabled >> b.button) & 1);
    b.frame = ButtonFrame({.pressed = b.button == in.pressed, .hot = b.button == in.hot, .enabled = b.enabled});
    plan.push_back(b);
  }
  return plan;
}

int MediaButtonAt(const std::vector<MediaButtonPaint>& plan, Point at) {
  for (const MediaButtonPaint& b : plan)
    if (Contains(b.rect, at.x, at.y)) return b.button;
  return -1;
}

void DrawMediaGlyph(BitmapView v, const Rect& r, MediaGlyph g, ColorRef c) {
  const Rect box = CentreIn(r, 10, 10);
  const Rect half1{box.left, box.top + 1, box.left + 5, box.bottom - 1}, half2{box.left + 5, box.top + 1, box.right, box.bottom - 1};
  switch (g) {
    case MediaGlyph::Play: Triangle(v, {box.left + 2, box.top, box.right, box.bottom}, Direction::Right, c); break;
    case MediaGlyph::Pause:
      FillSolid(v, {box.left + 2, box.top + 1, box.left + 4, box.bottom - 1}, c);
      FillSolid(v, {box.left + 6, box.top + 1, box.left + 8, box.bottom - 1}, c);
      break;
    case MediaGlyph::Stop: FillSolid(v, Inset(box, 1), c); break;
    case MediaGlyph::Next:
      Triangle(v, {box.left + 1, box.top + 1, box.right - 2, box.bottom - 1}, Direction::Right, c);
      FillSolid(v, {box.right - 2, box.top + 1, box.right, box.bottom - 1}, c);
      break;
    case MediaGlyph::Prev:
      FillSolid(v, {box.left, box.top + 1, box.left + 2, box.bottom - 1}, c);
      Triangle(v, {box.left + 2, box.top + 1, box.right - 1, box.bottom - 1}, Direction::Left, c);
      break;
    case MediaGlyph::Step:
      Triangle(v, half1, Direction::Right, c);
      Triangle(v, half2, Direction::Right, c);
      break;
    case MediaGlyph::Back:
      Triangle(v, half1, Direction::Left, c);
      Triangle(v, half2, Direction::Left, c);
      break;
    case MediaGlyph::Record: Disc(v, Inset(box, 1), c); break;
    case MediaGlyph::Eject:
      Triangle(v, {box.left, box.top + 1, box.right, box.top + 6}, Direction::Up, c);
      FillSolid(v, {box.left, box.bottom - 2, box.right - 1, box.bottom}, c);
      break;
  }
}

void DrawMediaPlayer(BitmapView v, const std::vector<MediaButtonPaint>& plan, const TSkinElements& s, const Palette& pal) {
  FillSolid(v, {0, 0, v.width, v.height}, pal.face);
  for (const MediaButtonPaint& b : plan) {
    if (s.Buttons.HasBitmap()) DrawElement(v, b.rect, s.Buttons, b.frame, 5);
    else Outline(v, b.rect, pal.shadow);
    const auto glyph = static_cast<MediaGlyph>(b.button);
    const ColorRef ink = !b.enabled ? pal.disabledText : glyph == MediaGlyph::Record ? kRecordRed : pal.buttonText;
    DrawMediaGlyph(v, b.frame == 2 ? Offset(b.rect, 1, 1) : b.rect, glyph, ink);
  }
}

}  // namespace quillet::skin
