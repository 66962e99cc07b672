#include "ui/graphics.h"

#include <map>
#include <utility>
#include <vector>

#include "base/dpi.h"
#include "ui/gdi.h"

namespace quillet::ui {

namespace {
constexpr int kPointsPerInch = 72;
}  // namespace

COLORREF ToColorRef(Color c) {
  if (base::IsSystemColor(c)) return GetSysColor(base::SystemColorIndex(c));
  return c & base::kRgbMask;
}

HBRUSH ColorBrush(Color c) {
  // System colours use the system's own brushes, which are never deleted.
  if (base::IsSystemColor(c)) return GetSysColorBrush(base::SystemColorIndex(c));
  static std::map<Color, gdi::Brush> brushes;
  auto& brush = brushes[c];
  if (!brush) brush.Reset(CreateSolidBrush(ToColorRef(c)));
  return brush.Get();
}

HFONT FontHandle(const FontSpec& font, int dpi) {
  struct Made {
    FontSpec key;  // as asked for, without its colour
    int dpi;
    gdi::Font font;
  };
  // A window moved between screens of different DPIs comes back to fonts it had: keep them all.
  static std::vector<Made> fonts;
  FontSpec key = font;
  key.color = 0;  // the colour is not part of the GDI font
  for (auto& made : fonts)
    if (made.key == key && made.dpi == dpi) return made.font.Get();
  LOGFONTA lf{};
  lf.lfHeight = -base::MulDivRound(font.size, dpi, kPointsPerInch);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
  fonts.push_back({key, dpi, gdi::Font(CreateFontIndirectA(&lf))});
  return fonts.back().font.Get();
}

}  // namespace quillet::ui
