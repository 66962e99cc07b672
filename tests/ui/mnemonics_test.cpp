// Alt and an underlined letter, on real windows: labels hand the focus on, buttons are pressed,
// check boxes toggled, and nothing on a hidden page or a disabled control takes the key.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "ui/comctrls.h"
#include "ui/forms.h"
#include "ui/mnemonics.h"
#include "ui/stdctrls.h"

namespace quillet::ui {
namespace {

TEST(Mnemonics, TheUnderlinedLetter) {
  EXPECT_EQ(MnemonicOf("&Desktop"), 'D');
  EXPECT_EQ(MnemonicOf("My &computer"), 'C');
  EXPECT_EQ(MnemonicOf("Copy && paste"), 0);
  EXPECT_EQ(MnemonicOf("Copy && &paste"), 'P');
  EXPECT_EQ(MnemonicOf("Trailing &"), 0);
  EXPECT_EQ(MnemonicOf(""), 0);
}

class MnemonicForm : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().Initialize();
    form = std::make_unique<TForm>(nullptr, "MnemonicForm");
    form->SetClientSize(400, 300);
    form->Show();
  }
  // Alt+key as the event loop gets it.
  void AltKey(char key) {
    MSG msg{};
    msg.hwnd = GetFocus() ? GetFocus() : form->Handle();
    msg.message = WM_SYSCHAR;
    msg.wParam = static_cast<WPARAM>(key);
    msg.lParam = 0x20000000;  // Alt is down
    Application().ProcessMessage(msg);
  }
  std::unique_ptr<TForm> form;
};

TEST_F(MnemonicForm, LabelsButtonsAndCheckBoxes) {
  TForm& f = *form;
  auto& first = Make<TEdit>(f, &f, "First", {10, 10, 100, 21});
  auto& label = Make<TLabel>(f, &f, "Label1", {10, 40, 100, 13});
  label.SetCaption("&Name");
  auto& name = Make<TEdit>(f, &f, "Name", {10, 56, 100, 21});
  auto& pointed = Make<TLabel>(f, &f, "Label2", {10, 90, 100, 13});
  pointed.SetCaption("&Where");
  auto& where = Make<TEdit>(f, &f, "Where", {120, 90, 100, 21});
  pointed.SetFocusControl(&first);
  auto& go = Make<TButton>(f, &f, "Go", {10, 120, 75, 25});
  go.SetCaption("&Go");
  int clicks = 0;
  go.OnClick = [&] { ++clicks; };
  auto& box = Make<TCheckBox>(f, &f, "Box", {10, 150, 100, 17});
  box.SetCaption("&Tick");
  (void)where;

  where.SetFocus();
  AltKey('n');
  EXPECT_EQ(GetFocus(), name.Handle());  // the control after the label
  AltKey('W');
  EXPECT_EQ(GetFocus(), first.Handle());  // the label's own control
  AltKey('g');
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(GetFocus(), go.Handle());
  AltKey('t');
  EXPECT_TRUE(box.Checked());

  go.SetEnabled(false);
  AltKey('g');
  EXPECT_EQ(clicks, 1);
}

TEST_F(MnemonicForm, ControlsOnAHiddenPageDoNotTakeTheKey) {
  TForm& f = *form;
  auto& pages = Make<TPageControl>(f, &f, "Pages", {10, 10, 300, 200});
  TTabSheet& one = pages.AddPage("One", "One");
  TTabSheet& two = pages.AddPage("Two", "Two");
  auto& on_one = Make<TButton>(f, &one, "OnOne", {10, 10, 75, 25});
  on_one.SetCaption("&Run");
  auto& on_two = Make<TButton>(f, &two, "OnTwo", {10, 10, 75, 25});
  on_two.SetCaption("&Run too");
  int one_clicks = 0, two_clicks = 0;
  on_one.OnClick = [&] { ++one_clicks; };
  on_two.OnClick = [&] { ++two_clicks; };
  pages.SetActivePage(&two);
  AltKey('r');
  EXPECT_EQ(one_clicks, 0);
  EXPECT_EQ(two_clicks, 1);
}

}  // namespace
}  // namespace quillet::ui
