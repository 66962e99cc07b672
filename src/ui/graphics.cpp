#include "ui/graphics.h"

#include <map>
#include <utility>
#include <vector>

#include "ui/gdi.h"

namespace quillet::ui {

COLORREF ToColorRef(Color c) {
  if (base::IsSystemColor(c)) return GetSysColor(base::SystemColorIndex(c));
  return c & 0xFFFFFF;
}

HBRUSH ColorBrush(Color c) {
  // System colours use the system's own brushes, which are never deleted.
  if (base::IsSystemColor(c)) return GetSysColorBrush(base::SystemColorIndex(c));
  static std::map<Color, gdi::Brush> brushes;
  auto& brush = brushes[c];
  if (!brush) brush.Reset(CreateSolidBrush(ToColorRef(c)));
  return brush.Get();
}

HFONT FontHandle(const FontSpec& font) {
  static std::vector<std::pair<FontSpec, gdi::Font>> fonts;
  FontSpec key = font;
  key.color = 0;  // the colour is not part of the GDI font
  for (auto& [made, handle] : fonts)
    if (made == key) return handle.Get();
  LOGFONTA lf{};
  lf.lfHeight = font.height;
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
  fonts.emplace_back(key, gdi::Font(CreateFontIndirectA(&lf)));
  return fonts.back().second.Get();
}

}  // namespace quillet::ui
