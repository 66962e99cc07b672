#include "skin/ctl/edit.h"

#include "skin/text.h"

namespace quillet::skin {

void DrawEditBorder(BitmapView v, const Palette& p) {
  const Rect r{0, 0, v.width, v.height};
  Outline(v, r, p.shadow);
  Outline(v, Inset(r, 1), 0xFFFFFF);
  Outline(v, Inset(r, 2), 0xFFFFFF);
}

void DrawEditPrintBorder(BitmapView v, const Palette& p, ColorRef brush) {
  const Rect r{0, 0, v.width, v.height};
  Outline(v, Inset(r, 1), brush);
  Outline(v, r, p.shadow);
}

bool IsUpDownClass(std::string_view className) {
  const std::string lower = AsciiLower(std::string(className));
  return lower == "msctls_updown32" || lower.find("spin") != std::string::npos ||
         lower.find("updown") != std::string::npos;
}

}  // namespace quillet::skin
