// The switches of TSkinData as portable types: which kinds of controls and menus are skinned
// (SkinControls), the rendering options (Options) and the component's scope. Sets are bit sets
// with bit number = ordinal, the way the stored form properties hold them.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace quillet::skin {

enum TSkinControlType : std::uint8_t {
  xcMainMenu,
  xcPopupMenu,
  xcMenuItem,
  xcToolbar,
  xcControlbar,
  xcCombo,
  xcCheckBox,
  xcRadioButton,
  xcProgress,
  xcScrollbar,
  xcEdit,
  xcButton,
  xcBitBtn,
  xcSpeedButton,
  xcSpin,
  xcPanel,
  xcGroupBox,
  xcStatusBar,
  xcTab,
  xcTrackBar,
  xcSystemMenu,
  xcFastReport,
};

enum TSkinOption : std::uint8_t {
  xoMDIScrollbar,
  xoMenuMerge,
  xoTransparent,
  xoPreview,
  xoParentBackGround,
  xoNoFocusRect,
  xoToolbarBK,
  xoToolbarButton,
  xoMDIChildBorder,
  xoMenuBG,
  xoCaptionButtonHint,
  xoFormScrollbar,
};

enum TSkinFormType : std::uint8_t { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

template <class E>
class EnumSet {
 public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<E> members) {
    for (E m : members) Include(m);
  }
  static constexpr EnumSet FromBits(std::uint32_t bits) {
    EnumSet s;
    s.bits_ = bits;
    return s;
  }
  constexpr std::uint32_t Bits() const { return bits_; }
  constexpr bool Has(E m) const { return (bits_ >> static_cast<unsigned>(m)) & 1u; }
  constexpr EnumSet& Include(E m) {
    bits_ |= 1u << static_cast<unsigned>(m);
    return *this;
  }
  constexpr EnumSet& Exclude(E m) {
    bits_ &= ~(1u << static_cast<unsigned>(m));
    return *this;
  }
  constexpr bool operator==(const EnumSet&) const = default;

 private:
  std::uint32_t bits_ = 0;
};

using TSkinControlTypes = EnumSet<TSkinControlType>;
using TSkinOptions = EnumSet<TSkinOption>;

// Every member from xcMainMenu to xcSystemMenu except xcMenuItem.
constexpr TSkinControlTypes DefaultSkinControls() {
  TSkinControlTypes s;
  for (int m = xcMainMenu; m <= xcSystemMenu; ++m) s.Include(static_cast<TSkinControlType>(m));
  return s.Exclude(xcMenuItem);
}

constexpr TSkinOptions DefaultSkinOptions() { return {xoPreview, xoToolbarBK, xoCaptionButtonHint}; }

// What loading a component does to its SkinControls: without the system's GetScrollBarInfo no
// scroll bar can be skinned; a main-form component keeps owner-drawn menu items only without a
// skinned menu bar, and a skinned system menu only with one.
constexpr TSkinControlTypes SkinControlsAtLoad(TSkinControlTypes s, bool hasGetScrollBarInfo,
                                               TSkinFormType type) {
  if (!hasGetScrollBarInfo) s.Exclude(xcScrollbar);
  if (type == sfMainform) {
    if (s.Has(xcMainMenu))
      s.Exclude(xcMenuItem);
    else
      s.Exclude(xcSystemMenu);
  }
  return s;
}

}  // namespace quillet::skin
