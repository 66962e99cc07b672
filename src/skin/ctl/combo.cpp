#include "skin/ctl/combo.h"

#include <algorithm>

#include "skin/painter.h"

namespace quillet::skin {

namespace {

int Frames(const TDataSkinObject& e) { return std::max(e.Frame, 1); }

// The element the combined picture is drawn from: the mirrored one for a button at the left.
const TDataSkinObject& CombinedPicture(const ComboInput& in, const TSkinElements& s) {
  return in.leftScrollBar && s.SunkEdge ? static_cast<const TDataSkinObject&>(*s.SunkEdge) : *s.ComboButton;
}

}  // namespace

int ComboStateFrame(bool pressed, bool focused, bool hot, bool enabled) {
  if (!enabled) return 3;
  if (pressed) return 2;
  if (focused || hot) return 4;
  return 1;
}

ComboPaint PlanCombo(const ComboInput& in, const TSkinElements& s) {
  ComboPaint p;
  if (!s.ComboButton || !s.ComboButton->HasBitmap() || in.buttonInvisible) return p;
  const TDataSkinBorder& cb = *s.ComboButton;
  p.draw = true;
  p.frame = ComboStateFrame(in.pressed, in.focused, in.hot, in.enabled);
  p.button = in.infoButton;
  const Rect r{0, 0, in.width, in.height};
  const Rect inner = Inset(r, 2);
  if (cb.Style == 1) {
    p.look = ComboLook::ButtonStrip;
    const int strip = in.cyVThumb;
    const int bw = cb.Bitmap.Width() / Frames(cb);
    Rect b = in.leftScrollBar ? Rect{inner.left, inner.top, inner.left + bw, inner.bottom}
                              : Rect{inner.right - bw, inner.top, inner.right, inner.bottom};
    if (cb.Bitmap.Height() < in.cyVThumb) b.bottom = std::min(b.bottom, b.top + cb.Bitmap.Height());
    p.button = b;
    p.keep = in.leftScrollBar ? Rect{inner.left + strip, inner.top, inner.right, inner.bottom}
                              : Rect{inner.left, inner.top, inner.right - strip, inner.bottom};
  } else if (in.extended) {
    p.look = ComboLook::Extended;
  } else if (cb.Style == 2) {
    p.look = ComboLook::Combined;
    const TDataSkinObject& e = CombinedPicture(in, s);
    p.keep = {e.LeftWidth, e.TopHeight, in.width - e.RightWidth, in.height - e.BottomHeight};
  } else {
    p.look = ComboLook::SunkEdge;
    const int bw = in.cxHScroll + 2;
    p.button = in.leftScrollBar ? Rect{inner.left, inner.top, inner.left + bw, inner.bottom}
                                : Rect{inner.right - bw, inner.top, inner.right, inner.bottom};
    p.keep = in.leftScrollBar ? Rect{p.button.right, inner.top, inner.right, inner.bottom}
                              : Rect{inner.left, inner.top, p.button.left, inner.bottom};
  }
  return p;
}

void DrawCombo(BitmapView v, const ComboInput& in, const ComboPaint& p, const TSkinElements& s, const Palette& pal) {
  if (!p.draw) return;
  const TDataSkinBorder& cb = *s.ComboButton;
  const Rect r{0, 0, in.width, in.height};
  switch (p.look) {
    case ComboLook::ButtonStrip: {
      Outline(v, Inset(r, 1), in.background);
      const Rect inner = Inset(r, 2);
      FillSolid(v, in.leftScrollBar ? Rect{inner.left, inner.top, inner.left + in.cyVThumb, inner.bottom}
                                    : Rect{inner.right - in.cyVThumb, inner.top, inner.right, inner.bottom},
                in.background);
      Outline(v, r, pal.shadow);
      DrawElement(v, p.button, cb, p.frame, Frames(cb));
      break;
    }
    case ComboLook::Extended: {
      if (in.clientSmaller) {
        Outline(v, r, pal.shadow);
        Outline(v, Inset(r, 1), 0xFFFFFF);
      }
      FillSolid(v, in.firstChild, pal.face);
      if (s.ComboxArrow && s.ComboxArrow->HasBitmap()) {
        // The arrow takes the end of the child where a combo box has its button.
        const TDataSkinObject& a = *s.ComboxArrow;
        const int aw = std::min(a.Bitmap.Width() / Frames(a), in.firstChild.Width());
        const Rect at = in.leftScrollBar
                            ? Rect{in.firstChild.left, in.firstChild.top, in.firstChild.left + aw, in.firstChild.bottom}
                            : Rect{in.firstChild.right - aw, in.firstChild.top, in.firstChild.right, in.firstChild.bottom};
        DrawElement(v, at, a, p.frame, Frames(a));
      }
      break;
    }
    case ComboLook::Combined: {
      const TDataSkinObject& e = CombinedPicture(in, s);
      const bool mirrored = &e != static_cast<const TDataSkinObject*>(&cb);
      const int n = Frames(cb);
      DrawFrame(v, r, {&e.Bitmap, mirrored ? MirroredFrame(p.frame, n) : p.frame, n, false}, MarginsOf(e),
                e.Tile == 1, true);
      break;
    }
    case ComboLook::SunkEdge: {
      // Over the whole control: the inner area is left out when the result is copied.
      if (s.SunkEdge) DrawElement(v, r, *s.SunkEdge, p.frame, Frames(*s.SunkEdge));
      const int n = Frames(cb);
      if (in.leftScrollBar && !cb.Bitmap2.Empty())
        DrawFrame(v, p.button, {&cb.Bitmap2, MirroredFrame(p.frame, n), n, false}, MarginsOf(cb), cb.Tile == 1,
                  cb.Trans != 0);
      else
        DrawElement(v, p.button, cb, p.frame, n);
      if (s.ExtraImages && s.ExtraImages->HasBitmap()) {
        const TDataSkinObject& x = *s.ExtraImages;
        const int gw = x.Bitmap.Width() / Frames(x), gh = x.Bitmap.Height();
        DrawFrame(v, CentreIn(p.button, gw, gh), {&x.Bitmap, p.frame, Frames(x), false}, {}, false, true);
      }
      break;
    }
  }
}

}  // namespace quillet::skin

