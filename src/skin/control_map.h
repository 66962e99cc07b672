// Which control skin a control of a skinned window gets, decided from a small description of
// the control. Nothing here touches a window.
//
// The window layer, walking a skinned form's controls, gathers a ControlInfo for each one
// (class name, the kind our toolkit's class counts as, styles, Tag, ...) and asks, in order:
//   1. DisabledByTag: a control carrying DisableTag is left alone (a radio or check group also
//      hands the tag on to its children);
//   2. its own checks: no parent, an answer of 1 to the query-skip message, a skin already
//      attached, no window handle to be had; then the application's OnSkinControl handler;
//   3. MapControl, which tries the Skin3rd list and then the built-in map.
// It then carries out the ControlSkinPlan: set the named property, do the children's work
// first or last, attach the named skin class by control or by window handle in the mode given.
// Children of radio and check groups and of "embedscrollbar" controls are mapped with
// MapGroupChild. Children of foreign windows (standard dialogs, message boxes) go through
// MapForeignChild instead.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/skin_types.h"

namespace quillet::skin {

// Every class of the control-skin family.
enum class SkinClass : std::uint8_t {
  None,
  TSkinButton,
  TSkinBitButton,
  TSkinSpeedButton,
  TSkinMenuButton,
  TSkinScrollbar,
  TSkinListView,
  TSkinDateTime,
  TSkinMP,
  TSkinCheckBox,
  TSkinComBox,
  TSkinRadioButton,
  TSkinStatusBar,
  TSkinBox,
  TSkinGroupBox,
  TSkinUpDown,
  TSkinTab,
  TSkinTab31,
  TSkinTabBtn,
  TSkinProgress,
  TSkinTrackBar,
  TSkinEdit,
  TSkinSizer,
  TSkinBoxH,
  TSkinTabSheet,
  TSkinObjImage,
  TSkinAdvPage,
  TComboxScrollBar,
  TSkinScrollbarH,
  TSkinScControl,
  TSkinHeader,
};
const char* SkinClassName(SkinClass c);

// What a toolkit control counts as in the built-in map.
enum class ControlKind : std::uint8_t {
  Other,
  TabControl,  // a tab control that is not a page control
  PageControl,
  TabSheet,
  Header,
  CheckBox,
  TrackBar,
  UpDown,
  RadioGroup,
  GroupBox,
  RadioButton,
  ToolBar,
  StatusBar,
  ProgressBar,
  ScrollBox,
  ComboBox,
  DateTimePicker,
  GlyphButton,
  SpeedButton,
  Panel,
  ListView,
  Grid,
  ListBox,
  PushButton,
  Edit,
  EmbeddedForm,
};

// The kind of one of our toolkit's classes ("TButton", "TListBox", ...); Other for the rest.
ControlKind ToolkitControlKind(std::string_view className);

enum class TabStyle : std::uint8_t { Tabs, Buttons, FlatButtons };

struct ControlInfo {
  std::string className;
  ControlKind kind = ControlKind::Other;
  bool windowed = true;    // has (or can have) a window handle
  bool container = false;  // a windowed control that holds other controls
  bool hasChildren = false;
  int tag = 0;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  TabStyle tabStyle = TabStyle::Tabs;  // page controls
  bool upDownOrTimeMode = false;       // date-time pickers
  std::optional<int> numButtons;       // the integer property "NumButtons", when it has one
  std::string kindProperty;            // the "Kind" property, when it has one
  int windowWidth = 0, windowHeight = 0;
  int clientWidth = 0, clientHeight = 0;
};

struct SkinGates {
  TSkinControlTypes controls = DefaultSkinControls();
  bool hasTabsElement = false;  // the skin has a "Tabs" element
};

enum class AttachBy : std::uint8_t { Control, Window };

// Modes of the skins that have several: combo boxes (Extended), scroll bars (Single) and
// image-drawn check and radio boxes (Check, Radio, Third).
enum class SkinMode : std::uint8_t { Normal, Extended, Single, Check, Radio, Third };

enum class ChildWork : std::uint8_t {
  None,
  WalkChildren,       // the tree walk again for each child control
  WalkComponents,     // the tree walk for each component it owns
  RadioButtons,       // each child: MapGroupChild
  RadioGroupItems,    // each child: MapGroupChild
  CheckGroupItems,    // each child: MapGroupChild
  EmbeddedScrollers,  // each child: MapGroupChild
  TagChildren,        // every child's Tag becomes DisableTag; nothing else
};

struct ControlSkinPlan {
  SkinClass skin = SkinClass::None;
  AttachBy attach = AttachBy::Control;
  bool transparent = false;
  SkinMode mode = SkinMode::Normal;
  const char* glyphProperty = nullptr;  // the glyph is taken from this property ("PngImage")
  const char* setTrue = nullptr;        // set this property to "True" first ("Transparent", "Flat")
  ChildWork children = ChildWork::None;
  bool childrenFirst = false;  // the children's work comes before attaching the skin
  bool toolbar = false;        // also hook the tool bar's paint events and owner-draw its menu items
  bool colorToFace = false;   // the window's colour becomes the face colour
  bool firstChild = false;     // the skin goes on the window's first child, not the window

  bool operator==(const ControlSkinPlan&) const = default;
};

// The DisableTag rule: nullopt when the control does not carry the tag, else what to do (at
// most hand the tag on to the children of a radio or check group).
std::optional<ControlSkinPlan> DisabledByTag(const ControlInfo& c, int disableTag);

// Classes the map never skins.
bool NeverSkinned(std::string_view className);

// The Skin3rd list: lines "ClassName=kind". The kind of the first line that begins with the
// class name and "=" (any case), lower-cased and cut to 50 characters; nullopt without one.
using Skin3rdList = std::vector<std::string>;
std::optional<std::string> Skin3rdKind(const Skin3rdList& list, std::string_view className);
// The 118 lines a new component starts with.
const Skin3rdList& DefaultSkin3rd();

// nullopt when the list has no line for the class; otherwise the plan (no skin for "nil", a
// kind not known, or a gate that is off: the built-in map is not asked then). As in the
// built-in map, a walk through the children happens whatever the gate.
std::optional<ControlSkinPlan> MapThirdParty(const ControlInfo& c, const SkinGates& g, const Skin3rdList& list);
// The built-in map: the first row that matches the control decides. A row whose gate is off
// gives no skin, but its walk through the children still happens.
ControlSkinPlan MapBuiltIn(const ControlInfo& c, const SkinGates& g);
// Skin3rd, the classes never skinned, then the built-in map.
ControlSkinPlan MapControl(const ControlInfo& c, const SkinGates& g, const Skin3rdList& list);

// A child of a control whose plan named RadioButtons, RadioGroupItems, CheckGroupItems or
// EmbeddedScrollers. A child carrying DisableTag gets nothing.
ControlSkinPlan MapGroupChild(ChildWork work, const ControlInfo& child, int disableTag);

// A child window of a foreign window, by its class name (any case) and style.
ControlSkinPlan MapForeignChild(std::string_view className, std::uint32_t style, const SkinGates& g);

// Whether a popup menu among a form's components is made owner-drawn by the skin.
bool SkinsPopupMenu(const SkinGates& g, std::string_view formClassName, int menuTag, int disableTag);

}  // namespace quillet::skin
