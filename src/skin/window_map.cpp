#include "skin/window_map.h"

#include <string_view>

#include "skin/text.h"

namespace quillet::skin {

namespace {

enum class Match { Is, IsNoCase, Contains, ContainsNoCase, StartsWith };

struct ClassRule {
  Match match;
  std::string_view text;
};

bool Matches(const ClassRule& r, const std::string& cls) {
  switch (r.match) {
    case Match::Is: return cls == r.text;
    case Match::IsNoCase: return EqualNoCase(cls, std::string(r.text));
    case Match::Contains: return cls.find(r.text) != std::string::npos;
    case Match::ContainsNoCase: return AsciiLower(cls).find(r.text) != std::string::npos;
    case Match::StartsWith: return cls.rfind(r.text, 0) == 0;
  }
  return false;
}

template <std::size_t N>
bool AnyMatches(const ClassRule (&rules)[N], const std::string& cls) {
  for (const ClassRule& r : rules)
    if (Matches(r, cls)) return true;
  return false;
}

// Windows of other libraries' drop-downs and render surfaces, and the application window itself.
constexpr ClassRule kNeverSkinned[] = {
    {Match::Contains, "TcxPopupEditPopupWindow"},
    {Match::Contains, "TTERenderWindow"},
    {Match::Is, "TApplication"},
};
// The standard dialog classes, skinned although another module makes them.
constexpr ClassRule kStandardDialogs[] = {{Match::Is, "#32770"}};
// The classes a dialog component skins.
constexpr ClassRule kDialogClasses[] = {{Match::IsNoCase, "tmessageform"}, {Match::IsNoCase, "#32770"}};
constexpr ClassRule kPreviews[] = {{Match::ContainsNoCase, "preview"}};
constexpr ClassRule kFilteredOut[] = {{Match::IsNoCase, "tpopupdbtreeview"}};
constexpr ClassRule kDefaultFilteredOut[] = {{Match::Is, "SysMonthCal32"}};
constexpr ClassRule kReportWindows[] = {{Match::StartsWith, "Tfr"}};

constexpr std::uint32_t kChildStyle = 0x40000000;  // WS_CHILD

}  // namespace

bool SkinnableWindow(const WindowInfo& w, bool sweep) {
  if (!sweep && (w.style & kChildStyle)) return false;
  if (!w.toolkitForm && !w.ownModule && !AnyMatches(kStandardDialogs, w.className)) return false;
  if (w.empty) return false;
  if (w.toolkitForm && w.formTag == kNeverSkinFormTag) return false;
  return !AnyMatches(kNeverSkinned, w.className);
}

bool FilterWindowClass(const std::string& cls, std::uint32_t style, TSkinOptions options) {
  if (!options.Has(xoPreview) && AnyMatches(kPreviews, cls)) return false;
  if (AnyMatches(kStandardDialogs, cls) && (style & kUnskinnedDialogStyle)) return false;
  return !AnyMatches(kFilteredOut, cls);
}

bool DefaultWindowFilter(const std::string& cls, bool doSkin, TSkinControlTypes controls) {
  if (AnyMatches(kDefaultFilteredOut, cls)) return false;
  if (controls.Has(xcFastReport) && AnyMatches(kReportWindows, cls)) return false;
  return doSkin;
}

int ChooseComponent(const std::vector<ComponentInfo>& components, const std::string& cls) {
  auto first = [&](auto pred) {
    for (std::size_t i = 0; i < components.size(); ++i)
      if (pred(components[i])) return static_cast<int>(i);
    return -1;
  };
  int i = first([](const ComponentInfo& c) { return c.type == sfOnlyThisForm && c.ownsWindow; });
  if (i < 0 && AnyMatches(kDialogClasses, cls)) i = first([](const ComponentInfo& c) { return c.type == sfDialog; });
  if (i < 0) i = first([](const ComponentInfo& c) { return c.type == sfMainform; });
  if (i < 0 && !components.empty()) i = 0;
  return i;
}

bool SkinsPopupMenuWindow(MenuMode mode, TSkinControlTypes c) {
  switch (mode) {
    case MenuMode::Popup: return c.Has(xcPopupMenu);
    case MenuMode::MenuBar: return c.Has(xcMainMenu) || c.Has(xcMenuItem);
    case MenuMode::SystemMenu: return c.Has(xcSystemMenu);
  }
  return false;
}

}  // namespace quillet::skin
