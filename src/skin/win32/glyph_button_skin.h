// Glyph buttons (TSkinBitButton), speed buttons (TSkinSpeedButton) and menu buttons
// (TSkinMenuButton): the push button's skin with the control's picture beside its caption. Speed
// buttons never take the focus, stay pressed while down and, when flat, show a face only under
// the pointer; menu buttons keep an arrow at their right end.
#pragma once

#include <string>

#include "skin/ctl/glyph_button.h"
#include "skin/win32/button_skin.h"

namespace quillet::skin::win32 {

class TSkinBitButton : public TSkinButton {
 public:
  // The map may name the property the picture is read from instead of "Glyph" ("PngImage");
  // such pictures carry alpha.
  void Configure(const ControlSkinPlan& plan) override {
    if (plan.glyphProperty) glyph_property_ = plan.glyphProperty;
  }

 protected:
  void PaintFace(HDC cdc, const ButtonInput& in, const ButtonPaint& p) override;
  // The caption with the picture, placed inside `area`.
  void PaintContent(HDC cdc, const Rect& area, const ButtonPaint& p, const GlyphState& st);
  GlyphImage Glyph();

 private:
  std::string glyph_property_ = "Glyph";
  HBITMAP glyph_handle_ = nullptr;  // the picture's pixels were read from this handle
  Bitmap32 glyph_;
};

class TSkinSpeedButton : public TSkinBitButton {
 protected:
  bool CanPaint() const override;
  PushButtonState State() const override;
  bool OverParent() const override;
  bool TakesFocusOnPress() const override { return false; }
  void PaintFace(HDC cdc, const ButtonInput& in, const ButtonPaint& p) override;

 private:
  bool Flag(const char* name) const;
};

class TSkinMenuButton : public TSkinButton {
 protected:
  void PaintFace(HDC cdc, const ButtonInput& in, const ButtonPaint& p) override;
};

}  // namespace quillet::skin::win32
