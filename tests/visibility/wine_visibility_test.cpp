// The page's real window under Wine against the test prefix's registry: the system's combo boxes
// and list view, hide values stored as the shell reads them. The keys it touches are put back.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "builtin/registry_snapshot.h"
#include "builtin/sheet_harness.h"
#include "registry/registry_store.h"
#include "visibility/visibility_sheet.h"

namespace quillet::visibility {
namespace {

const char kHideDesktop[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons";
const char kA[] = "{5EE0A11A-0000-4000-8000-00000000C0DE}";
const char kB[] = "{5EE0B22B-0000-4000-8000-00000000C0DE}";
const char kClassA[] = "Software\\Classes\\CLSID\\{5EE0A11A-0000-4000-8000-00000000C0DE}";

// Type and number of a value as the system stores it; type 0 when it is missing.
std::pair<DWORD, DWORD> Stored(HKEY root, const char* key, const char* name) {
  HKEY h = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return {0, 0};
  DWORD type = 0, data = 0, size = sizeof data;
  if (RegQueryValueExA(h, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
    type = 0;
  RegCloseKey(h);
  return {type, data};
}

class WineVisibilityTest : public ::testing::Test {
 protected:
  WineVisibilityTest() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
      for (const char* key : {kHideDesktop, kMyComputerIconsKey})
        saved_.push_back(std::make_unique<testing::KeySnapshot>(root, key));
    saved_.push_back(std::make_unique<testing::KeySnapshot>(HKEY_LOCAL_MACHINE, kClassA));
    for (RegRoot root : {kCurrentUser, kLocalMachine})
      for (const char* key : {kHideDesktop, kMyComputerIconsKey}) DeleteKeyAt(root, key);
    RegisterText(kLocalMachine, kClassA, "", "Thing A");
  }

  HWND Grid() { return sheet->HList->Handle(); }
  int GridRows() { return testing::ListViewRows(Grid()); }
  std::string Cell(int row, int column) { return testing::ListViewCell(Grid(), row, column); }
  int GridSelected() { return static_cast<int>(SendMessageA(Grid(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }
  void UserSelectsRow(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Grid(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
  void UserPicks(ui::TComboBox* combo, int index) {
    SendMessageA(combo->Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(combo->Handle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(combo->Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo->Handle()));
  }
  static std::string TextOf(ui::TWinControl* c) {
    char text[260] = {};
    GetWindowTextA(c->Handle(), text, sizeof text);
    return text;
  }
  static void Press(ui::TButton* b) { SendMessageA(b->Handle(), BM_CLICK, 0, 0); }
  int RowOf(const std::string& name) {
    for (int r = 0; r < GridRows(); ++r)
      if (Cell(r, 0) == name) return r;
    return -1;
  }

  std::vector<std::unique_ptr<testing::KeySnapshot>> saved_;
  testing::SheetHarness h;
  std::unique_ptr<VisibilitySheet> sheet = std::make_unique<VisibilitySheet>(*h.visibility, *h.visibility);
};

TEST_F(WineVisibilityTest, ControlsStandInTabOrderAndTheListHasItsTitlesAndWidths) {
  h.Show(h.visibility);
  EXPECT_EQ(testing::SheetHarness::ChildOrder(*h.visibility),
            (std::vector<std::string>{"US", "OHide", "HDO", "TTA", "CCap", "Button7", "HList", "BHide",
                                      "BShow", "Rem"}));
  EXPECT_EQ(TextOf(sheet->US), "Current User");
  EXPECT_EQ(TextOf(sheet->OHide), "Desktop");
  EXPECT_EQ(TextOf(sheet->HDO), "Classic Start Menu");
  char title[64] = {};
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT;
  col.pszText = title;
  col.cchTextMax = sizeof title;
  SendMessageA(Grid(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&col));
  EXPECT_STREQ(title, "Visible Status");
  SendMessageA(Grid(), LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
  EXPECT_STREQ(title, "CLSID");
  EXPECT_EQ(SendMessageA(Grid(), LVM_GETCOLUMNWIDTH, 0, 0), 280);
  EXPECT_EQ(SendMessageA(Grid(), LVM_GETCOLUMNWIDTH, 1, 0), 387);
  const RECT tall = testing::SheetHarness::PlaceOf(*sheet->Button7);
  const RECT edit = testing::SheetHarness::PlaceOf(*sheet->TTA);
  EXPECT_GT(tall.bottom - tall.top, 2 * (edit.bottom - edit.top));

  UserPicks(sheet->OHide, 1);
  EXPECT_FALSE(IsWindowEnabled(sheet->HDO->Handle()));
  UserPicks(sheet->OHide, 0);
  EXPECT_TRUE(IsWindowEnabled(sheet->HDO->Handle()));
}

TEST_F(WineVisibilityTest, TheButtonsStoreDwordsAndTheListFollowsThem) {
  WriteDword(kCurrentUser, kClassicStartMenuKey, kB, 0);
  sheet->Page().OHideChange();
  h.Show(h.visibility);
  ASSERT_EQ(GridRows(), 1);
  EXPECT_EQ(Cell(0, 1), "True");

  SetWindowTextA(sheet->TTA->Handle(), kA);
  Press(sheet->Button7);
  ASSERT_TRUE(h.errors.empty()) << h.errors[0];
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, kClassicStartMenuKey, kA), (std::pair<DWORD, DWORD>{REG_DWORD, 1}));
  for (const char* key : {kNewStartPanelKey, kMyComputerIconsKey})
    EXPECT_TRUE(KeyExistsAt(kCurrentUser, key)) << key;
  ASSERT_EQ(GridRows(), 2);
  const int a = RowOf(kA);
  ASSERT_GE(a, 0);
  EXPECT_EQ(Cell(a, 1), "False");
  EXPECT_EQ(GridSelected(), a);
  EXPECT_EQ(TextOf(sheet->CCap), "Thing A");

  UserSelectsRow(RowOf(kB));
  EXPECT_EQ(TextOf(sheet->TTA), kB);
  EXPECT_EQ(TextOf(sheet->CCap), "");
  Press(sheet->BHide);
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, kClassicStartMenuKey, kB), (std::pair<DWORD, DWORD>{REG_DWORD, 1}));
  EXPECT_EQ(Cell(RowOf(kB), 1), "False");
  EXPECT_EQ(GridSelected(), RowOf(kB));
  Press(sheet->BShow);
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, kClassicStartMenuKey, kB), (std::pair<DWORD, DWORD>{REG_DWORD, 0}));
  EXPECT_EQ(Cell(RowOf(kB), 1), "True");

  UserSelectsRow(RowOf(kA));
  h.Shot("visibility");
  Press(sheet->Rem);
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, kClassicStartMenuKey, kA).first, 0u);
  EXPECT_EQ(GridRows(), 1);

  // The machine's own key, chosen in the first box.
  WriteDword(kLocalMachine, kMyComputerIconsKey, kA, 1);
  UserPicks(sheet->US, 1);
  UserPicks(sheet->OHide, 1);
  ASSERT_EQ(GridRows(), 1);
  EXPECT_EQ(Cell(0, 0), kA);
  EXPECT_TRUE(h.errors.empty());
}

}  // namespace
}  // namespace quillet::visibility
