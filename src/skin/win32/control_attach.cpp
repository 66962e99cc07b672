#include "skin/win32/control_attach.h"

#include <commctrl.h>

#include <vector>

#include "skin/control_map.h"
#include "skin/text.h"
#include "skin/win32/control_skin.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32/popup_menu_skin.h"
#include "skin/win32/skin_data.h"
#include "ui/forms.h"
#include "ui/popup_menu.h"

namespace quillet::skin::win32 {

namespace {

SkinGates GatesOf(const TSkinData& d) {
  SkinGates g;
  g.controls = d.SkinControls;
  g.hasTabsElement = d.Elements().Tabs && d.Elements().Tabs->HasBitmap();
  return g;
}

ControlInfo InfoOf(ui::TControl& c) {
  ControlInfo info;
  info.className = c.ClassName();
  info.kind = ToolkitControlKind(info.className);
  info.windowed = c.IsWindowed();
  info.tag = static_cast<int>(c.Tag());
  if (auto* w = dynamic_cast<ui::TWinControl*>(&c)) {
    info.hasChildren = !w->Controls().empty();
    info.container = info.hasChildren || info.kind == ControlKind::Panel || info.kind == ControlKind::GroupBox ||
                     info.kind == ControlKind::TabSheet;
    if (HWND h = w->HandleIfAny()) {
      info.style = static_cast<std::uint32_t>(GetWindowLongPtrA(h, GWL_STYLE));
      info.exStyle = static_cast<std::uint32_t>(GetWindowLongPtrA(h, GWL_EXSTYLE));
      RECT wr{}, cr{};
      GetWindowRect(h, &wr);
      GetClientRect(h, &cr);
      info.windowWidth = wr.right - wr.left;
      info.windowHeight = wr.bottom - wr.top;
      info.clientWidth = cr.right;
      info.clientHeight = cr.bottom;
      if (info.kind == ControlKind::PageControl)
        info.tabStyle = (info.style & TCS_FLATBUTTONS) ? TabStyle::FlatButtons
                        : (info.style & TCS_BUTTONS)   ? TabStyle::Buttons
                                                       : TabStyle::Tabs;
    }
  }
  if (const auto n = c.GetProperty("NumButtons"); n && n->kind == ui::PropKind::Integer)
    info.numButtons = static_cast<int>(n->number);
  if (const auto k = c.GetProperty("Kind")) info.kindProperty = k->AsText();
  return info;
}

class Walker {
 public:
  Walker(TWinSkinForm& fs, TSkinData& data) : fs_(fs), data_(data), gates_(GatesOf(data)) {}

  // Attaches the skin a plan names, to the toolkit control or to the window.
  void Attach(const ControlSkinPlan& plan, ui::TWinControl* control, HWND hwnd) {
    if (plan.skin == SkinClass::None) return;
    if (plan.firstChild && hwnd) hwnd = GetWindow(hwnd, GW_CHILD);
    if (!hwnd || fs_.FindControlSkin(hwnd)) return;
    std::unique_ptr<TSkinControl> skin = MakeControlSkin(plan.skin, plan.mode);
    if (!skin) return;
    skin->Configure(plan);
    if (plan.attach == AttachBy::Control && control && !plan.firstChild)
      skin->AttachControl(fs_, data_, *control, plan.transparent);
    else
      skin->AttachWindow(hwnd, data_, fs_);
    fs_.AddControlSkin(std::move(skin));
  }

  void Tree(ui::TControl* control, ui::TWinControl* parent) {
    auto* w = dynamic_cast<ui::TWinControl*>(control);
    // Graphic controls have no window: their skinned parent paints them over its face colour.
    if (!w || !parent) return;
    ControlInfo info = InfoOf(*control);
    if (auto tagged = DisabledByTag(info, data_.DisableTag)) {
      if (tagged->children == ChildWork::TagChildren)
        for (ui::TControl* c : w->Controls()) c->SetTag(data_.DisableTag);
      return;
    }
    // A control without a window yet is skinned when its window is made.
    const HWND h = w->HandleIfAny();
    if (!h || fs_.FindControlSkin(h) || AnswersSkip(h)) return;
    if (data_.OnSkinControl) {
      std::unique_ptr<TSkinControl> own;
      data_.OnSkinControl(data_, fs_.Form(), control, AsciiUpper(info.className), own);
      if (own) {
        own->AttachControl(fs_, data_, *w, false);
        fs_.AddControlSkin(std::move(own));
        if (info.kind == ControlKind::Panel)
          for (ui::TControl* c : Children(*w)) Tree(c, w);
        return;
      }
    }
    Execute(MapControl(info, gates_, data_.Skin3rd()), w, h);
  }

  void Execute(const ControlSkinPlan& plan, ui::TWinControl* w, HWND h) {
    if (plan.setTrue && w) w->SetProperty(plan.setTrue, "True");
    if (plan.childrenFirst) Children(plan, w);
    Attach(plan, w, h);
    if (!plan.childrenFirst) Children(plan, w);
    if (plan.colorToFace && w) w->SetColor(ToolkitColor(data_.FaceColor()));
  }

  // The form's components, and what they own, but not other forms: each is a window of its own.
  void Components(ui::TComponent& owner) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
      ui::TComponent* c = owner.Component(i);
      if (dynamic_cast<ui::TForm*>(c)) continue;
      if (auto* control = dynamic_cast<ui::TControl*>(c)) Tree(control, control->Parent());
      Components(*c);
    }
  }

  void Foreign(HWND parent) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ForeignOne(c);
  }

  // A child window that is no control of ours (a system control the program made on a form, a
  // size grip), skinned by its class as a foreign window's would be.
  void ForeignOne(HWND c) {
    if (fs_.FindControlSkin(c) || AnswersSkip(c)) return;
    const ControlSkinPlan plan =
        MapForeignChild(WindowClassName(c), static_cast<std::uint32_t>(GetWindowLongPtrA(c, GWL_STYLE)), gates_);
    if (plan.childrenFirst) ForeignChildren(plan, c);
    Attach(plan, nullptr, c);
    if (!plan.childrenFirst) ForeignChildren(plan, c);
  }

  // The windows on a toolkit form and its containers that are not the toolkit's own.
  void BareChildren(ui::TWinControl& parent) {
    const HWND h = parent.HandleIfAny();
    if (!h) return;
    std::vector<HWND> bare;
    for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (!ToolkitControlOf(c)) bare.push_back(c);
    for (HWND c : bare) ForeignOne(c);
    for (ui::TControl* c : std::vector<ui::TControl*>(parent.Controls())) {
      auto* w = dynamic_cast<ui::TWinControl*>(c);
      if (w && InfoOf(*w).container) BareChildren(*w);
    }
  }

  // Popup menus among the components, also those of embedded forms; a form of its own has its
  // own skin.
  void PopupMenus(ui::TComponent& owner, const std::string& formClass) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
      ui::TComponent* c = owner.Component(i);
      if (auto* f = dynamic_cast<ui::TForm*>(c); f && !f->Parent()) continue;
      if (auto* menu = dynamic_cast<ui::TPopupMenu*>(c);
          menu && SkinsPopupMenu(gates_, formClass, static_cast<int>(menu->Tag()), data_.DisableTag))
        SkinPopupMenuItems(*menu);
      PopupMenus(*c, formClass);
    }
  }

 private:
  static std::vector<ui::TControl*> Children(ui::TWinControl& w) { return w.Controls(); }

  void Children(const ControlSkinPlan& plan, ui::TWinControl* w) {
    if (!w) return;
    switch (plan.children) {
      case ChildWork::WalkChildren:
        for (ui::TControl* c : Children(*w)) Tree(c, w);
        break;
      case ChildWork::WalkComponents:
        Components(*w);
        break;
      case ChildWork::RadioButtons:
      case ChildWork::RadioGroupItems:
      case ChildWork::CheckGroupItems:
      case ChildWork::EmbeddedScrollers:
        for (ui::TControl* c : Children(*w)) {
          auto* cw = dynamic_cast<ui::TWinControl*>(c);
          if (!cw || !cw->HandleIfAny()) continue;
          Attach(MapGroupChild(plan.children, InfoOf(*c), data_.DisableTag), cw, cw->HandleIfAny());
        }
        break;
      case ChildWork::TagChildren:
        for (ui::TControl* c : Children(*w)) c->SetTag(data_.DisableTag);
        break;
      case ChildWork::None:
        break;
    }
  }

  void ForeignChildren(const ControlSkinPlan& plan, HWND h) {
    if (plan.children == ChildWork::WalkChildren || plan.children == ChildWork::WalkComponents) Foreign(h);
  }

  TWinSkinForm& fs_;
  TSkinData& data_;
  SkinGates gates_;
};

}  // namespace

void AttachControlSkins(TWinSkinForm& form) {
  TSkinData* data = form.Data();
  if (!data) return;
  Walker walk(form, *data);
  if (form.Foreign()) {
    walk.Foreign(form.Hwnd());
    return;
  }
  ui::TWinControl* f = form.Form();
  walk.Components(*f);
  for (ui::TControl* c : std::vector<ui::TControl*>(f->Controls())) walk.Tree(c, f);
  walk.BareChildren(*f);
  walk.PopupMenus(*f, form.ClassName());
}

void AttachChildWindow(TWinSkinForm& form, HWND child) {
  TSkinData* data = form.Data();
  if (!data || !IsWindow(child) || form.FindControlSkin(child)) return;
  Walker walk(form, *data);
  if (form.Foreign()) {
    walk.Foreign(GetParent(child));
    return;
  }
  ui::TWinControl* control = ToolkitControlOf(child);
  if (!control) {
    // A window the program made on one of its containers.
    ui::TWinControl* parent = ToolkitControlOf(GetParent(child));
    if (parent && (parent == form.Form() || InfoOf(*parent).container))
      walk.ForeignOne(child);
    return;
  }
  if (control->Parent()) {
    walk.Tree(control, control->Parent());
    // Its own children were made with it, before it could be skinned.
    walk.Components(*control);
    for (ui::TControl* c : std::vector<ui::TControl*>(control->Controls())) walk.Tree(c, control);
  }
}

void LeaveHotControls(TWinSkinForm& form) {
  for (const auto& c : form.ControlSkins())
    if (!c->Dead() && c->IsForeign()) PostMessageA(c->Hwnd(), WM_MOUSELEAVE, 0, 0);
}

}  // namespace quillet::skin::win32
