#pragma once
// The "Special Object Creator" page as Win32 controls on a tab sheet, wired to the page logic.

#include <memory>
#include <vector>
#include <string>

#include "creator/creator_page.h"
#include "registry/change_recorder.h"
#include "ui/comctrls.h"
#include "ui/sheet_page.h"
#include "ui/stdctrls.h"

namespace quillet::creator {

class TCreatorSheet : public ui::SheetPage, public ChangeListener {
 public:
  // Creates every control on `sheet`, which owns them, in the page's tab order.
  TCreatorSheet(ui::TTabSheet& sheet, const std::string& program_folder);
  // Unhooks the controls: they belong to the sheet and may outlive the page logic.
  ~TCreatorSheet() override;
  TCreatorSheet(const TCreatorSheet&) = delete;
  TCreatorSheet& operator=(const TCreatorSheet&) = delete;

  CreatorPage& Logic() { return *logic_; }
  ui::TTabSheet& Sheet() { return sheet_; }

  void LoadClsidList(const std::string& file_content) override { logic_->LoadListFrom(file_content); }
  void Refresh(const std::vector<RegKeyRef>& changed) override { logic_->Refresh(changed); }

  // The CLSID row.
  ui::TButton* Button13;
  ui::TComboBox* RFCNum;
  ui::TButton* Button11;
  ui::TButton* Gen;
  ui::TButton* VM;
  ui::TButton* Button10;
  // The object.
  ui::TEdit* RFName;
  ui::TEdit* RFDesc;
  ui::TEdit* RME;
  ui::TCheckBox* STCP;
  ui::TCheckBox* STMC;
  ui::TCheckBox* STD;
  ui::TCheckBox* STNN;
  // Its verbs.
  ui::TEdit* ShellName;
  ui::TEdit* RFCN;
  ui::TButton* Button12;
  ui::TEdit* RFPar;
  ui::TButton* RFP;
  ui::TButton* Button2;
  ui::TButton* Button1;
  ui::TButton* Button3;
  ui::TListBox* List;
  ui::TButton* Button5;
  ui::TLabel* Def;
  // Its icon.
  ui::TEdit* RFDIcon;
  ui::TButton* FDI;
  ui::TButton* Button4;
  ui::TButton* btnCreate;
  ui::TButton* Delete;
  ui::TPanel* Panel1;
  ui::TImage* AII;

 private:
  ui::TTabSheet& sheet_;
  std::unique_ptr<CreatorPage> logic_;
};

}  // namespace quillet::creator
