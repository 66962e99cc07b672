#pragma once
// The main window: the header with the program's name, credit line and the About and Donate
// buttons, and the page control with the four pages.

#include <memory>
#include <string>
#include <vector>

#include "app/startup.h"
#include "skin/win32/skin_data.h"
#include "ui/comctrls.h"
#include "ui/dialogs.h"
#include "ui/forms.h"
#include "ui/sheet_page.h"
#include "ui/stdctrls.h"

namespace quillet::app {

class TQuilletFrm : public ui::TForm, private StartupSteps {
 public:
  explicit TQuilletFrm(ui::TComponent* owner, std::string name = "QuilletFrm");
  ~TQuilletFrm() override;
  const char* ClassName() const override { return "TQuilletFrm"; }

  // Runs FormCreate; an error it ends with goes to the error box. Call once after construction.
  void DoCreate();
  void FormCreate(void* sender);
  void IconDblClick();
  void Label11DblClick();
  void Button61Click();
  void Button62Click();
  // The history's commands from the system menu or the keyboard.
  void HistoryCommand(unsigned command);

  const std::string& ProgramFolder() const { return program_folder_; }
  const std::vector<TQuilletFrm*>& FurtherWindows() const { return further_; }

  ui::TImage* Image4;
  ui::TImage* Icon;
  ui::TLabel* title;
  ui::TLabel* cpr;
  ui::TLabel* lu;
  ui::TButton* Button62;
  ui::TButton* Button61;
  ui::TPageControl* PageControl1;
  ui::TTabSheet* TabSheet1;
  ui::TTabSheet* TabSheet2;
  ui::TTabSheet* TabSheet3;
  ui::TTabSheet* TabSheet5;
  ui::TOpenDialog* FICon;
  ui::TOpenDialog* CPD;
  skin::win32::TSkinData* SkinData1;

 private:
  // Start-up's calls, handed to the pages.
  void HideFourthTab() override;
  void LoadClsidList(const std::string& file_content) override;
  void SetInfo() override;
  void ReadFirst() override;
  void ReadCLSID() override;
  void OHideChange(void* sender) override;
  void SetCreditLine(const std::string& text) override;
  void ShowDonationPrompt() override;

  void WndProc(ui::Message& m) override;
  void ReadSkinComponent();
  void ApplySkinOptions();

  std::string program_folder_;
  std::vector<std::unique_ptr<ui::SheetPage>> pages_;
  std::vector<TQuilletFrm*> further_;
};

}  // namespace quillet::app
