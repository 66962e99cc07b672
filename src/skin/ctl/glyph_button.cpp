#include "skin/ctl/glyph_button.h"

#include <algorithm>

namespace quillet::skin {

namespace {

int Luma(Pixel p) { return (static_cast<int>((p >> 16) & 0xFF) * 30 + static_cast<int>((p >> 8) & 0xFF) * 59 + static_cast<int>(p & 0xFF) * 11) / 100; }

int Channel(Pixel p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }

Pixel Mix(Pixel over, Pixel under, int alpha) {
  auto ch = [&](int shift) { return (Channel(over, shift) * alpha + Channel(under, shift) * (255 - alpha) + 127) / 255; };
  return Rgb(ch(16), ch(8), ch(0));
}

}  // namespace

int GlyphImageIndex(const GlyphState& s, int count) {
  if (!s.enabled) return count >= 2 ? 1 : 0;
  if (s.pressed) return count >= 3 ? 2 : 0;
  if (s.down) return count >= 4 ? 3 : 0;
  return 0;
}

void DrawGlyph(BitmapView v, const GlyphImage& g, int index, Point at, bool greyed, ColorRef face) {
  const int w = g.Width(), h = g.Height();
  if (w <= 0 || h <= 0 || index < 0 || index >= g.count) return;
  const int x0 = index * w;
  const Pixel key = g.bitmap->At(x0, h - 1) & 0xFFFFFF;
  const int faceLuma = Luma(PixelFromColorRef(face));
  for (int y = std::max(0, -at.y); y < h && at.y + y < v.height; ++y) {
    Pixel* row = v.Row(at.y + y);
    for (int x = std::max(0, -at.x); x < w && at.x + x < v.width; ++x) {
      const Pixel src = g.bitmap->At(x0 + x, y);
      int alpha = 255;
      if (g.alpha) alpha = static_cast<int>(src >> 24);
      else if ((src & 0xFFFFFF) == key) alpha = 0;
      if (alpha == 0) continue;
      Pixel color = src & 0xFFFFFF;
      if (greyed) {
        const int grey = (Luma(color) + 2 * faceLuma) / 3;
        color = Rgb(grey, grey, grey);
      }
      Pixel& dst = row[at.x + x];
      dst = alpha == 255 ? color : Mix(color, dst, alpha);
    }
  }
}

std::optional<FaceLook> SpeedButtonLook(const TSkinElements& s, const SpeedButtonState& st, bool toolbarButton) {
  const bool lit = st.enabled && (st.pressed || st.down || st.hot);
  if (toolbarButton && s.ToolBars && s.ToolBars->HasBitmap()) {
    const int frame = !st.enabled ? 5 : st.pressed ? 3 : st.down ? 4 : st.hot ? 2 : 0;
    if (frame == 0) return std::nullopt;  // at rest the bar's background shows
    return FaceLook{&*s.ToolBars, frame, 5, false};
  }
  if (s.Buttons.HasBitmap()) {
    if (st.flat && !lit) return std::nullopt;
    const int frame = !st.enabled ? 3 : (st.pressed || st.down) ? 2 : st.hot ? 4 : 1;
    return FaceLook{&s.Buttons, frame, 5, false};
  }
  if (s.MenuBar.HasBitmap()) {
    if (st.flat && !lit) return std::nullopt;
    return FaceLook{&s.MenuBar, lit ? 2 : 1, 2, true};
  }
  return std::nullopt;
}

void DrawFaceLook(BitmapView v, const FaceLook& look) {
  DrawElement(v, {0, 0, v.width, v.height}, *look.element, look.frame, look.frames, look.vertical);
}

MenuButtonParts SplitMenuButton(const Rect& face, int dpi) {
  const int kArrow = base::ScaleToDpi(14, dpi);
  MenuButtonParts p;
  const int left = std::max(face.left, face.right - kArrow);
  p.arrow = {left, face.top, face.right, face.bottom};
  p.divider = {left - 1, face.top + 3, left, face.bottom - 3};
  p.caption = {face.left, face.top, std::max(face.left, left - 2), face.bottom};
  return p;
}

void DrawMenuButtonArrow(BitmapView v, const MenuButtonParts& parts, ColorRef shadow, ColorRef text, bool pressed) {
  FillSolid(v, parts.divider, shadow);
  DrawArrowGlyph(v, pressed ? Offset(parts.arrow, 1, 1) : parts.arrow, Direction::Down, text);
}

}  // namespace quillet::skin
