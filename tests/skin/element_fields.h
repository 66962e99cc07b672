#pragma once
// Every field of a skin's elements as text, for comparing two sets of elements whole. Lengths in
// pixels can be shown as they are at another DPI (MulDiv of the 96-DPI value); pictures by their
// sizes, by their pixels, or not at all.

#include <functional>
#include <sstream>
#include <string>

#include "base/dpi.h"
#include "skin/elements.h"

namespace quillet::skin::testing {

enum class Pictures { None, Sizes, Pixels };

inline std::string ElementFields(const TSkinElements& s, int lengthsAtDpi = 96, Pictures pictures = Pictures::None) {
  std::ostringstream out;
  auto len = [&](int v) { return base::ScaleToDpi(v, lengthsAtDpi); };
  auto pic = [&](const char* what, const Bitmap32& b) {
    if (pictures == Pictures::None) return;
    out << " " << what << "=" << b.Width() << "x" << b.Height();
    if (pictures == Pictures::Pixels)
      out << "#" << std::hash<std::string>()(std::string(reinterpret_cast<const char*>(b.Pixels().data()),
                                                          b.Pixels().size() * sizeof(Pixel)));
  };
  out << "skin " << s.SkinName << " loaded " << !s.NoSkinLoaded << " title " << s.TitleColor << " face "
      << s.FaceColor << " dpi " << len(s.Dpi) << "\nsections";
  for (const std::string& n : s.Sections) out << " " << n;
  out << "\ncolours";
  for (std::size_t i = 0; i < s.Colors.size(); ++i) out << " " << s.Colors[i] << (s.ColorPresent[i] ? "+" : "");
  for (TColor c : s.FurtherColors) out << " f" << c;
  for (TColor c : s.CustomColors) out << " c" << c;
  out << "\n";
  for (const TDataSkinObject* e : s.All()) {
    out << e->Name << ": margins " << len(e->LeftWidth) << " " << len(e->TopHeight) << " " << len(e->RightWidth) << " "
        << len(e->BottomHeight) << " trans " << e->Trans << " tile " << e->Tile << " frames " << e->Frame << " style "
        << e->Style << " colours " << e->NormalColour << " " << e->MouseOverColour << " " << e->PressedColour << " "
        << e->NormalColour2 << e->NormalColourPresent << " " << e->MouseOverColour2 << e->MouseOverColourPresent
        << " " << e->PressedColour2 << e->PressedColourPresent;
    pic("bitmap", e->Bitmap);
    if (const auto* b = dynamic_cast<const TDataSkinBorder*>(e)) pic("bitmap2", b->Bitmap2);
    if (const auto* g = dynamic_cast<const TDataSkinBoxLabel*>(e))
      out << " background " << len(g->BackgroundLeftShift) << " " << len(g->BackgroundRightShift) << " "
          << g->BackgroundAlignment;
    if (const auto* t = dynamic_cast<const TDataSkinTitle*>(e))
      out << " text " << len(t->TextShift) << " " << len(t->TextShiftVert) << " " << len(t->TextRightClip) << " "
          << t->TextAlignment << " " << t->Textbackground << " " << len(t->TXTBackleft) << " " << len(t->TXTBackRight)
          << " font " << len(t->FontHeight) << " " << t->ActiveTextColor << " " << t->InactiveTextColor;
    if (const auto* b = dynamic_cast<const TDataSkinSysButton*>(e))
      out << " action " << b->Action << " align " << b->Align << " at " << len(b->Xcoord) << "," << len(b->Ycoord)
          << " combine " << b->CombineOp << " visibility " << b->Visibility << " " << b->Visibility1;
    if (const auto* b = dynamic_cast<const TDataSkinButton*>(e)) {
      out << " check frames " << b->CheckFrame << " radio frames " << b->RadioFrame;
      pic("check", b->CheckBitmap);
      pic("radio", b->RadioBitmap);
    }
    out << "\n";
  }
  return out.str();
}

}  // namespace quillet::skin::testing
