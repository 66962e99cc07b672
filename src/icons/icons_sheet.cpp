#include "icons/icons_sheet.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "ui/forms.h"
#include "ui/platform.h"

namespace quillet::icons {

namespace {

// A read-only number field, right-aligned like the figures it shows.
class TNumberEdit : public ui::TEdit {
 public:
  TNumberEdit(ui::TComponent* owner, std::string name) : TEdit(owner, std::move(name)) {
    SetReadOnly(true);
  }

 protected:
  void MakeCreateParams(ui::CreateParams& p) override {
    TEdit::MakeCreateParams(p);
    p.style |= ES_RIGHT;
  }
};

// The picture of the icon cache control: the shell's refresh icon where there is one.
HICON RebuildIcon() {
  // Through the platform, which loads the shell only when it is first needed.
  auto icon = static_cast<HICON>(ui::CurrentPlatform().ExtractFileIcon("shell32.dll", 238));
  if (reinterpret_cast<std::uintptr_t>(icon) > 1) return icon;
  return CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)));  // IDI_APPLICATION
}

}  // namespace

IconsSheet::IconsSheet(ui::TComponent& owner, ui::TTabSheet& sheet) {
  using ui::Make;
  using ui::Bounds;
  GroupBox1 = &Make<ui::TGroupBox>(owner, &sheet, "GroupBox1", Bounds{4, 2, 697, 486});
  GroupBox1->SetCaption(" CLSID List ");
  // Made first, so that it stands above the list wherever it is shown; hidden, it takes no tab stop.
  SetGroup = &Make<ui::TGroupBox>(owner, GroupBox1, "SetGroup", Bounds{150, 110, 397, 190});
  SetGroup->SetCaption(" Shell32.dll Icons ");
  SetGroup->SetVisible(false);
  CList = &Make<ui::TGrid>(owner, GroupBox1, "CList", Bounds{8, 18, 681, 424});
  CList->SetColumnWidths(280, 371);
  Button9 = &Make<ui::TButton>(owner, GroupBox1, "Button9", Bounds{8, 450, 120, 25});
  Button9->SetCaption("Get CLSID List");
  Button6 = &Make<ui::TButton>(owner, GroupBox1, "Button6", Bounds{240, 450, 105, 25});
  Button6->SetCaption("Copy CLSI&D");
  Button8 = &Make<ui::TButton>(owner, GroupBox1, "Button8", Bounds{351, 450, 105, 25});
  Button8->SetCaption("Copy &Caption");

  auto label = [&](const char* name, const char* caption, Bounds r) -> ui::TLabel& {
    ui::TLabel& l = Make<ui::TLabel>(owner, SetGroup, name, r);
    l.SetCaption(caption);
    return l;
  };
  label("Label5", "Icon Num&ber", {12, 27, 70, 13});
  IcNum = &Make<TNumberEdit>(owner, SetGroup, "IcNum", Bounds{86, 24, 50, 21});
  INP = &Make<ui::TUpDown>(owner, SetGroup, "INP", Bounds{136, 24, 16, 21});
  INP->SetAssociate(IcNum);
  label("Label6", "Icon Si&ze", {232, 27, 60, 13});
  IsNum = &Make<TNumberEdit>(owner, SetGroup, "IsNum", Bounds{296, 24, 50, 21});
  ISP = &Make<ui::TUpDown>(owner, SetGroup, "ISP", Bounds{346, 24, 16, 21});
  ISP->SetAssociate(IsNum);
  lblInfo = &label("lblInfo", "", {12, 56, 373, 13});
  Location = &Make<ui::TEdit>(owner, SetGroup, "Location", Bounds{12, 78, 346, 21});
  BtnFind = &Make<ui::TButton>(owner, SetGroup, "BtnFind", Bounds{360, 77, 25, 23});
  BtnFind->SetCaption("...");
  RebIC = &Make<ui::TImage>(owner, SetGroup, "RebIC", Bounds{12, 112, 64, 64});
  RebIC->SetCenter(true);
  RebIC->SetIcon(RebuildIcon());
  RebIC->SetHint(kRebuildIconCacheHint);
  SI = &Make<ui::TButton>(owner, SetGroup, "SI", Bounds{154, 130, 90, 25});
  SI->SetCaption("&Set Icon");

  browser_ = std::make_unique<ClsidBrowserPage>(*CList);
  icons_ = std::make_unique<ShellIconsPage>(*IcNum, *INP, *lblInfo, *IsNum, *ISP, *Location);
  ClsidBrowserPage& browser = *browser_;
  ShellIconsPage& icons = *icons_;
  Button9->OnClick = [&browser] { browser.Button9Click(); };
  Button6->OnClick = [&browser] { browser.Button6Click(); };
  Button8->OnClick = [&browser] { browser.Button8Click(); };
  BtnFind->OnClick = [&icons, &sheet] {
    if (ui::TForm* form = sheet.ParentForm()) icons.SetDialogOwner(form->HandleIfAny());
    icons.BtnFindClick();
  };
  SI->OnClick = [&icons] { icons.BSI(); };
  RebIC->OnDblClick = [&icons] { icons.RebICDblClick(); };

  // The up-down tells its parent after the number has changed, by mouse or arrow key.
  SetGroup->SetWindowProc([group_proc = SetGroup->WindowProc(), inp = INP, &icons,
                           alive = alive_](ui::Message& m) {
    if (*alive && m.msg == WM_VSCROLL && LOWORD(m.wparam) == SB_THUMBPOSITION &&
        reinterpret_cast<HWND>(m.lparam) == inp->HandleIfAny()) {
      group_proc(m);
      icons.INPClick();
      return;
    }
    group_proc(m);
  });
}

IconsSheet::~IconsSheet() {
  for (ui::TButton* b : {Button9, Button6, Button8, BtnFind, SI}) b->OnClick = nullptr;
  RebIC->OnDblClick = nullptr;
  *alive_ = false;
}

}  // namespace quillet::icons
