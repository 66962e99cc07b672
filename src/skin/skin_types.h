// The skin component's sets: which kinds of controls and menus are skinned, and the rendering
// switches. Bit number = member's ordinal.
#pragma once

#include <cstdint>

namespace quillet::skin {

enum TSkinControlType : int {
  xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
  xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox,
  xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcFastReport
};

enum TSkinOption : int {
  xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect, xoToolbarBK,
  xoToolbarButton, xoMDIChildBorder, xoMenuBG, xoCaptionButtonHint, xoFormScrollbar
};

// A set of either, as bits.
template <class E>
struct SkinSet {
  std::uint32_t bits = 0;
  constexpr bool Has(E e) const { return (bits >> static_cast<int>(e)) & 1u; }
  constexpr SkinSet& Add(E e) { bits |= 1u << static_cast<int>(e); return *this; }
  constexpr SkinSet& Remove(E e) { bits &= ~(1u << static_cast<int>(e)); return *this; }
  constexpr bool operator==(const SkinSet&) const = default;
};
using TSkinControlTypes = SkinSet<TSkinControlType>;
using TSkinOptions = SkinSet<TSkinOption>;

// Every control type from xcMainMenu to xcSystemMenu except xcMenuItem.
constexpr TSkinControlTypes DefaultSkinControls() {
  TSkinControlTypes s;
  for (int i = xcMainMenu; i <= xcSystemMenu; ++i)
    if (i != xcMenuItem) s.Add(static_cast<TSkinControlType>(i));
  return s;
}
constexpr TSkinOptions DefaultSkinOptions() {
  return TSkinOptions{}.Add(xoPreview).Add(xoToolbarBK).Add(xoCaptionButtonHint);
}

enum TSkinFormType : int { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

}  // namespace quillet::skin
