#include "skin/menu_layout.h"

#include <algorithm>

#include "base/dpi.h"
#include "skin/painter.h"

namespace quillet::skin {

namespace {
// Lengths here are 96-DPI pixels, used at the elements' DPI.
constexpr int kBarItemPadding = 8;  // each side of a menu-bar caption
constexpr int kGlyphSize = 16;
int Px(const TSkinElements& e, int v) { return base::ScaleToDpi(v, e.Dpi); }
}  // namespace

std::vector<Rect> LayoutMenuBar(const TSkinElements& e, int bandWidth, int bandHeight,
                                const std::vector<int>& textWidths, bool rtl) {
  int start = Px(e, 6);
  if (e.MenuBar.HasBitmap()) {
    start = rtl ? e.MenuBar.RightWidth + Px(e, 8) : e.MenuBar.LeftWidth + Px(e, 4);
    if (bandWidth < start) start = Px(e, 12);
  }
  std::vector<Rect> items;
  int x = start;
  for (int w : textWidths) {
    const int iw = w + 2 * Px(e, kBarItemPadding);
    if (rtl)
      items.push_back({bandWidth - x - iw, 0, bandWidth - x, bandHeight});
    else
      items.push_back({x, 0, x + iw, bandHeight});
    x += iw;
  }
  return items;
}

int MenuBarItemAt(const std::vector<Rect>& items, int x, int y) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    const Rect& r = items[i];
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
  }
  return -1;
}

void MeasureNativeMenuItem(const TSkinElements& e, bool separator, int textWidth, int textHeight, int& width,
                           int& height) {
  width = textWidth + Px(e, 26) + (e.MenuItem ? e.MenuItem->LeftWidth : 0);
  height = separator ? Px(e, 8) : textHeight + Px(e, 4);
}

void MeasurePopupMenuItem(const TSkinElements& e, bool separator, bool hasImages, int textWidth, int textHeight,
                          int& width, int& height) {
  // What an item needs by itself (glyph box, gaps, caption), then the skin's extra room.
  width = Px(e, 1 + kGlyphSize + 3) + textWidth + Px(e, 10);
  width += Px(e, 12) + (hasImages ? 0 : Px(e, 23)) + (e.MenuItem ? e.MenuItem->LeftWidth : 0);
  height = separator ? Px(e, 8) : std::max(textHeight + Px(e, 4), Px(e, kGlyphSize + 4));
}

MenuItemLayout LayoutMenuItem(const TSkinElements& e, const Rect& item, int imageWidth, bool checked, bool rtl) {
  const int margin = e.MenuItem ? e.MenuItem->LeftWidth : 0;
  const int glyph = Px(e, kGlyphSize), one = Px(e, 1);
  int gw = imageWidth > 0 ? imageWidth : glyph;
  if (checked) gw = std::max(gw, glyph);
  const int gh = std::min(std::max(imageWidth > 0 ? imageWidth : glyph, 1), std::max(item.Height() - 2 * one, 1));
  MenuItemLayout l;
  l.glyph = {item.left + one + margin, item.top + one, item.left + one + margin + gw, item.top + one + gh};
  // Glyphs centre vertically in the item.
  const int dy = (item.Height() - l.glyph.Height()) / 2 - one;
  if (dy > 0) {
    l.glyph.top += dy;
    l.glyph.bottom += dy;
  }
  l.caption = {l.glyph.right + Px(e, 3), item.top, item.right - one, item.bottom};
  l.shortcutRight = item.right - Px(e, 10);
  if (rtl) {
    // Mirrored: glyph at the right edge, texts to its left, shortcut from the left.
    const int w = item.Width();
    auto mirror = [&](Rect r) { return Rect{item.left + w - (r.right - item.left), r.top, item.left + w - (r.left - item.left), r.bottom}; };
    l.glyph = mirror(l.glyph);
    l.caption = mirror(l.caption);
    l.shortcutRight = item.left + Px(e, 10);
  }
  return l;
}

void PaintMenuItemBack(BitmapView dst, const TSkinElements& e, const Bitmap32* windowBack, int itemX, int itemY,
                       bool selected, bool separator, ColorRef menuColor) {
  if (windowBack && !windowBack->Empty()) {
    for (int y = 0; y < dst.height; ++y) {
      Pixel* d = dst.Row(y);
      const int sy = itemY + y;
      for (int x = 0; x < dst.width; ++x) {
        const int sx = itemX + x;
        d[x] = sx >= 0 && sy >= 0 && sx < windowBack->Width() && sy < windowBack->Height()
                   ? windowBack->At(sx, sy)
                   : PixelFromColorRef(menuColor);
      }
    }
  } else {
    const Pixel p = PixelFromColorRef(menuColor);
    for (int y = 0; y < dst.height; ++y) std::fill(dst.Row(y), dst.Row(y) + dst.width, p);
  }
  if (separator || !e.MenuItem) return;
  DrawElement(dst, {0, 0, dst.width, dst.height}, *e.MenuItem, selected ? kMenuItemSelectedFrame : kMenuItemNormalFrame,
              kMenuItemFrames);
}

Bitmap32 RenderMenuBackground(const TSkinElements& e, int width, int height) {
  if (!e.MenuBackground || !e.MenuBackground->HasBitmap() || width <= 0 || height <= 0) return {};
  Bitmap32 b(width, height, PixelFromColorRef(0));
  DrawFrame(b.View(), {0, 0, width, height}, {&e.MenuBackground->Bitmap, 1, 1, false},
            {e.MenuBackground->LeftWidth, e.MenuBackground->TopHeight, e.MenuBackground->RightWidth,
             e.MenuBackground->BottomHeight},
            e.MenuBackground->Tile == 1, false);
  return b;
}

SystemMenuItem SystemMenuItemState(unsigned id, bool nativeGrayed, bool nativeChecked, const FrameState& s) {
  SystemMenuItem item;
  item.id = id;
  item.checked = nativeChecked;
  const bool maximized = s.size == SizeState::Maximized, minimized = s.size == SizeState::Minimized;
  switch (id) {
    case sc::Size:
    case sc::Move: item.enabled = !maximized; break;
    case sc::Minimize:
      item.enabled = !minimized && s.minimizeBox;
      item.glyph = 2;
      break;
    case sc::Maximize:
      item.enabled = !maximized && s.maximizeBox;
      item.glyph = 1;
      break;
    case sc::Restore:
      item.enabled = s.size != SizeState::Normal;
      item.glyph = 0;
      break;
    case sc::Close: item.glyph = 3; break;
    default: break;
  }
  if (nativeGrayed) item.enabled = false;
  return item;
}

bool IsSystemCommand(unsigned id) {
  switch (id) {
    case sc::Size: case sc::Move: case sc::Minimize: case sc::Maximize: case sc::NextWindow:
    case sc::PrevWindow: case sc::Close: case sc::Restore: return true;
    default: return false;
  }
}

}  // namespace quillet::skin
