#include "skin/scaled_elements.h"

#include <algorithm>

#include "base/dpi.h"

namespace quillet::skin {

namespace {

enum class Picture { Main, Second, Check, Radio };
enum class Frames { Own, One, Eight, Check, Radio };
enum class Edges { Own, None, TextBack, TabPane };

struct Cut {
  const char* element;
  Picture picture;
  Frames frames;
  bool stacked;
  Edges margins;
};

// How the painters cut each picture (painter.cpp, nc_paint.cpp, nc_layout.cpp, menu_layout.cpp,
// ctl/*.cpp). A picture not listed has its element's Frame frames side by side and the element's
// margins: the main picture of every other element, the caption buttons' included (they have no
// margins), and ComboButton's mirrored second picture.
constexpr Cut kCuts[] = {
    // element          picture           frames          stacked  margins
    {"Top",             Picture::Main,    Frames::Own,    true,    Edges::Own},
    {"Bottom",          Picture::Main,    Frames::Own,    true,    Edges::Own},
    {"MenuBar",         Picture::Main,    Frames::Own,    true,    Edges::Own},
    {"Title",           Picture::Main,    Frames::Own,    true,    Edges::TextBack},  // the text's back
    {"Buttons",         Picture::Check,   Frames::Check,  false,   Edges::None},
    {"Buttons",         Picture::Radio,   Frames::Radio,  false,   Edges::None},
    {"Progress.Chunk",  Picture::Main,    Frames::One,    false,   Edges::None},
    {"Tabs",            Picture::Second,  Frames::One,    false,   Edges::TabPane},   // the pane
    {"UpDown.Horz",     Picture::Second,  Frames::Eight,  false,   Edges::None},      // the glyphs
    {"UpDown.Vert",     Picture::Second,  Frames::Eight,  false,   Edges::None},
};

PictureLayout LayoutOf(const TSkinElements& s, const TDataSkinObject& e, const Cut& c) {
  PictureLayout l;
  l.stacked = c.stacked;
  const auto* button = dynamic_cast<const TDataSkinButton*>(&e);
  switch (c.frames) {
    case Frames::Own: l.frames = e.Frame; break;
    case Frames::One: l.frames = 1; break;
    case Frames::Eight: l.frames = 8; break;
    case Frames::Check: l.frames = button ? button->CheckFrame : 1; break;
    case Frames::Radio: l.frames = button ? button->RadioFrame : 1; break;
  }
  l.frames = std::max(l.frames, 1);
  switch (c.margins) {
    case Edges::Own: l.margins = MarginsOf(e); break;
    case Edges::None: break;
    case Edges::TextBack:
      l.margins = {s.Title.TXTBackleft, 0, s.Title.TXTBackRight, 0};
      break;
    case Edges::TabPane: l.margins = TabPaneMargins(s); break;
  }
  return l;
}

void ScaleLengths(TDataSkinObject& e, int dpi) {
  auto scale = [dpi](std::initializer_list<std::int32_t*> lengths) {
    for (std::int32_t* v : lengths) *v = base::ScaleToDpi(*v, dpi);
  };
  scale({&e.LeftWidth, &e.TopHeight, &e.RightWidth, &e.BottomHeight});
  if (auto* t = dynamic_cast<TDataSkinTitle*>(&e))
    scale({&t->TextShift, &t->TextShiftVert, &t->TextRightClip, &t->TXTBackleft, &t->TXTBackRight, &t->FontHeight});
  if (auto* b = dynamic_cast<TDataSkinSysButton*>(&e)) scale({&b->Xcoord, &b->Ycoord});
  if (auto* g = dynamic_cast<TDataSkinBoxLabel*>(&e)) scale({&g->BackgroundLeftShift, &g->BackgroundRightShift});
}

}  // namespace

std::vector<ElementPicture> ElementPictures(const TSkinElements& s) {
  std::vector<ElementPicture> out;
  for (const TDataSkinObject* e : s.All()) {
    const auto* border = dynamic_cast<const TDataSkinBorder*>(e);
    const auto* button = dynamic_cast<const TDataSkinButton*>(e);
    const std::pair<Picture, const Bitmap32*> pictures[] = {
        {Picture::Main, &e->Bitmap},
        {Picture::Second, border ? &border->Bitmap2 : nullptr},
        {Picture::Check, button ? &button->CheckBitmap : nullptr},
        {Picture::Radio, button ? &button->RadioBitmap : nullptr}};
    for (const auto& [which, picture] : pictures) {
      if (!picture || picture->Empty()) continue;
      Cut cut{nullptr, which, Frames::Own, false, Edges::Own};
      for (const Cut& c : kCuts)
        if (c.picture == which && e->Name == c.element) cut = c;
      out.push_back({e, picture, LayoutOf(s, *e, cut)});
    }
  }
  return out;
}

TSkinElements ScaleElements(const TSkinElements& e, int dpi) {
  dpi = ClampSkinDpi(dpi);
  TSkinElements out = e;
  if (dpi == base::kBaseDpi) return out;
  // The copy is ours: the pointers into it that the listings hand out may be written through.
  for (const ElementPicture& p : ElementPictures(out))
    *const_cast<Bitmap32*>(p.picture) = ScalePicture(*p.picture, p.layout, dpi);
  for (const TDataSkinObject* element : out.All()) ScaleLengths(*const_cast<TDataSkinObject*>(element), dpi);
  out.Dpi = dpi;
  return out;
}

}  // namespace quillet::skin
