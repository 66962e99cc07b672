// Which control gets which skin: the built-in map row by row, the Skin3rd list kind by kind,
// the DisableTag rule, group children and the children of foreign windows.
#include <gtest/gtest.h>

#include <map>

#include "skin/control_map.h"

using namespace quillet::skin;
using K = ControlKind;
using S = SkinClass;

namespace {

ControlInfo Kind(K k) {
  ControlInfo c;
  c.className = "TSomething";
  c.kind = k;
  return c;
}
ControlInfo Cls(const char* name) {
  ControlInfo c;
  c.className = name;
  return c;
}
// One of our toolkit's classes, counted as its kind.
ControlInfo Tk(const char* name) {
  ControlInfo c = Cls(name);
  c.kind = ToolkitControlKind(name);
  return c;
}
template <class F>
ControlInfo With(ControlInfo c, F f) {
  f(c);
  return c;
}

ControlSkinPlan P(S s, ChildWork w = ChildWork::None, bool first = false) {
  ControlSkinPlan p;
  p.skin = s;
  p.children = w;
  p.childrenFirst = first;
  return p;
}
template <class F>
ControlSkinPlan P(S s, F f) {
  ControlSkinPlan p = P(s);
  f(p);
  return p;
}

std::string Describe(const ControlSkinPlan& p) {
  return std::string(SkinClassName(p.skin)) + " attach=" + std::to_string(int(p.attach)) +
         " transparent=" + std::to_string(p.transparent) + " mode=" + std::to_string(int(p.mode)) +
         " glyph=" + (p.glyphProperty ? p.glyphProperty : "-") + " set=" + (p.setTrue ? p.setTrue : "-") +
         " children=" + std::to_string(int(p.children)) + (p.childrenFirst ? " first" : "") +
         (p.toolbar ? " toolbar" : "") + (p.colorToFace ? " face" : "") + (p.firstChild ? " firstChild" : "");
}

SkinGates All() {
  SkinGates g;
  g.controls = TSkinControlTypes::FromBits(0x3FFFFF);
  g.hasTabsElement = true;
  return g;
}
SkinGates Without(TSkinControlType t) {
  SkinGates g = All();
  g.controls.Exclude(t);
  return g;
}

struct MapCase {
  const char* what;
  ControlInfo control;
  std::optional<TSkinControlType> gate;
  ControlSkinPlan expected;
};

constexpr std::uint32_t kVScroll = 0x00200000, kHScroll = 0x00100000;

}  // namespace

TEST(ControlMap, BuiltInMapRowByRowWithAndWithoutItsGate) {
  const auto edModes = [](ControlInfo& c) { c.upDownOrTimeMode = true; };
  const auto container = [](ControlInfo& c) { c.container = true; };
  const MapCase cases[] = {
      {"tab control", Kind(K::TabControl), xcTab, P(S::TSkinTab)},
      {"page control", Tk("TPageControl"), xcTab, P(S::TSkinTab)},
      {"page control of buttons", With(Tk("TPageControl"), [](auto& c) { c.tabStyle = TabStyle::Buttons; }), xcTab,
       P(S::TSkinTabBtn)},
      {"tab set", Cls("TTabSet"), xcTab, P(S::TSkinTab31)},
      {"tab sheet", Tk("TTabSheet"), xcTab, P(S::TSkinTabSheet)},
      {"tabbed notebook", Cls("TTabbedNotebook"), xcTab, P(S::TSkinTab)},
      {"MVC panel", Cls("TMVCPanel"), std::nullopt, P(S::None, ChildWork::WalkChildren, true)},
      {"header", Kind(K::Header), xcPanel, P(S::TSkinHeader)},
      {"check box", Tk("TCheckBox"), xcCheckBox, P(S::TSkinCheckBox)},
      {"our track bar", Tk("TTrackBar"), xcTrackBar, P(S::TSkinTrackBar)},
      {"our up-down", Tk("TUpDown"), xcSpin, P(S::TSkinUpDown)},
      {"spin button by name", Cls("TSpinButton"), xcSpin, P(S::TSkinUpDown)},
      {"media player", Cls("TMediaPlayer"), xcButton, P(S::TSkinMP)},
      {"radio group", Kind(K::RadioGroup), xcRadioButton,
       P(S::TSkinGroupBox, [](auto& p) { p.transparent = true, p.children = ChildWork::RadioButtons, p.childrenFirst = true; })},
      {"DB navigator", Cls("TDBNavigator"), xcPanel,
       P(S::TSkinBox, [](auto& p) { p.transparent = true, p.children = ChildWork::WalkChildren; })},
      {"Rz check box", Cls("TRzCheckBox"), xcCheckBox, P(S::TSkinObjImage, [](auto& p) { p.mode = SkinMode::Check; })},
      {"Rz radio button", Cls("TRzRadioButton"), xcRadioButton,
       P(S::TSkinObjImage, [](auto& p) { p.mode = SkinMode::Radio; })},
      {"cx check box", Cls("TcxCheckBox"), xcCheckBox, P(S::TSkinObjImage, [](auto& p) { p.mode = SkinMode::Third; })},
      {"group box", Tk("TGroupBox"), xcPanel, P(S::TSkinGroupBox, ChildWork::WalkChildren, true)},
      {"radio button", Kind(K::RadioButton), xcRadioButton, P(S::TSkinRadioButton)},
      {"our tool bar", Tk("TToolBar"), xcToolbar, P(S::TSkinBox, [](auto& p) { p.setTrue = "Flat", p.toolbar = true; })},
      {"our status bar", Tk("TStatusBar"), xcStatusBar, P(S::TSkinStatusBar)},
      {"our progress bar", Tk("TProgressBar"), xcProgress, P(S::TSkinProgress)},
      {"scroll box", Kind(K::ScrollBox), xcScrollbar, P(S::TSkinScControl)},
      {"Tnt combo box", Cls("TTntComboBox"), xcCombo, P(S::TSkinComBox)},
      {"our combo box, before the scroll-bar row", With(Tk("TComboBox"), [](auto& c) { c.style = kVScroll; }), xcCombo,
       P(S::TSkinComBox)},
      {"date-time picker", Kind(K::DateTimePicker), xcEdit, P(S::TSkinDateTime)},
      {"date-time picker in up-down mode", With(Kind(K::DateTimePicker), edModes), xcEdit, P(S::TSkinEdit)},
      {"rich edit", Cls("TRichEdit"), xcScrollbar, P(S::TSkinScrollbar)},
      {"dx memo", Cls("TdxDBMemo"), xcScrollbar, P(S::TSkinScrollbar)},
      {"our glyph button", Tk("TBitBtn"), xcBitBtn, P(S::TSkinBitButton)},
      {"our menu button keeps its arrow", Tk("TMenuButton"), xcBitBtn, P(S::TSkinMenuButton)},
      {"our speed button", Tk("TSpeedButton"), xcSpeedButton,
       P(S::TSkinSpeedButton)},
      {"panel", With(Tk("TPanel"), container), xcPanel,
       P(S::TSkinBox, [](auto& p) { p.transparent = true, p.children = ChildWork::WalkChildren, p.childrenFirst = true; })},
      {"dx tree list", Cls("TdxTreeList"), xcScrollbar, P(S::TSkinScrollbar)},
      {"dx grid", Cls("TdxDBGrid"), xcScrollbar, P(S::TSkinScrollbar)},
      {"list view", Kind(K::ListView), xcScrollbar, P(S::TSkinListView)},
      {"our grid", Tk("TGrid"), xcScrollbar, P(S::TSkinScrollbar)},
      {"our list box", Tk("TListBox"), xcScrollbar, P(S::TSkinScrollbar)},
      {"any control with a vertical scroll bar", With(Cls("TMemo"), [](auto& c) { c.style = kVScroll; }), xcScrollbar,
       P(S::TSkinScrollbar)},
      {"an edit with a horizontal one", With(Tk("TEdit"), [](auto& c) { c.style = kHScroll; }), xcScrollbar,
       P(S::TSkinScrollbar)},
      {"push button", Tk("TButton"), xcButton, P(S::TSkinButton)},
      {"edit", Tk("TEdit"), xcEdit, P(S::TSkinEdit)},
      {"container", With(Cls("TFrame1"), container), std::nullopt, P(S::None, ChildWork::WalkComponents)},
      {"embedded form", With(Kind(K::EmbeddedForm), container), std::nullopt,
       P(S::TSkinBox, [](auto& p) { p.transparent = true, p.children = ChildWork::WalkComponents; })},
      {"dc edit is no container: its NumButtons", With(Cls("TDCEdit"), [](auto& c) { c.container = true, c.numButtons = 0; }),
       xcEdit, P(S::TSkinEdit, [](auto& p) { p.attach = AttachBy::Window; })},
      {"one button: a combo box", With(Cls("TOddCombo"), [](auto& c) { c.numButtons = 1; }), xcCombo, P(S::TSkinComBox)},
      {"a graphic control's scroll style counts for nothing",
       With(Cls("TShape"), [](auto& c) { c.windowed = false, c.style = kVScroll; }), std::nullopt, P(S::None)},
  };
  for (const MapCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Describe(MapBuiltIn(c.control, All())), Describe(c.expected));
    EXPECT_EQ(Describe(MapControl(c.control, All(), {})), Describe(c.expected));
    if (!c.gate) continue;
    // With the gate off the control stays native, and no later row is tried; a walk through
    // its children still happens.
    ControlSkinPlan off;
    if (c.expected.children == ChildWork::WalkChildren || c.expected.children == ChildWork::WalkComponents) {
      off.children = c.expected.children;
      off.childrenFirst = c.expected.childrenFirst;
    }
    EXPECT_EQ(Describe(MapBuiltIn(c.control, Without(*c.gate))), Describe(off));
  }
  // Tab rows also need the skin's "Tabs" element.
  SkinGates noTabs = All();
  noTabs.hasTabsElement = false;
  for (const ControlInfo& c : {Kind(K::TabControl), Tk("TPageControl"), Cls("TTabSet"), Tk("TTabSheet")})
    EXPECT_EQ(MapBuiltIn(c, noTabs).skin, S::None) << c.className;
}

TEST(ControlMap, ClassesNeverSkinnedUnlessSkin3rdNamesThem) {
  for (const char* name : {"TDBComboBoxEh", "TfrDesignerPage", "TFRPBOX"}) {
    const ControlInfo c = With(Kind(K::ComboBox), [&](auto& i) { i.className = name; });
    EXPECT_EQ(MapControl(c, All(), {}).skin, S::None) << name;
    EXPECT_EQ(MapControl(c, All(), {std::string(name) + "=combobox"}).skin, S::TSkinComBox) << name;
  }
}

TEST(ControlMap, Skin3rdKindByKind) {
  const auto bordered = [](ControlInfo& c) { c.windowWidth = 100, c.windowHeight = 21, c.clientWidth = 96, c.clientHeight = 17; };
  struct Case {
    const char* kind;
    std::optional<TSkinControlType> gate;
    ControlSkinPlan expected;
  };
  const Case cases[] = {
      {"combobox", xcCombo, P(S::TSkinComBox)},
      {"ComboBoxEx", xcCombo, P(S::TSkinComBox, [](auto& p) { p.mode = SkinMode::Extended; })},
      {"Edit", xcEdit, P(S::TSkinEdit)},
      {"radiobutton", xcRadioButton, P(S::TSkinRadioButton)},
      {"Panel", xcPanel, P(S::TSkinBox, [](auto& p) { p.transparent = true, p.setTrue = "Transparent"; })},
      {"trackbar", xcButton, P(S::TSkinTrackBar, [](auto& p) { p.setTrue = "Transparent"; })},
      {"button", xcButton, P(S::TSkinButton)},
      {"datetimepicker", xcCombo, P(S::TSkinDateTime)},
      {"mediaplayer", xcButton, P(S::TSkinMP)},
      {"bitbtn", xcButton, P(S::TSkinBitButton)},
      {"pngbitbtn", xcButton, P(S::TSkinBitButton, [](auto& p) { p.glyphProperty = "PngImage"; })},
      {"pngspeedbutton", xcButton, P(S::TSkinSpeedButton, [](auto& p) { p.glyphProperty = "PngImage"; })},
      {"menubtn", xcButton, P(S::TSkinMenuButton)},
      {"speedbutton", xcSpeedButton, P(S::TSkinSpeedButton)},
      {"tab", xcTab, P(S::TSkinTab)},
      {"progress", xcProgress, P(S::TSkinProgress)},
      {"scrollbar", xcScrollbar, P(S::TSkinScrollbar, ChildWork::WalkChildren)},
      {"singlescrollbar", xcScrollbar, P(S::TSkinScrollbar, [](auto& p) { p.mode = SkinMode::Single; })},
      {"embedscrollbar", xcScrollbar, P(S::None, ChildWork::EmbeddedScrollers, true)},
      {"container", std::nullopt, P(S::None, ChildWork::WalkChildren, true)},
      {"groupbox", xcGroupBox, P(S::TSkinGroupBox)},
      {"advpagecontrol", xcTab, P(S::TSkinAdvPage)},
      {"Radiogroup", xcGroupBox, P(S::TSkinGroupBox, ChildWork::RadioGroupItems, true)},
      {"CheckGroup", xcPanel, P(S::TSkinGroupBox, ChildWork::CheckGroupItems, true)},
      {"checkbox", xcCheckBox, P(S::TSkinCheckBox)},
      {"nil", std::nullopt, P(S::None)},
      {"bogus", std::nullopt, P(S::None)},
  };
  // A push button of ours, so that "nil", an unknown kind or a closed gate visibly keep it
  // from the built-in map.
  const ControlInfo button = With(Tk("TButton"), bordered);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    const Skin3rdList list = {"TOther=button", std::string("TButton=") + c.kind};
    const auto plan = MapThirdParty(button, All(), list);
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(Describe(*plan), Describe(c.expected));
    EXPECT_EQ(Describe(MapControl(button, All(), list)), Describe(c.expected));
    if (c.gate) {
      EXPECT_EQ(MapControl(button, Without(*c.gate), list).skin, S::None);
    }
  }
  EXPECT_FALSE(MapThirdParty(button, All(), {"TOther=button"}).has_value());

  // The finer points of some kinds.
  SkinGates noTabsElement = All();
  noTabsElement.hasTabsElement = false;
  EXPECT_EQ(MapControl(button, noTabsElement, {"TButton=tab"}).skin, S::None);
  EXPECT_EQ(MapControl(button, noTabsElement, {"TButton=advpagecontrol"}).skin, S::TSkinAdvPage);
  EXPECT_EQ(MapControl(Tk("TButton"), All(), {"TButton=edit"}).skin, S::None);  // no border to cover
  const auto dropDown = With(Cls("TcxButton"), [](auto& c) { c.kindProperty = "cxbkDropDownButton"; });
  EXPECT_EQ(MapControl(dropDown, All(), DefaultSkin3rd()).skin, S::TSkinMenuButton);
  EXPECT_EQ(MapControl(Cls("TcxButton"), All(), DefaultSkin3rd()).skin, S::TSkinBitButton);
  EXPECT_EQ(Describe(MapControl(button, Without(xcRadioButton), {"TButton=radiogroup"})),
            Describe(P(S::TSkinGroupBox, ChildWork::None, true)));
  EXPECT_EQ(Describe(MapControl(button, Without(xcGroupBox), {"TButton=checkgroup"})),
            Describe(P(S::None, ChildWork::CheckGroupItems, true)));
  EXPECT_EQ(Describe(MapControl(button, Without(xcScrollbar), {"TButton=scrollbar"})),
            Describe(P(S::None, ChildWork::WalkChildren)));
}

TEST(ControlMap, Skin3rdLinesMatchTheWholeClassNameInAnyCase) {
  const Skin3rdList list = {"TButtonX=edit", "TBUTTON=Button", "tbutton=checkbox", "TSpaced =button",
                            "TLong=" + std::string(60, 'k'), "TEq=a=b"};
  EXPECT_EQ(Skin3rdKind(list, "TButton"), "button");  // the first line wins
  EXPECT_EQ(Skin3rdKind(list, "tButtonx"), "edit");
  EXPECT_FALSE(Skin3rdKind(list, "TButt"));
  EXPECT_FALSE(Skin3rdKind(list, "TSpaced"));
  EXPECT_EQ(Skin3rdKind(list, "TLong"), std::string(50, 'k'));
  EXPECT_EQ(Skin3rdKind(list, "TEq"), "a=b");
  EXPECT_FALSE(Skin3rdKind({}, "TButton"));
}

TEST(ControlMap, DefaultSkin3rdList) {
  const Skin3rdList& list = DefaultSkin3rd();
  ASSERT_EQ(list.size(), 118u);
  EXPECT_EQ(list.front(), "TCategoryButtons=scrollbar");
  EXPECT_EQ(list[12], "TTBXDockablePanel=Panel");
  EXPECT_EQ(list.back(), "TLMDDBCHECKBOX=Checkbox");
  std::map<std::string, int> perKind, perLine;
  for (const std::string& line : list) {
    const auto eq = line.find('=');
    ASSERT_NE(eq, std::string::npos) << line;
    ++perKind[*Skin3rdKind({line}, line.substr(0, eq))];
    ++perLine[line];
  }
  const std::map<std::string, int> expected = {
      {"bitbtn", 3},  {"button", 1},     {"checkbox", 4}, {"checkgroup", 3}, {"combobox", 39},
      {"edit", 26},   {"groupbox", 2},   {"menubtn", 1},  {"panel", 15},     {"pngbitbtn", 1},
      {"pngspeedbutton", 1}, {"radiobutton", 2}, {"radiogroup", 7}, {"scrollbar", 10}, {"speedbutton", 3}};
  EXPECT_EQ(perKind, expected);
  EXPECT_EQ(perLine["TLMDFontSizeCombobox=combobox"], 2);
  EXPECT_EQ(perLine["TWWDBCombobox=Combobox"], 2);
  EXPECT_EQ(perLine["TDBCheckboxEh=Checkbox"], 2);
  // Two lines name this class in different cases with different kinds: the first one holds.
  EXPECT_EQ(Skin3rdKind(list, "TLMDGroupBox"), "panel");
}

TEST(ControlMap, DisableTagKeepsTheControlAndHandsItToGroupChildren) {
  const auto tagged = [](const char* name, bool children, bool windowed = true) {
    return With(Cls(name), [&](auto& c) { c.tag = 99, c.hasChildren = children, c.windowed = windowed; });
  };
  EXPECT_FALSE(DisabledByTag(Tk("TButton"), 99));
  EXPECT_EQ(Describe(*DisabledByTag(tagged("TButton", false), 99)), Describe(P(S::None)));
  EXPECT_EQ(DisabledByTag(tagged("TRzRadioGroup", true), 99)->children, ChildWork::TagChildren);
  EXPECT_EQ(DisabledByTag(tagged("TRzRadioGroup", false), 99)->children, ChildWork::None);
  EXPECT_EQ(DisabledByTag(tagged("TPanel", true), 99)->children, ChildWork::None);
  EXPECT_FALSE(DisabledByTag(tagged("TRzRadioGroup", true), 5));
}

TEST(ControlMap, ChildrenOfGroups) {
  const ControlInfo rz = Cls("TRzRadioButton"), plain = Cls("TRadioButton");
  EXPECT_EQ(Describe(MapGroupChild(ChildWork::RadioGroupItems, rz, 99)),
            Describe(P(S::TSkinObjImage, [](auto& p) { p.mode = SkinMode::Radio; })));
  EXPECT_EQ(MapGroupChild(ChildWork::RadioGroupItems, plain, 99).skin, S::TSkinRadioButton);
  EXPECT_EQ(Describe(MapGroupChild(ChildWork::CheckGroupItems, Cls("TRzCheckBox"), 99)),
            Describe(P(S::TSkinObjImage, [](auto& p) { p.mode = SkinMode::Check; })));
  EXPECT_EQ(MapGroupChild(ChildWork::CheckGroupItems, Cls("TCheckBox"), 99).skin, S::TSkinCheckBox);
  EXPECT_EQ(MapGroupChild(ChildWork::EmbeddedScrollers, Tk("TListBox"), 99).skin, S::TSkinScrollbar);
  EXPECT_EQ(MapGroupChild(ChildWork::EmbeddedScrollers, Tk("TButton"), 99).skin, S::None);
  EXPECT_EQ(MapGroupChild(ChildWork::RadioButtons, With(rz, [](auto& c) { c.tag = 99; }), 99).skin, S::None);
}

TEST(ControlMap, ChildrenOfForeignWindows) {
  struct Case {
    const char* cls;
    std::uint32_t style;
    std::optional<TSkinControlType> gate;
    ControlSkinPlan expected;
  };
  const auto byWindow = [](ControlSkinPlan p) {
    p.attach = AttachBy::Window;
    return p;
  };
  const auto face = [](ControlSkinPlan& p) { p.colorToFace = true, p.children = ChildWork::WalkChildren, p.childrenFirst = true; };
  const Case cases[] = {
      {"Button", 0x50010000, xcButton, P(S::TSkinButton)},          // BS_PUSHBUTTON
      {"button", 0x50000007, std::nullopt, P(S::None)},             // BS_GROUPBOX
      {"button", 0x50000080, std::nullopt, P(S::None)},             // bit 0x80
      {"button", 0x5001000B, std::nullopt, P(S::None)},             // BS_OWNERDRAW
      {"button", 0x50010002, xcCheckBox, P(S::TSkinCheckBox)},      // BS_CHECKBOX
      {"button", 0x50010005, xcCheckBox, P(S::TSkinCheckBox)},      // BS_3STATE
      {"button", 0x50010006, xcCheckBox, P(S::TSkinCheckBox)},      // BS_AUTO3STATE
      {"button", 0x50010004, xcRadioButton, P(S::TSkinRadioButton)},  // BS_RADIOBUTTON
      {"button", 0x50010009, xcRadioButton, P(S::TSkinRadioButton)},  // BS_AUTORADIOBUTTON
      {"ComboBox", 0x50210002, xcCombo, P(S::TSkinComBox)},          // CBS_DROPDOWN
      {"combobox", 0x50210001, std::nullopt, P(S::None)},            // CBS_SIMPLE
      {"ComboBoxEx32", 0x50010003, xcCombo, P(S::TSkinComBox, [](auto& p) { p.firstChild = true; })},
      {"ScrollBar", 0x5000001C, std::nullopt, P(S::TSkinSizer)},    // a size grip
      {"ScrollBar", 0x5001001C, std::nullopt, P(S::None)},          // with bit 0x10000
      {"ScrollBar", 0x50000001, std::nullopt, P(S::None)},          // a real scroll bar
      {"SysTreeView32", 0x50010000, std::nullopt, P(S::None)},
      {"#32770", 0x50000000, std::nullopt, P(S::TSkinBoxH, ChildWork::WalkChildren, true)},
      {"#32770", 0x50010000, std::nullopt, P(S::None)},
      {"TPanel", 0, std::nullopt, P(S::None, face)},
      {"TTntSilentPaintPanel.UnicodeClass", 0, std::nullopt, P(S::None, face)},
      {"TCheckBox", 0, xcCheckBox, P(S::TSkinCheckBox)},
      {"TComboBox", 0, xcCombo, P(S::TSkinComBox)},
      {"TButton", 0, xcButton, P(S::TSkinButton)},
      {"TProgressBar", 0, xcProgress, P(S::TSkinProgress)},
      {"TSilentPaintPanel", 0, std::nullopt, P(S::None, [](auto& p) { p.colorToFace = true; })},
      {"SysTabControl32", 0x50010000, xcTab, P(S::TSkinTab)},
      {"SysTabControl32", 0x50012000, std::nullopt, P(S::None)},  // owner-drawn tabs
      {"ToolbarWindow32", 0x50000000, xcToolbar, P(S::TSkinBoxH)},
      {"Edit", 0x50010080, xcEdit, P(S::TSkinEdit)},
      {"SysDateTimePick32", 0x50010000, xcEdit, P(S::TSkinDateTime)},
      {"SysDateTimePick32", 0x50010009, xcEdit, P(S::TSkinEdit)},  // DTS_TIMEFORMAT
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.cls) + " " + std::to_string(c.style));
    EXPECT_EQ(Describe(MapForeignChild(c.cls, c.style, All())), Describe(byWindow(c.expected)));
    if (c.gate) {
      EXPECT_EQ(MapForeignChild(c.cls, c.style, Without(*c.gate)).skin, S::None);
    }
  }
  SkinGates noTabs = All();
  noTabs.hasTabsElement = false;
  EXPECT_EQ(MapForeignChild("SysTabControl32", 0, noTabs).skin, S::None);
}

TEST(ControlMap, PopupMenus) {
  EXPECT_TRUE(SkinsPopupMenu(All(), "TQuilletFrm", 0, 99));
  EXPECT_FALSE(SkinsPopupMenu(All(), "TQuilletFrm", 99, 99));
  EXPECT_FALSE(SkinsPopupMenu(All(), "TwwRichEditForm", 0, 99));
}

TEST(SkinTypes, DefaultsBitsAndWhatLoadingRemoves) {
  EXPECT_EQ(DefaultSkinControls().Bits(), 0x1FFFFBu);  // xcMainMenu..xcSystemMenu but xcMenuItem
  EXPECT_EQ(DefaultSkinOptions().Bits(), (1u << 3) | (1u << 6) | (1u << 10));
  EXPECT_EQ(int(xcFastReport), 21);
  EXPECT_EQ(int(xoFormScrollbar), 11);
  const auto withMenuItem = TSkinControlTypes(DefaultSkinControls()).Include(xcMenuItem);
  const auto noMainMenu = TSkinControlTypes(withMenuItem).Exclude(xcMainMenu);
  struct Case {
    TSkinControlTypes in;
    bool scrollInfo;
    TSkinFormType type;
    TSkinControlTypes out;
  };
  const Case cases[] = {
      {withMenuItem, true, sfMainform, DefaultSkinControls()},
      {noMainMenu, true, sfMainform, TSkinControlTypes(noMainMenu).Exclude(xcSystemMenu)},
      {withMenuItem, false, sfMainform, TSkinControlTypes(DefaultSkinControls()).Exclude(xcScrollbar)},
      {withMenuItem, true, sfDialog, withMenuItem},
      {withMenuItem, false, sfOnlyThisForm, TSkinControlTypes(withMenuItem).Exclude(xcScrollbar)},
  };
  for (const Case& c : cases) EXPECT_EQ(SkinControlsAtLoad(c.in, c.scrollInfo, c.type).Bits(), c.out.Bits());
}
