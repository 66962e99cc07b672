#include "creator/creator_sheet.h"

#include "ui/forms.h"

namespace quillet::creator {

namespace {

constexpr ui::Color kGreen = 0x008000;

// A push button whose caption wraps onto a second line when it does not fit.
class TWrapButton : public ui::TButton {
 public:
  using TButton::TButton;

 protected:
  void MakeCreateParams(ui::CreateParams& p) override {
    TButton::MakeCreateParams(p);
    p.style |= BS_MULTILINE;
  }
};

// A list box whose rows have a height of their own.
class TRowListBox : public ui::TListBox {
 public:
  TRowListBox(ui::TComponent* owner, std::string name, int row_height)
      : TListBox(owner, std::move(name)), row_height_(row_height) {}

 protected:
  void CreateWnd() override {
    TListBox::CreateWnd();
    SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, row_height_);
  }

 private:
  int row_height_;
};

}  // namespace

TCreatorSheet::TCreatorSheet(ui::TTabSheet& sheet, const std::string& program_folder) : sheet_(sheet) {
  using ui::Make;
  using ui::Bounds;
  ui::TTabSheet* on = &sheet;

  auto label = [&](const char* name, const char* caption, int left, int top, int width, bool bold = false,
                   ui::Color color = ui::kColorWindowText) -> ui::TLabel& {
    ui::TLabel& l = Make<ui::TLabel>(sheet, on, name, Bounds{left, top, width, 13});
    l.SetCaption(caption);
    if (bold) l.SetFontBold(true);
    if (color != ui::kColorWindowText) l.SetFontColor(color);
    return l;
  };
  auto button = [&](const char* name, const char* caption, Bounds place, const char* hint = "") -> ui::TButton& {
    ui::TButton& b = Make<ui::TButton>(sheet, on, name, place);
    b.SetCaption(caption);
    if (*hint) b.SetHint(hint);
    return b;
  };
  auto edit = [&](const char* name, Bounds place) -> ui::TEdit& { return Make<ui::TEdit>(sheet, on, name, place); };
  auto check = [&](const char* name, const char* caption, int left, int top) -> ui::TCheckBox& {
    ui::TCheckBox& c = Make<ui::TCheckBox>(sheet, on, name, Bounds{left, top, left < 570 ? 97 : 120, 17});
    c.SetCaption(caption);
    return c;
  };

  // Labels first: they have no window and take no part in the tab order.
  label("Label1", "CLSID", 18, 16, 80, false, kGreen);
  label("Label2", "Name", 18, 48, 100, false, kGreen);
  label("Label3", "Description", 18, 72, 100);
  label("Label4", "Removal Message", 18, 96, 100);
  label("Label5", "Save To (Quillet Location) :", 472, 48, 200, true);
  label("Label6", "Shell Manager :", 18, 144, 200, true);
  label("Label7", "Name", 18, 168, 80);
  label("Label8", "Caption", 18, 192, 80);
  label("Label9", "Parameter", 18, 216, 80);
  label("Label10", "Shell List :", 474, 144, 200);
  label("Label11", "Default : ", 474, 435, 100, true);
  label("Label12", "Default Icon", 22, 296, 100, true);
  Def = &label("Def", "", 474, 451, 105);

  // Windowed controls in tab order.
  Button13 = &button("Button13", "*", {102, 16, 25, 21}, "Edit CLSID List manually (with Notepad)");
  RFCNum = &Make<ui::TComboBox>(sheet, on, "RFCNum", Bounds{128, 16, 289, 21});
  Button11 = &button("Button11", "X", {418, 16, 25, 21}, "Remove Selected CLSID from List");
  Gen = &button("Gen", "Generate", {472, 16, 73, 21}, "Generate random CLSID");
  VM = &button("VM", "Show Me", {552, 16, 73, 21},
               "Click here if the selected \"Special Object\" is not exist in Specified Location");
  Button10 = &button("Button10", "Scan", {632, 16, 65, 21}, "Scan Available \"Special Object\"");
  RFName = &edit("RFName", {128, 48, 313, 21});
  RFDesc = &edit("RFDesc", {128, 72, 313, 21});
  RME = &edit("RME", {128, 96, 313, 21});
  STCP = &check("STCP", "Control &Panel", 472, 65);
  STMC = &check("STMC", "My &Computer", 570, 65);
  STD = &check("STD", "&Desktop", 472, 83);
  STNN = &check("STNN", "My &Network Place", 570, 83);
  ShellName = &edit("ShellName", {128, 168, 313, 21});
  RFCN = &edit("RFCN", {128, 192, 313, 21});
  Button12 = &button("Button12", "+", {102, 216, 25, 21}, "Add \"RunDLL\" Execute Parameter");
  RFPar = &edit("RFPar", {128, 216, 289, 21});
  RFP = &button("RFP", "...", {418, 216, 24, 22});
  Button2 = &button("Button2", "Add", {128, 240, 89, 21});
  Button1 = &button("Button1", "Replace", {224, 240, 97, 21});
  Button3 = &button("Button3", "Remove", {328, 240, 86, 21});
  List = &Make<TRowListBox>(sheet, on, "List", Bounds{474, 160, 209, 273}, 13);
  Button5 = &button("Button5", "Set as Default", {584, 435, 97, 30});
  RFDIcon = &edit("RFDIcon", {128, 320, 289, 21});
  FDI = &button("FDI", "...", {418, 320, 24, 22});
  Button4 = &Make<TWrapButton>(sheet, on, "Button4", Bounds{128, 344, 121, 25});
  Button4->SetCaption("Set as Default Icon");
  btnCreate = &button("btnCreate", "Create / Save", {88, 416, 145, 49});
  Delete = &button("Delete", "Delete", {240, 416, 137, 49});
  Panel1 = &Make<ui::TPanel>(sheet, on, "Panel1", Bounds{24, 320, 64, 64});
  Panel1->SetBevelOuter(ui::BevelKind::None);
  Panel1->SetBevelInner(ui::BevelKind::Lowered);
  Panel1->SetCaption("");
  AII = &Make<ui::TImage>(sheet, Panel1, "AII", Bounds{2, 2, 60, 60});
  AII->SetCenter(true);
  AII->SetStretch(false);

  logic_ = std::make_unique<CreatorPage>(
      CreatorControls{*RFCNum, *RFName, *RFDesc, *RME, *STMC, *STD, *STCP, *STNN, *ShellName, *RFCN,
                      *RFPar, *List, *Def, *RFDIcon, *AII},
      program_folder);
  CreatorPage& page = *logic_;
  page.Wire();
  // The dialogs belong to the window the page stands on, whichever that is by then.
  auto owned = [this, &page](void (CreatorPage::*handler)()) {
    return [this, &page, handler] {
      ui::TForm* form = sheet_.ParentForm();
      page.SetOwner(form ? form->Handle() : nullptr);
      (page.*handler)();
    };
  };

  Button13->OnClick = [&page] { page.Button13Click(); };
  Button11->OnClick = [&page] { page.Button11Click(); };
  Gen->OnClick = [&page] { page.GenClick(); };
  VM->OnClick = [&page] { page.VMClick(); };
  Button10->OnClick = [&page] { page.Button10Click(); };
  Button12->OnClick = [&page] { page.Button12Click(); };
  RFP->OnClick = owned(&CreatorPage::RFPClick);
  Button2->OnClick = [&page] { page.Button2Click(); };
  Button1->OnClick = [&page] { page.Button1Click(); };
  Button3->OnClick = [&page] { page.Button3Click(); };
  Button5->OnClick = [&page] { page.Button5Click(); };
  FDI->OnClick = owned(&CreatorPage::FDIClick);
  Button4->OnClick = [&page] { page.Button4Click(); };
  btnCreate->OnClick = [&page] { page.CReg(); };
  Delete->OnClick = owned(&CreatorPage::DReg);
}

TCreatorSheet::~TCreatorSheet() {
  RFCNum->SetOnChange(nullptr);
  for (ui::TEdit* e : {RFName, RFDesc, RME, ShellName, RFCN, RFPar, RFDIcon}) e->SetOnKeyPress(nullptr);
  List->SetOnClick(nullptr);
  for (ui::TButton* b : {Button13, Button11, Gen, VM, Button10, Button12, RFP, Button2, Button1, Button3,
                         Button5, FDI, Button4, btnCreate, Delete})
    b->OnClick = nullptr;
}

}  // namespace quillet::creator
