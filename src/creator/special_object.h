#pragma once
// Where a special object lives in the registry, all under HKEY_LOCAL_MACHINE.

#include <array>
#include <string>

namespace quillet::creator {

inline constexpr const char* kClassesPrefix = "Software\\CLASSES\\CLSID\\";
inline constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

// The four places an object can be registered in, by the name of their key under the Explorer key.
inline constexpr const char* kMyComputer = "MyComputer";
inline constexpr const char* kDesktop = "Desktop";
inline constexpr const char* kControlPanel = "ControlPanel";
inline constexpr const char* kNetworkNeighborhood = "NetworkNeighborhood";

// The class key of the object named by `clsid`, exactly as typed.
inline std::string ClassKey(const std::string& clsid) { return kClassesPrefix + clsid; }

// The key that registers `clsid` in a place ("Desktop", ...).
inline std::string PlaceKey(const std::string& place, const std::string& clsid) {
  return std::string(kExplorerKey) + place + "\\NameSpace\\" + clsid;
}

// True when a text, appended to a key path as one more component, would name no key of its own:
// the store skips empty components, so a text of backslashes alone (or nothing) leaves the path
// at its container. Writing or deleting there would hit every object at once.
inline bool NamesNoKey(const std::string& text) {
  return text.find_first_not_of('\\') == std::string::npos;
}

}  // namespace quillet::creator
