#pragma once
// The 22 shell objects the second page switches on and off, and the four places it switches them in.

#include <array>

namespace quillet::builtin {

struct BuiltInObject {
  const char* caption;
  const char* clsid;  // the subkey name, braces and letter case as the shell registers it
};

inline constexpr int kBuiltInObjectCount = 22;

extern const std::array<BuiltInObject, kBuiltInObjectCount> BuiltInObjectTable;

// The NameSpace keys under HKEY_LOCAL_MACHINE.
inline constexpr char kMyComputerNameSpace[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace";
inline constexpr char kDesktopNameSpace[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace";
inline constexpr char kNetworkNameSpace[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\NetworkNeighborhood\\NameSpace";
inline constexpr char kControlPanelNameSpace[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ControlPanel\\NameSpace";

}  // namespace quillet::builtin
