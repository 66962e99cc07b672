// The CLSID box: the fill, its list and CLSID.dat, and the buttons around it.
#include "creator/clsid_list.h"
#include "page_fixture.h"

namespace quillet::creator {
namespace {

const std::string kK = ClassKey(kId);

TEST_F(PageTest, PickingAnObjectFillsEveryFieldFromTheRegistry) {
  MakeObject(kId);
  DeleteKeyAt(kLocalMachine, PlaceKey(kControlPanel, kId));
  platform_.icon_result_ = reinterpret_cast<void*>(0x42);
  RFCNum.SetItems({"{other}", kId});
  RME.SetText("typed");
  RFCNum.Pick(1);

  EXPECT_EQ(RME.Text(), "");
  EXPECT_EQ(RFName.Text(), "Thing");
  EXPECT_EQ(RFDesc.Text(), "A tip");
  EXPECT_EQ(Def.Caption(), "edit");
  EXPECT_EQ(ShellName.Text(), "edit");
  EXPECT_EQ(RFCN.Text(), "&Edit");
  EXPECT_EQ(RFPar.Text(), "edit.exe %1");
  EXPECT_EQ(RFDIcon.Text(), "thing.dll,2");
  EXPECT_TRUE(STD.Checked());
  EXPECT_FALSE(STCP.Checked());
  EXPECT_TRUE(STMC.Checked());
  EXPECT_TRUE(STNN.Checked());
  EXPECT_EQ(List.Items(), (NameList{"edit", "open"}));
  EXPECT_EQ(platform_.extracted_, NameList{"thing.dll,2"});
  EXPECT_EQ(AII.Icon(), reinterpret_cast<void*>(0x42));
}

TEST_F(PageTest, EveryTypedCharacterFillsButProgramTextDoesNot) {
  MakeObject(kId);
  RFName.SetText("keep");
  RFCNum.SetText(kId);  // set by the program: no fill
  EXPECT_EQ(RFName.Text(), "keep");

  RFCNum.SetText("");
  RFCNum.Type("{");
  // A fresh text: every field empty, every box unticked.
  EXPECT_EQ(RFName.Text(), "");
  EXPECT_EQ(ShellName.Text(), "");
  EXPECT_FALSE(STD.Checked());
  RFCNum.Type(std::string(kId).substr(1));
  EXPECT_EQ(RFName.Text(), "Thing");
  EXPECT_EQ(platform_.extracted_.size(), 1u);  // "{" had an empty icon field: nothing to extract

  // An empty text empties only the removal message.
  RME.SetText("typed");
  RFCNum.UserSetText("");
  EXPECT_EQ(RME.Text(), "");
  EXPECT_EQ(RFName.Text(), "Thing");
  EXPECT_TRUE(STD.Checked());
}

TEST_F(PageTest, FillWithoutADefaultVerbEmptiesCaptionAndCommand) {
  WriteMachineText(kK, "", "Plain");
  WriteMachineText(kK + "\\Shell\\open", "", "&Open");
  RFCN.SetText("x");
  RFPar.SetText("y");
  RFCNum.UserSetText(kId);
  EXPECT_EQ(RFCN.Text(), "");
  EXPECT_EQ(RFPar.Text(), "");
  EXPECT_EQ(List.Items(), NameList{"open"});
}

TEST_F(PageTest, FillStopsAtAValueThatIsNotText) {
  MakeObject(kId);
  WriteDword(kLocalMachine, kK + "\\Shell", "", 7);
  RFCNum.SetText(kId);
  EXPECT_EQ(Raised([&] { page_.CNC(); }), "Invalid data type for ''");
  EXPECT_EQ(RFDesc.Text(), "A tip");
  EXPECT_EQ(ShellName.Text(), "");
  EXPECT_FALSE(STD.Checked());
}

TEST_F(PageTest, FillWithoutMachineRightsStillShowsThePlaces) {
  MakeObject(kId);
  registry_.SetMachineReadOnly(true);
  RFCNum.UserSetText(kId);
  EXPECT_EQ(RFName.Text(), "");
  EXPECT_TRUE(STD.Checked());
  EXPECT_TRUE(STNN.Checked());
}

TEST_F(PageTest, FillRemovesQuotesFromTheIconField) {
  WriteMachineText(kK + "\\DefaultIcon", "", "\"C:\\a b\\x.dll\",2");
  RFCNum.UserSetText(kId);
  EXPECT_EQ(RFDIcon.Text(), "C:\\a b\\x.dll,2");
  EXPECT_EQ(platform_.extracted_, NameList{"C:\\a b\\x.dll,2"});
}

TEST_F(PageTest, GenerateSeedsFromTheCounterAndEmptiesThePage) {
  RFCNum.SetItems({"{A}"});
  RFName.SetText("old");
  STD.SetChecked(true);
  List.SetItems({"verb"});
  platform_.counter_ = 0x1234567800000005;  // only the low half seeds
  page_.GenClick();
  const std::string first = RFCNum.Text();
  Lcg expected(5);
  EXPECT_EQ(first, RandomClsid(expected));
  EXPECT_EQ(RFName.Text(), "");
  EXPECT_FALSE(STD.Checked());
  EXPECT_TRUE(List.Items().empty());
  EXPECT_EQ(RFCNum.Items(), NameList{"{A}"});
  EXPECT_FALSE(platform_.FileExists(DatPath()));

  platform_.counter_ = 6;
  page_.GenClick();
  EXPECT_NE(RFCNum.Text(), first);

  platform_.counter_ = 0;  // no counter: the tick count seeds
  platform_.ticks_ = 5;
  page_.GenClick();
  EXPECT_EQ(RFCNum.Text(), first);
}

TEST_F(PageTest, ScanAddsEachBracedPlaceKeyOnceInPlaceOrder) {
  for (const char* id : {"{D2}", "{D1}", "plain"}) CreateKeyAt(kLocalMachine, PlaceKey(kDesktop, id));
  for (const char* id : {"{D1}", "{M1}"}) CreateKeyAt(kLocalMachine, PlaceKey(kMyComputer, id));
  CreateKeyAt(kLocalMachine, PlaceKey(kControlPanel, "{c1}"));
  CreateKeyAt(kLocalMachine, PlaceKey(kNetworkNeighborhood, "{N1}"));
  CreateKeyAt(kCurrentUser, PlaceKey(kDesktop, "{USER}"));
  RFCNum.SetItems({"{C1}"});
  RFCNum.SetText("typed");
  page_.Button10Click();
  // The memory registry enumerates sorted, as the system's does.
  EXPECT_EQ(RFCNum.Items(), (NameList{"{C1}", "{D1}", "{D2}", "{M1}", "{N1}"}));
  EXPECT_EQ(ReadDat(), "{C1}\r\n{D1}\r\n{D2}\r\n{M1}\r\n{N1}\r\n");
  EXPECT_EQ(RFCNum.Text(), "typed");

  page_.Button10Click();  // nothing new: the file is still written
  EXPECT_EQ(RFCNum.Count(), 5);
}

TEST_F(PageTest, RemoveFromListEmptiesThePageUnlessTheTextIsBlank) {
  MakeObject(kId);
  RFCNum.SetItems({"{A}", kId});
  RFCNum.Pick(1);
  page_.Button11Click();
  EXPECT_EQ(RFCNum.Items(), NameList{"{A}"});
  EXPECT_EQ(ReadDat(), "{A}\r\n");
  EXPECT_EQ(RFCNum.Text(), "");
  EXPECT_EQ(RFName.Text(), "");
  EXPECT_FALSE(STD.Checked());
  EXPECT_TRUE(Exists(kK));  // the registry is not touched

  // A text not in the list: the file is rewritten all the same, the page emptied.
  RFName.SetText("x");
  RFCNum.SetText("{nowhere}");
  page_.Button11Click();
  EXPECT_EQ(RFName.Text(), "");
  EXPECT_EQ(ReadDat(), "{A}\r\n");

  // Blank text: nothing at all.
  platform_.fail_writes_ = true;
  RFName.SetText("x");
  RFCNum.SetText(" \t ");
  page_.Button11Click();
  EXPECT_EQ(RFName.Text(), "x");
  EXPECT_EQ(RFCNum.Text(), " \t ");
}

TEST_F(PageTest, EditListRunsNotepadWaitsThenReloadsAndFills) {
  page_.Button13Click();  // no file: nothing started
  EXPECT_TRUE(platform_.commands_.empty());

  MakeObject(kId);
  WriteDat("{A}\r\n");
  RFCNum.SetItems({"old"});
  RFCNum.SetText(kId);
  page_.Button13Click();
  EXPECT_EQ(platform_.commands_, NameList{"Notepad.exe " + DatPath()});
  EXPECT_EQ(RFCNum.Items(), NameList{"{A}"});
  EXPECT_EQ(RFCNum.Text(), kId);
  EXPECT_EQ(RFName.Text(), "Thing");

  platform_.run_result_ = false;
  platform_.last_error_ = 2;
  RFName.SetText("kept");
  WriteDat("{B}\r\n");
  EXPECT_EQ(Raised([&] { page_.Button13Click(); }),
            "System Error.  Code: 2.\r\nThe system cannot find the file specified.");
  EXPECT_EQ(RFCNum.Items(), NameList{"{A}"});
  EXPECT_EQ(RFName.Text(), "kept");
}

TEST_F(PageTest, LoadListAtStartUpKeepsDuplicatesAndCreatesNoFile) {
  page_.LoadList();
  EXPECT_EQ(RFCNum.Count(), 0);
  EXPECT_FALSE(platform_.FileExists(DatPath()));
  WriteDat("{A}\n{a}\r\r{B}");
  page_.LoadList();
  EXPECT_EQ(RFCNum.Items(), (NameList{"{A}", "{a}", "", "{B}"}));
}

TEST_F(PageTest, EscEmptiesTheSixTextFieldsAndPassesOn) {
  for (testing::FakeEdit* field : {&RFName, &RFDesc, &RME, &RFCN, &RFPar, &RFDIcon}) {
    field->SetText("text");
    EXPECT_EQ(field->PressKey('a'), 'a');
    EXPECT_EQ(field->Text(), "text");
    EXPECT_EQ(field->PressKey(ui::kKeyEscape), ui::kKeyEscape);
    EXPECT_EQ(field->Text(), "");
  }
}

}  // namespace
}  // namespace quillet::creator
