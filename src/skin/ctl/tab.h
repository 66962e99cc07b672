// The tab control skin (TSkinTab): the tab strip and the pane, in each of the four
// orientations, with close boxes on the tabs of some page controls.
//
// At attach the window layer calls PrepareTabImages with the orientation from the style. To
// paint it gathers the client size, TCM_ADJUSTRECT of the client rectangle, every tab's
// TCM_GETITEMRECT, TCM_GETCURFOCUS, the image list's image size and whether the control is
// enabled, and asks PlanTabStrip. It composes a bitmap of the plan's width x height (the
// strip as if the tabs were on top, for tabs on the left or right), draws DrawTabStrip into
// it, then each tab's text (TCM_GETITEM, at most 80 characters, centred in `text`, in the
// control's font and `textColor`) and image; TurnTabStrip puts the result the right way
// round, and it is copied to `strip` in the client area, leaving out a visible scroller. Then
// DrawTabPane over the client area (the display rectangle) and a toolkit control's graphic
// children. In close-box mode a left press at TabCloseBoxAt asks the form to close that page.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/bitmap.h"
#include "skin/ctl/draw.h"
#include "skin/elements.h"
#include "skin/painter.h"

namespace quillet::skin {

enum class TabOrientation { Top, Bottom, Left, Right };

constexpr TabOrientation TabOrientationFromStyle(std::uint32_t style) {
  const bool bottom = (style & 0x2) != 0, vertical = (style & 0x80) != 0;  // TCS_BOTTOM, TCS_VERTICAL
  if (vertical) return bottom ? TabOrientation::Right : TabOrientation::Left;
  return bottom ? TabOrientation::Bottom : TabOrientation::Top;
}

// A page control whose owner has Tag 7777 shows close boxes on its tabs, when they are on top.
constexpr bool TabHasCloseBoxes(bool pageControl, int ownerTag, TabOrientation o) {
  return pageControl && ownerTag == 7777 && o == TabOrientation::Top;
}

// The "Tabs" picture's frames: 1 normal, 2 the tab with the focus, 3 hot, 4 a tab of a
// disabled control (5, the focused tab again, is not used).
int TabFrame(bool focused, bool hot, bool enabled);

struct TabImages {
  TabOrientation orientation = TabOrientation::Top;
  Bitmap32 tab;   // "Tabs", mirrored top to bottom for tabs at the bottom
  Bitmap32 pane;  // "Tab.Pane" or the "Tabs" border picture, turned to face the tabs
  int tabFrames = 5;
  Margins tabMargins, paneMargins;
  bool tabTile = false, tabTrans = false;
  ColorRef normalText = 0, focusedText = 0, disabledText = 0;
};
TabImages PrepareTabImages(const TSkinElements& s, TabOrientation o, const SkinSystem& system);

struct TabStripInput {
  int width = 0, height = 0;  // the client area
  Rect adjusted;              // TCM_ADJUSTRECT of the client rectangle
  std::vector<Rect> items;    // TCM_GETITEMRECT of each tab
  int focused = -1;           // TCM_GETCURFOCUS
  int hot = -1;
  bool enabled = true;
  bool closeBoxes = false;
  int imageWidth = 0, imageHeight = 0;  // the image list's, 0 without one
};

struct TabItemPaint {
  int index = 0;
  int frame = 1;
  Rect tab;       // the picture, in the composition
  Rect text;      // the text is centred in this
  Rect image;     // empty without an image list
  Rect closeBox;  // empty without close boxes
  ColorRef textColor = 0;
};

struct TabStripPaint {
  TabOrientation orientation = TabOrientation::Top;
  Rect display;  // the pane: the adjusted rectangle grown by 4 on each side
  Rect strip;    // where the strip goes in the client area
  int width = 0, height = 0;         // the composition's size
  std::vector<TabItemPaint> items;   // in drawing order, the focused tab last
};

TabStripPaint PlanTabStrip(const TabStripInput& in, const TabImages& img);
void DrawTabStrip(BitmapView composition, const TabStripPaint& p, const TabImages& img, ColorRef background);
// The composition turned into the strip's place (a copy for tabs on top or at the bottom).
Bitmap32 TurnTabStrip(const Bitmap32& composition, TabOrientation o);
void DrawTabPane(BitmapView client, const TabStripPaint& p, const TabImages& img);
// The tab whose close box holds the point (client coordinates), or -1.
int TabCloseBoxAt(const TabStripPaint& p, Point client);

}  // namespace quillet::skin
