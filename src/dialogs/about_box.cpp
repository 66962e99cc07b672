#include "dialogs/about_box.h"

#include <memory>

#include "dialogs/artwork.h"
#include "dialogs/maker.h"
#include "ui/platform.h"

namespace quillet::dialogs {

using namespace quillet::ui;

TQuilletAbout::TQuilletAbout(TComponent* owner, std::string name) : TForm(owner, std::move(name)) {
  SetBorderStyle(BorderStyle::Dialog);
  SetPosition(FormPosition::OwnerFormCenter);
  SetClientSize(344, 354);
  SetCaption("About");
  const FontSpec normal = Font();
  FontSpec bold = normal;
  bold.bold = true;

  Label1 = &Make<TLabel>(*this, this, "Label1", {0, 14, 344, 32});
  FontSpec large = bold;
  large.size = 18;
  Label1->SetFont(large);
  Label1->SetAlignment(Align::Center);
  Label1->SetCaption("Quillet");

  Label2 = &Make<TLabel>(*this, this, "Label2", {0, 50, 344, 13});
  Label2->SetAlignment(Align::Center);
  Label2->SetCaption(kLastUpdated);

  GroupBox1 = &Make<TGroupBox>(*this, this, "GroupBox1", {12, 74, 320, 196});
  GroupBox1->SetFont(bold);
  GroupBox1->SetCaption(" Developed By ");

  Label4 = &Make<TLabel>(*this, GroupBox1, "Label4", {16, 24, 200, 13});
  Label4->SetFont(bold);
  Label4->SetCaption("Dorvane");

  Image1 = &Make<TImage>(*this, GroupBox1, "Image1", {12, 44, 98, 96});
  Image1->SetTransparent(true);
  Image1->SetCenter(true);
  Image1->SetIconSource(LoadProgramIcon, 96);

  auto caption_label = [&](const char* name, Bounds r, const char* text) {
    TLabel& l = Make<TLabel>(*this, GroupBox1, name, r);
    l.SetFont(normal);
    l.SetCaption(text);
    return &l;
  };
  auto link_label = [&](const char* name, Bounds r, const char* address) {
    TLabel& l = Make<TLabel>(*this, GroupBox1, name, r);
    FontSpec link = normal;
    link.underline = true;
    link.color = 0xFF0000;  // blue
    l.SetFont(link);
    l.SetCursor(CursorKind::Hand);
    l.SetCaption(address);
    l.OnClick = [this, &l] { Label5Click(l); };
    return &l;
  };
  Label12 = caption_label("Label12", {120, 52, 190, 13}, "Brask Homepage :");
  Label13 = link_label("Label13", {120, 68, 190, 13}, kHomePageAddress);
  Label20 = caption_label("Label20", {120, 92, 190, 13}, "Brask Forum         :");
  Label5 = link_label("Label5", {120, 108, 190, 13}, kForumAddress);

  Image2 = &Make<TImage>(*this, GroupBox1, "Image2", {120, 140, 62, 31});
  Image2->SetBitmapSource(MakeDonateBitmap);
  Image2->SetTransparent(true);
  Image2->SetCursor(CursorKind::Hand);
  Image2->SetHelpKeyword(kAboutDonationAddress);
  Image2->OnClick = [this] { Image2Click(); };

  Label3 = &Make<TLabel>(*this, this, "Label3", {12, 278, 320, 13});
  Label3->SetAlignment(Align::Right);
  Label3->SetCaption(kCreditLine);

  Button1 = &Make<TButton>(*this, this, "Button1", {134, 314, 75, 25});
  Button1->SetCaption("Close");
  Button1->SetCancel(true);
  Button1->SetDefault(true);
  Button1->OnClick = [this] { Button1Click(); };
}

void TQuilletAbout::Button1Click() { SetModalResult(mrCancel); }

void TQuilletAbout::Label5Click(TLabel& link) { CurrentPlatform().ShellOpen(Handle(), link.Caption(), SW_SHOW); }

void TQuilletAbout::Image2Click() { CurrentPlatform().ShellOpen(Handle(), Image2->HelpKeyword(), SW_SHOW); }

void ShowAboutBox(TForm* owner) {
  auto box = std::make_unique<TQuilletAbout>(owner);
  box->SetOwnerWindow(owner);
  box->ShowModal();
}

}  // namespace quillet::dialogs
