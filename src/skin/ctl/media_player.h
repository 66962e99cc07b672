// The media player skin (TSkinMP) and the panel it lays over the player (TWMediaPlayer): where
// each visible button is, its frame, and the buttons drawn from the skin's "Buttons" picture with
// glyphs of their own.
//
// The panel reads the player's "VisibleButtons", "EnabledButtons" and "PressedButton" properties,
// WS_DISABLED, and the button under the pointer (MediaButtonAt), asks PlanMediaPlayer and draws
// DrawMediaPlayer onto a bitmap of its size. It shares the bar out as the player does, so a press
// it hands on lands on the same button.
#pragma once

#include <vector>

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"

namespace quillet::skin {

enum class MediaGlyph { Play, Pause, Stop, Next, Prev, Step, Back, Record, Eject };
inline constexpr int kMediaGlyphs = 9;

struct MediaPlayerInput {
  int width = 0, height = 0;
  unsigned visible = 0, enabled = 0;  // bit k for button k
  int pressed = -1, hot = -1;
  bool controlEnabled = true;
};

struct MediaButtonPaint {
  int button = 0;
  Rect rect;
  int frame = 1;  // of "Buttons": 1 normal, 2 pressed, 3 disabled, 4 hot
  bool enabled = true;
};

std::vector<MediaButtonPaint> PlanMediaPlayer(const MediaPlayerInput& in);
// The visible button at a point, or -1.
int MediaButtonAt(const std::vector<MediaButtonPaint>& plan, Point at);

// A glyph centred in r.
void DrawMediaGlyph(BitmapView v, const Rect& r, MediaGlyph g, ColorRef c);
void DrawMediaPlayer(BitmapView v, const std::vector<MediaButtonPaint>& plan, const TSkinElements& s, const Palette& pal);

}  // namespace quillet::skin
