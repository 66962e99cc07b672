// Skinned menus as geometry and decisions: menu-bar buttons, item measuring, where an item's
// glyph and texts go, and the states of the skinned system menu's items. The window layer measures
// texts with the menu font and draws texts, images and check marks with the system; the pictures
// come from the element painter.
#pragma once

#include <string>
#include <vector>

#include "skin/bitmap.h"
#include "skin/elements.h"
#include "skin/nc_layout.h"

namespace quillet::skin {

// Menu-bar buttons placed left to right (right to left in RTL windows) over a band of the given
// width; `textWidths` are the items' caption widths in the menu font.
std::vector<Rect> LayoutMenuBar(const TSkinElements& e, int bandWidth, int bandHeight,
                                const std::vector<int>& textWidths, bool rtl);
int MenuBarItemAt(const std::vector<Rect>& items, int x, int y);

// Item measuring of a native menu's owner-drawn item: `textWidth` and `textHeight` in the menu
// font; separators are 8 high.
void MeasureNativeMenuItem(const TSkinElements& e, bool separator, int textWidth, int textHeight, int& width,
                           int& height);
// Item measuring of the skin's own popup menus (the skinned system menu), which have images.
void MeasurePopupMenuItem(const TSkinElements& e, bool separator, bool hasImages, int textWidth, int textHeight,
                          int& width, int& height);

struct MenuItemLayout {
  Rect glyph;    // the image or check-mark box
  Rect caption;  // the caption's box; the text is centred in it vertically
  int shortcutRight = 0;
};
// `item` is the item's rectangle in its own coordinates (0, 0, w, h).
MenuItemLayout LayoutMenuItem(const TSkinElements& e, const Rect& item, int imageWidth, bool checked, bool rtl);

// The "MenuItem" picture's frames, side by side.
inline constexpr int kMenuItemFrames = 5, kMenuItemNormalFrame = 1, kMenuItemSelectedFrame = 4;

// The item's background: the popup window's background picture under it (`itemX`, `itemY`: the
// item's place in that picture) or the "Menu" colour, then the "MenuItem" picture, frame 1 or 4 (selected) of 5.
// Separators get only the background.
void PaintMenuItemBack(BitmapView dst, const TSkinElements& e, const Bitmap32* windowBack, int itemX, int itemY,
                       bool selected, bool separator, ColorRef menuColor);

// The popup window's background: "MenuBackground" over the whole window.
Bitmap32 RenderMenuBackground(const TSkinElements& e, int width, int height);

// One item of the skinned system menu, mirrored from the native system menu.
struct SystemMenuItem {
  unsigned id = 0;        // SC_* command, 0 for a separator
  bool enabled = true;
  bool checked = false;
  int glyph = -1;         // index into the menu glyphs: 0 restore, 1 maximise, 2 minimise, 3 close
};
// `nativeGrayed` / `nativeChecked`: the native item's flags.
SystemMenuItem SystemMenuItemState(unsigned id, bool nativeGrayed, bool nativeChecked, const FrameState& s);

// The system's command numbers the skinned system menu knows.
namespace sc {
constexpr unsigned Size = 0xF000, Move = 0xF010, Minimize = 0xF020, Maximize = 0xF030, NextWindow = 0xF040,
                   PrevWindow = 0xF050, Close = 0xF060, KeyMenu = 0xF100, Restore = 0xF120, ContextHelp = 0xF180;
}
bool IsSystemCommand(unsigned id);

}  // namespace quillet::skin
