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

TEST(RegFileReader, ReadsCommentsDeletionsAndBothHeaders) {
  MemoryBackend b;
  b.ImportRegText(
      "REGEDIT4\n"
      "; a comment\n"
      "\n"
      "[HKEY_CURRENT_USER\\A\\\\B\\]\n"
      "\"keep\"=\"1\"\n"
      "\"drop\"=\"2\"\n"
      "@=dword:7\n"
      "[HKCU\\A\\Gone\\Deep]\n"
      "[-HKEY_CURRENT_USER\\a\\gone]\n"
      "[HKEY_CURRENT_USER\\A\\B]\n"
      "\"drop\"=-\n"
      "\"hex\"=hex(2):41,\\\n"
      "    42,00\n");
  EXPECT_EQ(ReadUserText("A\\B", "keep"), "");  // the default backend is not this one
  ScopedRegistry scope(b);
  EXPECT_EQ(ReadUserText("A\\B", "keep"), "1");
  EXPECT_EQ(ReadUserText("A\\B", "hex"), "AB");
  EXPECT_EQ(ReadDword(kCurrentUser, "A\\B", ""), 7);
  EXPECT_FALSE(KeyExistsAt(kCurrentUser, "A\\Gone"));
  NameList values;
  ListValues(kCurrentUser, "A\\B", values);
  EXPECT_EQ(values, (NameList{"keep", "", "hex"}));

  // The same content as regedit writes it today: UTF-16LE with its byte-order mark.
  std::string v5 = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\W]\r\n"
                   "\"t\"=\"caf\xe9\"\r\n\"e\"=hex(2):25,00,41,00,25,00,00,00\r\n";
  std::string utf16 = "\xff\xfe";
  for (char c : v5) {
    utf16 += c;
    utf16 += '\0';
  }
  MemoryBackend w;
  w.ImportRegText(utf16);
  ScopedRegistry scope2(w);
  EXPECT_EQ(ReadMachineText("W", "t"), "caf\xe9");
  EXPECT_EQ(ReadMachineText("W", "e"), "%A%");
}

TEST(RegFileReader, RefusesWhatItCannotReadNamingTheLine) {
  struct Case {
    const char* text;
    int line;
  } const cases[] = {
      {"", 1},
      {"hello\n", 1},
      {"\n\nREGEDIT5\n", 3},
      {"REGEDIT4\n\"v\"=\"x\"\n", 2},                     // a value before any key
      {"REGEDIT4\n[HKEY_USERS\\x]\n", 2},                 // a root the program has no use for
      {"REGEDIT4\n[HKCU\\x]\n\"v\"=\"open\n", 3},          // an unclosed quote
      {"REGEDIT4\n[HKCU\\x]\n\n\"v\"=dword:123456789\n", 4},
      {"REGEDIT4\n[HKCU\\x]\n\"v\"=hex:zz\n", 3},
      {"REGEDIT4\n[HKCU\\x]\n\"v\"=hex(:01\n", 3},
      {"REGEDIT4\n[HKCU\\x]\nnonsense\n", 3},
      {"REGEDIT4\n[HKCU\\x\n", 2},
      {"REGEDIT4\n[HKCU\\x]\n\"v\"=\"a\" trailing\n", 3},
  };
  for (const auto& c : cases) {
    try {
      ParseRegFile(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const RegFileError& e) {
      EXPECT_EQ(e.line(), c.line) << c.text << " -> " << e.what();
    }
  }
  // A key name longer than the registry allows.
  EXPECT_THROW(ParseRegFile("REGEDIT4\n[HKCU\\" + std::string(256, 'k') + "]\n"), RegFileError);
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
