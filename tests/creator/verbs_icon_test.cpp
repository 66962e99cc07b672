// The verbs and the default icon.
#include "page_fixture.h"

namespace quillet::creator {
namespace {

const std::string kK = ClassKey(kId);
const std::string kShell = kK + "\\Shell";

class VerbTest : public PageTest {
 protected:
  VerbTest() {
    MakeObject(kId);
    RFCNum.SetText(kId);
    page_.ReadKeyName();
  }
};

TEST_F(VerbTest, SelectingAVerbLoadsItsFieldsButNotTheDefault) {
  Def.SetCaption("edit");
  List.Click(1);
  EXPECT_EQ(ShellName.Text(), "open");
  EXPECT_EQ(RFCN.Text(), "&Open");
  EXPECT_EQ(RFPar.Text(), "open.exe");
  EXPECT_EQ(Def.Caption(), "edit");

  DeleteKeyAt(kLocalMachine, kShell + "\\edit\\Command");
  List.Click(0);
  EXPECT_EQ(RFPar.Text(), "");
}

TEST_F(VerbTest, AddWritesOrOverwritesAndSelectsTheVerb) {
  ShellName.SetText("Print");
  RFCN.SetText("&Print");
  RFPar.SetText("");
  page_.Button2Click();
  EXPECT_EQ(Text(kShell + "\\Print"), "&Print");
  EXPECT_TRUE(Exists(kShell + "\\Print\\Command"));
  EXPECT_EQ(Text(kShell + "\\Print\\Command"), "");
  EXPECT_EQ(List.Items(), (NameList{"edit", "open", "Print"}));
  EXPECT_EQ(List.ItemIndex(), 2);
  EXPECT_EQ(Text(kShell), "edit");  // the default stays

  // Another case of an existing name overwrites that verb, listed under its own name.
  WriteMachineText(kShell + "\\open", "Extra", "kept");
  ShellName.SetText("OPEN");
  RFCN.SetText("&Go");
  RFPar.SetText("go.exe");
  page_.Button2Click();
  EXPECT_EQ(List.Items(), (NameList{"edit", "open", "Print"}));
  EXPECT_EQ(List.ItemIndex(), 1);
  EXPECT_EQ(Text(kShell + "\\open"), "&Go");
  EXPECT_EQ(Text(kShell + "\\open\\Command"), "go.exe");
  EXPECT_EQ(Text(kShell + "\\open", "Extra"), "kept");
}

TEST_F(VerbTest, AddDoesNotMakeTheFirstVerbTheDefault) {
  RFCNum.SetText("{FRESH}");
  ShellName.SetText("open");
  page_.Button2Click();
  EXPECT_TRUE(Exists(ClassKey("{FRESH}") + "\\Shell\\open\\Command"));
  EXPECT_EQ(Text(ClassKey("{FRESH}") + "\\Shell"), "");
}

TEST_F(VerbTest, AddWithAVerbNameNamingNoKeyWritesNothing) {
  const std::string before = registry_.ExportRegText();
  List.SetItemIndex(0);
  for (const char* name : {"", "\\", "\\\\"}) {
    ShellName.SetText(name);
    RFCN.SetText("would overwrite the default verb");
    page_.Button2Click();
    EXPECT_EQ(List.ItemIndex(), -1) << name;
  }
  EXPECT_EQ(registry_.ExportRegText(), before);
  EXPECT_EQ(List.Count(), 2);

  // Nested names still nest; the list shows the first part.
  ShellName.SetText("outer\\inner");
  page_.Button2Click();
  EXPECT_TRUE(Exists(kShell + "\\outer\\inner\\Command"));
  EXPECT_EQ(List.Items(), (NameList{"edit", "open", "outer"}));
  EXPECT_EQ(List.ItemIndex(), -1);
}

TEST_F(VerbTest, VerbWritesIgnoreAClsidNamingNoKey) {
  const std::string before = registry_.ExportRegText();
  for (const char* keyless : {"", "\\", "\\\\"}) {
    RFCNum.SetText(keyless);
    List.SetItems({"open"});
    List.SetItemIndex(0);
    ShellName.SetText("open");
    page_.Button5Click();
    page_.Button1Click();
    List.SetItems({"open"});
    List.SetItemIndex(0);
    page_.Button3Click();
  }
  EXPECT_EQ(registry_.ExportRegText(), before);
}

TEST_F(VerbTest, RemoveDeletesTheSelectedVerbWithItsCommand) {
  page_.Button3Click();  // nothing selected
  EXPECT_EQ(List.Count(), 2);

  List.Click(0);  // the default verb "edit"
  Def.SetCaption("edit");
  page_.Button3Click();
  EXPECT_FALSE(Exists(kShell + "\\edit"));
  EXPECT_EQ(Text(kShell), "edit");
  EXPECT_EQ(Def.Caption(), "edit");
  EXPECT_EQ(ShellName.Text(), "edit");
  EXPECT_EQ(List.Items(), NameList{"open"});
}

TEST_F(VerbTest, ReplaceRemovesTheSelectedThenAdds) {
  List.Click(1);
  ShellName.SetText("run");
  RFCN.SetText("&Run");
  page_.Button1Click();
  EXPECT_FALSE(Exists(kShell + "\\open"));
  EXPECT_EQ(Text(kShell + "\\run"), "&Run");
  EXPECT_EQ(Text(kShell + "\\run\\Command"), "open.exe");
  EXPECT_EQ(List.Items(), (NameList{"edit", "run"}));
  EXPECT_EQ(List.ItemIndex(), 1);

  // Nothing selected: the same as Add.
  List.SetItemIndex(-1);
  ShellName.SetText("more");
  page_.Button1Click();
  EXPECT_EQ(List.Items(), (NameList{"edit", "more", "run"}));
}

TEST_F(VerbTest, SetAsDefaultWritesTheSelectedName) {
  page_.Button5Click();
  EXPECT_EQ(Text(kShell), "edit");
  List.Click(1);
  page_.Button5Click();
  EXPECT_EQ(Text(kShell), "open");
  EXPECT_EQ(Def.Caption(), "open");
  EXPECT_EQ(List.ItemIndex(), 1);
}

TEST_F(VerbTest, VerbWriteFailuresStopAtTheFailingStep) {
  registry_.SetMachineReadOnly(true);
  ShellName.SetText("new");
  EXPECT_EQ(Raised([&] { page_.Button2Click(); }), "Failed to create key " + kShell + "\\new");
  List.SetItemIndex(1);
  EXPECT_EQ(Raised([&] { page_.Button5Click(); }), "Failed to set data for ''");
  Def.SetCaption("edit");
  EXPECT_EQ(Def.Caption(), "edit");
  // A refused deletion reports nothing; the verb is still listed.
  EXPECT_EQ(Raised([&] { page_.Button3Click(); }), "");
  registry_.SetMachineReadOnly(false);
  EXPECT_TRUE(Exists(kShell + "\\open"));
}

TEST_F(VerbTest, LauncherPrefixAndVerbNameKeys) {
  RFPar.SetText("   ");
  page_.Button12Click();
  EXPECT_EQ(RFPar.Text(), "   ");
  RFPar.SetText(" x.exe");
  page_.Button12Click();
  page_.Button12Click();
  EXPECT_EQ(RFPar.Text(),
            "Rundll32 Shell32.dll,ShellExec_RunDLL Rundll32 Shell32.dll,ShellExec_RunDLL  x.exe");

  ShellName.SetText("whatever");
  EXPECT_EQ(ShellName.PressKey(ui::kKeyEnter), ui::kKeyEnter);
  EXPECT_EQ(ShellName.Text(), "Open");
  EXPECT_EQ(RFCN.Text(), "&Open");
  EXPECT_EQ(ShellName.PressKey(ui::kKeyEscape), ui::kKeyEscape);
  EXPECT_EQ(ShellName.Text(), "");
  EXPECT_EQ(RFCN.Text(), "&Open");
}

TEST_F(PageTest, BrowseDialogsUseTheirSettingsAndRememberTheLastFile) {
  platform_.dialog_answers_ = {"C:\\tools\\run.exe", "", "C:\\icons\\a.ico", ""};
  RFPar.SetText("old");
  page_.RFPClick();
  EXPECT_EQ(RFPar.Text(), "C:\\tools\\run.exe");
  page_.RFPClick();  // cancelled
  EXPECT_EQ(RFPar.Text(), "C:\\tools\\run.exe");

  RFDIcon.SetText("old,1");
  page_.FDIClick();
  EXPECT_EQ(RFDIcon.Text(), "C:\\icons\\a.ico");
  EXPECT_TRUE(RFDIcon.focused_);
  RFDIcon.focused_ = false;
  page_.FDIClick();  // cancelled: the focus still moves
  EXPECT_TRUE(RFDIcon.focused_);
  EXPECT_TRUE(platform_.extracted_.empty());  // no preview refresh

  ASSERT_EQ(platform_.dialogs_.size(), 4u);
  const ui::FileDialogOptions& command = platform_.dialogs_[0];
  EXPECT_EQ(command.title, "Browse");
  EXPECT_EQ(command.filter, "Application (*.exe)|*.exe; *.ex|All Files (*.*)|*.*");
  EXPECT_EQ(command.filter_index, 5);
  EXPECT_EQ(command.default_ext, "ICO");
  EXPECT_EQ(command.flags, 0x4u | 0x20000u | 0x800000u | 0x2000000u | 0x10000000u);
  EXPECT_EQ(command.file_name, "");
  EXPECT_EQ(platform_.dialogs_[1].file_name, "C:\\tools\\run.exe");
  const ui::FileDialogOptions& icon = platform_.dialogs_[2];
  EXPECT_EQ(icon.title, "Browse Icon");
  EXPECT_EQ(icon.filter,
            "Application (*.exe)|*.exe|Control Panel File (*.cpl)|*.cpl|Cursor File (*.cur)|*.cur|"
            "Dynamic Link Library (*.dll)|*.dll|Icon File (*.ico)|*.ico|All Files (*.*)|*.*");
  EXPECT_EQ(icon.filter_index, 5);
  EXPECT_EQ(icon.flags, command.flags);
  EXPECT_EQ(icon.file_name, "");
  EXPECT_EQ(platform_.dialogs_[3].file_name, "C:\\icons\\a.ico");
}

TEST_F(PageTest, PreviewExtractsFromTheLocationAndKeepsTheIconOnABadIndex) {
  platform_.icon_result_ = reinterpret_cast<void*>(0x10);
  RFDIcon.SetText("C:\\lib.dll,-3");
  page_.ReadIcon();
  EXPECT_EQ(AII.Icon(), reinterpret_cast<void*>(0x10));

  platform_.icon_result_ = reinterpret_cast<void*>(0x20);
  RFDIcon.SetText("\"C:\\lib.dll,3x");
  EXPECT_EQ(Raised([&] { page_.ReadIcon(); }), "'3x' is not a valid integer value");
  EXPECT_EQ(RFDIcon.Text(), "C:\\lib.dll,3x");
  EXPECT_EQ(AII.Icon(), reinterpret_cast<void*>(0x10));

  RFDIcon.SetText("C:\\lib.dll, 3");
  page_.ReadIcon();
  RFDIcon.SetText("");
  page_.ReadIcon();
  EXPECT_EQ(AII.Icon(), nullptr);
  // The answer for a file holding no icons is no icon.
  platform_.icon_result_ = reinterpret_cast<void*>(1);
  RFDIcon.SetText("C:\\readme.txt");
  page_.ReadIcon();
  EXPECT_EQ(AII.Icon(), nullptr);
  EXPECT_EQ(platform_.extracted_, (NameList{"C:\\lib.dll,-3", "C:\\lib.dll, 3,0", "C:\\readme.txt,0"}));
}

TEST_F(PageTest, SetAsDefaultIconStoresTheLocationAndUpdatesThePlaces) {
  MakeObject(kId);
  RFCNum.SetText(kId);
  RFDIcon.SetText("\"C:\\x.dll\",1");
  STD.SetChecked(true);
  RME.SetText("msg");
  page_.Button4Click();
  EXPECT_EQ(Text(kK + "\\DefaultIcon"), "\"C:\\x.dll\",1");  // stored as typed
  EXPECT_EQ(RFDIcon.Text(), "C:\\x.dll,1");
  EXPECT_EQ(Text(PlaceKey(kDesktop, kId), "Removal Message"), "msg");
  for (const char* place : {kMyComputer, kControlPanel, kNetworkNeighborhood})
    EXPECT_FALSE(Exists(PlaceKey(place, kId))) << place;

  platform_.icon_result_ = reinterpret_cast<void*>(0x30);
  AII.SetIcon(reinterpret_cast<void*>(0x31));
  RFDIcon.SetText("");
  STD.SetChecked(false);
  page_.Button4Click();
  EXPECT_EQ(Text(kK + "\\DefaultIcon"), "Shell32.dll,36");
  EXPECT_EQ(RFDIcon.Text(), "");
  EXPECT_EQ(AII.Icon(), nullptr);
  EXPECT_FALSE(Exists(PlaceKey(kDesktop, kId)));
}

TEST_F(PageTest, SetAsDefaultIconFailuresAndKeylessClsid) {
  MakeObject(kId);
  const std::string before = registry_.ExportRegText();
  for (const char* keyless : {"", "\\"}) {
    RFCNum.SetText(keyless);
    RFDIcon.SetText("C:\\x.dll");
    page_.Button4Click();
  }
  EXPECT_EQ(registry_.ExportRegText(), before);
  EXPECT_EQ(platform_.extracted_.size(), 2u);  // only the preview

  // A bad index: the location is stored, the places are not updated.
  RFCNum.SetText(kId);
  RFDIcon.SetText("C:\\x.dll,1 ");
  EXPECT_EQ(Raised([&] { page_.Button4Click(); }), "'1 ' is not a valid integer value");
  EXPECT_EQ(Text(kK + "\\DefaultIcon"), "C:\\x.dll,1 ");
  EXPECT_TRUE(Exists(PlaceKey(kDesktop, kId)));

  registry_.SetMachineReadOnly(true);
  RFDIcon.SetText("C:\\y.dll");
  EXPECT_EQ(Raised([&] { page_.Button4Click(); }), "Failed to create key " + kK + "\\DefaultIcon");
  EXPECT_TRUE(platform_.extracted_.size() == 2u);
}

}  // namespace
}  // namespace quillet::creator
