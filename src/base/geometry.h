#pragma once
// The rectangle and colour types the toolkit and the skin share.

#include <cstdint>

namespace quillet::base {

// A rectangle by its edges, as RECT: right and bottom lie just outside it.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool operator==(const Rect&) const = default;
};

// Red in the low byte, as COLORREF.
using ColorRef = std::uint32_t;
// A colour's red, green and blue bytes, without what may lie above them.
constexpr ColorRef kRgbMask = 0xFFFFFF;

// A colour as controls and skins keep it: a ColorRef, or, with the top bit set, the index of a
// system colour, so that it follows the user's scheme.
using Color = std::uint32_t;
constexpr Color kSystemColorFlag = 0x80000000u;
constexpr Color SystemColor(int index) { return kSystemColorFlag | static_cast<Color>(index & 0xFF); }
constexpr bool IsSystemColor(Color c) { return (c & kSystemColorFlag) != 0; }
constexpr int SystemColorIndex(Color c) { return static_cast<int>(c & 0xFF); }

}  // namespace quillet::base
