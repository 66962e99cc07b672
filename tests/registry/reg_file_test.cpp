// The .reg file a memory registry is kept in: exact text out, tolerant reading in, refusals that
// name their line, and saves that never leave half a file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "registry/memory_backend.h"
#include "registry/reg_file.h"
#include "registry/registry_store.h"
#include "registry/regedit_cases.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void Spit(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
}

void SetRaw(MemoryBackend& b, RegRoot root, const std::string& path, const std::string& name,
            std::uint32_t type, const std::string& bytes) {
  RegHandle k = 0;
  ASSERT_EQ(b.CreateKey(root, path, kAccessAll, &k), kOk);
  b.SetValue(k, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
             static_cast<std::uint32_t>(bytes.size()));
  b.CloseKey(k);
}

class TempDir {
 public:
  TempDir() {
    static int n = 0;
    std::random_device rd;  // test programs run side by side: a counter alone would repeat
    path_ = fs::temp_directory_path() /
            ("quillet-regfile-" + std::to_string(++n) + "-" + std::to_string(rd()) + "-" +
             std::to_string(rd()));
    fs::create_directories(path_);
  }
  ~TempDir() { fs::remove_all(path_); }
  fs::path operator/(const std::string& name) const { return path_ / name; }

 private:
  fs::path path_;
};

TEST(RegFileWriter, WritesRegedit4Exactly) {
  MemoryBackend b;
  SetRaw(b, kLocalMachine, "Software\\Q", "", kTypeSz, std::string("def\0", 4));
  SetRaw(b, kLocalMachine, "Software\\Q", "path", kTypeSz, std::string("C:\\a \"b\"\0", 9));
  SetRaw(b, kLocalMachine, "Software\\Q", "n", kTypeDword, std::string("\x01\x00\x00\x80", 4));
  SetRaw(b, kLocalMachine, "Software\\Q", "b", kTypeBinary, "\xAB\x01");
  SetRaw(b, kLocalMachine, "Software\\Q", "e", kTypeExpandSz, std::string("%x%\0", 4));
  SetRaw(b, kLocalMachine, "Software\\Q", "z", kTypeSz, "");
  SetRaw(b, kLocalMachine, "Software\\Q", "nul", kTypeSz, std::string("a\0b\0", 4));
  SetRaw(b, kLocalMachine, "Software\\Q", "q\\\"", 11, "\x05");
  RegHandle k;
  b.CreateKey(kCurrentUser, "Empty", kAccessAll, &k);
  b.CloseKey(k);
  EXPECT_EQ(b.ExportRegText(),
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Q]\r\n"
            "@=\"def\"\r\n"
            "\"path\"=\"C:\\\\a \\\"b\\\"\"\r\n"
            "\"n\"=dword:80000001\r\n"
            "\"b\"=hex:ab,01\r\n"
            "\"e\"=hex(2):25,78,25,00\r\n"
            "\"z\"=hex(1):\r\n"
            "\"nul\"=hex(1):61,00,62,00\r\n"
            "\"q\\\\\\\"\"=hex(b):05\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Empty]\r\n\r\n");
}

TEST(RegFileWriter, LongHexWrapsWithContinuationLines) {
  RegFileValue v{"blob", kTypeBinary, std::vector<std::uint8_t>(100, 0x5a)};
  std::string out;
  AppendValueLine(out, v);
  std::istringstream lines(out);
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.back(), '\r');
    EXPECT_LE(line.size(), 81u);  // 80 characters and the CR
    if (count > 1) {
      EXPECT_EQ(line.substr(0, 2), "  ");
    }
  }
  EXPECT_GT(count, 3);
  const auto ops = ParseRegFile("REGEDIT4\r\n[HKEY_CURRENT_USER\\x]\r\n" + out);
  ASSERT_EQ(ops.size(), 2u);
  EXPECT_EQ(ops[1].value.data, v.data);
}

// Every file of the shared table loads with the meaning written there, or is refused at its line
// while the part before the fault loads as regedit imports it. What loads saves and reads back
// unchanged.
TEST(RegFileReader, ReadsWhatRegeditImportsWithItsMeaning) {
  for (const auto& c : testing::RegeditCases()) {
    SCOPED_TRACE(c.name);
    MemoryBackend b;
    if (c.refused_line == 0) {
      ASSERT_NO_THROW(b.ImportRegText(testing::CaseBytes(c)));
    } else {
      try {
        MemoryBackend whole;
        whole.ImportRegText(testing::CaseBytes(c));
        ADD_FAILURE() << "accepted";
      } catch (const RegFileError& e) {
        EXPECT_EQ(e.line(), c.refused_line) << e.what();
      }
      try {
        b.ImportRegText(testing::CaseBytes(c, true));
      } catch (const RegFileError&) {
        // A file refused at its header has nothing before the fault.
      }
    }
    const std::string saved = b.ExportRegText();
    EXPECT_EQ(testing::CaseTree(c, saved), testing::CaseExpect(c));
    MemoryBackend again;
    again.ImportRegText(saved);
    EXPECT_EQ(again.ExportRegText(), saved);
  }
}

TEST(RegFileReader, RefusesWhatTheRegistryCannotHold) {
  const struct {
    std::string text;
    int line;
  } cases[] = {
      {"", 1},
      {"REGEDIT4\n[HKEY_USERS\\x]\n", 2},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\" + std::string(256, 'k') + "]\n", 2},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"" + std::string(16384, 'n') + "\"=\"v\"\n", 3},
  };
  for (const auto& c : cases) {
    try {
      ParseRegFile(c.text);
      ADD_FAILURE() << "accepted: " << c.text.substr(0, 40);
    } catch (const RegFileError& e) {
      EXPECT_EQ(e.line(), c.line) << e.what();
    }
  }
}

// A HKEY_CLASSES_ROOT section goes where a write through that root goes: the user's classes where
// the key is there, else the machine's; removals take the user's key first. Files saved before the
// root was a view hold such sections and load the same way.
TEST(RegFileReader, ClassesRootSectionsLandWhereTheViewWrites) {
  MemoryBackend b;
  b.ImportRegText(
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Classes\\Mine]\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Both]\r\n\"m\"=\"1\"\r\n\"x\"=\"1\"\r\n"
      "[HKEY_CURRENT_USER\\Software\\Classes\\Both]\r\n\"x\"=\"1\"\r\n"
      "[HKEY_CLASSES_ROOT\\Mine]\r\n\"a\"=\"user\"\r\n"
      "[HKEY_CLASSES_ROOT\\CLSID\\{X}]\r\n@=\"machine\"\r\n"
      "[HKEY_CLASSES_ROOT\\Both]\r\n\"x\"=-\r\n\"m\"=-\r\n"
      "[-HKEY_CLASSES_ROOT\\Both]\r\n");
  ScopedRegistry scope(b);
  EXPECT_EQ(ReadUserText("Software\\Classes\\Mine", "a"), "user");
  EXPECT_EQ(ReadMachineText("Software\\Classes\\CLSID\\{X}", ""), "machine");
  EXPECT_FALSE(KeyExistsAt(kCurrentUser, "Software\\Classes\\Both"));
  NameList values;
  ListValues(kLocalMachine, "Software\\Classes\\Both", values);
  EXPECT_EQ(values, NameList{"x"});  // the user's "x" went, then the user's key
  const std::string saved = b.ExportRegText();
  EXPECT_EQ(saved.find("HKEY_CLASSES_ROOT"), std::string::npos);
}

TEST(RegFileReader, AnyBytesLoadOrAreRefused) {
  const std::string seed =
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\S\\T]\r\n@=\"x\"\r\n\"a\"=dword:00000001\r\n"
      "\"b\"=hex(7):61,00,62,00,00,00\r\n[-HKEY_LOCAL_MACHINE\\S]\r\n\"c\"=-\r\n";
  std::mt19937 rng(1234);
  for (int round = 0; round < 3000; ++round) {
    std::string s = seed;
    const int edits = 1 + static_cast<int>(rng() % 6);
    for (int e = 0; e < edits; ++e) {
      const size_t at = rng() % (s.size() + 1);
      switch (rng() % 3) {
        case 0: s.insert(at, 1, static_cast<char>(rng() % 256)); break;
        case 1: if (at < s.size()) s.erase(at, 1); break;
        default: if (at < s.size()) s[at] = static_cast<char>(rng() % 256); break;
      }
    }
    if (round % 2) s = "\xff\xfe" + s;
    MemoryBackend b;
    try {
      b.ImportRegText(s);
      b.ExportRegText();
    } catch (const RegFileError&) {
    }
  }
}

TEST(RegFileBinding, LoadsSavesAfterEachChangeAndRoundTrips) {
  TempDir dir;
  const auto file = dir / "Quillet.reg";
  {
    MemoryBackend b;
    b.BindFile(file.string());
    EXPECT_FALSE(fs::exists(file));  // nothing is written until something changes
    ScopedRegistry scope(b);
    WriteMachineText("Software\\CLASSES\\CLSID\\{X}", "", "Name");
    EXPECT_NE(Slurp(file).find("@=\"Name\""), std::string::npos);
    WriteDword(kCurrentUser, "H", "{X}", 1);
    SetRaw(b, kCurrentUser, "H", "raw", 0x12345678, std::string("\0\x01\xff", 3));
    b.Commit();
  }
  const std::string saved = Slurp(file);
  MemoryBackend again;
  again.BindFile(file.string());
  EXPECT_EQ(again.ExportRegText(), saved);
  ScopedRegistry scope(again);
  EXPECT_EQ(ReadMachineText("software\\classes\\clsid\\{x}", ""), "Name");
  EXPECT_EQ(ReadDword(kCurrentUser, "H", "{X}"), 1);
  EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
}

TEST(RegFileBinding, AFileThatCannotBeParsedIsNeverOverwritten) {
  TempDir dir;
  const auto file = dir / "Quillet.reg";
  const std::string broken = "REGEDIT4\r\n[HKEY_CURRENT_USER\\a]\r\n\"v\"=dword:xyz\r\n";
  Spit(file, broken);
  MemoryBackend b;
  try {
    b.BindFile(file.string());
    FAIL() << "a broken file was accepted";
  } catch (const RegFileError& e) {
    EXPECT_EQ(e.line(), 3);
  }
  EXPECT_EQ(b.BoundFile(), "");
  ScopedRegistry scope(b);
  WriteTextAt(kCurrentUser, "a", "v", "changed");
  b.Commit();
  EXPECT_EQ(Slurp(file), broken);
}

}  // namespace
}  // namespace quillet
