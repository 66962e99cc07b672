// Which windows get a skin of their own: the window rules case by case, the class filter with and
// without the application's say, the choice of component, and popup menus by what they open as.
#include <gtest/gtest.h>

#include "skin/window_map.h"

using namespace quillet::skin;

namespace {

WindowInfo Form(const char* cls = "TQuilletFrm") {
  WindowInfo w;
  w.className = cls;
  w.toolkitForm = true;
  return w;
}
template <class F>
WindowInfo With(WindowInfo w, F f) {
  f(w);
  return w;
}

constexpr std::uint32_t kChild = 0x40000000;

TEST(WindowMap, WhichWindowsMayBeSkinnedAtAll) {
  const struct {
    WindowInfo w;
    bool sweep, skinnable;
    const char* why;
  } cases[] = {
      {Form(), false, true, "a toolkit form"},
      {With(Form(), [](auto& w) { w.style = kChild; }), false, false, "a child form, offered on activation"},
      {With(Form(), [](auto& w) { w.style = kChild; }), true, true, "a child form, swept by skin-all"},
      {With(Form("#32770"), [](auto& w) { w.toolkitForm = false; }), false, true, "another module's standard dialog"},
      {With(Form("Edit"), [](auto& w) { w.toolkitForm = false; }), false, false, "another module's window"},
      {With(Form("QuilletOwn"), [](auto& w) { w.toolkitForm = false, w.ownModule = true; }), false, true,
       "a window of this module"},
      {With(Form(), [](auto& w) { w.empty = true; }), false, false, "an empty window"},
      {With(Form(), [](auto& w) { w.formTag = kNeverSkinFormTag; }), false, false, "a form tagged to stay"},
      {With(Form("#32770"), [](auto& w) { w.toolkitForm = false, w.formTag = kNeverSkinFormTag; }), false, true,
       "the tag is a toolkit form's only"},
      {Form("TApplication"), false, false, "the application window"},
      {Form("XTcxPopupEditPopupWindowY"), false, false, "another library's drop-down"},
      {Form("TTERenderWindow2"), false, false, "another library's render surface"},
      {Form("tapplication"), false, true, "the class names compare exactly"},
  };
  for (const auto& c : cases) EXPECT_EQ(SkinnableWindow(c.w, c.sweep), c.skinnable) << c.why;
}

TEST(WindowMap, TheClassFilterAndItsLastWord) {
  const TSkinOptions none{}, preview{xoPreview};
  EXPECT_TRUE(FilterWindowClass("TQuilletFrm", 0, none));
  EXPECT_FALSE(FilterWindowClass("TPrintPREVIEWForm", 0, none)) << "previews keep the system's look";
  EXPECT_TRUE(FilterWindowClass("TPrintPREVIEWForm", 0, preview)) << "unless the option says";
  EXPECT_FALSE(FilterWindowClass("#32770", kUnskinnedDialogStyle, preview));
  EXPECT_TRUE(FilterWindowClass("#32770", 0, preview));
  EXPECT_TRUE(FilterWindowClass("TForm", kUnskinnedDialogStyle, preview)) << "the style bit counts for dialogs only";
  EXPECT_FALSE(FilterWindowClass("TPopupDBTreeView", 0, preview));

  const TSkinControlTypes reports{xcFastReport};
  EXPECT_FALSE(DefaultWindowFilter("SysMonthCal32", true, {}));
  EXPECT_FALSE(DefaultWindowFilter("TfrDesigner", true, reports));
  EXPECT_TRUE(DefaultWindowFilter("TfrDesigner", true, {}));
  EXPECT_TRUE(DefaultWindowFilter("TForm", true, reports));
  EXPECT_FALSE(DefaultWindowFilter("TForm", false, reports)) << "the first answer stands";
}

TEST(WindowMap, TheComponentThatSkinsAWindow) {
  using C = ComponentInfo;
  const std::vector<C> mixed = {{sfDialog, false}, {sfMainform, false}, {sfOnlyThisForm, false}, {sfOnlyThisForm, true}};
  EXPECT_EQ(ChooseComponent(mixed, "TQuilletFrm"), 3) << "a component on the window itself first";
  EXPECT_EQ(ChooseComponent({{sfDialog, false}, {sfMainform, false}}, "#32770"), 0) << "dialogs by a dialog component";
  EXPECT_EQ(ChooseComponent({{sfDialog, false}, {sfMainform, false}}, "TMessageForm"), 0);
  EXPECT_EQ(ChooseComponent({{sfDialog, false}, {sfMainform, false}}, "TQuilletFrm"), 1) << "the rest by the main one";
  EXPECT_EQ(ChooseComponent({{sfDLL, false}, {sfDialog, false}}, "TQuilletFrm"), 0) << "else the first";
  EXPECT_EQ(ChooseComponent({}, "TQuilletFrm"), -1);
}

TEST(WindowMap, PopupMenusByWhatTheyOpenAs) {
  const TSkinControlTypes popup{xcPopupMenu}, bar{xcMainMenu}, items{xcMenuItem}, sys{xcSystemMenu};
  EXPECT_TRUE(SkinsPopupMenuWindow(MenuMode::Popup, popup));
  EXPECT_FALSE(SkinsPopupMenuWindow(MenuMode::Popup, bar));
  EXPECT_TRUE(SkinsPopupMenuWindow(MenuMode::MenuBar, bar));
  EXPECT_TRUE(SkinsPopupMenuWindow(MenuMode::MenuBar, items));
  EXPECT_FALSE(SkinsPopupMenuWindow(MenuMode::MenuBar, sys));
  EXPECT_TRUE(SkinsPopupMenuWindow(MenuMode::SystemMenu, sys));
  EXPECT_FALSE(SkinsPopupMenuWindow(MenuMode::SystemMenu, popup));
}

}  // namespace
