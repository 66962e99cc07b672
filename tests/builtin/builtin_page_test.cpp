#include "builtin/builtin_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "builtin/builtin_objects.h"
#include "registry/memory_backend.h"
#include "registry/registry_store.h"
#include "support/fake_widgets.h"

namespace quillet::builtin {
namespace {

using testing::FakeCheckList;

// Refuses chosen creates and deletes, to stop an apply half-way.
class RefusingBackend : public MemoryBackend {
 public:
  long CreateKey(RegHandle parent, const std::string& path, std::uint32_t access,
                 RegHandle* out) override {
    if (path == refuse_create) return kErrAccessDenied;
    return MemoryBackend::CreateKey(parent, path, access, out);
  }
  long DeleteKey(RegHandle parent, const std::string& path) override {
    if (path == refuse_delete) return kErrAccessDenied;
    return MemoryBackend::DeleteKey(parent, path);
  }
  std::string refuse_create, refuse_delete;
};

std::string At(const char* location, int row) {
  return std::string(location) + "\\" + BuiltInObjectTable[static_cast<size_t>(row)].clsid;
}

class BuiltInPageTest : public ::testing::Test {
 protected:
  BuiltInPageTest() {
    for (const char* l : {kMyComputerNameSpace, kDesktopNameSpace, kNetworkNameSpace,
                          kControlPanelNameSpace})
      CreateKeyAt(kLocalMachine, l);
  }
  bool Has(const std::string& path) { return KeyExistsAt(kLocalMachine, path); }
  int MarksOf(const FakeCheckList& list) {
    int n = 0;
    for (int i = 0; i < list.Count(); ++i) n += list.Checked(i);
    return n;
  }

  RefusingBackend backend;
  ScopedRegistry scope{backend};
  FakeCheckList mc, d, net, cp;
  BuiltInPage page{mc, d, net, cp};
};

TEST(BuiltInObjectTableTest, RowsAreDistinctBracedClsids) {
  std::set<std::string> seen;
  for (const BuiltInObject& row : BuiltInObjectTable) {
    const std::string clsid = row.clsid;
    EXPECT_EQ(clsid.size(), 38u) << row.caption;
    EXPECT_EQ(clsid.front(), '{');
    EXPECT_EQ(clsid.back(), '}');
    EXPECT_TRUE(seen.insert(clsid).second) << clsid;
  }
  EXPECT_STREQ(BuiltInObjectTable[21].caption, "Wireless Setup Wizard");
  EXPECT_STREQ(BuiltInObjectTable[21].clsid, "{3c5c43a3-9ce9-4a9b-9699-2ac0cf6cc4bf}");
}

TEST_F(BuiltInPageTest, ListsShowTheCaptionsInTableOrderUnmarked) {
  for (const FakeCheckList* list : {&mc, &d, &net, &cp}) {
    ASSERT_EQ(list->Count(), kBuiltInObjectCount);
    EXPECT_EQ(list->Item(0), "Add Network Place");
    EXPECT_EQ(list->Item(17), "Set Program Access and Defaults");
    EXPECT_EQ(MarksOf(*list), 0);
  }
}

TEST_F(BuiltInPageTest, ReadCLSIDMarksWhatExistsInEachPlaceAndClearsTheRest) {
  CreateKeyAt(kLocalMachine, At(kMyComputerNameSpace, 0));
  CreateKeyAt(kLocalMachine, At(kMyComputerNameSpace, 21));
  // Stored in other letter case: still the same key.
  CreateKeyAt(kLocalMachine, std::string(kDesktopNameSpace) + "\\{2559A1F1-21D7-11D4-BDAF-00C04F60B9F0}");
  CreateKeyAt(kLocalMachine, At(kControlPanelNameSpace, 4));
  for (int i = 0; i < kBuiltInObjectCount; ++i) net.SetChecked(i, true);

  page.ReadCLSID();

  EXPECT_TRUE(mc.Checked(0));
  EXPECT_TRUE(mc.Checked(21));
  EXPECT_EQ(MarksOf(mc), 2);
  EXPECT_TRUE(d.Checked(6));
  EXPECT_EQ(MarksOf(d), 1);
  EXPECT_EQ(MarksOf(net), 0);
  EXPECT_TRUE(cp.Checked(4));
  EXPECT_EQ(MarksOf(cp), 1);
}

TEST_F(BuiltInPageTest, SelectButtonsActOnTheirOwnListByTagAndWriteNothing) {
  const std::string before = backend.ExportRegText();
  mc.SetChecked(3, true);
  page.ANI1Click(kInvertSelection);
  EXPECT_FALSE(mc.Checked(3));
  EXPECT_EQ(MarksOf(mc), kBuiltInObjectCount - 1);
  page.ANI1Click(7);  // no such tag
  EXPECT_EQ(MarksOf(mc), kBuiltInObjectCount - 1);
  page.ANI2Click(kSelectAll);
  EXPECT_EQ(MarksOf(d), kBuiltInObjectCount);
  page.ANI2Click(kSelectNone);
  EXPECT_EQ(MarksOf(d), 0);
  page.ANI3Click(kSelectAll);
  page.ANI4Click(kInvertSelection);
  EXPECT_EQ(MarksOf(net), kBuiltInObjectCount);
  EXPECT_EQ(MarksOf(cp), kBuiltInObjectCount);
  EXPECT_EQ(MarksOf(mc), kBuiltInObjectCount - 1);
  EXPECT_EQ(backend.ExportRegText(), before);
}

TEST_F(BuiltInPageTest, ApplyCreatesMarkedRowsAndErasesUnmarkedOnesInItsPlaceOnly) {
  // A present row with content, stored in other case: kept as it is.
  const std::string lower = std::string(kMyComputerNameSpace) + "\\{645ff040-5081-101b-9f08-00aa002f954e}";
  WriteMachineText(lower + "\\Sub", "Removal Message", "keep");
  // An unmarked row with a subtree and the creator's removal message: goes whole.
  WriteMachineText(At(kMyComputerNameSpace, 2), "Removal Message", "bye");
  WriteMachineText(At(kMyComputerNameSpace, 2) + "\\a\\b", "x", "y");
  // Not a table row: untouched.
  CreateKeyAt(kLocalMachine, std::string(kMyComputerNameSpace) + "\\{11111111-2222-3333-4444-555555555555}");
  // The same row in another place: untouched.
  CreateKeyAt(kLocalMachine, At(kDesktopNameSpace, 2));

  mc.SetChecked(12, true);
  mc.SetChecked(0, true);
  page.Apply1Click();

  EXPECT_TRUE(Has(At(kMyComputerNameSpace, 0)));
  EXPECT_EQ(ReadMachineText(lower + "\\Sub", "Removal Message"), "keep");
  NameList names;
  ListSubkeys(kLocalMachine, kMyComputerNameSpace, names);
  EXPECT_EQ(std::count(names.begin(), names.end(), "{645ff040-5081-101b-9f08-00aa002f954e}"), 1);
  EXPECT_FALSE(Has(At(kMyComputerNameSpace, 2)));
  EXPECT_EQ(names.size(), 3u);  // rows 0 and 12 and the foreign key
  EXPECT_TRUE(Has(At(kDesktopNameSpace, 2)));
  for (const char* l : {kNetworkNameSpace, kControlPanelNameSpace}) {
    NameList other;
    ListSubkeys(kLocalMachine, l, other);
    EXPECT_TRUE(other.empty()) << l;
  }
}

TEST_F(BuiltInPageTest, EachApplyButtonWritesItsOwnPlace) {
  page.ANI2Click(kSelectAll);
  page.Apply2Click();
  net.SetChecked(1, true);
  page.Apply3Click();
  cp.SetChecked(2, true);
  page.Apply4Click();
  NameList names;
  ListSubkeys(kLocalMachine, kDesktopNameSpace, names);
  EXPECT_EQ(names.size(), 22u);
  EXPECT_TRUE(Has(At(kNetworkNameSpace, 1)));
  EXPECT_TRUE(Has(At(kControlPanelNameSpace, 2)));
  ListSubkeys(kLocalMachine, kMyComputerNameSpace, names);
  EXPECT_TRUE(names.empty());
}

TEST_F(BuiltInPageTest, AFailedCreateEndsTheApplyAtThatRowAndAFailedDeleteIsPassedOver) {
  CreateKeyAt(kLocalMachine, At(kMyComputerNameSpace, 1));
  CreateKeyAt(kLocalMachine, At(kMyComputerNameSpace, 3));
  CreateKeyAt(kLocalMachine, At(kMyComputerNameSpace, 9));
  backend.refuse_delete = BuiltInObjectTable[1].clsid;
  backend.refuse_create = BuiltInObjectTable[5].clsid;
  mc.SetChecked(0, true);
  mc.SetChecked(5, true);
  mc.SetChecked(6, true);

  try {
    page.Apply1Click();
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(std::string(e.what()), std::string("Failed to create key ") + BuiltInObjectTable[5].clsid);
  }
  EXPECT_TRUE(Has(At(kMyComputerNameSpace, 0)));
  EXPECT_TRUE(Has(At(kMyComputerNameSpace, 1)));   // refused delete, passed over
  EXPECT_FALSE(Has(At(kMyComputerNameSpace, 3)));  // after it, before the failure
  EXPECT_FALSE(Has(At(kMyComputerNameSpace, 6)));  // after the failure: not processed
  EXPECT_TRUE(Has(At(kMyComputerNameSpace, 9)));
}

TEST_F(BuiltInPageTest, WithoutRightsOnTheMachineApplyReportsAndChangesNothing) {
  CreateKeyAt(kLocalMachine, At(kDesktopNameSpace, 4));
  page.ReadCLSID();
  backend.SetMachineReadOnly(true);
  page.ReadCLSID();  // existence needs read access only
  EXPECT_TRUE(d.Checked(4));
  const std::string before = backend.ExportRegText();

  d.SetChecked(4, false);
  d.SetChecked(7, true);
  d.SetChecked(9, true);
  try {
    page.Apply2Click();
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(std::string(e.what()), std::string("Failed to create key ") + BuiltInObjectTable[7].clsid);
  }
  page.ANI2Click(kSelectNone);
  EXPECT_NO_THROW(page.Apply2Click());
  EXPECT_EQ(backend.ExportRegText(), before);
}

TEST_F(BuiltInPageTest, AMissingPlaceKeyNeverLetsApplyWorkAtTheTopOfTheMachineKey) {
  DeleteKeyAt(kLocalMachine, kControlPanelNameSpace);
  CreateKeyAt(kLocalMachine, BuiltInObjectTable[3].clsid);  // a top-level key of that name
  cp.SetChecked(0, true);
  EXPECT_THROW(page.Apply4Click(), ERegistryException);
  EXPECT_FALSE(Has(BuiltInObjectTable[0].clsid));
  page.ANI4Click(kSelectNone);
  page.Apply4Click();
  EXPECT_TRUE(Has(BuiltInObjectTable[3].clsid));
  EXPECT_FALSE(Has(kControlPanelNameSpace));
}

}  // namespace
}  // namespace quillet::builtin
