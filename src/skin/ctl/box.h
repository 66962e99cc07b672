// The skins that only paint a background: tab sheets (TSkinTabSheet), panels and tool bars
// (TSkinBox) and the panes and tool bars of foreign windows (TSkinBoxH). They share one file because they
// share one rule: the face colour, or the parent's own colour where the parent has one.
//
// The window layer fills with BackgroundColor on WM_ERASEBKGND / WM_PAINT (tab sheets then
// paint their graphic child controls), and when a skin is attached transparent asks
// ClearsParentBackground whether to set the control's "ParentBackground" to "False" while
// skinned (and back to "True" when the skin is detached).
#pragma once

#include <optional>

#include "skin/bitmap.h"
#include "skin/elements.h"
#include "skin/skin_types.h"

namespace quillet::skin {

// The parent's integer "Color" property when it has one, else the face colour.
constexpr ColorRef BackgroundColor(std::optional<ColorRef> parentFaceColor, ColorRef face) {
  return parentFaceColor ? *parentFaceColor : face;
}

constexpr bool ClearsParentBackground(TSkinOptions options, bool parentBackground) {
  return parentBackground && !options.Has(xoParentBackGround);
}

// A tool bar's background with xoToolbarBK: frame 1 of the skin's "ToolBars" when it has one,
// else the "Toolbar" gradient made from its colours. Null without the option.
inline const TDataSkinObject* ToolbarBackground(const TSkinElements& s, TSkinOptions options) {
  if (!options.Has(xoToolbarBK)) return nullptr;
  if (s.ToolBars && s.ToolBars->HasBitmap()) return &*s.ToolBars;
  if (s.Toolbar && s.Toolbar->HasBitmap()) return &*s.Toolbar;
  return nullptr;
}

}  // namespace quillet::skin
