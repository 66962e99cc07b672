#pragma once
// The shell's numbered icon slots with the captions the slot picker shows.

#include <array>

namespace quillet::icons {

inline constexpr int kShellIconSlots = 47;

// Slot 41 has no caption. "&&" is one "&" on a label; "\xBD" is the one-half sign of code page 1252.
extern const std::array<const char*, kShellIconSlots> ShellIconNames;

inline constexpr char kShellIconsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons";
inline constexpr char kWindowMetricsKey[] = "Control Panel\\Desktop\\WindowMetrics";
inline constexpr char kShellIconSizeValue[] = "Shell Icon Size";

inline constexpr int kIconSizeLow = 16;
inline constexpr int kIconSizeHigh = 50;
inline constexpr int kIconSizeStart = 32;

}  // namespace quillet::icons
