#include "skin/control_map.h"

#include <array>

#include "skin/text.h"

namespace quillet::skin {

namespace {

constexpr std::uint32_t kWsVScroll = 0x00200000, kWsHScroll = 0x00100000;

const std::array<const char*, 31> kSkinClassNames = {
    "",
    "TSkinButton",
    "TSkinBitButton",
    "TSkinSpeedButton",
    "TSkinMenuButton",
    "TSkinScrollbar",
    "TSkinListView",
    "TSkinDateTime",
    "TSkinMP",
    "TSkinCheckBox",
    "TSkinComBox",
    "TSkinRadioButton",
    "TSkinStatusBar",
    "TSkinBox",
    "TSkinGroupBox",
    "TSkinUpDown",
    "TSkinTab",
    "TSkinTab31",
    "TSkinTabBtn",
    "TSkinProgress",
    "TSkinTrackBar",
    "TSkinEdit",
    "TSkinSizer",
    "TSkinBoxH",
    "TSkinTabSheet",
    "TSkinObjImage",
    "TSkinAdvPage",
    "TComboxScrollBar",
    "TSkinScrollbarH",
    "TSkinScControl",
    "TSkinHeader",
};

ControlSkinPlan Skin(SkinClass s) {
  ControlSkinPlan p;
  p.skin = s;
  return p;
}

ControlSkinPlan Transparent(SkinClass s) {
  ControlSkinPlan p = Skin(s);
  p.transparent = true;
  return p;
}

ControlSkinPlan Mode(SkinClass s, SkinMode m) {
  ControlSkinPlan p = Skin(s);
  p.mode = m;
  return p;
}

ControlSkinPlan Children(ChildWork w, bool first, ControlSkinPlan p = {}) {
  p.children = w;
  p.childrenFirst = first;
  return p;
}

// A plan whose skin is kept only when its gate is open. A walk through the children happens
// whatever the gate: the controls inside a native panel are skinned all the same.
ControlSkinPlan Gate(bool open, const ControlSkinPlan& p) {
  if (open) return p;
  ControlSkinPlan none;
  if (p.children == ChildWork::WalkChildren || p.children == ChildWork::WalkComponents) {
    none.children = p.children;
    none.childrenFirst = p.childrenFirst;
  }
  return none;
}

bool Is(const std::string& upper, std::initializer_list<const char*> names) {
  for (const char* n : names)
    if (upper == n) return true;
  return false;
}

bool Scrollable(const ControlInfo& c) {
  return c.kind == ControlKind::ListBox || (c.windowed && (c.style & (kWsVScroll | kWsHScroll)) != 0);
}

ControlSkinPlan ThirdPartyPlan(const std::string& kind, const ControlInfo& c, const SkinGates& g) {
  const auto has = [&](TSkinControlType t) { return g.controls.Has(t); };
  const bool tabs = has(xcTab) && g.hasTabsElement;
  if (kind == "combobox") return Gate(has(xcCombo), Skin(SkinClass::TSkinComBox));
  if (kind == "comboboxex") return Gate(has(xcCombo), Mode(SkinClass::TSkinComBox, SkinMode::Extended));
  if (kind == "edit") {
    const bool border = c.windowWidth != c.clientWidth || c.windowHeight != c.clientHeight;
    return Gate(has(xcEdit) && border, Skin(SkinClass::TSkinEdit));
  }
  if (kind == "radiobutton") return Gate(has(xcRadioButton), Skin(SkinClass::TSkinRadioButton));
  if (kind == "panel") {
    ControlSkinPlan p = Transparent(SkinClass::TSkinBox);
    p.setTrue = "Transparent";
    return Gate(has(xcPanel), p);
  }
  if (kind == "trackbar") {
    ControlSkinPlan p = Skin(SkinClass::TSkinTrackBar);
    p.setTrue = "Transparent";
    return Gate(has(xcButton), p);
  }
  if (kind == "button") return Gate(has(xcButton), Skin(SkinClass::TSkinButton));
  if (kind == "datetimepicker") return Gate(has(xcCombo), Skin(SkinClass::TSkinDateTime));
  if (kind == "mediaplayer") return Gate(has(xcButton), Skin(SkinClass::TSkinMP));
  if (kind == "bitbtn") {
    const bool dropDown =
        EqualNoCase(c.className, "TcxButton") && EqualNoCase(c.kindProperty, "cxbkDropDownButton");
    return Gate(has(xcButton), Skin(dropDown ? SkinClass::TSkinMenuButton : SkinClass::TSkinBitButton));
  }
  if (kind == "pngbitbtn" || kind == "pngspeedbutton") {
    ControlSkinPlan p = Skin(kind == "pngbitbtn" ? SkinClass::TSkinBitButton : SkinClass::TSkinSpeedButton);
    p.glyphProperty = "PngImage";
    return Gate(has(xcButton), p);
  }
  if (kind == "menubtn") return Gate(has(xcButton), Skin(SkinClass::TSkinMenuButton));
  if (kind == "speedbutton") return Gate(has(xcSpeedButton), Skin(SkinClass::TSkinSpeedButton));
  if (kind == "tab") return Gate(tabs, Skin(SkinClass::TSkinTab));
  if (kind == "progress") return Gate(has(xcProgress), Skin(SkinClass::TSkinProgress));
  if (kind == "scrollbar")
    return Gate(has(xcScrollbar), Children(ChildWork::WalkChildren, false, Skin(SkinClass::TSkinScrollbar)));
  if (kind == "singlescrollbar") return Gate(has(xcScrollbar), Mode(SkinClass::TSkinScrollbar, SkinMode::Single));
  if (kind == "embedscrollbar") return Gate(has(xcScrollbar), Children(ChildWork::EmbeddedScrollers, true));
  if (kind == "container") return Children(ChildWork::WalkChildren, true);
  if (kind == "groupbox") return Gate(has(xcGroupBox), Skin(SkinClass::TSkinGroupBox));
  if (kind == "advpagecontrol") return Gate(has(xcTab), Skin(SkinClass::TSkinAdvPage));
  if (kind == "radiogroup") {
    if (!has(xcGroupBox)) return {};
    return Children(has(xcRadioButton) ? ChildWork::RadioGroupItems : ChildWork::None, true,
                    Skin(SkinClass::TSkinGroupBox));
  }
  if (kind == "checkgroup") {
    if (!has(xcPanel)) return {};
    return Children(has(xcRadioButton) ? ChildWork::CheckGroupItems : ChildWork::None, true,
                    has(xcGroupBox) ? Skin(SkinClass::TSkinGroupBox) : ControlSkinPlan());
  }
  if (kind == "checkbox") return Gate(has(xcCheckBox), Skin(SkinClass::TSkinCheckBox));
  return {};  // "nil" and kinds not known keep the control as it is
}

}  // namespace

const char* SkinClassName(SkinClass c) {
  const auto i = static_cast<std::size_t>(c);
  return i < kSkinClassNames.size() ? kSkinClassNames[i] : "";
}

ControlKind ToolkitControlKind(std::string_view className) {
  struct Row {
    const char* name;
    ControlKind kind;
  };
  static constexpr Row kRows[] = {
      {"TButton", ControlKind::PushButton},   {"TCheckBox", ControlKind::CheckBox},
      {"TEdit", ControlKind::Edit},           {"TComboBox", ControlKind::ComboBox},
      {"TGroupBox", ControlKind::GroupBox},   {"TPanel", ControlKind::Panel},
      {"TPageControl", ControlKind::PageControl}, {"TTabSheet", ControlKind::TabSheet},
      {"TUpDown", ControlKind::UpDown},       {"TListBox", ControlKind::ListBox},
      {"TCheckListBox", ControlKind::ListBox}, {"TGrid", ControlKind::Grid},
      {"TProgressBar", ControlKind::ProgressBar}, {"TTrackBar", ControlKind::TrackBar},
      {"TStatusBar", ControlKind::StatusBar}, {"TToolBar", ControlKind::ToolBar},
      {"TBitBtn", ControlKind::GlyphButton},  {"TMenuButton", ControlKind::GlyphButton},
      {"TSpeedButton", ControlKind::SpeedButton},
  };
  for (const Row& r : kRows)
    if (EqualNoCase(className, r.name)) return r.kind;
  return ControlKind::Other;
}

std::optional<ControlSkinPlan> DisabledByTag(const ControlInfo& c, int disableTag) {
  if (c.tag != disableTag) return std::nullopt;
  ControlSkinPlan p;
  const std::string lower = AsciiLower(c.className);
  if (c.windowed && c.hasChildren &&
      (lower.find("radiogroup") != std::string::npos || lower.find("checkgroup") != std::string::npos))
    p.children = ChildWork::TagChildren;
  return p;
}

bool NeverSkinned(std::string_view className) {
  const std::string up = AsciiUpper(std::string(className));
  return Is(up, {"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"});
}

std::optional<std::string> Skin3rdKind(const Skin3rdList& list, std::string_view className) {
  const std::string key = AsciiLower(std::string(className)) + "=";
  for (const std::string& line : list) {
    if (line.size() < key.size() || AsciiLower(line.substr(0, key.size())) != key) continue;
    return AsciiLower(line.substr(key.size(), 50));
  }
  return std::nullopt;
}

std::optional<ControlSkinPlan> MapThirdParty(const ControlInfo& c, const SkinGates& g, const Skin3rdList& list) {
  const auto kind = Skin3rdKind(list, c.className);
  if (!kind) return std::nullopt;
  return ThirdPartyPlan(*kind, c, g);
}

ControlSkinPlan MapBuiltIn(const ControlInfo& c, const SkinGates& g) {
  using K = ControlKind;
  using S = SkinClass;
  const auto has = [&](TSkinControlType t) { return g.controls.Has(t); };
  const bool tabs = has(xcTab) && g.hasTabsElement;
  const std::string up = AsciiUpper(c.className);

  if (c.kind == K::TabControl) return Gate(tabs, Skin(S::TSkinTab));
  if (c.kind == K::PageControl)
    return Gate(tabs, Skin(c.tabStyle == TabStyle::Tabs ? S::TSkinTab : S::TSkinTabBtn));
  if (up == "TTABSET") return Gate(tabs, Skin(S::TSkinTab31));
  if (c.kind == K::TabSheet) return Gate(tabs, Skin(S::TSkinTabSheet));
  if (up == "TTABBEDNOTEBOOK") return Gate(tabs, Skin(S::TSkinTab));
  if (up == "TMVCPANEL") return Children(ChildWork::WalkChildren, true);
  if (c.kind == K::Header) return Gate(has(xcPanel), Skin(S::TSkinHeader));
  if (c.kind == K::CheckBox) return Gate(has(xcCheckBox), Skin(S::TSkinCheckBox));
  if (c.kind == K::TrackBar) return Gate(has(xcTrackBar), Skin(S::TSkinTrackBar));
  if (c.kind == K::UpDown || Is(up, {"TUPDOWN", "TSPINBUTTON"})) return Gate(has(xcSpin), Skin(S::TSkinUpDown));
  if (up == "TMEDIAPLAYER") return Gate(has(xcButton), Skin(S::TSkinMP));
  if (c.kind == K::RadioGroup)
    return Gate(has(xcRadioButton), Children(ChildWork::RadioButtons, true, Transparent(S::TSkinGroupBox)));
  if (up == "TDBNAVIGATOR")
    return Gate(has(xcPanel), Children(ChildWork::WalkChildren, false, Transparent(S::TSkinBox)));
  if (Is(up, {"TRZDBCHECKBOX", "TRZCHECKBOX"})) return Gate(has(xcCheckBox), Mode(S::TSkinObjImage, SkinMode::Check));
  if (Is(up, {"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"}))
    return Gate(has(xcRadioButton), Mode(S::TSkinObjImage, SkinMode::Radio));
  if (Is(up, {"TCXDBCHECKBOX", "TCXCHECKBOX"})) return Gate(has(xcCheckBox), Mode(S::TSkinObjImage, SkinMode::Third));
  if (c.kind == K::GroupBox)
    return Gate(has(xcPanel), Children(ChildWork::WalkChildren, true, Skin(S::TSkinGroupBox)));
  if (c.kind == K::RadioButton) return Gate(has(xcRadioButton), Skin(S::TSkinRadioButton));
  if (c.kind == K::ToolBar) {
    ControlSkinPlan p = Skin(S::TSkinBox);
    p.setTrue = "Flat";
    p.toolbar = true;
    return Gate(has(xcToolbar), p);
  }
  if (c.kind == K::StatusBar) return Gate(has(xcStatusBar), Skin(S::TSkinStatusBar));
  if (c.kind == K::ProgressBar) return Gate(has(xcProgress), Skin(S::TSkinProgress));
  if (c.kind == K::ScrollBox) return Gate(has(xcScrollbar), Skin(S::TSkinScControl));
  if (up == "TTNTCOMBOBOX" || c.kind == K::ComboBox) return Gate(has(xcCombo), Skin(S::TSkinComBox));
  if (c.kind == K::DateTimePicker)
    return Gate(has(xcEdit), Skin(c.upDownOrTimeMode ? S::TSkinEdit : S::TSkinDateTime));
  if (Is(up, {"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"})) return Gate(has(xcScrollbar), Skin(S::TSkinScrollbar));
  // Our menu button is a glyph button with a drop-down arrow; the menu button's skin draws the arrow.
  if (c.kind == K::GlyphButton)
    return Gate(has(xcBitBtn), Skin(EqualNoCase(c.className, "TMenuButton") ? S::TSkinMenuButton : S::TSkinBitButton));
  if (c.kind == K::SpeedButton) return Gate(has(xcSpeedButton), Skin(S::TSkinSpeedButton));
  if (c.kind == K::Panel) return Gate(has(xcPanel), Children(ChildWork::WalkChildren, true, Transparent(S::TSkinBox)));
  if (Is(up, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"})) return Gate(has(xcScrollbar), Skin(S::TSkinScrollbar));
  if (c.kind == K::ListView) return Gate(has(xcScrollbar), Skin(S::TSkinListView));
  if (c.kind == K::Grid || Scrollable(c)) return Gate(has(xcScrollbar), Skin(S::TSkinScrollbar));
  if (c.kind == K::PushButton) return Gate(has(xcButton), Skin(S::TSkinButton));
  if (c.kind == K::Edit) return Gate(has(xcEdit), Skin(S::TSkinEdit));
  if (c.windowed && c.container && c.kind != K::EmbeddedForm && !Is(up, {"TDCEDIT", "TDCDBEDIT"}))
    return Children(ChildWork::WalkComponents, false);
  if (c.kind == K::EmbeddedForm) return Children(ChildWork::WalkComponents, false, Transparent(S::TSkinBox));
  if (c.numButtons == 1 && has(xcCombo)) return Skin(S::TSkinComBox);
  if (c.numButtons == 0 && has(xcEdit)) {
    ControlSkinPlan p = Skin(S::TSkinEdit);
    p.attach = AttachBy::Window;
    return p;
  }
  return {};
}

ControlSkinPlan MapControl(const ControlInfo& c, const SkinGates& g, const Skin3rdList& list) {
  if (auto p = MapThirdParty(c, g, list)) return *p;
  if (NeverSkinned(c.className)) return {};
  return MapBuiltIn(c, g);
}

ControlSkinPlan MapGroupChild(ChildWork work, const ControlInfo& child, int disableTag) {
  if (child.tag == disableTag) return {};
  const bool trz = AsciiUpper(child.className).find("TRZ") != std::string::npos;
  switch (work) {
    case ChildWork::RadioButtons:
      return Skin(SkinClass::TSkinRadioButton);
    case ChildWork::RadioGroupItems:
      return trz ? Mode(SkinClass::TSkinObjImage, SkinMode::Radio) : Skin(SkinClass::TSkinRadioButton);
    case ChildWork::CheckGroupItems:
      return trz ? Mode(SkinClass::TSkinObjImage, SkinMode::Check) : Skin(SkinClass::TSkinCheckBox);
    case ChildWork::EmbeddedScrollers:
      if (child.kind == ControlKind::ScrollBox) return Skin(SkinClass::TSkinScControl);
      if (child.kind == ControlKind::Grid || child.kind == ControlKind::ListView || Scrollable(child))
        return Skin(SkinClass::TSkinScrollbar);
      return {};
    default:
      return {};
  }
}

ControlSkinPlan MapForeignChild(std::string_view className, std::uint32_t style, const SkinGates& g) {
  using S = SkinClass;
  const auto has = [&](TSkinControlType t) { return g.controls.Has(t); };
  const std::string cls = AsciiLower(std::string(className));
  ControlSkinPlan p = [&]() -> ControlSkinPlan {
    if (cls == "button") {
      constexpr std::uint32_t kGroupBox = 7, kOwnerDraw = 11;
      const std::uint32_t type = style & 0x0F;
      if (type == kGroupBox || (style & 0x80)) return {};
      // Check boxes of every kind; the automatic three-state one (6) is one as well.
      if (type == 2 || type == 3 || type == 5 || type == 6) return Gate(has(xcCheckBox), Skin(S::TSkinCheckBox));
      if (type == 4 || type == 9) return Gate(has(xcRadioButton), Skin(S::TSkinRadioButton));
      if (type == kOwnerDraw) return {};
      return Gate(has(xcButton), Skin(S::TSkinButton));
    }
    if (cls == "combobox") return Gate(has(xcCombo) && (style & 3) != 1, Skin(S::TSkinComBox));
    if (cls == "comboboxex32") {
      ControlSkinPlan c = Skin(S::TSkinComBox);
      c.firstChild = true;
      return Gate(has(xcCombo), c);
    }
    if (cls == "scrollbar") {
      // Only a size box or size grip is drawn as one; a real scroll bar keeps its own look.
      const bool grip = (style & 0x18) != 0;
      return Gate(grip && !(style & 0x10000), Skin(S::TSkinSizer));
    }
    if (cls == "systreeview32") return {};
    if (cls == "#32770") {
      if (style & 0x10000) return {};
      return Children(ChildWork::WalkChildren, true, Skin(S::TSkinBoxH));
    }
    if (cls == "tpanel" || cls == "ttntpanel.unicodeclass" || cls == "ttntsilentpaintpanel.unicodeclass") {
      ControlSkinPlan c = Children(ChildWork::WalkChildren, true);
      c.colorToFace = true;
      return c;
    }
    if (cls == "tcheckbox") return Gate(has(xcCheckBox), Skin(S::TSkinCheckBox));
    if (cls == "tcombobox") return Gate(has(xcCombo), Skin(S::TSkinComBox));
    if (cls == "tbutton") return Gate(has(xcButton), Skin(S::TSkinButton));
    if (cls == "tprogressbar") return Gate(has(xcProgress), Skin(S::TSkinProgress));
    if (cls == "tsilentpaintpanel") {
      ControlSkinPlan c;
      c.colorToFace = true;
      return c;
    }
    if (cls == "systabcontrol32")
      return Gate(has(xcTab) && g.hasTabsElement && !(style & 0x2000), Skin(S::TSkinTab));
    if (cls == "toolbarwindow32") return Gate(has(xcToolbar), Skin(S::TSkinBoxH));
    if (cls == "edit") return Gate(has(xcEdit), Skin(S::TSkinEdit));
    // The system's date-time picker, which the toolkit has no class for; as the built-in row for
    // date-time pickers: up-down and time pickers (DTS_UPDOWN) are edits.
    if (cls == "sysdatetimepick32") return Gate(has(xcEdit), Skin((style & 0x1) ? S::TSkinEdit : S::TSkinDateTime));
    return {};
  }();
  p.attach = AttachBy::Window;
  return p;
}

bool SkinsPopupMenu(const SkinGates& g, std::string_view formClassName, int menuTag, int disableTag) {
  return g.controls.Has(xcPopupMenu) && menuTag != disableTag && !EqualNoCase(formClassName, "TwwRichEditForm");
}

}  // namespace quillet::skin
