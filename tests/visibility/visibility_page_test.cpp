#include "visibility/visibility_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/memory_backend.h"
#include "registry/registry_store.h"
#include "support/fake_widgets.h"

namespace quillet::visibility {
namespace {

using testing::FakeComboBox;
using testing::FakeEdit;
using testing::FakeGrid;

const char kA[] = "{AAAAAAAA-0000-0000-0000-000000000001}";
const char kB[] = "{BBBBBBBB-0000-0000-0000-000000000002}";

class VisibilityPageTest : public ::testing::Test {
 protected:
  std::vector<std::string> Lines() const {
    std::vector<std::string> out;
    for (int r = 0; r < h_list.RowCount(); ++r) out.push_back(h_list.Line(r));
    return out;
  }
  // Writes a value of any type straight into the tree.
  void Raw(RegRoot root, const std::string& key, const std::string& name, std::uint32_t type,
           std::vector<std::uint8_t> data) {
    RegistryStore store(backend);
    store.SetRoot(root);
    ASSERT_TRUE(store.Open(key, true));
    ASSERT_EQ(backend.SetValue(store.CurrentKey(), name, type, data.data(),
                               static_cast<std::uint32_t>(data.size())),
              kOk);
  }
  ValueKind KindOf(RegRoot root, const std::string& key, const std::string& name) {
    RegistryStore store(backend);
    store.SetRoot(root);
    store.Open(key, false);
    return store.GetValueKind(name);
  }
  void SelectUser(int index) { us.Pick(index); }

  MemoryBackend backend;
  ScopedRegistry scope{backend};
  FakeComboBox us, o_hide, hdo;
  FakeEdit tta, c_cap;
  FakeGrid h_list;
  VisibilityPage page{us, o_hide, hdo, tta, c_cap, h_list};
};

TEST_F(VisibilityPageTest, StartsOnTheUsersClassicDesktopKeyAndListsEveryValueWithItsStatus) {
  EXPECT_EQ(us.Items(), (std::vector<std::string>{"Current User", "Local Machine"}));
  EXPECT_EQ(o_hide.Items(), (std::vector<std::string>{"Desktop", "My Computer"}));
  EXPECT_EQ(hdo.Items(), (std::vector<std::string>{"Classic Start Menu", "New Start Menu"}));
  EXPECT_EQ(h_list.titles_, (std::vector<std::string>{"CLSID", "Visible Status"}));
  WriteDword(kCurrentUser, kClassicStartMenuKey, kA, 1);
  WriteDword(kCurrentUser, kClassicStartMenuKey, kB, 0);
  WriteDword(kCurrentUser, kClassicStartMenuKey, "no braces", -7);
  Raw(kCurrentUser, kClassicStartMenuKey, "text", kTypeSz, {'1', 0});
  Raw(kCurrentUser, kClassicStartMenuKey, "long", kTypeDword, {1, 0, 0, 0, 0, 0, 0, 0});
  Raw(kCurrentUser, kClassicStartMenuKey, "short", kTypeDword, {1});
  WriteDword(kCurrentUser, kNewStartPanelKey, "elsewhere", 1);

  page.OHideChange();

  EXPECT_EQ(Lines(), (std::vector<std::string>{std::string(kA) + "=False", std::string(kB) + "=True",
                                               "no braces=False", "text=True", "long=True",
                                               "short=False"}));
  EXPECT_TRUE(hdo.Enabled());
}

TEST_F(VisibilityPageTest, TheThreeListsPickTheKeyAndRefillAtOnce) {
  WriteDword(kCurrentUser, kNewStartPanelKey, "new", 1);
  WriteDword(kCurrentUser, kMyComputerIconsKey, "computer", 0);
  WriteDword(kLocalMachine, kMyComputerIconsKey, "machine", 1);

  hdo.Pick(1);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"new=False"}));
  o_hide.Pick(1);
  EXPECT_FALSE(hdo.Enabled());
  EXPECT_EQ(Lines(), (std::vector<std::string>{"computer=True"}));
  SelectUser(1);
  EXPECT_EQ(page.VisibilityRoot(), kLocalMachine);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"machine=False"}));
  o_hide.Pick(0);  // back to the desktop: the variant chosen before holds
  EXPECT_TRUE(hdo.Enabled());
  EXPECT_EQ(page.VisibilityKey().value(), kNewStartPanelKey);
  EXPECT_TRUE(Lines().empty());  // no such key on the machine
  o_hide.SetItemIndex(-1);
  page.OHideChange();
  EXPECT_FALSE(page.VisibilityKey());
  EXPECT_TRUE(Lines().empty());
}

TEST_F(VisibilityPageTest, RowClickTakesTheClsidAndItsCaptionFromTheClassesRoot) {
  WriteDword(kCurrentUser, kClassicStartMenuKey, kA, 1);
  WriteDword(kCurrentUser, kClassicStartMenuKey, kB, 1);
  WriteDword(kCurrentUser, kClassicStartMenuKey, "bad", 1);
  RegisterText(kClassesRoot, std::string("CLSID\\") + kA, "", "Thing A");
  Raw(kClassesRoot, "CLSID\\bad", "", kTypeDword, {1, 0, 0, 0});
  page.OHideChange();

  h_list.Click(0);
  EXPECT_EQ(tta.Text(), kA);
  EXPECT_EQ(c_cap.Text(), "Thing A");
  h_list.Click(1);
  EXPECT_EQ(tta.Text(), kB);
  EXPECT_EQ(c_cap.Text(), "");
  try {
    h_list.Click(2);
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for ''");
  }
  EXPECT_EQ(tta.Text(), "bad");
}

TEST_F(VisibilityPageTest, AddCreatesTheHideKeysWritesOneAndSelectsTheNewRow) {
  WriteDword(kCurrentUser, kClassicStartMenuKey, kB, 0);
  page.OHideChange();
  RegisterText(kClassesRoot, std::string("CLSID\\") + kA, "", "Thing A");
  tta.UserSetText("{aaaaaaaa-0000-0000-0000-000000000001}");

  page.Button7Click();

  EXPECT_TRUE(KeyExistsAt(kCurrentUser, kNewStartPanelKey));
  EXPECT_TRUE(KeyExistsAt(kCurrentUser, kMyComputerIconsKey));
  EXPECT_EQ(ReadDword(kCurrentUser, kClassicStartMenuKey, kA), 1);
  EXPECT_EQ(KindOf(kCurrentUser, kClassicStartMenuKey, kA), ValueKind::Number);
  EXPECT_EQ(Lines().size(), 2u);
  ASSERT_EQ(h_list.Selected(), 1);
  EXPECT_EQ(c_cap.Text(), "Thing A");

  // Typed in other case than the stored name: the same value, the row found all the same.
  tta.UserSetText(kA);
  h_list.SetSelected(0);
  page.Button7Click();
  EXPECT_EQ(Lines().size(), 2u);
  EXPECT_EQ(h_list.Selected(), 1);
  EXPECT_EQ(tta.Text(), "{aaaaaaaa-0000-0000-0000-000000000001}");  // the row click ran

  // No text: the key's unnamed value.
  tta.UserSetText("");
  page.Button7Click();
  EXPECT_EQ(ReadDword(kCurrentUser, kClassicStartMenuKey, ""), 1);
  EXPECT_EQ(h_list.Name(h_list.Selected()), "");
}

TEST_F(VisibilityPageTest, HideAndShowWriteTheTypedClsidAndFollowTheRowSelectedBefore) {
  WriteDword(kCurrentUser, kClassicStartMenuKey, kA, 1);
  WriteDword(kCurrentUser, kClassicStartMenuKey, kB, 1);
  page.OHideChange();
  h_list.Click(0);
  tta.UserSetText(kB);  // typed over the row's CLSID

  page.BShowClick();
  EXPECT_EQ(ReadDword(kCurrentUser, kClassicStartMenuKey, kB), 0);
  EXPECT_EQ(KindOf(kCurrentUser, kClassicStartMenuKey, kB), ValueKind::Number);
  // The row selected before shows "A=False", not "=True": no row is found.
  EXPECT_EQ(h_list.Selected(), -1);
  EXPECT_EQ(tta.Text(), kB);

  h_list.Click(1);
  page.BHideClick();
  EXPECT_EQ(ReadDword(kCurrentUser, kClassicStartMenuKey, kB), 1);
  EXPECT_EQ(h_list.Selected(), 1);

  // Hide with a typed CLSID while the selected row already reads "=False": that row stays
  // selected and the edits keep the typed text.
  tta.UserSetText("typed");
  c_cap.SetText("caption");
  page.BHideClick();
  EXPECT_EQ(ReadDword(kCurrentUser, kClassicStartMenuKey, "typed"), 1);
  EXPECT_EQ(h_list.Selected(), 1);
  EXPECT_EQ(tta.Text(), "typed");
  EXPECT_EQ(c_cap.Text(), "caption");

  // Show on a key that is not there yet makes it.
  o_hide.Pick(1);
  tta.UserSetText(kA);
  page.BShowClick();
  EXPECT_EQ(Lines(), (std::vector<std::string>{std::string(kA) + "=True"}));
}

TEST_F(VisibilityPageTest, RemoveDeletesOnlyTheValueAndNeverMakesTheKey) {
  WriteDword(kCurrentUser, kClassicStartMenuKey, kA, 1);
  WriteDword(kCurrentUser, kClassicStartMenuKey, kB, 1);
  page.OHideChange();
  h_list.Click(0);
  page.RemClick();
  EXPECT_EQ(Lines(), (std::vector<std::string>{std::string(kB) + "=False"}));
  EXPECT_EQ(h_list.Selected(), -1);
  page.RemClick();  // already gone
  o_hide.Pick(1);
  page.RemClick();
  EXPECT_FALSE(KeyExistsAt(kCurrentUser, kMyComputerIconsKey));
}

TEST_F(VisibilityPageTest, WithoutRightsOnTheMachineEveryWriteFailsAndNothingChanges) {
  WriteDword(kLocalMachine, kClassicStartMenuKey, kA, 1);
  SelectUser(1);
  ASSERT_EQ(Lines().size(), 1u);
  backend.SetMachineReadOnly(true);
  const std::string before = backend.ExportRegText();
  h_list.SetLines({"shown before"});

  tta.UserSetText(kB);
  // Add: the two missing hide keys cannot be made; nothing is written.
  try {
    page.Button7Click();
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(std::string(e.what()), std::string("Failed to create key ") + kNewStartPanelKey);
  }
  for (auto click : {&VisibilityPage::BHideClick, &VisibilityPage::BShowClick}) {
    try {
      (page.*click)();
      FAIL() << "no error";
    } catch (const ERegistryException& e) {
      EXPECT_EQ(std::string(e.what()), std::string("Failed to set data for '") + kB + "'");
    }
    EXPECT_EQ(Lines(), (std::vector<std::string>{"shown before"}));  // not refilled
  }
  tta.UserSetText(kA);
  EXPECT_NO_THROW(page.RemClick());
  EXPECT_EQ(backend.ExportRegText(), before);

  // With every hide key present the add gets as far as the value itself.
  backend.SetMachineReadOnly(false);
  CreateKeyAt(kLocalMachine, kNewStartPanelKey);
  CreateKeyAt(kLocalMachine, kMyComputerIconsKey);
  backend.SetMachineReadOnly(true);
  tta.UserSetText(kB);
  try {
    page.Button7Click();
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(std::string(e.what()), std::string("Failed to set data for '") + kB + "'");
  }
  backend.SetMachineReadOnly(false);
  EXPECT_EQ(ReadDword(kLocalMachine, kClassicStartMenuKey, kB), 0);
  EXPECT_EQ(ReadDword(kLocalMachine, kClassicStartMenuKey, kA), 1);
}

}  // namespace
}  // namespace quillet::visibility
