#include "dialogs/donate_form.h"

#include <memory>

#include "dialogs/artwork.h"
#include "dialogs/donate_logic.h"
#include "dialogs/maker.h"
#include "ui/platform.h"

namespace quillet::dialogs {

using namespace quillet::ui;

TfrmDonate::TfrmDonate(TComponent* owner, std::string name) : TForm(owner, std::move(name)) {
  SetBorderStyle(BorderStyle::Dialog);
  SetPosition(FormPosition::ScreenCenter);
  SetClientSize(422, 246);
  SetColor(kColorWhite);
  SetCaption(kDonateCaption);

  Image1 = &Make<TImage>(*this, this, "Image1", {0, 0, 422, 246});
  Image1->SetStretch(true);
  Image1->SetBitmap(MakeSolidBitmap(RGB(255, 255, 255)));
  Image1->SetVisible(false);

  Label11 = &Make<TLabel>(*this, this, "Label11", {16, 14, 390, 16});
  Label11->SetWordWrap(true);
  FontSpec bold = Font();
  bold.bold = true;
  bold.color = 0x008000;  // green
  Label11->SetFont(bold);
  Label11->SetCaption(kDonateFirstLine);

  Label1 = &Make<TLabel>(*this, this, "Label1", {16, 42, 390, 56});
  Label1->SetWordWrap(true);
  Label1->SetCaption(kDonateAppeal);

  Label2 = &Make<TLabel>(*this, this, "Label2", {16, 106, 100, 13});
  Label2->SetCaption("Thanks");

  // Creation order is tab order: "Donate" comes first.
  Button2 = &Make<TButton>(*this, this, "Button2", {16, 205, 75, 25});
  Button2->SetCaption("Donate");
  Button2->SetHelpKeyword(kPromptDonationAddress);
  Button2->OnClick = [this] { Button2Click(*Button2); };

  DonatePicture = &Make<TImage>(*this, this, "Image2", {180, 132, 62, 31});
  DonatePicture->SetBitmapSource(MakeDonateBitmap);
  DonatePicture->SetTransparent(true);
  DonatePicture->SetCursor(CursorKind::Hand);
  DonatePicture->SetHint(kDonateHint);
  DonatePicture->SetHelpKeyword(kPromptDonationAddress);
  DonatePicture->OnClick = [this] { Button2Click(*DonatePicture); };

  Button1 = &Make<TButton>(*this, this, "Button1", {331, 205, 75, 25});
  Button1->SetCaption("Close");
  Button1->SetCancel(true);
  Button1->OnClick = [this] { Button1Click(); };

  chkShow = &Make<TCheckBox>(*this, this, "chkShow", {16, 176, 300, 17});
  chkShow->SetCaption(kDonateShowBox);
  chkShow->SetChecked(true);

  OnShow = [this] { FormShow(); };
  OnClose = [this](CloseAction&) { FormClose(); };
}

void TfrmDonate::FormShow() {
  DonateTexts texts{Caption(), Label11->Caption(), Label1->Caption(), chkShow->Caption()};
  DonateFormShow(static_cast<int>(Tag()), HelpKeyword(), texts, *chkShow);
  SetCaption(texts.caption);
  Label1->SetCaption(texts.appeal);
  Label11->SetCaption(texts.first_line);
  chkShow->SetCaption(texts.show_box);
}

void TfrmDonate::FormClose() {
  // The prompt closes even when its choice cannot be stored; the error still gets its box.
  try {
    DonateFormClose(static_cast<int>(Tag()), *chkShow);
  } catch (...) {
    Application().HandleException();
  }
}

void TfrmDonate::Button1Click() { SetModalResult(mrCancel); }

void TfrmDonate::Button2Click(TControl& sender) {
  CurrentPlatform().ShellOpen(Handle(), sender.HelpKeyword(), SW_HIDE);
}

void ShowDonationPrompt(TForm* owner, const std::string& product, int number) {
  auto prompt = std::make_unique<TfrmDonate>(owner);
  prompt->SetOwnerWindow(owner);
  prompt->SetHelpKeyword(product);
  prompt->SetTag(number);
  prompt->ShowModal();
}

}  // namespace quillet::dialogs
