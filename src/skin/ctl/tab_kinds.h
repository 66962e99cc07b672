// The tab skins beside the tab control's own: button-style page controls (TSkinTabBtn), tab sets
// (TSkinTab31) and page controls of other toolkits (TSkinAdvPage). They share the tab control's
// plan (ctl/tab.h) and differ in what they draw from it.
//
// The window layer plans as for the tab control. For a tab set it first takes the display
// rectangle from TabSetAdjusted, so the pane's edge runs along the top of the tabs; for button
// tabs it draws DrawTabButtons instead of the strip and no pane; for other page controls
// DrawAdvPane instead of the pane.
#pragma once

#include <vector>

#include "skin/bitmap.h"
#include "skin/ctl/tab.h"
#include "skin/elements.h"

namespace quillet::skin {

// The "Buttons" frame for a tab whose "Tabs" frame is `tabFrame`: the selected tab pressed (2),
// hot 4, a disabled control's 3, else 1.
int TabButtonFrame(int tabFrame);
// The strip on `background`, each tab a button of the "Buttons" picture over its own rectangle.
// False (nothing drawn) without the picture.
bool DrawTabButtons(BitmapView composition, const TabStripPaint& p, const TSkinElements& s, ColorRef background);

// A tab set's tabs hang from the edge above them: the display rectangle (as TCM_ADJUSTRECT would
// give it) ends where the highest tab begins.
Rect TabSetAdjusted(int width, const std::vector<Rect>& items);

// The page frame from the skin's "SunkEdge" when it has one, else the tab control's pane.
void DrawAdvPane(BitmapView client, const TabStripPaint& p, const TabImages& img, const TSkinElements& s);

}  // namespace quillet::skin
