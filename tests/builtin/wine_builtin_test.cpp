// The page against the system registry (under Wine, the test prefix's). The four place keys are
// put back as they were after each case.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "builtin/builtin_objects.h"
#include "builtin/builtin_page.h"
#include "builtin/registry_snapshot.h"
#include "registry/registry_store.h"
#include "support/fake_widgets.h"

namespace quillet::builtin {
namespace {

const char* const kPlaces[] = {kMyComputerNameSpace, kDesktopNameSpace, kNetworkNameSpace,
                               kControlPanelNameSpace};
const char kForeign[] = "{B0117A1E-0000-4000-8000-0000B0117A1E}";

bool Exists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::vector<bool> RowsIn(const char* place) {
  std::vector<bool> rows;
  for (const BuiltInObject& row : BuiltInObjectTable)
    rows.push_back(Exists(std::string(place) + "\\" + row.clsid));
  return rows;
}

std::vector<std::string> SubkeysOf(const char* place) {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, place, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  RegCloseKey(key);
  return names;
}

class WineBuiltInTest : public ::testing::Test {
 protected:
  WineBuiltInTest() {
    for (const char* place : kPlaces) {
      saved_.push_back(std::make_unique<testing::KeySnapshot>(HKEY_LOCAL_MACHINE, place));
      CreateKeyAt(kLocalMachine, place);
    }
  }

  std::vector<std::unique_ptr<testing::KeySnapshot>> saved_;
  testing::FakeCheckList mc, d, net, cp;
  BuiltInPage page{mc, d, net, cp};
};

TEST_F(WineBuiltInTest, MarksFollowTheSystemRegistryWhateverTheCase) {
  DeleteKeyAt(kLocalMachine, std::string(kDesktopNameSpace) + "\\" + BuiltInObjectTable[12].clsid);
  WriteMachineText(std::string(kDesktopNameSpace) + "\\{645ff040-5081-101b-9f08-00aa002f954e}",
                   "Removal Message", "kept");
  page.ReadCLSID();
  for (int p = 0; p < 4; ++p) {
    const std::vector<bool> rows = RowsIn(kPlaces[p]);
    const testing::FakeCheckList& list = *std::vector<testing::FakeCheckList*>{&mc, &d, &net, &cp}[p];
    for (int i = 0; i < kBuiltInObjectCount; ++i)
      EXPECT_EQ(list.Checked(i), rows[static_cast<size_t>(i)]) << kPlaces[p] << " row " << i;
  }
  EXPECT_TRUE(d.Checked(12));
}

TEST_F(WineBuiltInTest, ApplyWritesTheWholeListIntoItsPlaceOnly) {
  const std::string lower = std::string(kDesktopNameSpace) + "\\{645ff040-5081-101b-9f08-00aa002f954e}";
  DeleteKeyAt(kLocalMachine, std::string(kDesktopNameSpace) + "\\" + BuiltInObjectTable[12].clsid);
  WriteMachineText(lower, "Removal Message", "kept");
  WriteMachineText(std::string(kDesktopNameSpace) + "\\" + BuiltInObjectTable[3].clsid + "\\deep\\er",
                   "Removal Message", "goes");
  CreateKeyAt(kLocalMachine, std::string(kDesktopNameSpace) + "\\" + kForeign);
  const std::vector<bool> computer = RowsIn(kMyComputerNameSpace);
  const std::vector<bool> network = RowsIn(kNetworkNameSpace);
  const std::vector<bool> panel = RowsIn(kControlPanelNameSpace);

  page.ANI2Click(kSelectAll);
  page.Apply2Click();
  EXPECT_EQ(RowsIn(kDesktopNameSpace), std::vector<bool>(kBuiltInObjectCount, true));
  const std::vector<std::string> names = SubkeysOf(kDesktopNameSpace);
  EXPECT_NE(std::find(names.begin(), names.end(), "{645ff040-5081-101b-9f08-00aa002f954e}"), names.end());
  EXPECT_EQ(ReadMachineText(lower, "Removal Message"), "kept");

  page.ANI2Click(kSelectNone);
  page.Apply2Click();
  EXPECT_EQ(RowsIn(kDesktopNameSpace), std::vector<bool>(kBuiltInObjectCount, false));
  EXPECT_TRUE(Exists(std::string(kDesktopNameSpace) + "\\" + kForeign));

  EXPECT_EQ(RowsIn(kMyComputerNameSpace), computer);
  EXPECT_EQ(RowsIn(kNetworkNameSpace), network);
  EXPECT_EQ(RowsIn(kControlPanelNameSpace), panel);
}

}  // namespace
}  // namespace quillet::builtin
