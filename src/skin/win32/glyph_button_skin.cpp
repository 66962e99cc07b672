#include "skin/win32/glyph_button_skin.h"

#include "base/glyph_layout.h"
#include "skin/text.h"
#include "skin/win32/button_parts.h"
#include "skin/win32/overlay.h"
#include "skin/win32/skin_data.h"

namespace quillet::skin::win32 {

namespace {

constexpr UINT kCaptionFlags = DT_SINGLELINE | DT_NOCLIP | DT_EXPANDTABS;
// Where the control does not say: pixels between the picture and the caption, and no margin.
constexpr int kDefaultSpacing = 4, kNoMargin = -1;

base::GlyphLayout LayoutOf(const ui::TWinControl* c) {
  const auto l = c ? c->GetProperty("Layout") : std::nullopt;
  const std::string t = l ? AsciiLower(l->AsText()) : "";
  if (t == "blglyphright") return base::GlyphLayout::Right;
  if (t == "blglyphtop") return base::GlyphLayout::Top;
  if (t == "blglyphbottom") return base::GlyphLayout::Bottom;
  return base::GlyphLayout::Left;
}

int IntProperty(const ui::TWinControl* c, const char* name, int otherwise) {
  const auto v = c ? c->GetProperty(name) : std::nullopt;
  return v && v->kind == ui::PropKind::Integer ? static_cast<int>(v->number) : otherwise;
}

}  // namespace

GlyphImage TSkinBitButton::Glyph() {
  const ui::TWinControl* c = Control();
  const auto h = c ? c->GetProperty(glyph_property_) : std::nullopt;
  const auto handle = h && h->kind == ui::PropKind::Handle ? reinterpret_cast<HBITMAP>(static_cast<std::intptr_t>(h->number)) : nullptr;
  if (handle != glyph_handle_) {
    glyph_handle_ = handle;
    glyph_ = BitmapPixels(handle);
  }
  if (glyph_.Empty()) return {};
  // Only the named picture (a PNG's) brings its own transparency.
  return {&glyph_, glyph_property_ == "Glyph" ? IntProperty(c, "NumGlyphs", 1) : 1, glyph_property_ != "Glyph"};
}

void TSkinBitButton::PaintContent(HDC cdc, const Rect& area, const ButtonPaint& p, const GlyphState& st) {
  const ui::TWinControl* c = Control();
  const std::wstring text = Text();
  ui::gdi::Select font(cdc, Font());
  const SIZE size = text.empty() ? SIZE{0, 0} : MeasureText(cdc, text, kCaptionFlags, area.Width());
  const GlyphImage g = Glyph();
  const Rect shifted = st.pressed || st.down ? Offset(area, 1, 1) : area;
  const base::GlyphPlacement at =
      base::PlaceGlyph(shifted, g.Width(), g.Height(), size.cx, size.cy, LayoutOf(c),
                       IntProperty(c, "Spacing", kDefaultSpacing), IntProperty(c, "Margin", kNoMargin));
  if (g.bitmap)
    DrawGlyph(canvas_.View(), g, GlyphImageIndex(st, g.count), {at.glyph.left, at.glyph.top},
              GlyphDrawnGreyed(st, g.count), data_->FaceColor());
  if (!text.empty()) PaintCaption(cdc, text, at.text, p);
}

void TSkinBitButton::PaintFace(HDC cdc, const ButtonInput& in, const ButtonPaint& p) {
  DrawButton(canvas_.View(), Elements(), p.frame, true);
  PaintContent(cdc, Inset(p.textArea, 2), p, {in.state.enabled, in.state.pressed, false});
}

bool TSkinSpeedButton::CanPaint() const {
  if (!data_) return false;
  const TSkinElements& s = Elements();
  return s.Buttons.HasBitmap() || s.MenuBar.HasBitmap() || (s.ToolBars && s.ToolBars->HasBitmap());
}

bool TSkinSpeedButton::Flag(const char* name) const {
  const ui::TWinControl* c = Control();
  const auto v = c ? c->GetProperty(name) : std::nullopt;
  return v && v->number != 0;
}

PushButtonState TSkinSpeedButton::State() const {
  PushButtonState s = TSkinButton::State();
  s.focused = false;
  s.isDefault = false;
  s.pressed = s.pressed || Flag("Pressed");
  return s;
}

bool TSkinSpeedButton::OverParent() const { return Flag("Flat") || TSkinButton::OverParent(); }

void TSkinSpeedButton::PaintFace(HDC cdc, const ButtonInput& in, const ButtonPaint& p) {
  const SpeedButtonState st{in.state.pressed, in.state.hot, Flag("Down"), in.state.enabled, Flag("Flat")};
  const ui::TWinControl* c = Control();
  const bool onToolbar = c && c->Parent() && AsciiLower(c->Parent()->ClassName()) == "ttoolbar";
  if (const auto look = SpeedButtonLook(Elements(), st, onToolbar && data_->Options.Has(xoToolbarButton)))
    DrawFaceLook(canvas_.View(), *look);
  ButtonPaint plain = p;
  plain.focusRect = false;
  PaintContent(cdc, Inset(p.textArea, 1), plain, {st.enabled, st.pressed, st.down});
}

void TSkinMenuButton::PaintFace(HDC cdc, const ButtonInput& in, const ButtonPaint& p) {
  DrawButton(canvas_.View(), Elements(), p.frame, true);
  const MenuButtonParts parts = SplitMenuButton(Inset(p.textArea, base::ScaleToDpi(2, dpi_)), dpi_);
  const Palette pal = ControlPalette(Elements());
  DrawMenuButtonArrow(canvas_.View(), parts, pal.shadow, p.textColor, in.state.pressed);
  if (const std::wstring text = Text(); !text.empty()) {
    ui::gdi::Select font(cdc, Font());
    const SIZE size = MeasureText(cdc, text, kCaptionFlags, parts.caption.Width());
    ButtonPaint within = p;
    within.textArea = parts.caption;
    PaintCaption(cdc, text, CentreIn(parts.caption, size.cx, size.cy), within);
  }
}

}  // namespace quillet::skin::win32
