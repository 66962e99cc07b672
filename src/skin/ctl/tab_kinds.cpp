#include "skin/ctl/tab_kinds.h"

#include <algorithm>
#include <climits>

#include "skin/painter.h"

namespace quillet::skin {

int TabButtonFrame(int tabFrame) {
  switch (tabFrame) {
    case 2: return 2;
    case 3: return 4;
    case 4: return 3;
    default: return 1;
  }
}

bool DrawTabButtons(BitmapView composition, const TabStripPaint& p, const TSkinElements& s, ColorRef background) {
  if (!s.Buttons.HasBitmap()) return false;
  FillSolid(composition, {0, 0, p.width, p.height}, background);
  for (const TabItemPaint& t : p.items)
    DrawElement(composition, Inset(t.text, 1, 0), s.Buttons, TabButtonFrame(t.frame), 5);
  return true;
}

Rect TabSetAdjusted(int width, const std::vector<Rect>& items) {
  int top = INT_MAX;
  for (const Rect& r : items) top = std::min(top, r.top);
  if (items.empty()) top = 0;
  // TCM_ADJUSTRECT's rectangle lies 4 pixels inside the pane's.
  return {4, -4 - 64, width - 4, top - 4};
}

void DrawAdvPane(BitmapView client, const TabStripPaint& p, const TabImages& img, const TSkinElements& s) {
  if (s.SunkEdge && s.SunkEdge->HasBitmap()) {
    DrawElement(client, p.display, *s.SunkEdge, 1, std::max(1, s.SunkEdge->Frame));
    return;
  }
  DrawTabPane(client, p, img);
}

}  // namespace quillet::skin
