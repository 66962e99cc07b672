#include "icons/shell_icons_page.h"

#include <gtest/gtest.h>

#include <string>

#include "registry/memory_backend.h"
#include "registry/registry_store.h"
#include "support/fake_platform.h"
#include "support/fake_widgets.h"

namespace quillet::icons {
namespace {

using testing::FakeEdit;
using testing::FakeLabel;
using testing::FakeUpDown;

class ShellIconsPageTest : public ::testing::Test {
 protected:
  ShellIconsPageTest() {
    CreateKeyAt(kLocalMachine, kShellIconsKey);
    CreateKeyAt(kCurrentUser, kWindowMetricsKey);
  }
  void SetSize(const std::string& text) {
    RegistryStore store;
    store.SetRoot(kCurrentUser);
    store.Open(kWindowMetricsKey, false);
    store.WriteText(kShellIconSizeValue, text);
  }
  std::string Size() { return ReadUserText(kWindowMetricsKey, kShellIconSizeValue); }
  std::string Slot(const std::string& name) { return ReadMachineText(kShellIconsKey, name); }
  void StepTo(int slot) {
    inp.SetPosition(slot);
    page.INPClick();
  }
  void Start() {
    page.SetInfo();
    page.ReadFirst();
  }

  MemoryBackend backend;
  ScopedRegistry scope{backend};
  testing::FakePlatform platform;
  testing::ScopedPlatform platform_scope{platform};
  FakeEdit ic_num, is_num, location;
  FakeUpDown inp, isp;
  FakeLabel lbl_info;
  ShellIconsPage page{ic_num, inp, lbl_info, is_num, isp, location};
};

TEST(ShellIconNamesTest, FortySevenSlotsWithTheOneHalfSignAsOneByte) {
  ASSERT_EQ(ShellIconNames.size(), 47u);
  EXPECT_STREQ(ShellIconNames[5], "Floppy Disk 5 \xBD inch");
  EXPECT_EQ(std::string(ShellIconNames[6]).size(), std::string("Floppy Disk 3 x inch").size());
  EXPECT_STREQ(ShellIconNames[39], "Settings Taskbar && Start Menu");
  EXPECT_STREQ(ShellIconNames[41], "");
  EXPECT_STREQ(ShellIconNames[46], "Windows Update");
}

TEST_F(ShellIconsPageTest, StartsAtSlotZeroAndSizeThirtyTwoWithinTheirRanges) {
  EXPECT_EQ(inp.low_, 0);
  EXPECT_EQ(inp.high_, 46);
  EXPECT_EQ(isp.low_, 16);
  EXPECT_EQ(isp.high_, 50);
  EXPECT_EQ(inp.Position(), 0);
  EXPECT_EQ(ic_num.Text(), "0");
  EXPECT_EQ(isp.Position(), 32);
  EXPECT_EQ(is_num.Text(), "32");
}

TEST_F(ShellIconsPageTest, ReadFirstShowsSlotZeroItsCaptionAndTheStoredSize) {
  WriteMachineText(kShellIconsKey, "0", "C:\\icons\\zero.ico");
  SetSize("24");
  Start();
  EXPECT_EQ(location.Text(), "C:\\icons\\zero.ico");
  EXPECT_EQ(lbl_info.Caption(), "Default Icon");
  EXPECT_EQ(isp.Position(), 24);
  EXPECT_EQ(is_num.Text(), "24");
}

TEST_F(ShellIconsPageTest, StoredSizesAreReadDigitByDigitAndKeptInRange) {
  const struct {
    const char* stored;
    int shown;
  } cases[] = {{"32", 32}, {"3a", 30}, {" 40", 40}, {"99", 50}, {"5", 16}, {"", 32}};
  for (const auto& c : cases) {
    isp.SetPosition(32);
    SetSize(c.stored);
    Start();
    EXPECT_EQ(isp.Position(), c.shown) << '"' << c.stored << '"';
    EXPECT_EQ(is_num.Text(), std::to_string(c.shown)) << '"' << c.stored << '"';
  }
  // No value and no key at all: start-up goes on.
  DeleteKeyAt(kCurrentUser, kWindowMetricsKey);
  DeleteKeyAt(kLocalMachine, kShellIconsKey);
  isp.SetPosition(32);
  EXPECT_NO_THROW(Start());
  EXPECT_EQ(isp.Position(), 32);
  EXPECT_EQ(location.Text(), "");
}

TEST_F(ShellIconsPageTest, SteppingTheSlotShowsItsLocationAndCaption) {
  WriteMachineText(kShellIconsKey, "41", "shell32.dll,7");
  WriteMachineText(kShellIconsKey, "39", "x.dll");
  Start();
  StepTo(39);
  EXPECT_EQ(ic_num.Text(), "39");
  EXPECT_EQ(location.Text(), "x.dll");
  EXPECT_EQ(lbl_info.Caption(), "Settings Taskbar && Start Menu");
  StepTo(41);
  EXPECT_EQ(location.Text(), "shell32.dll,7");
  EXPECT_EQ(lbl_info.Caption(), "");
  StepTo(40);
  EXPECT_EQ(location.Text(), "");
  EXPECT_EQ(lbl_info.Caption(), "Audio CD");
}

TEST_F(ShellIconsPageTest, ASlotThatIsNotTextEndsTheStepAndLeavesWhatWasShown) {
  RegistryStore store;
  store.SetRoot(kLocalMachine);
  store.Open(kShellIconsKey, false);
  store.WriteNumber("7", 3);
  store.Close();
  WriteMachineText(kShellIconsKey, "6", "six.ico");
  Start();
  StepTo(6);
  try {
    StepTo(7);
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for '7'");
  }
  EXPECT_EQ(location.Text(), "six.ico");
  EXPECT_EQ(lbl_info.Caption(), "Floppy Disk 3 \xBD inch");
}

TEST_F(ShellIconsPageTest, BrowseOffersIconFilesAndOnlyAConfirmedFileReplacesTheLocation) {
  location.SetText("old.ico");
  platform.dialog_answers_ = {"C:\\new\\pick.dll", ""};
  page.BtnFindClick();
  EXPECT_EQ(location.Text(), "C:\\new\\pick.dll");
  EXPECT_TRUE(location.focused_);
  location.focused_ = false;
  page.BtnFindClick();  // cancelled
  EXPECT_EQ(location.Text(), "C:\\new\\pick.dll");
  EXPECT_TRUE(location.focused_);

  ASSERT_EQ(platform.dialogs_.size(), 2u);
  const ui::FileDialogOptions& o = platform.dialogs_[0];
  EXPECT_EQ(o.title, "Browse Icon");
  EXPECT_EQ(o.filter_index, 5);
  EXPECT_NE(o.filter.find("Icon File (*.ico)|*.ico"), std::string::npos);
  EXPECT_EQ(o.default_ext, "ICO");
  EXPECT_EQ(platform.dialogs_[1].file_name, "C:\\new\\pick.dll");
  EXPECT_EQ(Slot("0"), "");  // nothing written
}

TEST_F(ShellIconsPageTest, SetIconWritesTheSlotAndThenTheSize) {
  SetSize("32");
  Start();
  inp.SetPosition(12);
  page.INPClick();
  isp.SetPosition(48);
  EXPECT_EQ(Size(), "32");  // a size change alone writes nothing
  location.SetText("C:\\ram.ico,2");
  page.BSI();
  EXPECT_EQ(Slot("12"), "C:\\ram.ico,2");
  EXPECT_EQ(Size(), "48");

  // An empty location is written as an empty text, not removed.
  location.SetText("");
  page.BSI();
  NameList names;
  ListValues(kLocalMachine, kShellIconsKey, names);
  EXPECT_EQ(names, NameList{"12"});
  EXPECT_EQ(Slot("12"), "");
}

TEST_F(ShellIconsPageTest, SetIconFailuresStopWhereTheyHappen) {
  Start();
  StepTo(3);
  location.SetText("three.ico");
  isp.SetPosition(20);

  backend.SetMachineReadOnly(true);
  try {
    page.BSI();
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for '3'");
  }
  backend.SetMachineReadOnly(false);
  EXPECT_EQ(Slot("3"), "");
  EXPECT_EQ(Size(), "");  // the size was not written either

  // The size key is never made here: its write fails after the slot's.
  DeleteKeyAt(kCurrentUser, kWindowMetricsKey);
  try {
    page.BSI();
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'Shell Icon Size'");
  }
  EXPECT_EQ(Slot("3"), "three.ico");
  EXPECT_FALSE(KeyExistsAt(kCurrentUser, kWindowMetricsKey));

  // Nor is the slot key.
  DeleteKeyAt(kLocalMachine, kShellIconsKey);
  EXPECT_THROW(page.BSI(), ERegistryException);
  EXPECT_FALSE(KeyExistsAt(kLocalMachine, kShellIconsKey));
}

TEST_F(ShellIconsPageTest, TheIconCacheControlRunsTheShellsToolAndIsSilentWithoutIt) {
  platform.run_result_ = false;
  EXPECT_NO_THROW(page.RebICDblClick());
  ASSERT_EQ(platform.commands_.size(), 1u);
  EXPECT_EQ(platform.commands_[0], "ie4uinit.exe -show");
}

}  // namespace
}  // namespace quillet::icons
