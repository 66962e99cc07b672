// "Create / Save", "Delete" and "Show Me".
#include "page_fixture.h"

namespace quillet::creator {
namespace {

const std::string kK = ClassKey(kId);

TEST_F(PageTest, CreateWritesNameTipShellAndOnlyTheTickedPlace) {
  RFCNum.SetText(kId);
  RFName.SetText("X");
  STD.SetChecked(true);
  page_.CReg();

  EXPECT_EQ(Text(kK), "X");
  EXPECT_EQ(registry_.ExportRegText().find("\"InfoTip\"=\"\"") != std::string::npos, true);
  EXPECT_TRUE(Exists(kK + "\\Shell"));
  NameList verbs;
  ListSubkeys(kLocalMachine, kK + "\\Shell", verbs);
  EXPECT_TRUE(verbs.empty());
  EXPECT_TRUE(Exists(PlaceKey(kDesktop, kId)));
  for (const char* place : {kMyComputer, kControlPanel, kNetworkNeighborhood})
    EXPECT_FALSE(Exists(PlaceKey(place, kId))) << place;
  EXPECT_EQ(ReadDat(), std::string(kId) + "\r\n");
  EXPECT_EQ(RFCNum.Items(), NameList{kId});
}

TEST_F(PageTest, SavingAgainMovesPlacesAndKeepsVerbsIconAndOtherValues) {
  MakeObject(kId);
  WriteMachineText(PlaceKey(kDesktop, kId) + "\\Sub", "v", "1");  // a place key with subkeys
  WriteMachineText(PlaceKey(kMyComputer, kId), "Other", "kept");
  RFCNum.SetText(kId);
  RFName.SetText("Renamed");
  RFDesc.SetText("New tip");
  RME.SetText("gone now");
  STMC.SetChecked(true);
  page_.CReg();

  EXPECT_EQ(Text(kK), "Renamed");
  EXPECT_EQ(Text(kK, "InfoTip"), "New tip");
  EXPECT_EQ(Text(kK + "\\Shell"), "edit");
  EXPECT_EQ(Text(kK + "\\Shell\\open\\Command"), "open.exe");
  EXPECT_EQ(Text(kK + "\\DefaultIcon"), "thing.dll,2");
  EXPECT_EQ(Text(PlaceKey(kMyComputer, kId), "Removal Message"), "gone now");
  EXPECT_EQ(Text(PlaceKey(kMyComputer, kId), "Other"), "kept");
  EXPECT_FALSE(Exists(PlaceKey(kDesktop, kId)));
  EXPECT_FALSE(Exists(PlaceKey(kControlPanel, kId)));
  EXPECT_FALSE(Exists(PlaceKey(kNetworkNeighborhood, kId)));
  // The verb list is refreshed from the registry, nothing selected.
  EXPECT_EQ(List.Items(), (NameList{"edit", "open"}));
  EXPECT_EQ(List.ItemIndex(), -1);
}

TEST_F(PageTest, CreateReloadsTheFileAndAddsTheClsidOnceWhateverItsCase) {
  WriteDat("{A}\n" + std::string(kId) + "\r\n{A}");
  RFCNum.SetItems({"stale"});
  const std::string lower = Lower(kId);
  RFCNum.SetText(lower);
  RFName.SetText("N");
  page_.CReg();
  EXPECT_EQ(RFCNum.Items(), (NameList{"{A}", kId, "{A}"}));
  EXPECT_EQ(RFCNum.Text(), lower);
  EXPECT_EQ(ReadDat(), "{A}\r\n" + std::string(kId) + "\r\n{A}\r\n");
  EXPECT_EQ(Text(kK), "N");  // same key, names compare without case
}

TEST_F(PageTest, CreateWithEmptyNameOrClsidOnlyTouchesTheList) {
  RFCNum.SetText(kId);
  page_.CReg();
  EXPECT_EQ(ReadDat(), std::string(kId) + "\r\n");
  EXPECT_FALSE(Exists(kK));

  List.SetItems({"left over"});
  RFCNum.SetText("");
  RFName.SetText("Name");
  STD.SetChecked(true);
  page_.CReg();
  EXPECT_EQ(ReadDat(), std::string(kId) + "\r\n\r\n");
  EXPECT_EQ(registry_.ExportRegText().find("NameSpace"), std::string::npos);
  EXPECT_TRUE(List.Items().empty());
}

// A CLSID of backslashes alone resolves to the container keys themselves; saving must not
// unregister every object there, nor write the name onto the CLSID container.
TEST_F(PageTest, CreateWithAClsidNamingNoKeyWritesAndDeletesNothing) {
  MakeObject(kId);
  const std::string before = registry_.ExportRegText();
  for (const char* keyless : {"\\", "\\\\", "\\\\\\"}) {
    RFCNum.SetText(keyless);
    RFName.SetText("Name");
    STD.SetChecked(true);
    page_.CReg();
    EXPECT_EQ(registry_.ExportRegText(), before) << keyless;
  }
  // The list still takes the text as typed.
  EXPECT_EQ(RFCNum.Items(), (NameList{"\\", "\\\\", "\\\\\\"}));
  // A backslash inside a real name still nests keys.
  RFCNum.SetText("{X}\\inner");
  page_.CReg();
  EXPECT_EQ(Text(ClassKey("{X}") + "\\inner"), "Name");
  EXPECT_TRUE(Exists(PlaceKey(kDesktop, "{X}") + "\\inner"));
}

TEST_F(PageTest, CreateFailuresStopAtTheFailingStep) {
  RFCNum.SetText(kId);
  RFName.SetText("X");
  STD.SetChecked(true);

  // No write access under the machine root: the list file is updated, the registry untouched.
  registry_.SetMachineReadOnly(true);
  List.SetItems({"old"});
  EXPECT_EQ(Raised([&] { page_.CReg(); }), "Failed to create key " + kK);
  EXPECT_EQ(ReadDat(), std::string(kId) + "\r\n");
  EXPECT_FALSE(Exists(kK));
  EXPECT_EQ(List.Items(), NameList{"old"});  // the refresh after the failure did not run

  // The list file cannot be written: no registry write at all, the entry stays in memory.
  registry_.SetMachineReadOnly(false);
  platform_.fail_writes_ = true;
  RFCNum.SetText("{NEW}");
  EXPECT_EQ(Raised([&] { page_.CReg(); }).rfind("Cannot create file \"" + DatPath() + "\"", 0), 0u);
  EXPECT_EQ(RFCNum.FindExact("{NEW}"), 1);
  EXPECT_FALSE(Exists(ClassKey("{NEW}")));

  // The list file cannot be read: nothing else happens.
  platform_.fail_writes_ = false;
  platform_.fail_reads_ = true;
  RFCNum.SetText("{OTHER}");
  EXPECT_EQ(Raised([&] { page_.CReg(); }).rfind("Cannot open file \"" + DatPath() + "\"", 0), 0u);
  EXPECT_EQ(RFCNum.FindExact("{OTHER}"), -1);
  EXPECT_FALSE(Exists(ClassKey("{OTHER}")));
}

TEST_F(PageTest, DeleteAsksThenRemovesTheObjectAndItsPickedEntry) {
  MakeObject(kId);
  WriteMachineText(ClassKey(kId) + "\\ShellFolder", "Attributes", "x");
  WriteMachineText(std::string(kExplorerKey) + "HideDesktopIcons\\NewStartPanel", kId, "1");
  RFCNum.SetItems({"{A}", kId, "{B}"});
  RFCNum.Pick(1);
  RME.SetText("typed");
  page_.DReg();

  ASSERT_EQ(platform_.confirmations_.size(), 1u);
  EXPECT_EQ(platform_.confirmations_[0], "Confirm|Are you sure to Delete \"Thing - " + std::string(kId) +
                                             "\"\r\rThis will Delete it PERMANENTLY !");
  EXPECT_FALSE(Exists(kK));
  for (const char* place : {kMyComputer, kDesktop, kControlPanel, kNetworkNeighborhood})
    EXPECT_FALSE(Exists(PlaceKey(place, kId))) << place;
  EXPECT_EQ(Text(std::string(kExplorerKey) + "HideDesktopIcons\\NewStartPanel", kId), "1");
  EXPECT_EQ(RFCNum.Items(), (NameList{"{A}", "{B}"}));
  EXPECT_EQ(ReadDat(), "{A}\r\n{B}\r\n");
  // The fill ran on what is left: the box keeps the CLSID, the fields come out empty.
  EXPECT_EQ(RFCNum.Text(), kId);
  EXPECT_EQ(RFName.Text(), "");
  EXPECT_FALSE(STD.Checked());
  EXPECT_TRUE(List.Items().empty());
}

TEST_F(PageTest, DeleteOfATypedClsidKeepsTheListButRewritesTheFile) {
  MakeObject(kId);
  RFCNum.SetItems({kId});
  RFCNum.UserSetText(kId);
  RFName.SetText("");
  page_.DReg();
  EXPECT_EQ(platform_.confirmations_.at(0),
            "Confirm|Are you sure to Delete \" - " + std::string(kId) + "\"\r\rThis will Delete it PERMANENTLY !");
  EXPECT_FALSE(Exists(kK));
  EXPECT_EQ(RFCNum.Items(), NameList{kId});
  EXPECT_EQ(ReadDat(), std::string(kId) + "\r\n");
}

TEST_F(PageTest, DeleteAnsweredNoChangesNothing) {
  MakeObject(kId);
  RFCNum.SetItems({kId});
  RFCNum.Pick(0);
  const std::string before = registry_.ExportRegText();
  platform_.confirm_answer_ = ui::Confirmation::No;
  page_.DReg();
  EXPECT_EQ(registry_.ExportRegText(), before);
  EXPECT_EQ(RFCNum.Count(), 1);
  EXPECT_FALSE(platform_.FileExists(DatPath()));
  EXPECT_EQ(RFName.Text(), "Thing");
}

TEST_F(PageTest, DeleteAndShowMeIgnoreAnEmptyOrKeylessClsid) {
  MakeObject(kId);
  WriteMachineText(std::string(kExplorerKey) + "HideMyComputerIcons", "\\", "1");
  const std::string before = registry_.ExportRegText();
  for (const char* keyless : {"", "\\", "\\\\"}) {
    RFCNum.SetText(keyless);
    page_.DReg();
    page_.VMClick();
  }
  EXPECT_TRUE(platform_.confirmations_.empty());
  EXPECT_EQ(registry_.ExportRegText(), before);
  EXPECT_FALSE(platform_.FileExists(DatPath()));
}

TEST_F(PageTest, DeleteWithoutMachineRightsStillTakesTheEntryOut) {
  MakeObject(kId);
  RFCNum.SetItems({kId});
  RFCNum.Pick(0);
  registry_.SetMachineReadOnly(true);
  EXPECT_EQ(Raised([&] { page_.DReg(); }), "");
  registry_.SetMachineReadOnly(false);
  EXPECT_TRUE(Exists(kK));
  EXPECT_EQ(RFCNum.Count(), 0);
  EXPECT_EQ(ReadDat(), "");
}

TEST_F(PageTest, DeleteWhenTheFileCannotBeWrittenSkipsTheFill) {
  MakeObject(kId);
  RFCNum.SetItems({kId});
  RFCNum.Pick(0);
  RFName.SetText("Thing");
  platform_.fail_writes_ = true;
  RME.SetText("typed");
  EXPECT_NE(Raised([&] { page_.DReg(); }), "");
  EXPECT_FALSE(Exists(kK));
  EXPECT_EQ(RFCNum.Count(), 0);
  EXPECT_EQ(RME.Text(), "typed");
}

TEST_F(PageTest, ShowMeRemovesShellFolderAndTheSixHideValuesOnly) {
  MakeObject(kId);
  WriteMachineText(kK + "\\ShellFolder", "Attributes", "x");
  WriteMachineText(kK + "\\ShellFolder\\Deeper", "", "y");
  for (RegRoot root : {kCurrentUser, kLocalMachine}) {
    for (const char* hide : {"HideDesktopIcons\\ClassicStartMenu", "HideDesktopIcons\\NewStartPanel",
                             "HideMyComputerIcons"}) {
      WriteDword(root, std::string(kExplorerKey) + hide, kId, 1);
      WriteDword(root, std::string(kExplorerKey) + hide, "{other}", 1);
    }
  }
  RFCNum.SetText(Lower(kId));
  page_.VMClick();

  EXPECT_FALSE(Exists(kK + "\\ShellFolder"));
  EXPECT_EQ(Text(kK + "\\DefaultIcon"), "thing.dll,2");
  EXPECT_TRUE(Exists(PlaceKey(kDesktop, kId)));
  for (RegRoot root : {kCurrentUser, kLocalMachine}) {
    for (const char* hide : {"HideDesktopIcons\\ClassicStartMenu", "HideDesktopIcons\\NewStartPanel",
                             "HideMyComputerIcons"}) {
      NameList values;
      ListValues(root, std::string(kExplorerKey) + hide, values);
      EXPECT_EQ(values, NameList{"{other}"}) << hide;
    }
  }
}

}  // namespace
}  // namespace quillet::creator
