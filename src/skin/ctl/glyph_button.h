// The glyph, speed and menu button skins (TSkinBitButton, TSkinSpeedButton, TSkinMenuButton):
// which image of a glyph a state shows and how it is drawn, the speed button's frames, and the
// menu button's arrow part.
//
// The window layer reads the glyph bitmap from the control's "Glyph" property (or the property
// the map named, "PngImage", whose bitmap carries alpha) into a Bitmap32 once per handle, with
// "NumGlyphs", "Layout", "Spacing" and "Margin". It paints as the push button does (the frame
// from PlanButton, or for speed buttons SpeedButtonLook), measures the caption, asks
// base::PlaceGlyph inside the text area (the caption part of SplitMenuButton for menu buttons),
// draws DrawGlyph at the picture's place and the caption at the text's, and for menu buttons
// DrawMenuButtonArrow.
#pragma once

#include <optional>

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"
#include "skin/painter.h"

namespace quillet::skin {

// A button's picture: `count` images side by side (up, disabled, clicked, down).
struct GlyphImage {
  const Bitmap32* bitmap = nullptr;
  int count = 1;
  bool alpha = false;  // the top byte of each pixel is its opacity; else the bottom-left pixel's
                       // colour is transparent
  int Width() const { return bitmap && count > 0 ? bitmap->Width() / count : 0; }
  int Height() const { return bitmap ? bitmap->Height() : 0; }
};

struct GlyphState {
  bool enabled = true;
  bool pressed = false;
  bool down = false;
};
// The image a state shows: 1 disabled, 2 clicked, 3 down (0-based), each only when the glyph has
// it; else the up image, greyed when disabled.
int GlyphImageIndex(const GlyphState& s, int count);
constexpr bool GlyphDrawnGreyed(const GlyphState& s, int count) { return !s.enabled && count < 2; }

// Draws image `index` with its top-left corner at `at`. Greyed, every pixel it shows becomes a
// grey of its brightness, lightened towards `face`.
void DrawGlyph(BitmapView v, const GlyphImage& g, int index, Point at, bool greyed, ColorRef face);

// Speed buttons.
struct SpeedButtonState {
  bool pressed = false;
  bool hot = false;
  bool down = false;
  bool enabled = true;
  bool flat = false;
};

// What a speed button's face is drawn from and in which frame; none for a flat button at rest.
// The "Buttons" picture: 3 disabled, 2 pressed or down, 4 hot, 1 at rest. Tool-bar buttons with
// the skin's "ToolBars" picture (xoToolbarButton) take its frames instead: 2 hot, 3 pressed,
// 4 down, 5 disabled. A skin without "Buttons" still has its menu bar: frame 1 at rest, 2 lit.
struct FaceLook {
  const TDataSkinObject* element = nullptr;
  int frame = 1;
  int frames = 1;
  bool vertical = false;
};
std::optional<FaceLook> SpeedButtonLook(const TSkinElements& s, const SpeedButtonState& st, bool toolbarButton);
void DrawFaceLook(BitmapView v, const FaceLook& look);

// Menu buttons: the arrow takes the right end of the face, past a divider.
struct MenuButtonParts {
  Rect caption;
  Rect divider;
  Rect arrow;
};
MenuButtonParts SplitMenuButton(const Rect& face, int dpi = 96);
// The divider in "ButtonShadow" and a down arrow in the text colour.
void DrawMenuButtonArrow(BitmapView v, const MenuButtonParts& parts, ColorRef shadow, ColorRef text, bool pressed);

}  // namespace quillet::skin
