#pragma once
// The donation prompt: asks for a donation and remembers whether it shows at start-up.

#include <string>

#include "ui/forms.h"
#include "ui/stdctrls.h"

namespace quillet::dialogs {

// The caller gives the product name in the help keyword ("%s" in the texts becomes it) and the
// prompt's number in the tag.
class TfrmDonate : public ui::TForm {
 public:
  explicit TfrmDonate(ui::TComponent* owner, std::string name = "frmDonate");
  const char* ClassName() const override { return "TfrmDonate"; }

  void FormShow();
  void FormClose();
  void Button1Click();
  // "Donate" and the picture: open the address in the clicked control's help keyword.
  void Button2Click(ui::TControl& sender);

  ui::TImage* Image1;
  ui::TLabel* Label11;
  ui::TLabel* Label1;
  ui::TLabel* Label2;
  ui::TButton* Button2;
  ui::TImage* DonatePicture;
  ui::TButton* Button1;
  ui::TCheckBox* chkShow;
};

// Creates the prompt, shows it modally over `owner` and lets it go, as the "Donate" button does.
void ShowDonationPrompt(ui::TForm* owner, const std::string& product, int number);

}  // namespace quillet::dialogs
