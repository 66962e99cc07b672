// The .reg file a memory registry is kept in: exact text out, tolerant reading in, refusals that
// name their line, and saves that never leave half a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <utility>
#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "base/text.h"
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

// The steps a parse hands on, written out; or the line it refused.
class Steps : public RegTextSink {
 public:
  void Key(RegRoot root, std::string_view path, int line) override { Add("key", root, path, line); }
  void DeleteKey(RegRoot root, std::string_view path, int line) override {
    Add("delete key", root, path, line);
  }
  void Value(std::string_view name, std::uint32_t type, std::string_view data, int line) override {
    Add("value " + std::string(name), type, data, line);
  }
  void DeleteValue(std::string_view name, int line) override { Add("delete value", 0, name, line); }
  std::string text;

 private:
  void Add(const std::string& what, std::uintptr_t n, std::string_view s, int line) {
    text += what + " " + std::to_string(n) + " [" + std::string(s) + "] " + std::to_string(line) + "\n";
  }
};

template <typename Parse>
std::string StepsOf(Parse parse) {
  Steps steps;
  try {
    const RegTextEnd end = parse(steps);
    return steps.text + (end.value_continues ? "continues" : "ends");
  } catch (const RegFileError& e) {
    return steps.text + e.what();
  }
}

// A file is read a piece at a time; however its lines fall across the pieces, it means what its
// text means.
TEST(RegFileReader, AFileReadInPiecesMeansWhatItsTextMeans) {
  TempDir dir;
  const std::string file = (dir / "case.reg").string();
  for (const auto& c : testing::RegeditCases()) {
    SCOPED_TRACE(c.name);
    const std::string bytes = testing::CaseBytes(c);
    Spit(file, bytes);
    const std::string expected = StepsOf([&](RegTextSink& s) { return ParseRegText(bytes, s); });
    for (size_t piece : {1, 2, 3, 5, 16, 4096}) {
      std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(file.c_str(), "rb"), std::fclose);
      ASSERT_TRUE(in);
      EXPECT_EQ(StepsOf([&](RegTextSink& s) { return ParseRegFile(in.get(), bytes.size(), s, piece); }),
                expected)
          << "pieces of " << piece;
    }
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

namespace quillet {
namespace {

std::string Bytes(std::uint32_t n) { return std::string(reinterpret_cast<const char*>(&n), 4); }

// The tree a plain reading of the text gives, as regedit would import it.
std::string PlainTree(const std::string& text) {
  MemoryBackend b;
  b.ImportRegText(text);
  return b.ExportRegText();
}

// A memory registry kept in a file of its own, which takes every change it can at its end.
struct KeptRegistry {
  explicit KeptRegistry(const std::string& text = {}) {
    if (!text.empty()) Spit(file, text);
    b.SetWholeSaveLimit(0);
    b.BindFile(file);
  }
  TempDir dir;
  const std::string file = (dir / "Quillet.reg").string();
  MemoryBackend b;
};

std::string LoadedTree(const std::string& file) {
  MemoryBackend b;
  b.BindFile(file);
  return b.ExportRegText();
}

// A large file takes each change at its end; whatever the changes, the file loads to the tree in
// memory, and regedit reads it to the same. It is written whole again when the changes come to
// half of it.
TEST(RegFileKeeping, ChangesAtTheEndLoadToTheTreeInMemory) {
  KeptRegistry kept;
  MemoryBackend& b = kept.b;
  const std::string& file = kept.file;
  std::mt19937 rng(99);
  const char* const keys[] = {"A", "a\\B", "A\\b\\C", "Q]x\\y", "Software\\Classes\\K"};
  const char* const names[] = {"", "v", "V", "na\"me\\", "multi\nline"};
  int appended = 0, whole = 0;
  std::string last;
  for (int step = 0; step < 300; ++step) {
    const RegRoot root = rng() % 2 ? kLocalMachine : kCurrentUser;
    std::string key = keys[rng() % 5];
    if (rng() % 2) key = base::AsciiUpper(key);
    const std::string name = names[rng() % 5];
    RegHandle h = 0;
    switch (rng() % 6) {
      case 0:
      case 1: {
        const std::uint32_t type = std::array<std::uint32_t, 5>{kTypeSz, kTypeDword, kTypeBinary,
                                                                 kTypeExpandSz, 0x1234}[rng() % 5];
        std::string data = type == kTypeDword ? Bytes(rng()) : std::string(rng() % 120, 'x');
        for (char& c : data) c = static_cast<char>(rng() % 256);
        if (type == kTypeSz || type == kTypeExpandSz) data += '\0';
        ASSERT_EQ(b.CreateKey(root, key, kAccessAll, &h), kOk);
        b.SetValue(h, name, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                   static_cast<std::uint32_t>(data.size()));
        b.CloseKey(h);
        break;
      }
      case 2:
        if (b.OpenKey(root, key, kAccessAll, &h) == kOk) {
          b.DeleteValue(h, name);
          b.CloseKey(h);
        }
        break;
      case 3:
        if (b.CreateKey(root, key + "\\New", kAccessAll, &h) == kOk) b.CloseKey(h);
        break;
      case 4: {
        ScopedRegistry scope(b);
        DeleteKeyAt(root, key);
        break;
      }
      default: {
        // Through the classes view, which writes where the key lives.
        ASSERT_EQ(b.CreateKey(kClassesRoot, "K\\Sub", kAccessAll, &h), kOk);
        const std::string data = "view " + std::to_string(step) + '\0';
        b.SetValue(h, name, kTypeSz, reinterpret_cast<const std::uint8_t*>(data.data()),
                   static_cast<std::uint32_t>(data.size()));
        b.CloseKey(h);
        break;
      }
    }
    b.Commit();
    const std::string saved = Slurp(file);
    const bool at_end = !last.empty() && saved.size() > last.size() && saved.compare(0, last.size(), last) == 0;
    appended += at_end;
    whole += !at_end && saved != last;
    last = saved;
    const std::string tree = b.ExportRegText();
    ASSERT_EQ(LoadedTree(file), tree) << "step " << step;
    ASSERT_EQ(PlainTree(saved), tree) << "step " << step;
  }
  EXPECT_GT(appended, 100);
  EXPECT_GT(whole, 5);
}

// A kill cuts the first step of a save at any byte, and the second before or after its one
// write. Cut in the first, the file loads to the tree before the save, as regedit reads it. Only
// a power loss tears the second step's write: the file then still loads to the tree before the
// save, never half of the change, while regedit finds whole lines of the change, never a line cut
// short. After any of these the next save writes the file whole, and it loads to the same tree
// after it.
TEST(RegFileKeeping, AFileCutAnywhereInASaveKeepsWhatWasSavedBefore) {
  KeptRegistry kept;
  MemoryBackend& b = kept.b;
  const std::string& file = kept.file;
  {
    ScopedRegistry scope(b);
    for (int i = 0; i < 100; ++i) WriteTextAt(kLocalMachine, "Base\\K" + std::to_string(i), "v", "value");
    CreateKeyAt(kLocalMachine, "Old\\Leaf");
    WriteDword(kCurrentUser, "Hide", "{X}", 1);
  }
  const std::string before = Slurp(file);
  const std::string before_tree = b.ExportRegText();
  // One save of several lines.
  RegHandle h = 0;
  ASSERT_EQ(b.CreateKey(kCurrentUser, "New\\Key", kAccessAll, &h), kOk);
  const std::string text("a \"text\"\0", 9), blob(40, '\x5a');
  b.SetValue(h, "", kTypeSz, reinterpret_cast<const std::uint8_t*>(text.data()), 9);
  b.SetValue(h, "blob", kTypeBinary, reinterpret_cast<const std::uint8_t*>(blob.data()), 40);
  b.CloseKey(h);
  ASSERT_EQ(b.DeleteKey(kLocalMachine, "Old\\Leaf"), kOk);
  ASSERT_EQ(b.OpenKey(kLocalMachine, "Base\\K3", kAccessAll, &h), kOk);
  b.DeleteValue(h, "v");
  b.CloseKey(h);
  b.Commit();
  const std::string after = Slurp(file);
  ASSERT_EQ(after.compare(0, before.size(), before), 0) << "the change goes at the end";
  const std::string change = after.substr(before.size());
  // As the first step writes it: each line's first character a ";", then the closing line.
  const size_t closing = change.rfind("\r\n", change.size() - 3) + 2;
  std::string comments = change;
  std::vector<size_t> line_starts;
  for (size_t i = 0; i < closing; i = change.find('\n', i) + 1) {
    comments[i] = ';';
    line_starts.push_back(i);
  }
  ASSERT_GT(line_starts.size(), 5u);
  const std::string after_tree = b.ExportRegText();

  auto check = [&](const std::string& cut, const std::string& plain) {
    Spit(file, cut);
    MemoryBackend loaded;
    loaded.SetWholeSaveLimit(0);
    ASSERT_NO_THROW(loaded.BindFile(file));
    ASSERT_EQ(loaded.ExportRegText(), cut == after ? after_tree : before_tree);
    ASSERT_EQ(PlainTree(cut), plain);
    // The next save is whole, or follows a whole line.
    ScopedRegistry scope(loaded);
    WriteTextAt(kCurrentUser, "Next", "n", "1");
    const std::string next = loaded.ExportRegText();
    ASSERT_EQ(LoadedTree(file), next);
    ASSERT_EQ(PlainTree(Slurp(file)), next);
  };
  for (size_t k = 0; k <= change.size(); ++k) {
    SCOPED_TRACE("first step, cut at " + std::to_string(k));
    check(before + comments.substr(0, k), before_tree);
  }
  {
    SCOPED_TRACE("second step written");
    check(after, after_tree);
  }
  for (size_t k = 1; k < closing; ++k) {
    SCOPED_TRACE("second step torn at " + std::to_string(k));
    const size_t whole_lines = std::count_if(line_starts.begin(), line_starts.end(),
                                             [&](size_t start) { return start < k; });
    const size_t made = whole_lines < line_starts.size() ? line_starts[whole_lines] : closing;
    check(before + change.substr(0, k) + comments.substr(k), PlainTree(before + change.substr(0, made)));
  }
}

// Each step of a change is one write: the second makes every line of the change at once, so
// that a kill leaves none of it or all of it for regedit. A change that would cross a page
// boundary, where Linux can stop a killed process's write, starts on the next page. A write that
// fails is reported, and the backend then writes the file whole.
TEST(RegFileKeeping, EachStepOfAChangeIsOneWrite) {
  const std::string head = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"1\"\r\n\r\n";
  const std::string lines =
      "[HKEY_CURRENT_USER\\A]\r\n\"b\"=hex:01,02\r\n\"a\"=-\r\n[-HKEY_CURRENT_USER\\C]\r\n";
  TempDir dir;
  const std::string path = (dir / "Quillet.reg").string();
  // A change at the start of a page, in the middle, ending on its end, and crossing it with room
  // for a comment line before the next or without.
  for (const size_t page_left :
       {size_t{4096}, size_t{1000}, lines.size(), lines.size() - 1, size_t{2}, size_t{1}}) {
    SCOPED_TRACE("page left " + std::to_string(page_left));
    const std::string base = head + ";" + std::string(8192 - page_left - head.size() - 3, '-') + "\r\n";
    KeptFile file;
    file.exists = file.appendable = true;
    file.size = file.base = base.size();
    std::string text = base;
    std::vector<std::pair<std::uint64_t, std::string>> writes;
    const std::uint64_t end = AppendKeptChange(
        [&](std::uint64_t at, std::string_view bytes) {
          writes.emplace_back(at, bytes);
          text.resize(std::max<size_t>(text.size(), at + bytes.size()));
          text.replace(at, bytes.size(), bytes);
          if (writes.size() == 1) {
            Spit(path, text);
            EXPECT_EQ(LoadedTree(path), PlainTree(base));
            EXPECT_EQ(PlainTree(text), PlainTree(base));
          }
          return true;
        },
        file, lines);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].first, base.size());
    EXPECT_EQ(writes[1].second, lines);
    EXPECT_EQ(writes[1].first / 4096, (writes[1].first + lines.size() - 1) / 4096);
    EXPECT_LE(writes[1].first - base.size(), page_left < lines.size() ? page_left + 4096 : 0);
    EXPECT_EQ(end, text.size());
    Spit(path, text);
    EXPECT_EQ(LoadedTree(path), PlainTree(base + lines));
    EXPECT_EQ(PlainTree(text), PlainTree(base + lines));
  }

  KeptFile file;
  file.exists = file.appendable = true;
  file.size = file.base = head.size();
  for (const int failing : {1, 2}) {
    int calls = 0;
    EXPECT_THROW(AppendKeptChange([&](std::uint64_t, std::string_view) { return ++calls != failing; },
                                  file, lines),
                 std::runtime_error);
    EXPECT_EQ(calls, failing);
  }
}

// Files the backend did not write in its own form take no change at their end: the first save
// writes them whole. So does one that another program changed since.
TEST(RegFileKeeping, FilesNotAsTheBackendLeftThemAreWrittenWhole) {
  std::string wide = "\xff\xfe";
  for (char c : std::string("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\W]\r\n"))
    wide += {c, '\0'};
  const std::string cases[] = {
      wide,
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"h\"=hex:01,\\\r\n",
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"t\"=\"no break\"",
      "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n",
      "REGEDIT\r\nHKEY_CLASSES_ROOT\\A = a\r\n",
  };
  for (const auto& text : cases) {
    SCOPED_TRACE(text);
    KeptRegistry kept(text);
    RegHandle h = 0;
    ASSERT_EQ(kept.b.CreateKey(kCurrentUser, "B", kAccessAll, &h), kOk);
    const std::uint8_t data[] = {'2', 0};
    kept.b.SetValue(h, "b", kTypeSz, data, 2);
    kept.b.CloseKey(h);
    kept.b.Commit();
    const std::string tree = kept.b.ExportRegText();
    EXPECT_EQ(LoadedTree(kept.file), tree);
    EXPECT_EQ(PlainTree(Slurp(kept.file)), tree);
  }
  KeptRegistry kept;
  MemoryBackend& b = kept.b;
  const std::string& file = kept.file;
  ScopedRegistry scope(b);
  WriteTextAt(kCurrentUser, "A", "a", "1");
  WriteTextAt(kCurrentUser, "A", "b", "2");
  std::ofstream(file, std::ios::binary | std::ios::app) << "[HKEY_CURRENT_USER\\Theirs]\r\n";
  WriteTextAt(kCurrentUser, "A", "c", "3");
  EXPECT_EQ(Slurp(file), b.ExportRegText());
}

// Keys nested as deep as a file's line can hold load, change and go without taking the stack.
TEST(RegFileKeeping, DeeplyNestedKeysLoadAndGo) {
  TempDir dir;
  const std::string file = (dir / "Quillet.reg").string();
  std::string path;
  for (int i = 0; i < 150000; ++i) path += "k\\";
  const std::string text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + path + "]\r\n\"v\"=\"deep\"\r\n";
  Spit(file, text);
  MemoryBackend loaded, imported;
  loaded.BindFile(file);
  imported.ImportRegText(text);
  ScopedRegistry scope(imported);
  EXPECT_EQ(ReadUserText(path, "v"), "deep");
  RemoveValue(kCurrentUser, path, "v");
  EXPECT_EQ(ReadUserText(path, "v"), "");
  imported.Clear();
  ScopedRegistry from_file(loaded);
  EXPECT_EQ(ReadUserText(path, "v"), "deep");
}

#ifndef _WIN32
// Change `i` of a series: a counter, a key made, an older one removed; saved when bound.
void SeriesChange(MemoryBackend& b, std::uint32_t i) {
  RegHandle h = 0;
  b.CreateKey(kCurrentUser, "Series", kAccessAll, &h);
  b.SetValue(h, "n", kTypeDword, reinterpret_cast<const std::uint8_t*>(&i), 4);
  b.CloseKey(h);
  if (b.CreateKey(kLocalMachine, "Made\\K" + std::to_string(i), kAccessAll, &h) == kOk) b.CloseKey(h);
  if (i >= 5) b.DeleteKey(kLocalMachine, "Made\\K" + std::to_string(i - 5));
  b.Commit();
}

// The last change of the series a tree holds.
std::int64_t SeriesAt(MemoryBackend& b) {
  ScopedRegistry scope(b);
  return KeyExistsAt(kCurrentUser, "Series") ? ReadDword(kCurrentUser, "Series", "n") : -1;
}

// A process killed at any moment while it saves change after change to a large file leaves a
// file that loads to the tree of one of its saves, and that regedit reads to the same tree.
TEST(RegFileKeeping, AProcessKilledWhileSavingLeavesOneOfItsSaves) {
  TempDir dir;
  const std::string file = (dir / "Quillet.reg").string();
  {
    // Large enough that changes go at its end, and are written whole now and then.
    std::string text = "REGEDIT4\r\n";
    for (int i = 0; i < 1500; ++i)
      text += "[HKEY_LOCAL_MACHINE\\Base\\Key" + std::to_string(i) + "]\r\n\"v\"=\"value\"\r\n";
    MemoryBackend b;
    b.BindFile(file);
    b.ImportRegText(text);
    b.Commit();
  }
  std::mt19937 rng(5);
  for (int round = 0; round < 10; ++round) {
    MemoryBackend start;
    start.BindFile(file);
    const auto first = static_cast<std::uint32_t>(SeriesAt(start) + 1);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      MemoryBackend b;
      b.BindFile(file);
      for (std::uint32_t i = first; i < first + 100000; ++i) SeriesChange(b, i);
      _exit(0);
    }
    usleep(1000 + rng() % 40000);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    MemoryBackend after;
    ASSERT_NO_THROW(after.BindFile(file)) << "round " << round;
    ASSERT_EQ(PlainTree(Slurp(file)), after.ExportRegText()) << "round " << round;
    const std::int64_t last = SeriesAt(after);
    ASSERT_GE(last + 1, static_cast<std::int64_t>(first)) << "round " << round;
    MemoryBackend expected;
    expected.ImportRegText(start.ExportRegText());
    for (auto i = first; i <= last; ++i) SeriesChange(expected, i);
    ASSERT_EQ(after.ExportRegText(), expected.ExportRegText()) << "round " << round;
  }
  MemoryBackend end;
  end.BindFile(file);
  EXPECT_GT(SeriesAt(end), 100) << "the saves went on";
}
#endif

// A handle on a loaded key answers "deleted" once the key goes, and nothing is left behind when
// another file is bound over it.
TEST(RegFileKeeping, HandlesOnLoadedKeysOutliveTheirKeys) {
  TempDir dir;
  const std::string file = (dir / "Quillet.reg").string();
  Spit(file, "REGEDIT4\r\n[HKEY_CURRENT_USER\\A\\B]\r\n\"v\"=\"1\"\r\n");
  MemoryBackend b;
  b.BindFile(file);
  RegHandle kept = 0;
  ASSERT_EQ(b.OpenKey(kCurrentUser, "A\\B", kAccessRead, &kept), kOk);
  ASSERT_EQ(b.DeleteKey(kCurrentUser, "A\\B"), kOk);
  ASSERT_EQ(b.DeleteKey(kCurrentUser, "A"), kOk);
  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(b.QueryValue(kept, "v", &type, nullptr, &size), kErrKeyDeleted);
  RegHandle other = 0;
  b.ImportRegText("REGEDIT4\r\n[HKEY_CURRENT_USER\\C]\r\n\"v\"=\"2\"\r\n");
  ASSERT_EQ(b.OpenKey(kCurrentUser, "C", kAccessRead, &other), kOk);
  b.BindFile(file);
  EXPECT_EQ(b.QueryValue(other, "v", &type, nullptr, &size), kErrInvalidHandle);
  EXPECT_EQ(b.CloseKey(kept), kErrInvalidHandle);
}

}  // namespace
}  // namespace quillet
