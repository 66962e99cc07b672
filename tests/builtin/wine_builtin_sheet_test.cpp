// The page's real window under Wine: its controls where they are designed, the system's list box
// in two columns, the buttons reaching the registry of the test prefix and the error box.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "builtin/builtin_objects.h"
#include "builtin/builtin_sheet.h"
#include "builtin/registry_snapshot.h"
#include "builtin/sheet_harness.h"
#include "registry/registry_store.h"

namespace quillet::builtin {
namespace {

const char* const kPlaces[] = {kMyComputerNameSpace, kDesktopNameSpace, kNetworkNameSpace,
                               kControlPanelNameSpace};

class WineBuiltInSheetTest : public ::testing::Test {
 protected:
  WineBuiltInSheetTest() {
    for (const char* place : kPlaces) {
      saved_.push_back(std::make_unique<testing::KeySnapshot>(HKEY_LOCAL_MACHINE, place));
      CreateKeyAt(kLocalMachine, place);
      for (const BuiltInObject& row : BuiltInObjectTable)
        DeleteKeyAt(kLocalMachine, std::string(place) + "\\" + row.clsid);
    }
  }
  static void Press(ui::TButton* b) { SendMessageA(b->Handle(), BM_CLICK, 0, 0); }
  static int Marks(ui::TCheckListBox* list) {
    int n = 0;
    for (int i = 0; i < list->Count(); ++i) n += list->Checked(i);
    return n;
  }

  std::vector<std::unique_ptr<testing::KeySnapshot>> saved_;
  testing::SheetHarness h;
  BuiltInSheet sheet{*h.form, *h.builtin};
};

TEST_F(WineBuiltInSheetTest, ListsStandTwoByTwoInTabOrderWithTwoColumnsEach) {
  h.Show(h.builtin);
  const int expected[4][2] = {{8, 22}, {8, 268}, {358, 22}, {358, 268}};
  for (int i = 0; i < 4; ++i) {
    const RECT r = testing::SheetHarness::PlaceOf(*sheet.places[i].list);
    EXPECT_EQ(r.left, expected[i][0]) << i;
    EXPECT_EQ(r.top, expected[i][1]) << i;
    EXPECT_EQ(r.right - r.left, 339);
    const RECT apply = testing::SheetHarness::PlaceOf(*sheet.places[i].apply);
    EXPECT_EQ(apply.right - apply.left, 339);
    EXPECT_GT(apply.top, r.bottom);
  }
  EXPECT_EQ(testing::SheetHarness::ChildOrder(*h.builtin),
            (std::vector<std::string>{"MCList", "A1", "N1", "I1", "Apply1", "NetList", "A3", "N3", "I3",
                                      "Apply3", "DList", "A2", "N2", "I2", "Apply2", "CPList", "A4",
                                      "N4", "I4", "Apply4"}));
  HWND list = sheet.places[0].list->Handle();
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), kBuiltInObjectCount);
  RECT first, twelfth, last, client;
  SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageA(list, LB_GETITEMRECT, 11, reinterpret_cast<LPARAM>(&twelfth));
  SendMessageA(list, LB_GETITEMRECT, 21, reinterpret_cast<LPARAM>(&last));
  GetClientRect(list, &client);
  EXPECT_EQ(twelfth.top, first.top);  // item 11 heads the second column
  EXPECT_GT(twelfth.left, first.left);
  EXPECT_LE(last.right, client.right);  // all 22 in view
  EXPECT_LE(last.bottom, client.bottom);
  char text[64] = {};
  SendMessageA(list, LB_GETTEXT, 21, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Wireless Setup Wizard");
  EXPECT_EQ(sheet.places[0].label->Caption(), "Create in My &Computer");
}

TEST_F(WineBuiltInSheetTest, ButtonsMarkAndApplyThroughTheRealControls) {
  CreateKeyAt(kLocalMachine, std::string(kNetworkNameSpace) + "\\" + BuiltInObjectTable[0].clsid);
  CreateKeyAt(kLocalMachine, std::string(kNetworkNameSpace) + "\\" + BuiltInObjectTable[21].clsid);
  sheet.Page().ReadCLSID();
  h.Show(h.builtin);
  ui::TCheckListBox* net = sheet.places[2].list;
  EXPECT_TRUE(net->Checked(0));
  EXPECT_TRUE(net->Checked(21));
  EXPECT_EQ(Marks(net), 2);

  Press(sheet.places[2].invert);
  EXPECT_EQ(Marks(net), 20);
  EXPECT_FALSE(net->Checked(0));
  Press(sheet.places[2].apply);
  EXPECT_FALSE(KeyExistsAt(kLocalMachine, std::string(kNetworkNameSpace) + "\\" + BuiltInObjectTable[0].clsid));
  EXPECT_TRUE(KeyExistsAt(kLocalMachine, std::string(kNetworkNameSpace) + "\\" + BuiltInObjectTable[5].clsid));
  Press(sheet.places[1].select_all);
  EXPECT_EQ(Marks(sheet.places[1].list), 22);
  EXPECT_EQ(Marks(sheet.places[0].list), 0);
  h.Shot("builtin");
  EXPECT_TRUE(h.errors.empty());
}

TEST_F(WineBuiltInSheetTest, AFailedApplyEndsInTheErrorBox) {
  DeleteKeyAt(kLocalMachine, kControlPanelNameSpace);
  h.Show(h.builtin);
  Press(sheet.places[3].select_all);
  Press(sheet.places[3].apply);
  ASSERT_EQ(h.errors.size(), 1u);
  EXPECT_EQ(h.errors[0], std::string("Failed to create key ") + BuiltInObjectTable[0].clsid + ".");
  EXPECT_FALSE(KeyExistsAt(kLocalMachine, kControlPanelNameSpace));
}

}  // namespace
}  // namespace quillet::builtin
