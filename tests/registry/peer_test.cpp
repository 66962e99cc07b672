// Our .reg files and the system's regedit speak the same format: a file we write imports into the
// real registry unchanged, a tree regedit exports loads into the memory registry unchanged, and a
// file regedit imports means to the reader what it means to regedit.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "registry/memory_backend.h"
#include "registry/reg_file.h"
#include "registry/regedit_cases.h"
#include "registry/registry_store.h"
#include "registry/win32_backend.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

using Value = std::tuple<std::string, std::uint32_t, std::vector<std::uint8_t>>;
using Snapshot = std::map<std::string, std::vector<Value>>;  // key path -> values sorted by name

void Walk(RegistryBackend& b, RegHandle key, const std::string& path, Snapshot& out) {
  RegKeyInfo info;
  ASSERT_EQ(b.QueryInfo(key, &info), kOk);
  auto& values = out[path];
  for (std::uint32_t i = 0; i < info.values; ++i) {
    std::string name;
    ASSERT_EQ(b.EnumValue(key, i, &name), kOk);
    std::uint32_t type = 0, size = 0;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(b.QueryValue(key, name, &type, &data, &size), kOk);
    values.emplace_back(name, type, data);
  }
  std::sort(values.begin(), values.end());
  for (std::uint32_t i = 0; i < info.subkeys; ++i) {
    std::string name;
    ASSERT_EQ(b.EnumKey(key, i, &name), kOk);
    RegHandle child = 0;
    ASSERT_EQ(b.OpenKey(key, name, kAccessRead, &child), kOk);
    Walk(b, child, path + "\\" + name, out);
    b.CloseKey(child);
  }
}

Snapshot Take(RegistryBackend& b, const std::string& path, RegRoot root = kCurrentUser) {
  Snapshot s;
  RegHandle key = 0;
  if (b.OpenKey(root, path, kAccessRead, &key) != kOk) return s;
  Walk(b, key, RootName(root) + ("\\" + path), s);
  b.CloseKey(key);
  return s;
}

// The keys a case of the shared table may make, in both hives.
Snapshot TakeCase(RegistryBackend& b, const testing::RegeditCase& c) {
  Snapshot s = Take(b, testing::CaseUserPath(c));
  s.merge(Take(b, testing::CaseClassesPath(c), kLocalMachine));
  return s;
}

// Wine's regedit exports a text value only up to its first NUL, so that case goes one way only.
void Fill(RegistryBackend& b, const std::string& base, bool with_embedded_nul) {
  ScopedRegistry scope(b);
  auto raw = [&](const std::string& path, const std::string& name, std::uint32_t type,
                 const std::string& bytes) {
    RegHandle k = 0;
    ASSERT_EQ(b.CreateKey(kCurrentUser, base + path, kAccessAll, &k), kOk);
    b.SetValue(k, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
               static_cast<std::uint32_t>(bytes.size()));
    b.CloseKey(k);
  };
  WriteTextAt(kCurrentUser, base + "\\CLSID\\{00000000-1111-2222-3333-444444444444}", "", "Name");
  WriteTextAt(kCurrentUser, base + "\\CLSID\\{00000000-1111-2222-3333-444444444444}", "InfoTip",
              "Tip with \"quotes\" and C:\\back\\slashes\\");
  WriteTextAt(kCurrentUser, base + "\\CLSID\\{00000000-1111-2222-3333-444444444444}\\Shell\\Open\\Command",
              "", "Rundll32 Shell32.dll,ShellExec_RunDLL notepad.exe");
  WriteTextAt(kCurrentUser, base + "\\Text", "empty", "");
  WriteTextAt(kCurrentUser, base + "\\Text", "na\"me\\", "value");
  WriteDword(kCurrentUser, base + "\\Hide", "{ABC}", 1);
  WriteDword(kCurrentUser, base + "\\Hide", "{DEF}", -2);
  raw("\\Raw", "bin", kTypeBinary, std::string(150, '\x5a') + std::string("\0\xff", 2));
  raw("\\Raw", "expand", kTypeExpandSz, std::string("%SystemRoot%\\system32\0", 22));
  raw("\\Raw", "multi", kTypeMultiSz, std::string("one\0two\0\0", 9));
  raw("\\Raw", "none", kTypeNone, "");
  if (with_embedded_nul) raw("\\Raw", "nul", kTypeSz, std::string("a\0b\0", 4));
  raw("\\Raw", "high", kTypeSz, std::string("caf\xe9\0", 5));
  raw("\\Empty\\Deeper", "", kTypeSz, std::string("deep default\0", 13));
  CreateKeyAt(kCurrentUser, base + "\\Empty\\NoValues");
}

std::string ReadBytes(const fs::path& file) {
  bool exists = false;
  return ReadWholeFileBytes(file.string(), &exists);
}

bool RunAndWait(std::string command) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return false;
  WaitForSingleObject(pi.hProcess, 60000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

class RegeditPeer : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / "quillet-peer";
    fs::create_directories(dir_);
    ScopedRegistry scope(system_);
    DeleteKeyAt(kCurrentUser, kBase);
  }
  void TearDown() override {
    ScopedRegistry scope(system_);
    DeleteKeyAt(kCurrentUser, kBase);
    fs::remove_all(dir_);
  }
  static constexpr const char* kBase = "Software\\QuilletPeer";
  fs::path dir_;
  Win32Backend system_;
};

TEST_F(RegeditPeer, OurFileImportsUnchanged) {
  MemoryBackend memory;
  Fill(memory, kBase, true);
  const fs::path file = dir_ / "ours.reg";
  WriteFileAtomically(file.string(), memory.ExportRegText());
  ASSERT_TRUE(RunAndWait("regedit.exe /S \"" + file.string() + "\""));
  const Snapshot expected = Take(memory, kBase);
  EXPECT_EQ(Take(system_, kBase), expected);
  EXPECT_EQ(expected.size(), 12u);
}

// A file the memory registry keeps, with changes saved at its end that set again, remove and
// make again what it holds, imports with regedit to the tree in memory.
TEST_F(RegeditPeer, AFileWithChangesAtItsEndImportsToTheTreeInMemory) {
  const fs::path file = dir_ / "kept.reg";
  const std::string base = kBase;
  MemoryBackend memory;
  memory.SetWholeSaveLimit(0);
  memory.BindFile(file.string());
  Fill(memory, base, true);
  {
    ScopedRegistry scope(memory);
    WriteTextAt(kCurrentUser, base + "\\Text", "empty", "now set");
    RemoveValue(kCurrentUser, base + "\\Hide", "{ABC}");
    DeleteKeyAt(kCurrentUser, base + "\\Empty");
    WriteTextAt(kCurrentUser, base + "\\EMPTY\\again", "", "made again");
    WriteDword(kCurrentUser, base + "\\Hide", "{ABC}", 7);
  }
  ASSERT_NE(ReadBytes(file).find(";~change "), std::string::npos) << "changes went at the end";
  ASSERT_TRUE(RunAndWait("regedit.exe /S \"" + file.string() + "\""));
  EXPECT_EQ(Take(system_, kBase), Take(memory, kBase));
}

TEST_F(RegeditPeer, RegeditExportLoadsUnchanged) {
  Fill(system_, kBase, false);
  const fs::path file = dir_ / "theirs.reg";
  ASSERT_TRUE(RunAndWait("regedit.exe /E \"" + file.string() + "\" \"HKEY_CURRENT_USER\\" +
                         kBase + "\""));
  const std::string bytes = ReadBytes(file);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xff\xfe");  // regedit writes UTF-16 with its byte-order mark
  MemoryBackend memory;
  memory.ImportRegText(bytes);
  EXPECT_EQ(Take(memory, kBase), Take(system_, kBase));
}

// Each file of the shared table goes through regedit /S. The registry it leaves must be what the
// reader makes of the same bytes (of the part before the fault, for a file the reader refuses),
// and regedit's /E export of it must load back to the same.
TEST_F(RegeditPeer, ImportsEveryTableFileAsTheReaderReadsIt) {
  const auto& cases = testing::RegeditCases();
  auto clean = [&] {
    ScopedRegistry scope(system_);
    DeleteKeyAt(kCurrentUser, "Software\\QuilletRegedit");
    DeleteKeyAt(kLocalMachine, "Software\\Classes\\QuilletRegedit");
  };
  clean();
  for (size_t i = 0; i < cases.size(); ++i) {
    const fs::path file = dir_ / (std::to_string(i) + ".reg");
    WriteFileAtomically(file.string(), testing::CaseBytes(cases[i]));
    ASSERT_TRUE(RunAndWait("regedit.exe /S \"" + file.string() + "\""));
  }
  const fs::path users = dir_ / "users.reg", classes = dir_ / "classes.reg";
  ASSERT_TRUE(RunAndWait("regedit.exe /E \"" + users.string() +
                         "\" \"HKEY_CURRENT_USER\\Software\\QuilletRegedit\""));
  ASSERT_TRUE(RunAndWait("regedit.exe /E \"" + classes.string() +
                         "\" \"HKEY_CLASSES_ROOT\\QuilletRegedit\""));
  MemoryBackend exported;
  exported.ImportRegText(ReadBytes(users));
  exported.ImportRegText(ReadBytes(classes));  // its HKEY_CLASSES_ROOT sections land in the machine's
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryBackend ours;
    try {
      ours.ImportRegText(testing::CaseBytes(c, c.refused_line != 0));
    } catch (const RegFileError&) {
      // Refused at its header: regedit imports nothing either.
    }
    const Snapshot real = TakeCase(system_, c);
    EXPECT_EQ(TakeCase(ours, c), real);
    EXPECT_EQ(TakeCase(exported, c), real);
  }
  clean();
}

}  // namespace
}  // namespace quillet
