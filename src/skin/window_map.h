// Which windows of the program's thread get a skin of their own, decided from a small description
// of the window. Nothing here touches a window; the window manager gathers the description when a
// window is activated (or swept by skin-all) and carries out the answer.
//
// A top-level window is skinned when, in this order:
//   1. it may be skinned at all (SkinnableWindow: not a plain child, ours or a standard dialog,
//      not empty, not a form tagged to stay as it is, not one of the classes that are never
//      skinned);
//   2. the class filter lets it through (FilterWindowClass, then the application's OnFormSkin
//      handler when it has one, else DefaultWindowFilter);
//   3. a skin component is chosen for it (ChooseComponent) and has a skin.
// Popup-menu windows are skinned by what the menu is opened as (SkinsPopupMenuWindow).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/skin_types.h"

namespace quillet::skin {

// A toolkit form with this Tag is never skinned, whatever the component's DisableTag.
inline constexpr long kNeverSkinFormTag = 99;
// A standard dialog with this style bit (DS_SETFOREGROUND, which the system's own small dialogs
// carry) keeps the system's look.
inline constexpr std::uint32_t kUnskinnedDialogStyle = 0x200;

// A window as the manager sees it when it is offered.
struct WindowInfo {
  std::string className;
  std::uint32_t style = 0;
  bool toolkitForm = false;  // the window of one of the toolkit's forms
  long formTag = 0;          // that form's Tag
  bool ownModule = false;    // made by this program's module
  bool empty = false;        // its window rectangle has no area
};

// Step 1; `sweep`: skin-all is walking the forms, which offers child forms too.
bool SkinnableWindow(const WindowInfo& w, bool sweep);
// Step 2, before the application has its say: false keeps the system's look.
bool FilterWindowClass(const std::string& className, std::uint32_t style, TSkinOptions options);
// Step 2 without an OnFormSkin handler: the filter's last word, given its first.
bool DefaultWindowFilter(const std::string& className, bool doSkin, TSkinControlTypes controls);

// The skin components of the program, in the order they registered.
struct ComponentInfo {
  TSkinFormType type = sfMainform;
  bool ownsWindow = false;  // its owner is the window asked about
};
// Step 3: the index of the component that skins a window of this class, or -1 when there is none.
int ChooseComponent(const std::vector<ComponentInfo>& components, const std::string& className);

// What popup menus are opened as: the window layer says so before a menu opens.
enum class MenuMode { Popup = 0, MenuBar = 1, SystemMenu = 2 };
bool SkinsPopupMenuWindow(MenuMode mode, TSkinControlTypes controls);

}  // namespace quillet::skin
