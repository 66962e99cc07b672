// The page against the system registry (under Wine, the test prefix's), and the shell reading
// what it wrote. Key names are this suite's own.
#include <windows.h>

#include <string>

#include "page_fixture.h"

namespace quillet::creator {
namespace {

constexpr const char* kRealId = "{C4EA7E57-0001-4000-8000-00000000C4EA}";
constexpr const char* kOtherId = "{C4EA7E57-0002-4000-8000-00000000C4EA}";

class RealRegistryTest : public PageHarness {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    for (const char* id : {kRealId, kOtherId}) {
      DeleteKeyAt(kLocalMachine, ClassKey(id));
      for (const char* place : {kMyComputer, kDesktop, kControlPanel, kNetworkNeighborhood})
        DeleteKeyAt(kLocalMachine, PlaceKey(place, id));
      for (RegRoot root : {kCurrentUser, kLocalMachine})
        RemoveValue(root, std::string(kExplorerKey) + "HideMyComputerIcons", id);
    }
  }
  // The kind the system stores a value as, 0 when it is missing.
  static DWORD KindOf(const std::string& key, const char* name) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return 0;
    DWORD type = 0;
    const LONG r = RegQueryValueExA(h, name, nullptr, &type, nullptr, nullptr);
    RegCloseKey(h);
    return r == ERROR_SUCCESS ? type : 0;
  }
  void Save(const std::string& id, bool desktop, bool my_computer) {
    RFCNum.SetText(id);
    RFName.SetText("Real Thing");
    RFDesc.SetText("Its tip");
    RME.SetText("Really?");
    STD.SetChecked(desktop);
    STMC.SetChecked(my_computer);
    STCP.SetChecked(false);
    STNN.SetChecked(false);
    page_.CReg();
  }
};

TEST_F(RealRegistryTest, AnObjectMadeOnThePageReadsBackAsText) {
  Save(kRealId, true, true);
  ShellName.SetText("open");
  RFCN.SetText("&Open it");
  RFPar.SetText("notepad.exe");
  page_.Button2Click();
  ShellName.SetText("Edit");
  RFCN.SetText("&Edit");
  page_.Button2Click();
  EXPECT_EQ(List.Items(), (NameList{"Edit", "open"}));  // the system lists subkeys sorted
  List.Click(1);
  page_.Button5Click();
  RFDIcon.SetText("shell32.dll,3");
  page_.Button4Click();

  const std::string k = ClassKey(kRealId);
  for (const auto& [key, name] : {std::pair{k, ""}, {k, "InfoTip"}, {k + "\\Shell", ""},
                                  {k + "\\Shell\\open\\Command", ""}, {k + "\\DefaultIcon", ""},
                                  {PlaceKey(kDesktop, kRealId), "Removal Message"}})
    EXPECT_EQ(KindOf(key, name), static_cast<DWORD>(REG_SZ)) << key << " " << name;

  // A lower-case CLSID names the same keys.
  RFCNum.SetItems({"{other}", Lower(kRealId)});
  RFCNum.Pick(1);
  EXPECT_EQ(RFName.Text(), "Real Thing");
  EXPECT_EQ(RFDesc.Text(), "Its tip");
  EXPECT_EQ(RME.Text(), "");
  EXPECT_EQ(Def.Caption(), "open");
  EXPECT_EQ(RFCN.Text(), "&Open it");
  EXPECT_EQ(RFPar.Text(), "notepad.exe");
  EXPECT_EQ(RFDIcon.Text(), "shell32.dll,3");
  EXPECT_TRUE(STD.Checked());
  EXPECT_TRUE(STMC.Checked());
  EXPECT_FALSE(STCP.Checked());

  // Saving with other places moves the registrations; the verbs and icon stay.
  Save(kRealId, false, false);
  EXPECT_FALSE(Exists(PlaceKey(kDesktop, kRealId)));
  EXPECT_FALSE(Exists(PlaceKey(kMyComputer, kRealId)));
  EXPECT_EQ(Text(k + "\\DefaultIcon"), "shell32.dll,3");

  RFCNum.SetItems({kRealId});
  RFCNum.Pick(0);
  page_.DReg();
  EXPECT_FALSE(Exists(k));
  EXPECT_EQ(RFCNum.Count(), 0);
}

TEST_F(RealRegistryTest, ScanFindsRegistrationsInTheSystemsOrder) {
  Save(kOtherId, false, true);
  Save(kRealId, true, true);
  RFCNum.SetItems({});
  page_.Button10Click();
  const NameList items = RFCNum.Items();
  const auto real = std::find(items.begin(), items.end(), kRealId);
  const auto other = std::find(items.begin(), items.end(), kOtherId);
  ASSERT_NE(real, items.end());
  ASSERT_NE(other, items.end());
  // kRealId is found first under Desktop, before MyComputer's entries.
  EXPECT_LT(real, other);
  EXPECT_EQ(std::count(items.begin(), items.end(), kRealId), 1);
}

TEST_F(RealRegistryTest, ShowMeDeletesShellFolderAndHideValues) {
  Save(kRealId, false, true);
  WriteDword(kLocalMachine, ClassKey(kRealId) + "\\ShellFolder", "Attributes", 0x00100000);
  WriteDword(kCurrentUser, std::string(kExplorerKey) + "HideMyComputerIcons", kRealId, 1);
  page_.VMClick();
  EXPECT_FALSE(Exists(ClassKey(kRealId) + "\\ShellFolder"));
  EXPECT_TRUE(Exists(ClassKey(kRealId)));
  EXPECT_EQ(ReadDword(kCurrentUser, std::string(kExplorerKey) + "HideMyComputerIcons", kRealId), 0);
  NameList values;
  ListValues(kCurrentUser, std::string(kExplorerKey) + "HideMyComputerIcons", values);
  EXPECT_EQ(std::count(values.begin(), values.end(), kRealId), 0);
}

}  // namespace
}  // namespace quillet::creator
