// Every action of every page that writes the registry, over fake controls: the tree after Undo is
// the tree before, after Redo the tree after; the same for an action that fails part-way and for a
// hundred mixed actions undone in turn; and Undo fills again the page that shows what changed. Runs
// on the memory registry, and under Wine on the system registry as well.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>

#include "builtin/builtin_objects.h"
#include "dialogs/donate_logic.h"
#include "registry/history.h"
#include "registry/memory_backend.h"
#include "support/fake_pages.h"
#include "support/registry_dump.h"

#ifdef _WIN32
#include "builtin/registry_snapshot.h"
#include "registry/win32_backend.h"
#endif

namespace quillet {
namespace {

namespace fs = std::filesystem;
using creator::ClassKey;
using creator::PlaceKey;

// This suite's own objects: the system registry holds other things the pages must not lose.
constexpr const char* kNew = "{C4EA7E57-0018-4000-8000-0000000A0018}";
constexpr const char* kOld = "{C4EA7E57-0018-4000-8000-0000000B0018}";
using testing::kAllPlaces;
const std::string kExplorer = creator::kExplorerKey;

// The keys the pages write, as roots of the comparisons on the system registry.
std::vector<RegKeyRef> ProgramKeys() {
  std::vector<RegKeyRef> keys = {{kLocalMachine, ClassKey(kNew)}, {kLocalMachine, ClassKey(kOld)}};
  for (const char* place : kAllPlaces) keys.push_back({kLocalMachine, kExplorer + place + "\\NameSpace"});
  for (RegRoot root : {kLocalMachine, kCurrentUser}) {
    keys.push_back({root, kExplorer + "HideDesktopIcons"});
    keys.push_back({root, kExplorer + "HideMyComputerIcons"});
  }
  keys.push_back({kLocalMachine, icons::kShellIconsKey});
  keys.push_back({kCurrentUser, icons::kWindowMetricsKey});
  keys.push_back({kCurrentUser, "Brask"});
  return keys;
}

class UndoTest : public ::testing::TestWithParam<const char*>, protected testing::FakePages {
 protected:
  UndoTest() {
    history_->on_unrecorded = [](const std::string& text) { ADD_FAILURE() << text; };
#ifdef _WIN32
    if (System())
      for (const RegKeyRef& k : ProgramKeys())
        saved_.push_back(std::make_unique<testing::KeySnapshot>(
            k.root == kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, k.path));
#endif
    Reset();
  }
  ~UndoTest() override {
    history_.reset();
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  bool System() const { return std::string(GetParam()) == "system"; }
  RegistryBackend& Backend() {
#ifdef _WIN32
    if (System()) return system_;
#endif
    return memory_;
  }
  static fs::path NewFolder() {
    static int counter = 0;
    return fs::temp_directory_path() /
           ("quillet-undo-" + testing::FakePlatform::UniqueTag() + "-" + std::to_string(++counter));
  }

  std::string Dump() {
    if (System()) return testing::CanonicalDump(Backend(), ProgramKeys());
    return testing::CanonicalDump(Backend(), {{kLocalMachine, ""}, {kCurrentUser, ""}});
  }

  // The keys start-up makes, an object with two verbs, an icon, a folder key, every place and a
  // hide value, a built-in object with a removal message, a slot and a size.
  void Reset() {
#ifdef _WIN32
    for (auto& s : saved_) s->Restore();
#endif
    memory_.Clear();
    for (const char* place : kAllPlaces) CreateKeyAt(kLocalMachine, kExplorer + place + "\\NameSpace");
    CreateKeyAt(kLocalMachine, icons::kShellIconsKey);
    testing::MakeSampleObject(kOld);
    WriteMachineText(ClassKey(kOld) + "\\ShellFolder", "Attributes", "0");
    WriteDword(kCurrentUser, kExplorer + "HideDesktopIcons\\ClassicStartMenu", kOld, 1);
    WriteDword(kLocalMachine, kExplorer + "HideMyComputerIcons", kOld, 0);
    WriteMachineText(std::string(builtin::kMyComputerNameSpace) + "\\" + builtin::BuiltInObjectTable[3].clsid,
                     "Removal Message", "kept");
    WriteMachineText(icons::kShellIconsKey, "3", "old.dll,1");
    WriteTextAt(kCurrentUser, icons::kWindowMetricsKey, icons::kShellIconSizeValue, "32");
    WriteTextAt(kCurrentUser, "Brask\\Support", "03", "1");
  }

  void Object(const std::string& id, const std::string& name, bool desktop, bool my_computer, bool panel,
              bool network) {
    RFCNum.SetText(id);
    RFName.SetText(name);
    RFDesc.SetText(name + " tip");
    RME.SetText(name + " gone");
    STD.SetChecked(desktop);
    STMC.SetChecked(my_computer);
    STCP.SetChecked(panel);
    STNN.SetChecked(network);
  }
  void Verb(const std::string& name, const std::string& caption, const std::string& command) {
    ShellName.SetText(name);
    RFCN.SetText(caption);
    RFPar.SetText(command);
  }
  void PickVerb(const std::string& name) {
    RFCNum.SetText(kOld);
    creator_.ReadKeyName();
    List.Click(List.FindExact(name));
  }
  void Visibility(int root, int place, int variant, const std::string& clsid) {
    US.SetItemIndex(root);
    OHide.SetItemIndex(place);
    HDO.SetItemIndex(variant);
    visibility_.OHideChange();
    TTA.SetText(clsid);
  }

  // Runs the action as its handler, with Undo and Redo checked around it.
  void ExpectUndoAndRedo(const std::function<void()>& action) {
    const std::string before = Dump();
    action();
    const std::string after = Dump();
    ASSERT_NE(before, after) << "the action changed nothing";
    ASSERT_FALSE(history_->UndoTitle().empty());
    history_->Undo();
    EXPECT_EQ(Dump(), before);
    history_->Redo();
    EXPECT_EQ(Dump(), after);
  }

  MemoryBackend memory_;
#ifdef _WIN32
  Win32Backend system_;
  std::vector<std::unique_ptr<testing::KeySnapshot>> saved_;
#endif
  ScopedRegistry registry_{Backend()};
  fs::path folder_ = NewFolder();
  std::unique_ptr<History> history_ = std::make_unique<History>(folder_.string(), Backend());
  ScopedHistory history_scope_{*history_};
};

TEST_P(UndoTest, EveryWritingActionIsUndoneAndRedoneExactly) {
  const struct {
    const char* name;
    std::function<void()> action;
  } cases[] = {
      {"Create / Save, new", [&] { Object(kNew, "New", true, true, false, false), creator_.CReg(); }},
      {"Create / Save, over", [&] { Object(kOld, "Renamed", false, true, true, false), creator_.CReg(); }},
      {"Add", [&] { RFCNum.SetText(kOld), Verb("print", "&Print", "print.exe"), creator_.Button2Click(); }},
      {"Add over", [&] { RFCNum.SetText(kOld), Verb("OPEN", "&Go", "go.exe"), creator_.Button2Click(); }},
      {"Replace", [&] { PickVerb("open"), Verb("run", "&Run", "run.exe"), creator_.Button1Click(); }},
      {"Remove", [&] { PickVerb("edit"), creator_.Button3Click(); }},
      {"Set as Default", [&] { PickVerb("open"), creator_.Button5Click(); }},
      {"Set as Default Icon",
       [&] { Object(kOld, "Thing", true, false, false, true), RFDIcon.SetText("new.dll,4"), creator_.Button4Click(); }},
      {"Show Me", [&] { RFCNum.SetText(kOld), creator_.VMClick(); }},
      {"Delete", [&] { RFCNum.SetText(kOld), RFName.SetText("Thing"), creator_.DReg(); }},
      {"Apply", [&] {
         for (int i = 0; i < MCList.Count(); ++i) MCList.SetChecked(i, i % 2 == 0);
         builtin_.Apply1Click();
       }},
      {"Add to List (Hide)", [&] { Visibility(0, 0, 1, kNew), visibility_.Button7Click(); }},
      {"Hide", [&] { Visibility(1, 1, 0, kOld), visibility_.BHideClick(); }},
      {"Show", [&] { Visibility(0, 0, 0, kOld), visibility_.BShowClick(); }},
      {"Remove from List", [&] { Visibility(0, 0, 0, kOld), visibility_.RemClick(); }},
      {"Set Icon", [&] {
         INP.SetPosition(3), IcNum.SetText("3"), Location.SetText("new.dll,7"), ISP.SetPosition(40);
         icons_.BSI();
       }},
      {"Donation prompt", [&] { show_box_.SetChecked(false), dialogs::DonateFormClose(3, show_box_); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Reset();
    ExpectUndoAndRedo(c.action);
  }
}

TEST_P(UndoTest, DeletingAnObjectWithVerbsAndIconInEveryPlaceIsUndoneWhole) {
  const std::string before = Dump();
  RFCNum.SetText(kOld);
  creator_.DReg();
  ASSERT_FALSE(KeyExistsAt(kLocalMachine, ClassKey(kOld)));
  EXPECT_EQ(history_->UndoTitle(), std::string("Delete ") + kOld);
  history_->Undo();
  EXPECT_EQ(Dump(), before);
}

TEST_P(UndoTest, AnActionRefusedPartWayIsUndoneExactly) {
  if (System()) GTEST_SKIP() << "the system registry cannot be told to refuse";
  memory_.SetMachineReadOnly(true);
  const std::string before = Dump();
  // Show Me clears the user's hide values, while the machine's refuse to go.
  RFCNum.SetText(kOld);
  creator_.VMClick();
  ASSERT_NE(Dump(), before);
  memory_.SetMachineReadOnly(false);
  history_->Undo();
  EXPECT_EQ(Dump(), before);
  // Refused at its first step, an action changes nothing and leaves no record.
  memory_.SetMachineReadOnly(true);
  Object(kNew, "New", true, false, false, false);
  EXPECT_THROW(creator_.CReg(), ERegistryException);
  EXPECT_EQ(history_->UndoTitle(), "");
}

TEST_P(UndoTest, AHundredMixedActionsUndoneInTurnGiveTheStartBack) {
  std::mt19937 random(1800);
  auto pick = [&](std::initializer_list<const char*> from) { return std::string(from.begin()[random() % from.size()]); };
  const std::string start = Dump();
  for (int i = 0; i < 100; ++i) {
    const std::string id = pick({kNew, kOld}), n = std::to_string(i);
    switch (random() % 8) {
      case 0: Object(id, "N" + n, random() % 2, random() % 2, random() % 2, random() % 2), creator_.CReg(); break;
      case 1: RFCNum.SetText(id), Verb(pick({"open", "edit", "Print"}), "&" + n, n + ".exe"), creator_.Button2Click(); break;
      case 2: RFCNum.SetText(id), creator_.ReadKeyName(), List.Click(List.Count() ? 0 : -1), creator_.Button3Click(); break;
      case 3: RFCNum.SetText(id), RFDIcon.SetText(n + ".dll"), creator_.Button4Click(); break;
      case 4: RFCNum.SetText(id), RFName.SetText(""), creator_.DReg(); break;
      case 5:
        for (int r = 0; r < DList.Count(); ++r) DList.SetChecked(r, random() % 3 == 0);
        builtin_.Apply2Click();
        break;
      case 6:
        Visibility(static_cast<int>(random() % 2), static_cast<int>(random() % 2), 0, id);
        random() % 2 ? visibility_.BHideClick() : visibility_.RemClick();
        break;
      default: IcNum.SetText(std::to_string(random() % 47)), Location.SetText(n), icons_.BSI();
    }
  }
  const std::string end = Dump();
  int undone = 0;
  for (; !history_->UndoTitle().empty() && undone < 200; ++undone) history_->Undo();
  EXPECT_GT(undone, 50);
  EXPECT_EQ(Dump(), start);
  for (int i = 0; i < undone; ++i) history_->Redo();
  EXPECT_EQ(Dump(), end);
}

TEST_P(UndoTest, UndoFillsAgainThePageThatShowsWhatChanged) {
  builtin_.ReadCLSID();
  RFCNum.SetText(kOld);
  creator_.CNC();
  Object(kOld, "Renamed", false, false, false, false);
  creator_.CReg();
  builtin_.ANI1Click(builtin::kSelectNone);
  builtin_.Apply1Click();
  Visibility(0, 0, 0, kOld);
  visibility_.RemClick();
  INP.SetPosition(3), IcNum.SetText("3"), Location.SetText("new.dll"), ISP.SetPosition(48);
  icons_.BSI();
  ASSERT_EQ(HList.RowCount(), 0);
  for (int i = 0; i < 4; ++i) {
    history_->Undo();
    const auto& changed = history_->LastKeys();
    creator_.Refresh(changed);
    builtin_.Refresh(changed);
    visibility_.Refresh(changed);
    icons_.Refresh(changed);
  }
  EXPECT_EQ(RFName.Text(), "Thing");
  EXPECT_TRUE(STD.Checked() && STNN.Checked());
  EXPECT_TRUE(MCList.Checked(3));
  ASSERT_EQ(HList.RowCount(), 1);
  EXPECT_EQ(HList.Line(0), std::string(kOld) + "=False");
  EXPECT_EQ(Location.Text(), "old.dll,1");
  EXPECT_EQ(IsNum.Text(), "32");
  // A page that shows nothing that changed keeps what the user put there.
  RME.SetText("typed");
  RFCNum.SetText(kNew);
  Visibility(0, 0, 0, "");
  visibility_.BHideClick();
  history_->Undo();
  creator_.Refresh(history_->LastKeys());
  EXPECT_EQ(RME.Text(), "typed");
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Registries, UndoTest, ::testing::Values("memory", "system"));
#else
INSTANTIATE_TEST_SUITE_P(Registries, UndoTest, ::testing::Values("memory"));
#endif

}  // namespace
}  // namespace quillet
