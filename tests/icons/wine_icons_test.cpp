// The fourth page's real window under Wine: the class list from the test prefix's classes root in
// the system's list view, copies read back from the real clipboard, the real up-down stepping the
// slot. The keys it touches are put back.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "builtin/registry_snapshot.h"
#include "builtin/sheet_harness.h"
#include "icons/icons_sheet.h"
#include "registry/registry_store.h"

namespace quillet::icons {
namespace {

const char kClasses[] = "Software\\Classes\\CLSID\\";
const char kOne[] = "{1C0A5501-0000-4000-8000-00000000C1A5}";
const char kTwo[] = "{1C0A5502-0000-4000-8000-00000000C1A5}";

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "(no clipboard)";
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(h))) {
      text = p;
      GlobalUnlock(h);
    }
  } else {
    text = "(no text)";
  }
  CloseClipboard();
  return text;
}

// The names under HKEY_CLASSES_ROOT\CLSID that begin with a brace, as the system lists them.
int BracedClasses() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID", 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  int n = 0;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    n += name[0] == '{';
  }
  RegCloseKey(key);
  return n;
}

class WineIconsTest : public ::testing::Test {
 protected:
  WineIconsTest() {
    for (const char* id : {kOne, kTwo})
      saved_.push_back(std::make_unique<testing::KeySnapshot>(HKEY_LOCAL_MACHINE, std::string(kClasses) + id));
    saved_.push_back(std::make_unique<testing::KeySnapshot>(HKEY_LOCAL_MACHINE, kShellIconsKey));
    saved_.push_back(std::make_unique<testing::KeySnapshot>(HKEY_CURRENT_USER, kWindowMetricsKey));
    RegisterText(kLocalMachine, std::string(kClasses) + kOne, "", "One = first");
    CreateKeyAt(kLocalMachine, std::string(kClasses) + kTwo);
    DeleteKeyAt(kLocalMachine, kShellIconsKey);
    CreateKeyAt(kLocalMachine, kShellIconsKey);
    CreateKeyAt(kCurrentUser, kWindowMetricsKey);
  }

  HWND Grid() { return sheet->CList->Handle(); }
  int GridRows() { return testing::ListViewRows(Grid()); }
  std::string Cell(int row, int column) { return testing::ListViewCell(Grid(), row, column); }
  int RowOf(const std::string& name) {
    for (int r = 0; r < GridRows(); ++r)
      if (Cell(r, 0) == name) return r;
    return -1;
  }
  void UserSelectsRow(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Grid(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
  static void Press(ui::TButton* b) { SendMessageA(b->Handle(), BM_CLICK, 0, 0); }
  static std::string TextOf(ui::TWinControl* c) {
    char text[260] = {};
    GetWindowTextA(c->Handle(), text, sizeof text);
    return text;
  }
  // An arrow key in the number field, which the up-down takes as a step.
  static void Arrow(ui::TEdit* field, UINT key) {
    SendMessageA(field->Handle(), WM_KEYDOWN, key, 0);
    SendMessageA(field->Handle(), WM_KEYUP, key, 0xC0000001);
  }

  std::vector<std::unique_ptr<testing::KeySnapshot>> saved_;
  testing::SheetHarness h;
  std::unique_ptr<IconsSheet> sheet = std::make_unique<IconsSheet>(*h.fourth, *h.fourth);
};

TEST_F(WineIconsTest, TheClassListTakesEveryBracedClassAgainAtEachPress) {
  h.Show(h.fourth);
  EXPECT_FALSE(GetWindowLongPtrA(sheet->SetGroup->Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(SendMessageA(Grid(), LVM_GETCOLUMNWIDTH, 0, 0), 280);
  EXPECT_EQ(SendMessageA(Grid(), LVM_GETCOLUMNWIDTH, 1, 0), 371);
  EXPECT_EQ(testing::SheetHarness::ChildOrder(*sheet->GroupBox1),
            (std::vector<std::string>{"SetGroup", "CList", "Button9", "Button6", "Button8"}));

  Press(sheet->Button6);  // nothing listed yet
  EXPECT_EQ(ClipboardText(), "");

  Press(sheet->Button9);
  ASSERT_TRUE(h.errors.empty()) << h.errors[0];
  const int classes = BracedClasses();
  EXPECT_GT(classes, 2);
  EXPECT_EQ(GridRows(), classes);
  const int one = RowOf(kOne);
  ASSERT_GE(one, 0);
  EXPECT_EQ(Cell(one, 1), "One = first");
  EXPECT_EQ(Cell(RowOf(kTwo), 1), "");

  UserSelectsRow(one);
  Press(sheet->Button6);
  EXPECT_EQ(ClipboardText(), kOne);
  Press(sheet->Button8);
  EXPECT_EQ(ClipboardText(), "One = first");

  Press(sheet->Button9);
  EXPECT_EQ(GridRows(), 2 * classes);
  EXPECT_EQ(Cell(classes + one, 0), kOne);
}

TEST_F(WineIconsTest, TheUpDownStepsTheSlotAndSetIconWritesText) {
  WriteMachineText(kShellIconsKey, "0", "shell32.dll,3");
  WriteMachineText(kShellIconsKey, "1", "C:\\icons\\text.ico");
  RegistryStore store;
  store.SetRoot(kCurrentUser);
  store.Open(kWindowMetricsKey, false);
  store.WriteText(kShellIconSizeValue, "3a");
  store.Close();
  sheet->SetGroup->SetVisible(true);
  sheet->Icons().SetInfo();
  sheet->Icons().ReadFirst();
  h.Show(h.fourth);

  EXPECT_EQ(TextOf(sheet->Location), "shell32.dll,3");
  EXPECT_EQ(TextOf(sheet->IcNum), "0");
  EXPECT_EQ(TextOf(sheet->IsNum), "30");
  EXPECT_EQ(sheet->lblInfo->Caption(), "Default Icon");
  int low = -1, high = -1;
  SendMessageA(sheet->INP->Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 46);
  SendMessageA(sheet->ISP->Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 16);
  EXPECT_EQ(high, 50);

  Arrow(sheet->IcNum, VK_DOWN);  // already at the bottom
  EXPECT_EQ(TextOf(sheet->IcNum), "0");
  Arrow(sheet->IcNum, VK_UP);
  EXPECT_EQ(TextOf(sheet->IcNum), "1");
  EXPECT_EQ(TextOf(sheet->Location), "C:\\icons\\text.ico");
  EXPECT_EQ(sheet->lblInfo->Caption(), "Default Text Document");
  for (int i = 0; i < 4; ++i) Arrow(sheet->IcNum, VK_UP);
  EXPECT_EQ(TextOf(sheet->IcNum), "5");
  EXPECT_EQ(TextOf(sheet->Location), "");
  EXPECT_EQ(sheet->lblInfo->Caption(), "Floppy Disk 5 \xBD inch");

  Arrow(sheet->IsNum, VK_UP);
  EXPECT_EQ(TextOf(sheet->IsNum), "31");
  SetWindowTextA(sheet->Location->Handle(), "C:\\icons\\floppy.ico,2");
  Press(sheet->SI);
  ASSERT_TRUE(h.errors.empty()) << h.errors[0];
  EXPECT_EQ(ReadMachineText(kShellIconsKey, "5"), "C:\\icons\\floppy.ico,2");
  EXPECT_EQ(ReadUserText(kWindowMetricsKey, kShellIconSizeValue), "31");

  // Where the shell's tool is missing, as here, a double-click shows nothing.
  EXPECT_EQ(sheet->RebIC->Hint(), "Click here to Rebuild Icon Cache");
  const RECT r = sheet->RebIC->BoundsRect();
  SendMessageA(sheet->SetGroup->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON,
               MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  EXPECT_TRUE(h.errors.empty());

  Press(sheet->Button9);
  UserSelectsRow(RowOf(kOne));
  h.Shot("fourth");
}

}  // namespace
}  // namespace quillet::icons
