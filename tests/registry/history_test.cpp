// The history of changes over the memory registry: what an action changes is put back exactly by
// its record, through Undo and through the .reg reader alone; Redo brings the change again; the
// records' folder keeps the newest, passes over what is damaged or not ours, and a folder that
// cannot be written costs the record, never the change.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "registry/history.h"
#include "registry/history_files.h"
#include "registry/memory_backend.h"
#include "registry/reg_file.h"
#include "registry/registry_store.h"
#include "support/fake_platform.h"
#include "support/registry_dump.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p) {
  bool exists = false;
  return ReadWholeFileBytes(p.string(), &exists);
}

std::vector<std::uint8_t> Bytes(std::initializer_list<int> b) { return {b.begin(), b.end()}; }

class HistoryTest : public ::testing::Test {
 protected:
  HistoryTest() {
    history_->on_unrecorded = [this](const std::string& text) { told_.push_back(text); };
  }
  static fs::path NewFolder() {
    static int counter = 0;
    return fs::temp_directory_path() /
           ("quillet-history-" + testing::FakePlatform::UniqueTag() + "-" + std::to_string(++counter));
  }
  ~HistoryTest() override {
    history_.reset();
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  std::string Dump() { return testing::CanonicalDump(backend_, {{kLocalMachine, ""}, {kCurrentUser, ""}}); }
  void Act(const std::string& name, const std::function<void()>& action) {
    const RecordedAction record("Test", name);
    action();
  }
  std::vector<fs::path> Records() {
    history_->Flush();
    std::vector<fs::path> out;
    if (fs::exists(folder_ / "History"))
      for (const auto& e : fs::directory_iterator(folder_ / "History")) out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
  }
  static void Write(RegRoot root, const std::string& path, const std::string& name, std::uint32_t type,
                    const std::vector<std::uint8_t>& data) {
    RegistryStore store;
    store.SetRoot(root);
    store.Open(path, true);
    store.WriteValue(name, type, data);
  }

  MemoryBackend backend_;
  ScopedRegistry registry_{backend_};
  fs::path folder_ = NewFolder();
  std::unique_ptr<History> history_ = std::make_unique<History>((folder_ / "History").string(), backend_);
  ScopedHistory scope_{*history_};
  std::vector<std::string> told_;
};

// A registry with some of everything the cases below change.
void Seed() {
  WriteMachineText("Software\\A", "", "a default");
  WriteMachineText("Software\\A", "Text", "old");
  WriteDword(kLocalMachine, "Software\\A", "Number", 7);
  RegistryStore store;
  store.SetRoot(kLocalMachine);
  store.Open("Software\\A\\Tree\\Deeper\\Deepest", true);
  store.WriteValue("Bin", kTypeBinary, Bytes({1, 2, 0, 255}));
  store.WriteValue("Expand", kTypeExpandSz, Bytes({'%', 'X', '%', 0}));
  store.WriteValue("Multi", kTypeMultiSz, Bytes({'a', 0, 'b', 0, 0}));
  store.Open("\\Software\\A\\Tree", false);
  store.WriteText("Odd \"name\"\\", std::string("line\r\nbreak"));
  store.WriteValue("Nul", kTypeSz, Bytes({'x', 0, 'y', 0}));
  WriteDword(kCurrentUser, "Software\\Hide", "{X}", 1);
}

TEST_F(HistoryTest, UndoAndTheRecordAloneBringBackTheTreeBeforeAndRedoTheTreeAfter) {
  const struct Case {
    const char* name;
    std::function<void()> action;
  } cases[] = {
      {"value added", [] { WriteMachineText("Software\\A", "New", "n"); }},
      {"values of other kinds overwritten",
       [] {
         WriteMachineText("Software\\A", "Number", "now text");
         WriteDword(kLocalMachine, "Software\\A", "Text", -2);
         Write(kLocalMachine, "Software\\A\\Tree\\Deeper\\Deepest", "Bin", kTypeSz, Bytes({'s', 0}));
       }},
      {"default value written and another removed",
       [] {
         WriteMachineText("Software\\A", "", "new default");
         RemoveValue(kLocalMachine, "Software\\A\\Tree", "Nul");
         RemoveValue(kLocalMachine, "Software\\A\\Tree", "Odd \"name\"\\");
       }},
      {"deep keys made", [] { WriteMachineText("Software\\B\\C\\D", "v", "x"); }},
      {"keys made, filled, erased and made again",
       [] {
         WriteMachineText("Software\\B\\C", "v", "x");
         WriteMachineText("Software\\B\\C\\D\\E", "w", "y");
         DeleteKeyAt(kLocalMachine, "Software\\B\\C\\D");
         WriteMachineText("Software\\B\\C\\D", "w", "z");
         WriteMachineText("Software\\A\\Tree\\New", "", "n");
         WriteMachineText("Software\\A\\Tree", "Nul", "over");
       }},
      {"tree erased under another spelling", [] { DeleteKeyAt(kLocalMachine, "SOFTWARE\\a\\TREE"); }},
      {"tree erased and made again",
       [] {
         DeleteKeyAt(kLocalMachine, "Software\\A\\Tree");
         WriteMachineText("Software\\A\\Tree\\Deeper", "", "other");
         WriteMachineText("Software\\A\\Tree\\Fresh", "v", "w");
       }},
      {"both hives", [] {
         RemoveValue(kCurrentUser, "Software\\Hide", "{X}");
         WriteDword(kCurrentUser, "Software\\Hide\\More", "{Y}", 0);
         DeleteKeyAt(kLocalMachine, "Software\\A");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    backend_.Clear();
    Seed();
    const std::string before = Dump();
    Act(c.name, c.action);
    const std::string after = Dump();
    ASSERT_NE(before, after);
    ASSERT_EQ(history_->UndoTitle(), std::string("Test ") + c.name);
    const fs::path record = Records().back();

    history_->Undo();
    EXPECT_EQ(Dump(), before);
    EXPECT_FALSE(fs::exists(record));
    EXPECT_EQ(history_->RedoTitle(), std::string("Test ") + c.name);
    history_->Redo();
    EXPECT_EQ(Dump(), after);

    // Without Quillet: the record file read as any .reg file is, over the registry after.
    const fs::path again = Records().back();
    backend_.ImportRegText(ReadFile(again));
    EXPECT_EQ(Dump(), before);
    history_->Undo();  // its own record: already as before
    EXPECT_EQ(Dump(), before);
  }
  EXPECT_TRUE(told_.empty());
}

TEST_F(HistoryTest, AnActionThatFailsPartWayIsTakenBackExactly) {
  Seed();
  const std::string before = Dump();
  backend_.SetMachineReadOnly(true);
  EXPECT_THROW(Act("half", [] {
                 WriteDword(kCurrentUser, "Software\\Hide", "{X}", 0);
                 WriteDword(kCurrentUser, "Software\\New\\Key", "{Z}", 1);
                 WriteMachineText("Software\\A", "Text", "refused");
               }),
               ERegistryException);
  backend_.SetMachineReadOnly(false);
  EXPECT_NE(Dump(), before);
  history_->Undo();
  EXPECT_EQ(Dump(), before);
}

TEST_F(HistoryTest, AnUndoThatFailsPartWayKeepsItsRecordForAnotherTry) {
  Seed();
  const std::string before = Dump();
  Act("both", [] {
    WriteDword(kCurrentUser, "Software\\Hide", "{X}", 0);
    DeleteKeyAt(kLocalMachine, "Software\\A\\Tree");
  });
  backend_.SetMachineReadOnly(true);
  try {
    history_->Undo();
    ADD_FAILURE() << "the undo went through";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(std::string(e.what()), "Undo stopped part-way: Failed to create key Software\\A\\Tree");
  }
  EXPECT_EQ(history_->UndoTitle(), "Test both");
  EXPECT_EQ(ReadDword(kCurrentUser, "Software\\Hide", "{X}"), 1);  // the step before the failure stays
  EXPECT_FALSE(history_->LastKeys().empty());
  backend_.SetMachineReadOnly(false);
  history_->Undo();
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(history_->UndoTitle(), "");
}

TEST_F(HistoryTest, OnlyChangesLeaveRecordsAndAnActionInsideAnotherJoinsIt) {
  Seed();
  Act("same", [] {
    WriteMachineText("Software\\A", "Text", "old");
    CreateKeyAt(kLocalMachine, "Software\\A\\Tree");
    DeleteKeyAt(kLocalMachine, "Software\\Missing");
    RemoveValue(kLocalMachine, "Software\\A", "Missing");
  });
  EXPECT_TRUE(Records().empty());
  {
    const RecordedAction outer("Replace", "x");
    Act("inner one", [] { WriteMachineText("Software\\A", "Text", "1"); });
    Act("inner two", [] { WriteMachineText("Software\\A", "Text", "2"); });
  }
  ASSERT_EQ(Records().size(), 1u);
  EXPECT_EQ(history_->UndoTitle(), "Replace x");
  history_->Undo();
  EXPECT_EQ(ReadMachineText("Software\\A", "Text"), "old");
}

TEST_F(HistoryTest, AFolderThatCannotBeWrittenCostsTheRecordAndIsToldOnce) {
  fs::create_directories(folder_);
  std::ofstream(folder_ / "History") << "a file where the folder should be";
  Seed();
  Act("lost", [] {
    WriteMachineText("Software\\A", "Text", "1");
    WriteMachineText("Software\\A", "New", "2");
  });
  EXPECT_EQ(ReadMachineText("Software\\A", "Text"), "1");  // the change is made all the same
  history_->Flush();
  ASSERT_EQ(told_.size(), 1u);
  EXPECT_NE(told_[0].find("\"Test lost\""), std::string::npos) << told_[0];
  EXPECT_NE(told_[0].find("cannot be undone"), std::string::npos) << told_[0];
  EXPECT_EQ(history_->UndoTitle(), "");
  // Lost together before anyone looked: told in one message that names each.
  Act("one", [] { WriteMachineText("Software\\A", "Text", "2"); });
  Act("two", [] { WriteMachineText("Software\\A", "Text", "3"); });
  EXPECT_EQ(history_->UndoTitle(), "Test two");
  history_->Flush();
  ASSERT_EQ(told_.size(), 2u);
  EXPECT_NE(told_[1].find("The changes \"Test one\" and \"Test two\" were made"), std::string::npos) << told_[1];
  EXPECT_EQ(history_->UndoTitle(), "");
}

// Records are written off the action's thread, and in the order of the actions; an undo asked for
// before a lost record was told of tells it and takes nothing back.
TEST_F(HistoryTest, RecordsAreWrittenInTheOrderOfTheActionsAndALostOneIsNeverPassedOver) {
  Seed();
  std::int64_t now = 5000;
  history_->clock = [&now] { return now -= 1000; };  // a clock going back
  for (int i = 0; i < 30; ++i) Act(std::to_string(i), [i] { WriteDword(kLocalMachine, "Software\\A", "n", i); });
  EXPECT_EQ(history_->UndoTitle(), "Test 29");
  const auto records = Records();
  ASSERT_EQ(records.size(), 30u);
  for (int i = 0; i < 30; ++i)
    EXPECT_NE(records[i].filename().string().find(" Test " + std::to_string(i) + ".reg"), std::string::npos)
        << records[i];

  // A key name no .reg line can hold: the record is lost, not the change.
  Act("lost", [] { WriteMachineText("Software\\Line\nBreak", "v", "x"); });
  history_->Undo();
  ASSERT_EQ(told_.size(), 1u);
  EXPECT_NE(told_[0].find("\"Test lost\""), std::string::npos) << told_[0];
  EXPECT_EQ(ReadDword(kLocalMachine, "Software\\A", "n"), 29) << "nothing taken back yet";
  history_->Undo();
  EXPECT_EQ(ReadDword(kLocalMachine, "Software\\A", "n"), 28);
  EXPECT_EQ(told_.size(), 1u);
}

TEST_F(HistoryTest, DamagedAndForeignRecordsArePassedOverAndNeverApplied) {
  Seed();
  Act("first", [] { WriteMachineText("Software\\A", "Text", "1"); });
  Act("second", [] { WriteMachineText("Software\\A", "Text", "2"); });
  Act("third", [] { WriteMachineText("Software\\A", "Text", "3"); });
  const auto records = Records();
  ASSERT_EQ(records.size(), 3u);
  // The newest cut short, the one before it edited; beside them files that are not ours.
  std::string text = ReadFile(records[2]);
  std::ofstream(records[2], std::ios::binary | std::ios::trunc) << text.substr(0, text.size() / 2);
  text = ReadFile(records[1]);
  text.replace(text.find("\"1\""), 3, "\"9\"");
  std::ofstream(records[1], std::ios::binary | std::ios::trunc) << text;
  std::ofstream(folder_ / "History" / "9999-12-31 23.59.59.999 Mine.reg")
      << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\A]\r\n\"Text\"=\"foreign\"\r\n";
  std::ofstream(folder_ / "History" / "notes.txt") << "mine";
  history_->Rescan();

  EXPECT_EQ(history_->UndoTitle(), "Test first");
  history_->Undo();
  EXPECT_EQ(ReadMachineText("Software\\A", "Text"), "old");
  EXPECT_EQ(history_->UndoTitle(), "");
  history_->Undo();  // nothing readable is left: nothing happens
  EXPECT_EQ(ReadMachineText("Software\\A", "Text"), "old");
  EXPECT_EQ(Records().size(), 4u);  // the damaged and the foreign files stay
}

TEST_F(HistoryTest, TheNewestTwoHundredRecordsAreKept) {
  Seed();
  for (int i = 0; i < 205; ++i) Act(std::to_string(i), [i] { WriteDword(kLocalMachine, "Software\\A", "n", i); });
  history_->Flush();
  std::ofstream(folder_ / "History" / "0000-01-01 00.00.00.000 Not ours.reg") << "REGEDIT4\r\n";
  std::ofstream(folder_ / "History" / "notes.txt") << "mine";
  EXPECT_EQ(Records().size(), 207u);  // a running history removes nothing
  history_ = std::make_unique<History>((folder_ / "History").string(), backend_);
  const ScopedHistory again(*history_);
  const auto records = Records();
  ASSERT_EQ(records.size(), 202u);
  EXPECT_EQ(records.front().filename().string(), "0000-01-01 00.00.00.000 Not ours.reg");
  EXPECT_NE(records[1].filename().string().find(" Test 5.reg"), std::string::npos);
  EXPECT_EQ(history_->UndoTitle(), "Test 204");
}

TEST(HistoryRecord, FileNamesSortByTimeAndSayTheChange) {
  const struct {
    std::int64_t ms;
    const char* title;
    const char* name;
  } cases[] = {
      {0, "Create / Save {A}", "1970-01-01 00.00.00.000 Create Save {A}.reg"},
      {1714570212042, "Hide {x:y}?", "2024-05-01 13.30.12.042 Hide {xy}.reg"},
      {951782400999, "a\tb  c...", "2000-02-29 00.00.00.999 a b c.reg"},
      {4102444799000, "\\/:*?\"<>|", "2099-12-31 23.59.59.000 Change.reg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HistoryFileName(c.ms, c.title), c.name);
    EXPECT_EQ(HistoryFileTime(c.name), c.ms) << c.name;
  }
  EXPECT_EQ(HistoryFileName(0, std::string(200, 'x')).size(), 24u + 80u + 4u);
  for (const char* other : {"notes.txt", "2024-05-01 13.30.12.042.reg", "2024-13-01 13.30.12.042 x.reg",
                            "2024-05-01 13:30:12.042 x.reg", "2024-05-01 13.30.12.04x x.reg"})
    EXPECT_FALSE(HistoryFileTime(other)) << other;
}

TEST(HistoryRecord, OnlyWholeRecordsOfOursAreRead) {
  const std::string lines = "[-HKEY_CURRENT_USER\\Software\\B]\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"v\"=-\r\n@=\"x\"\r\n\r\n";
  const std::string text = FormatHistoryRecord("Delete \"x\"\r\n", lines, 0);
  const auto record = ReadHistoryRecord(text);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->title, "Delete \"x\"  ");
  ASSERT_EQ(record->ops.size(), 4u);
  EXPECT_EQ(record->ops[0].kind, RegFileOp::DeleteKey);
  EXPECT_EQ(record->ops[2].kind, RegFileOp::DeleteValue);
  std::string edited = text;
  edited[edited.find("@=\"x\"") + 3] = 'y';
  for (const std::string& bad : {std::string(), text.substr(0, text.size() - 1), text + "\r\n", edited,
                                 "REGEDIT4\r\n\r\n" + lines, text.substr(1)})
    EXPECT_FALSE(ReadHistoryRecord(bad)) << bad;
  // Lines regedit would not take are damage too, whatever the check says.
  EXPECT_FALSE(ReadHistoryRecord(FormatHistoryRecord("t", "[HKEY_NOWHERE\\x]\r\n", 0)));
}

TEST(HistoryRecord, KeysMeetAtOrBelowEachOther) {
  const RegKeyRef changed{kLocalMachine, "Software\\CLASSES\\CLSID\\{A}"};
  EXPECT_TRUE(AnyKeyMeets({changed}, kLocalMachine, "software\\classes\\clsid\\{a}\\Shell"));
  EXPECT_TRUE(AnyKeyMeets({changed}, kLocalMachine, "Software\\CLASSES"));
  EXPECT_FALSE(AnyKeyMeets({changed}, kLocalMachine, "Software\\CLASSES\\CLSID\\{A}x"));
  EXPECT_FALSE(AnyKeyMeets({changed}, kCurrentUser, "Software\\CLASSES\\CLSID\\{A}"));
}

}  // namespace
}  // namespace quillet
