// A history record is taken back without Quillet: regedit /S of each kind of record leaves the
// system registry as our Undo leaves it, which is the registry before the change.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>

#include "registry/history.h"
#include "registry/history_files.h"
#include "registry/registry_store.h"
#include "registry/win32_backend.h"
#include "support/registry_dump.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBase = "Software\\QuilletHistoryPeer";

void Raw(const std::string& path, const std::string& name, std::uint32_t type, const std::string& bytes) {
  RegistryStore store;
  store.SetRoot(kCurrentUser);
  store.Open(std::string(kBase) + path, true);
  store.WriteValue(name, type, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

void Seed() {
  Raw("", "", kTypeSz, std::string("default\0", 8));
  Raw("", "text", kTypeSz, std::string("with \"quotes\" and C:\\back\\slashes\\\0", 36));
  Raw("", "na\"me\\", kTypeSz, std::string("v\0", 2));
  Raw("", "nul", kTypeSz, std::string("a\0b\0", 4));
  Raw("", "high", kTypeSz, std::string("caf\xe9\0", 5));
  Raw("\\Kinds", "bin", kTypeBinary, std::string(150, '\x5a') + std::string("\0\xff", 2));
  Raw("\\Kinds", "expand", kTypeExpandSz, std::string("%SystemRoot%\\system32\0", 22));
  Raw("\\Kinds", "multi", kTypeMultiSz, std::string("one\0two\0\0", 9));
  Raw("\\Kinds", "dword", kTypeDword, std::string("\x02\x00\x00\x80", 4));
  Raw("\\Tree\\Deeper\\Deepest", "", kTypeSz, std::string("deep\0", 5));
  Raw("\\Tree\\Deeper", "v", kTypeDword, std::string("\x01\x00\x00\x00", 4));
  CreateKeyAt(kCurrentUser, std::string(kBase) + "\\Tree\\Empty");
}

bool RunAndWait(std::string command) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  WaitForSingleObject(pi.hProcess, 60000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

TEST(HistoryPeer, RegeditTakesEachKindOfRecordBackAsUndoDoes) {
  Win32Backend system;
  ScopedRegistry use(system);
  const fs::path dir = fs::temp_directory_path() / "quillet-history-peer";
  fs::remove_all(dir);
  History history((dir / "History").string(), system);
  ScopedHistory recording(history);
  auto dump = [&] { return testing::CanonicalDump(system, {{kCurrentUser, kBase}}); };
  const std::string base = kBase;

  const struct {
    const char* name;
    std::function<void()> change;
  } cases[] = {
      {"values set back", [&] {
         Raw("", "", kTypeDword, std::string(4, '\0'));
         Raw("", "text", kTypeBinary, "x");
         Raw("", "nul", kTypeSz, std::string("plain\0", 6));
         Raw("\\Kinds", "bin", kTypeSz, std::string("now text\0", 9));
         Raw("\\Kinds", "expand", kTypeExpandSz, std::string("%TEMP%\0", 7));
         Raw("\\Kinds", "multi", kTypeDword, std::string(4, '\x7f'));
         WriteDword(kCurrentUser, base + "\\Kinds", "dword", 9);
       }},
      {"values removed and added", [&] {
         for (const char* name : {"", "na\"me\\", "high"}) RemoveValue(kCurrentUser, base, name);
         RemoveValue(kCurrentUser, base + "\\Kinds", "multi");
         WriteTextAt(kCurrentUser, base + "\\Kinds", "added", "new");
         WriteDword(kCurrentUser, base, "fresh", 3);
       }},
      {"keys removed", [&] {
         DeleteKeyAt(kCurrentUser, base + "\\TREE");
         DeleteKeyAt(kCurrentUser, base + "\\kinds");
       }},
      {"keys made", [&] {
         WriteTextAt(kCurrentUser, base + "\\New\\Deeper\\Deepest", "", "made");
         CreateKeyAt(kCurrentUser, base + "\\Tree\\Empty\\Below");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteKeyAt(kCurrentUser, kBase);
    Seed();
    const std::string before = dump();
    {
      const RecordedAction action("Peer", c.name);
      c.change();
    }
    const std::string after = dump();
    ASSERT_NE(after, before);
    history.Flush();
    const auto names = FolderFileNames((dir / "History").string());
    ASSERT_EQ(names.size(), 1u);
    const fs::path record = dir / ("record " + std::to_string(&c - cases) + ".reg");
    fs::copy_file(dir / "History" / names[0], record);

    history.Undo();
    EXPECT_EQ(dump(), before);
    history.Redo();
    ASSERT_EQ(dump(), after);
    ASSERT_TRUE(RunAndWait("regedit.exe /S \"" + record.string() + "\""));
    EXPECT_EQ(dump(), before);
    history.Undo();  // the record Redo left: the registry is as before already
  }
  DeleteKeyAt(kCurrentUser, kBase);
  fs::remove_all(dir);
}

// An undo makes a removed key again under its stored spelling, which the system tells of the key.
TEST(HistoryPeer, TheSystemTellsAKeysStoredName) {
  Win32Backend system;
  ScopedRegistry use(system);
  CreateKeyAt(kCurrentUser, std::string(kBase) + "\\MiXed Case");
  RegHandle key = 0;
  ASSERT_EQ(system.OpenKey(kCurrentUser, "software\\quillethistorypeer\\mixed case", kAccessRead, &key), kOk);
  std::string name;
  EXPECT_EQ(system.KeyName(key, &name), kOk);
  EXPECT_EQ(name, "MiXed Case");
  system.CloseKey(key);
  DeleteKeyAt(kCurrentUser, kBase);
}

}  // namespace
}  // namespace quillet
