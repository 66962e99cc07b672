// The about box and the donation prompt as real windows, over the memory registry and the fake
// platform.
#include <gtest/gtest.h>
#include <windows.h>

#include "dialogs/about_box.h"
#include "dialogs/donate_form.h"
#include "dialogs/maker.h"
#include "registry/memory_backend.h"
#include "registry/registry_store.h"
#include "support/fake_platform.h"

namespace quillet::dialogs {
namespace {

using namespace quillet::ui;

class Dialogs : public ::testing::Test {
 protected:
  Dialogs() : scoped_platform(platform), scoped_registry(registry) { Application().Initialize(); }
  // Clicks a graphic control the way the mouse does, through its parent window.
  static void ClickGraphic(TControl& c) {
    HWND parent = c.Parent()->Handle();
    LPARAM at = MAKELPARAM(c.Left() + 2, c.Top() + 2);
    SendMessageA(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(parent, WM_LBUTTONUP, 0, at);
  }
  testing::FakePlatform platform;
  testing::ScopedPlatform scoped_platform;
  MemoryBackend registry;
  ScopedRegistry scoped_registry;
};

TEST_F(Dialogs, AboutBoxLinksOpenTheirOwnCaptionAndThePictureItsAddress) {
  TQuilletAbout about(nullptr);
  about.HandleNeeded();
  EXPECT_EQ(about.Caption(), "About");
  RECT r;
  GetClientRect(about.Handle(), &r);
  EXPECT_EQ(r.right, 344);
  EXPECT_EQ(r.bottom, 354);
  EXPECT_EQ(about.GroupBox1->Caption(), " Developed By ");
  EXPECT_EQ(about.Label13->Cursor(), CursorKind::Hand);
  ClickGraphic(*about.Label13);
  ClickGraphic(*about.Label5);
  ClickGraphic(*about.Image2);
  ASSERT_EQ(platform.opened_.size(), 3u);
  EXPECT_EQ(platform.opened_[0], kHomePageAddress);
  EXPECT_EQ(platform.opened_[1], kForumAddress);
  EXPECT_EQ(platform.opened_[2], kAboutDonationAddress);
  EXPECT_EQ(platform.show_commands_, (std::vector<int>{SW_SHOW, SW_SHOW, SW_SHOW}));
}

TEST_F(Dialogs, PromptStoresItsBoxHoweverItClosesAndOpensTheDonationPageHidden) {
  TfrmDonate prompt(nullptr);
  prompt.SetHelpKeyword("Quillet");
  prompt.SetTag(3);
  // The close box: the box was ticked at design and nothing was stored, so "1".
  prompt.OnShow = [&] {
    prompt.FormShow();
    PostMessageA(prompt.Handle(), WM_CLOSE, 0, 0);
  };
  prompt.ShowModal();
  EXPECT_EQ(prompt.Caption(), "Support \"Quillet\"");
  EXPECT_EQ(prompt.chkShow->Caption(), "Show this dialog when \"Quillet\" starts");
  EXPECT_EQ(ReadUserText("Brask\\Support", "03"), "1");
  RECT r;
  GetClientRect(prompt.Handle(), &r);
  EXPECT_EQ(r.right, 422);
  EXPECT_EQ(r.bottom, 246);

  // Unticked and closed with "Close"; "Donate" first, which leaves the prompt open.
  prompt.OnShow = [&] {
    prompt.FormShow();
    SendMessageA(prompt.chkShow->Handle(), BM_CLICK, 0, 0);
    PostMessageA(prompt.Button2->Handle(), BM_CLICK, 0, 0);
    PostMessageA(prompt.Button1->Handle(), BM_CLICK, 0, 0);
  };
  prompt.ShowModal();
  EXPECT_EQ(ReadUserText("Brask\\Support", "03"), "0");
  ASSERT_EQ(platform.opened_.size(), 1u);
  EXPECT_EQ(platform.opened_[0], kPromptDonationAddress);
  EXPECT_EQ(platform.show_commands_[0], SW_HIDE);
}

// The prompt's layout was made for the 8-point "MS Sans Serif": with a wider face its first line
// no longer fits its label and is cut.
TEST_F(Dialogs, PromptFirstLineFitsItsLabel) {
  TfrmDonate prompt(nullptr);
  prompt.SetHelpKeyword("Quillet");
  prompt.HandleNeeded();
  prompt.FormShow();
  const TLabel& label = *prompt.Label11;
  const std::string line = label.Caption();
  ASSERT_NE(line.find("Quillet"), std::string::npos);

  HDC dc = GetDC(prompt.Handle());
  HGDIOBJ old = SelectObject(dc, label.DrawingFont());
  SIZE extent{};
  GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &extent);
  RECT wrapped{0, 0, label.Width(), 0};
  DrawTextA(dc, line.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(prompt.Handle(), dc);

  EXPECT_LE(extent.cx, label.Width()) << line;
  EXPECT_LE(wrapped.bottom, label.Height()) << "the line wraps onto a second, hidden one";
}

}  // namespace
}  // namespace quillet::dialogs
