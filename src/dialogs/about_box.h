#pragma once
// The about box: the product, the maker and the maker's addresses.

#include <string>

#include "ui/forms.h"
#include "ui/stdctrls.h"

namespace quillet::dialogs {

class TQuilletAbout : public ui::TForm {
 public:
  explicit TQuilletAbout(ui::TComponent* owner, std::string name = "QuilletAbout");
  const char* ClassName() const override { return "TQuilletAbout"; }

  void Button1Click();
  void Label5Click(ui::TLabel& link);  // both links
  void Image2Click();

  ui::TLabel* Label1;
  ui::TLabel* Label2;
  ui::TGroupBox* GroupBox1;
  ui::TLabel* Label4;
  ui::TImage* Image1;
  ui::TLabel* Label12;
  ui::TLabel* Label13;
  ui::TLabel* Label20;
  ui::TLabel* Label5;
  ui::TImage* Image2;
  ui::TButton* Button1;
  ui::TLabel* Label3;
};

// A fresh about box, shown modally over `owner` and let go, as the "About" button does.
void ShowAboutBox(ui::TForm* owner);

}  // namespace quillet::dialogs
