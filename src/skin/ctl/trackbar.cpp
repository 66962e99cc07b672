#include "skin/ctl/trackbar.h"

#include <algorithm>

#include "skin/painter.h"

namespace quillet::skin {

namespace {

constexpr int kTick = 3, kEndTick = 5, kTickGap = 2;

const TDataSkinObject* Present(const std::optional<TDataSkinObject>& e) { return e && e->HasBitmap() ? &*e : nullptr; }

}  // namespace

ThumbShape TrackThumbShape(std::uint32_t style) {
  const bool vert = style & tbs::Vert;
  if (style & tbs::Both) return vert ? ThumbShape::Vert : ThumbShape::Horz;
  if (style & tbs::TopOrLeft) return vert ? ThumbShape::Left : ThumbShape::Up;
  return vert ? ThumbShape::Right : ThumbShape::Down;
}

const TDataSkinObject* TrackThumbElement(const TSkinElements& s, ThumbShape shape) {
  switch (shape) {
    case ThumbShape::Horz: return Present(s.TrackbarThumbHorz);
    case ThumbShape::Vert: return Present(s.TrackbarThumbVert);
    case ThumbShape::Up: return Present(s.TrackbarThumbUp);
    case ThumbShape::Down: return Present(s.TrackbarThumbDown);
    case ThumbShape::Left: return Present(s.TrackbarThumbLeft);
    case ThumbShape::Right: return Present(s.TrackbarThumbRight);
  }
  return nullptr;
}

int TrackThumbFrame(bool dragged, bool hot, bool focused, bool enabled) {
  if (!enabled) return 4;
  if (dragged) return 3;
  if (hot) return 2;
  return focused ? 5 : 1;
}

TrackPaint PlanTrackBar(const TrackInput& in) {
  TrackPaint p;
  const bool vert = in.style & tbs::Vert;
  p.channel = in.channel;
  // The control's own channel can be a hairline; the skin's groove needs room for its edges.
  if (vert && p.channel.Width() < 4) {
    p.channel.left = (p.channel.left + p.channel.right) / 2 - 2;
    p.channel.right = p.channel.left + 4;
  }
  if (!vert && p.channel.Height() < 4) {
    p.channel.top = (p.channel.top + p.channel.bottom) / 2 - 2;
    p.channel.bottom = p.channel.top + 4;
  }
  p.thumb = !(in.style & tbs::NoThumb);
  p.shape = TrackThumbShape(in.style);
  p.thumbFrame = TrackThumbFrame(in.dragged, in.hot, in.focused, in.enabled);
  if (in.style & tbs::NoTicks) return p;
  const bool both = in.style & tbs::Both, before = (in.style & tbs::TopOrLeft) || both, after = !(in.style & tbs::TopOrLeft) || both;
  for (std::size_t i = 0; i < in.ticks.size(); ++i) {
    const int at = in.ticks[i];
    const int len = i == 0 || i + 1 == in.ticks.size() ? kEndTick : kTick;
    if (vert) {
      if (before) p.tickMarks.push_back({in.thumb.left - kTickGap - len, at, in.thumb.left - kTickGap, at + 1});
      if (after) p.tickMarks.push_back({in.thumb.right + kTickGap, at, in.thumb.right + kTickGap + len, at + 1});
    } else {
      if (before) p.tickMarks.push_back({at, in.thumb.top - kTickGap - len, at + 1, in.thumb.top - kTickGap});
      if (after) p.tickMarks.push_back({at, in.thumb.bottom + kTickGap, at + 1, in.thumb.bottom + kTickGap + len});
    }
  }
  return p;
}

void DrawTrackBar(BitmapView v, const TrackInput& in, const TrackPaint& p, const TSkinElements& s, const Palette& pal) {
  const bool vert = in.style & tbs::Vert;
  if (const TDataSkinObject* groove = Present(vert ? s.TrackVert : s.Track))
    DrawElement(v, p.channel, *groove, 1, std::max(1, groove->Frame));
  else
    Outline(v, p.channel, pal.shadow);
  for (const Rect& t : p.tickMarks) FillSolid(v, t, pal.shadow);
  if (!p.thumb || IsEmpty(in.thumb)) return;
  if (const TDataSkinObject* thumb = TrackThumbElement(s, p.shape)) {
    DrawElement(v, in.thumb, *thumb, p.thumbFrame, 5);
    return;
  }
  FillSolid(v, Inset(in.thumb, 1), in.enabled ? 0xFFFFFF : pal.face);
  Outline(v, in.thumb, in.dragged || in.hot ? pal.dkShadow : pal.shadow);
}

}  // namespace quillet::skin
