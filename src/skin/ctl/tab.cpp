#include "skin/ctl/tab.h"

#include <algorithm>

namespace quillet::skin {

namespace {

// A quarter turn anticlockwise: the top edge becomes the left edge.
Bitmap32 TurnedLeft(const Bitmap32& b) {
  Bitmap32 out(b.Height(), b.Width());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) out.Set(y, b.Width() - 1 - x, b.At(x, y));
  return out;
}

// A quarter turn clockwise: the top edge becomes the right edge.
Bitmap32 TurnedRight(const Bitmap32& b) {
  Bitmap32 out(b.Height(), b.Width());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) out.Set(b.Height() - 1 - y, x, b.At(x, y));
  return out;
}

Margins Turned(Margins m, TabOrientation o) {
  switch (o) {
    case TabOrientation::Top:
      return m;
    case TabOrientation::Bottom:
      return {m.left, m.bottom, m.right, m.top};
    case TabOrientation::Left:
      return {m.top, m.right, m.bottom, m.left};
    case TabOrientation::Right:
      return {m.bottom, m.left, m.top, m.right};
  }
  return m;
}

Bitmap32 Turned(const Bitmap32& b, TabOrientation o) {
  switch (o) {
    case TabOrientation::Bottom:
      return b.FlippedTopBottom();
    case TabOrientation::Left:
      return TurnedLeft(b);
    case TabOrientation::Right:
      return TurnedRight(b);
    default:
      return b;
  }
}

// A strip rectangle (relative to the strip) in the composition, where the tabs stand on top.
Rect ToComposition(const Rect& r, const TabStripPaint& p) {
  switch (p.orientation) {
    case TabOrientation::Left:
      return {p.width - r.bottom, r.left, p.width - r.top, r.right};
    case TabOrientation::Right:
      return {r.top, p.height - r.right, r.bottom, p.height - r.left};
    default:
      return r;
  }
}

void DrawCross(BitmapView v, const Rect& r, ColorRef c) {
  const int n = std::min(r.Width(), r.Height());
  for (int i = 0; i < n; ++i) {
    FillSolid(v, {r.left + i, r.top + i, r.left + i + 1, r.top + i + 1}, c);
    FillSolid(v, {r.left + n - 1 - i, r.top + i, r.left + n - i, r.top + i + 1}, c);
  }
}

}  // namespace

int TabFrame(bool focused, bool hot, bool enabled) {
  if (focused) return 2;
  if (!enabled) return 4;
  return hot ? 3 : 1;
}

TabImages PrepareTabImages(const TSkinElements& s, TabOrientation o, const SkinSystem& system) {
  TabImages img;
  img.orientation = o;
  img.disabledText = system.SysColor(sys::BtnShadow);
  const ColorRef buttonText = system.Resolve(s.Color(slot::ButtonText));
  img.normalText = img.focusedText = buttonText;
  if (!s.Tabs) return img;
  const TDataSkinBorder& tabs = *s.Tabs;
  // A colour the skin leaves out would be the face colour: text on the tab's own colour.
  if (tabs.NormalColourPresent) img.normalText = system.Resolve(tabs.NormalColour2);
  if (tabs.MouseOverColourPresent) img.focusedText = system.Resolve(tabs.MouseOverColour2);
  img.tabFrames = std::max(tabs.Frame, 1);
  img.tabTile = tabs.Tile == 1;
  img.tabTrans = tabs.Trans != 0;
  img.tab = o == TabOrientation::Bottom ? tabs.Bitmap.FlippedTopBottom() : tabs.Bitmap;
  img.tabMargins = o == TabOrientation::Bottom ? Turned(MarginsOf(tabs), o) : MarginsOf(tabs);
  const bool paneElement = tabs.Style == 1 && s.TabPane && s.TabPane->HasBitmap();
  img.pane = Turned(paneElement ? s.TabPane->Bitmap : tabs.Bitmap2, o);
  img.paneMargins = Turned(TabPaneMargins(s), o);
  return img;
}

TabStripPaint PlanTabStrip(const TabStripInput& in, const TabImages& img) {
  TabStripPaint p;
  p.orientation = img.orientation;
  p.display = Inset(in.adjusted, -4);
  const Rect& d = p.display;
  switch (p.orientation) {
    case TabOrientation::Top:
      p.strip = {0, 0, in.width, std::max(d.top, 0)};
      break;
    case TabOrientation::Bottom:
      p.strip = {0, std::min(d.bottom, in.height), in.width, in.height};
      break;
    case TabOrientation::Left:
      p.strip = {0, 0, std::max(d.left, 0), in.height};
      break;
    case TabOrientation::Right:
      p.strip = {std::min(d.right, in.width), 0, in.width, in.height};
      break;
  }
  const bool turned = p.orientation == TabOrientation::Left || p.orientation == TabOrientation::Right;
  p.width = turned ? p.strip.Height() : p.strip.Width();
  p.height = turned ? p.strip.Width() : p.strip.Height();

  const int count = static_cast<int>(in.items.size());
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < count; ++i) {
      const bool focused = i == in.focused;
      if (focused != (pass == 1)) continue;
      TabItemPaint t;
      t.index = i;
      t.frame = TabFrame(focused, i == in.hot, in.enabled);
      t.textColor = !in.enabled ? img.disabledText : focused ? img.focusedText : img.normalText;
      const Rect item = ToComposition(Offset(in.items[i], -p.strip.left, -p.strip.top), p);
      // The picture runs from just above the tab to the pane, so the tab meets it; the tab
      // with the focus stands out a little to each side.
      t.tab = p.orientation == TabOrientation::Bottom ? Rect{item.left, 0, item.right, item.bottom + 2}
                                                      : Rect{item.left, item.top - 2, item.right, p.height};
      if (focused) t.tab = Inset(t.tab, -2, 0);
      t.tab.top = std::max(t.tab.top, 0);
      t.tab.bottom = std::min(t.tab.bottom, p.height);
      t.text = item;
      if (in.closeBoxes) {
        const int side = std::min(9, item.Height() - 6);
        if (side >= 5) {
          const int right = item.right - 5, top = item.top + (item.Height() - side) / 2;
          t.closeBox = {right - side, top, right, top + side};
          t.text.right = t.closeBox.left - 2;
        }
      }
      if (in.imageWidth > 0) {
        const int top = item.top + (item.Height() - in.imageHeight) / 2;
        t.image = {item.left + 6, top, item.left + 6 + in.imageWidth, top + in.imageHeight};
        t.text.left = t.image.right + 3;
      }
      p.items.push_back(t);
    }
  }
  return p;
}

void DrawTabStrip(BitmapView composition, const TabStripPaint& p, const TabImages& img, ColorRef background) {
  FillSolid(composition, {0, 0, p.width, p.height}, background);
  for (const TabItemPaint& t : p.items) {
    DrawFrame(composition, t.tab, {&img.tab, t.frame, img.tabFrames, false}, img.tabMargins, img.tabTile,
              img.tabTrans);
    DrawCross(composition, Inset(t.closeBox, 1), t.textColor);
  }
}

Bitmap32 TurnTabStrip(const Bitmap32& composition, TabOrientation o) {
  if (o == TabOrientation::Left) return TurnedLeft(composition);
  if (o == TabOrientation::Right) return TurnedRight(composition);
  return composition;
}

void DrawTabPane(BitmapView client, const TabStripPaint& p, const TabImages& img) {
  DrawFrame(client, p.display, {&img.pane, 1, 1, false}, img.paneMargins, false, false);
}

int TabCloseBoxAt(const TabStripPaint& p, Point client) {
  if (p.orientation != TabOrientation::Top) return -1;
  for (const TabItemPaint& t : p.items)
    if (Contains(t.closeBox, client.x - p.strip.left, client.y - p.strip.top)) return t.index;
  return -1;
}

}  // namespace quillet::skin
