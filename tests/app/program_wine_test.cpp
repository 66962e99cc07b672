// The real program, started as a user would, in the test's Wine prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/program_driver.h"
#include "registry/memory_backend.h"
#include "registry/registry_store.h"

namespace quillet {
namespace {

using namespace quillet::driver;

std::string ReadUserValue(const char* key, const char* name) {
  char buf[1024] = {};
  DWORD size = sizeof buf;
  if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS) return "<none>";
  return buf;
}

void SetUserValue(const char* key, const char* name, const char* value) {
  HKEY k;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr), ERROR_SUCCESS);
  RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
  RegCloseKey(k);
}

bool MachineKeyExists(const char* path) {
  HKEY k;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

const std::string kExe = WindowsPath(QUILLET_EXE);

std::string ReadFileText(const std::string& path) {
  std::string text;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return text;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got) text.append(buf, got);
  CloseHandle(f);
  return text;
}

void RemoveFilesIn(const std::string& folder) {
  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA((folder + "*").c_str(), &d);
  if (h == INVALID_HANDLE_VALUE) return;
  do DeleteFileA((folder + d.cFileName).c_str());
  while (FindNextFileA(h, &d));
  FindClose(h);
  RemoveDirectoryA(folder.c_str());
}

// A folder of its own under the temporary folder, removed with what it holds.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((path_ + "*").c_str(), &d);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string p = path_ + d.cFileName;
        if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          // A sandbox's History folder, whose records go first.
          if (d.cFileName[0] != '.') RemoveFilesIn(p + "\\");
        }
        else
          DeleteFileA(p.c_str());
      } while (FindNextFileA(h, &d));
      FindClose(h);
    }
    RemoveDirectoryA(path_.c_str());
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

TEST(Program, PromptFirstThenTheMainWindowAndASecondOneFromTheIcon) {
  RegDeleteTreeA(HKEY_CURRENT_USER, "Brask");
  Program p;
  ASSERT_TRUE(p.Start(kExe));
  HWND prompt = WaitForWindow(p.Id(), "TfrmDonate");
  ASSERT_TRUE(prompt) << "a first start shows the donation prompt";
  EXPECT_EQ(TextOf(prompt), "Support \"Quillet\"");
  EXPECT_TRUE(WindowsOf(p.Id(), "TQuilletFrm", true).empty()) << "before the main window shows";
  EXPECT_FALSE(WindowsOf(p.Id(), "TQuilletFrm", false).empty());
  EXPECT_EQ(ReadUserValue("Brask", "03"), kExe);
  EXPECT_TRUE(MachineKeyExists("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\NetworkNeighborhood\\NameSpace"));
  EXPECT_TRUE(MachineKeyExists("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths"));

  ASSERT_TRUE(ClickButton(prompt, "Close"));
  HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
  ASSERT_TRUE(main);
  EXPECT_EQ(TextOf(main), "Quillet");
  EXPECT_EQ(ReadUserValue("Brask\\Support", "03"), "1") << "closing the prompt stores the box";
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 711);
  EXPECT_EQ(client.bottom, 569);

  // The header icon opens a full second window, which runs start-up again.
  PostMessageA(main, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 26));
  HWND second_prompt = WaitForWindow(p.Id(), "TfrmDonate");
  ASSERT_TRUE(second_prompt);
  ClickButton(second_prompt, "Close");
  ASSERT_TRUE(WaitForWindow(p.Id(), "TQuilletFrm", 20000, 2));
  auto windows = WindowsOf(p.Id(), "TQuilletFrm", true);
  ASSERT_EQ(windows.size(), 2u);
  HWND second = windows[0] == main ? windows[1] : windows[0];
  EXPECT_EQ(GetWindow(second, GW_OWNER), main);

  PostMessageA(second, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(second); })) << "closing the second window hides it";
  EXPECT_FALSE(p.WaitForExit(200));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(kPatience)) << "closing the first window ends the program";
}

TEST(Program, UnreadableListFileGivesOneErrorBoxAndTheWindowStillComesUp) {
  SetUserValue("Brask\\Support", "03", "0");
  TempFolder folder("quillet-unreadable");
  const std::string exe = folder.Path() + "quillet.exe";
  ASSERT_TRUE(CopyFileA(kExe.c_str(), exe.c_str(), FALSE));
  // A folder by that name exists but cannot be opened as a file.
  CreateDirectoryA((folder.Path() + "CLSID.dat").c_str(), nullptr);
  Program p;
  ASSERT_TRUE(p.Start(exe));
  HWND box = WaitForWindow(p.Id(), "#32770");
  ASSERT_TRUE(box);
  EXPECT_EQ(TextOf(box), "Quillet");
  HWND text = GetDlgItem(box, 0xFFFF);
  ASSERT_TRUE(text);
  const std::string expected = "Cannot open file \"" + folder.Path() + "CLSID.dat\". ";
  EXPECT_EQ(TextOf(text).substr(0, expected.size()), expected) << TextOf(text);
  EXPECT_TRUE(WindowsOf(p.Id(), "TfrmDonate", false).empty()) << "the prompt is switched off";
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  // Start-up shows its error boxes before the main window.
  HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
  ASSERT_TRUE(main);
  EXPECT_TRUE(WindowsOf(p.Id(), "#32770", true).empty()) << "one error box only";
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(kPatience));
}

TEST(Program, SandboxKeepsItsRegistryInQuilletRegBesideIt) {
  SetUserValue("Brask\\Support", "03", "0");
  TempFolder folder("quillet-sandbox");
  const std::string exe = folder.Path() + "quillet-sandbox.exe";
  ASSERT_TRUE(CopyFileA(WindowsPath(QUILLET_SANDBOX_EXE).c_str(), exe.c_str(), FALSE));
  Program p;
  ASSERT_TRUE(p.Start(exe));
  // Its registry starts empty, so the prompt is due whatever the machine's says.
  HWND prompt = WaitForWindow(p.Id(), "TfrmDonate");
  ASSERT_TRUE(prompt);
  ClickButton(prompt, "Close");
  HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
  ASSERT_TRUE(main);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(kPatience));
  const std::string reg = ReadFileText(folder.Path() + "Quillet.reg");
  EXPECT_EQ(reg.rfind("REGEDIT4", 0), 0u);
  EXPECT_NE(reg.find("[HKEY_CURRENT_USER\\Brask\\Support]"), std::string::npos) << reg;
  EXPECT_NE(reg.find("quillet-sandbox.exe"), std::string::npos);
  EXPECT_NE(reg.find("NetworkNeighborhood\\NameSpace]"), std::string::npos);
  EXPECT_NE(ReadUserValue("Brask", "03"), exe) << "the machine's registry is left alone";
}

// A control of a toolkit class standing at a place on its parent, as its page lays it out.
HWND ControlAt(HWND window, const std::string& cls, int left, int top) {
  struct Query {
    const std::string* cls;
    POINT at;
    HWND found;
  } q{&cls, {left, top}, nullptr};
  EnumChildWindows(
      window,
      [](HWND h, LPARAM lp) -> BOOL {
        auto* q = reinterpret_cast<Query*>(lp);
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
        if (ClassOf(h) != *q->cls || !IsWindowVisible(h) || r.left != q->at.x || r.top != q->at.y)
          return TRUE;
        q->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&q));
  return q.found;
}

// A control's text in another process: GetWindowText would give its caption only.
std::string ControlText(HWND h) {
  char text[1024] = {};
  SendMessageA(h, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

bool WaitForText(HWND h, const std::string& text) {
  return WaitUntil([&] { return ControlText(h) == text; });
}

// As typed into the CLSID box: the text, then the notification the combo box sends for typing.
void ChooseClsid(HWND combo, const std::string& clsid) {
  SetWindowTextA(combo, clsid.c_str());
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_EDITCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

// A regedit export of HKEY_CLASSES_ROOT dropped in as the sandbox's registry shows on the creator
// page, which reads the machine's classes; an object made there is seen through
// HKEY_CLASSES_ROOT, where the other pages read.
TEST(Program, SandboxShowsClassesFromARegeditExportAndItsOwnThroughTheClassesRoot) {
  TempFolder folder("quillet-sandbox-classes");
  const std::string exe = folder.Path() + "quillet-sandbox.exe";
  ASSERT_TRUE(CopyFileA(WindowsPath(QUILLET_SANDBOX_EXE).c_str(), exe.c_str(), FALSE));
  const std::string kA = "{0A0A0A0A-1111-2222-3333-444444444444}";
  const std::string kB = "{0B0B0B0B-1111-2222-3333-444444444444}";
  const std::string export_text =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Brask\\Support]\r\n"
      "\"03\"=\"0\"\r\n\r\n[HKEY_CLASSES_ROOT\\CLSID\\" + kA + "]\r\n@=\"From regedit\"\r\n";
  std::string utf16 = "\xff\xfe";
  for (char c : export_text) utf16 += {c, '\0'};
  {
    HANDLE f = CreateFileA((folder.Path() + "Quillet.reg").c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, utf16.data(), static_cast<DWORD>(utf16.size()), &written, nullptr);
    CloseHandle(f);
  }
  Program p;
  ASSERT_TRUE(p.Start(exe));
  HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
  ASSERT_TRUE(main) << "the prompt is switched off in the file";
  HWND combo = ControlAt(main, "TComboBox", 128, 16), name = ControlAt(main, "TEdit", 128, 48);
  ASSERT_TRUE(combo && name);
  auto choose = [&](const std::string& clsid) { ChooseClsid(combo, clsid); };
  choose(kA);
  EXPECT_TRUE(WaitForText(name, "From regedit")) << ControlText(name);

  choose(kB);
  ASSERT_TRUE(WaitForText(name, ""));
  SetWindowTextA(name, "Made here");
  // Posted, the click is handled before the close.
  ASSERT_TRUE(ClickButton(main, "Create / Save"));
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(p.WaitForExit(kPatience));

  const std::string saved = ReadFileText(folder.Path() + "Quillet.reg");
  EXPECT_NE(saved.find("[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\" + kA + "]"),
            std::string::npos) << saved;
  EXPECT_EQ(saved.find("HKEY_CLASSES_ROOT"), std::string::npos) << "keys are kept where they live";
  MemoryBackend sandbox;
  sandbox.ImportRegText(saved);
  ScopedRegistry scope(sandbox);
  EXPECT_EQ(ReadClassesText("CLSID\\" + kA, ""), "From regedit");
  EXPECT_EQ(ReadClassesText("CLSID\\" + kB, ""), "Made here");
}

// The sandbox killed while it saves click after click leaves a Quillet.reg that loads and keeps
// what it held; a large one, as here, takes those saves at its end.
TEST(Program, SandboxKilledWhileItSavesLeavesItsFileWhole) {
  TempFolder folder("quillet-sandbox-killed");
  const std::string exe = folder.Path() + "quillet-sandbox.exe";
  const std::string file = folder.Path() + "Quillet.reg";
  ASSERT_TRUE(CopyFileA(WindowsPath(QUILLET_SANDBOX_EXE).c_str(), exe.c_str(), FALSE));
  std::string text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Brask\\Support]\r\n\"03\"=\"0\"\r\n";
  for (int i = 0; i < 2000; ++i)
    text += "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{" + std::to_string(i) + "}]\r\n@=\"Class " +
            std::to_string(i) + "\"\r\n";
  MemoryBackend made;
  made.ImportRegText(text);
  made.WriteRegFile(file);
  auto size = [&] {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data);
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  };
  auto holds_all = [&](MemoryBackend& loaded) {
    ScopedRegistry scope(loaded);
    for (int i = 0; i < 2000; i += 7)
      if (ReadClassesText("CLSID\\{" + std::to_string(i) + "}", "") != "Class " + std::to_string(i)) return false;
    return true;
  };
  const std::string kClsid = "{0C0C0C0C-1111-2222-3333-444444444444}";
  for (int round = 0; round < 5; ++round) {
    Program p;
    ASSERT_TRUE(p.Start(exe));
    HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
    ASSERT_TRUE(main);
    HWND combo = ControlAt(main, "TComboBox", 128, 16), name = ControlAt(main, "TEdit", 128, 48);
    ASSERT_TRUE(combo && name);
    ChooseClsid(combo, kClsid);
    SetWindowTextA(name, ("Round " + std::to_string(round)).c_str());
    // Clicks queued, each saving what it writes; the kill comes once the first of them saved.
    const std::uint64_t before = size();
    for (int click = 0; click < 40; ++click) ASSERT_TRUE(ClickButton(main, "Create / Save"));
    EXPECT_TRUE(WaitUntil([&] { return size() != before; }, 20000));
    TerminateProcess(p.Process(), 1);
    ASSERT_TRUE(p.WaitForExit(10000));
    MemoryBackend loaded;
    ASSERT_NO_THROW(loaded.BindFile(file)) << "round " << round;
    EXPECT_TRUE(holds_all(loaded)) << "round " << round;
  }
  const std::string saved = ReadFileText(file);
  EXPECT_NE(saved.find(";~change "), std::string::npos) << "saves went at the end";
  MemoryBackend loaded;
  ASSERT_NO_THROW(loaded.BindFile(file));
  ScopedRegistry scope(loaded);
  EXPECT_EQ(ReadUserText("Brask", "03"), exe);
  EXPECT_EQ(ReadClassesText("CLSID\\" + kClsid, ""), "Round 4");
}

// A sandbox beside its own Quillet.reg, where the donation prompt is switched off.
std::string SandboxIn(const TempFolder& folder) {
  const std::string exe = folder.Path() + "quillet-sandbox.exe";
  if (!CopyFileA(WindowsPath(QUILLET_SANDBOX_EXE).c_str(), exe.c_str(), FALSE)) return {};
  const std::string reg = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Brask\\Support]\r\n\"03\"=\"0\"\r\n";
  HANDLE f = CreateFileA((folder.Path() + "Quillet.reg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, reg.data(), static_cast<DWORD>(reg.size()), &written, nullptr);
  CloseHandle(f);
  return exe;
}

// The skin comes to the window's controls a moment after it shows; a page is driven once the
// skin is in place and the window painted, as a user would see it.
bool Settled(HWND main, bool skinned) {
  if (skinned && !WaitUntil([&] {
        DWORD_PTR r = 0;
        return SendMessageTimeoutA(main, 0x3523, 0, 0, SMTO_NORMAL, 1000, &r) && r == 1;
      }))
    return false;
  return Painted(main);
}

// Makes an object named `name` on the creator page, as the user would.
void SaveObject(HWND main, const std::string& name) {
  HWND combo = ControlAt(main, "TComboBox", 128, 16), edit = ControlAt(main, "TEdit", 128, 48);
  ASSERT_TRUE(combo && edit);
  ChooseClsid(combo, "{0C0C0C0C-1111-2222-3333-444444444444}");
  SetWindowTextA(edit, name.c_str());
  ASSERT_TRUE(ClickButton(main, "Create / Save"));
}

int FilesIn(const std::string& folder, const char* pattern) {
  int n = 0;
  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA((folder + pattern).c_str(), &d);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do ++n;
  while (FindNextFileA(h, &d));
  FindClose(h);
  return n;
}


void CenterClick(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void Ctrl(WORD key) {
  KeyEvent(VK_CONTROL, false);
  PressKey(key);
  KeyEvent(VK_CONTROL, true);
  Sleep(150);
}

// A change made on the page is undone and redone from the main window's system menu, in the
// skin's look and in the system's, and by Ctrl+Z and Ctrl+Y while the focus is on no text field;
// in a text field the keys stay the field's own.
class ProgramHistory : public ::testing::TestWithParam<const char*> {};

TEST_P(ProgramHistory, UndoAndRedoFromTheSystemMenuAndTheKeys) {
  TempFolder folder(std::string("quillet-history") + GetParam());
  const std::string exe = SandboxIn(folder), records = folder.Path() + "History\\";
  ASSERT_FALSE(exe.empty());
  Program p;
  ASSERT_TRUE(p.Start(exe, GetParam()));
  HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
  ASSERT_TRUE(main);
  ASSERT_TRUE(Settled(main, std::string(GetParam()).empty()));
  auto saved = [&] { return ReadFileText(folder.Path() + "Quillet.reg").find("Undoable") != std::string::npos; };
  auto gone = [&] { return !saved(); };
  // The record is written when the action ends, after the registry's last save.
  auto recorded = [&](int n) { return WaitUntil([&] { return FilesIn(records, "*.reg") == n; }); };
  SaveObject(main, "Undoable");
  ASSERT_TRUE(WaitUntil(saved));
  EXPECT_TRUE(recorded(1));

  // The menu's items by their access keys: a disabled one does nothing.
  // A click that a busy machine lost is made again once nothing came of it for a while.
  auto from_menu = [&](WORD key) {
    bool open = false;
    for (int attempt = 0; attempt < 3 && !open; ++attempt) {
      SetForegroundWindow(main);
      WaitUntil([&] { return GetForegroundWindow() == main; }, 5000);
      RECT wr;
      GetWindowRect(main, &wr);
      ClickAt(wr.left + 300, wr.top + 12, true);
      open = WaitForWindow(p.Id(), "#32768", 10000) != nullptr;
    }
    ASSERT_TRUE(open);
    PressKey(key);
    Sleep(300);
    if (!WindowsOf(p.Id(), "#32768", true).empty()) PressKey(VK_ESCAPE);
  };
  from_menu('E');
  Sleep(500);
  EXPECT_TRUE(saved()) << "nothing to redo yet";
  // The page that shows the object fills itself again with what the registry holds.
  HWND name = ControlAt(main, "TEdit", 128, 48);
  from_menu('U');
  EXPECT_TRUE(WaitUntil(gone)) << "Undo from the system menu";
  EXPECT_TRUE(recorded(0)) << "the record went with the undo";
  EXPECT_TRUE(WaitForText(name, ""));
  from_menu('E');
  EXPECT_TRUE(WaitUntil(saved)) << "Redo from the system menu";
  EXPECT_TRUE(recorded(1));
  EXPECT_TRUE(WaitForText(name, "Undoable"));

  CenterClick(ControlAt(main, "TListBox", 474, 160));
  Ctrl('Z');
  EXPECT_TRUE(WaitUntil(gone)) << "Ctrl+Z in the verb list";
  Ctrl('Y');
  EXPECT_TRUE(WaitUntil(saved)) << "Ctrl+Y in the verb list";

  HWND edit = ControlAt(main, "TEdit", 128, 72);
  SetWindowTextA(edit, "");
  CenterClick(edit);
  PressKey('X');
  ASSERT_TRUE(WaitForText(edit, "x"));
  Ctrl('Z');
  EXPECT_TRUE(WaitForText(edit, "")) << "the field's own undo";
  Ctrl('Y');
  Sleep(500);
  EXPECT_TRUE(saved()) << "the history untouched from a text field";
  EXPECT_TRUE(recorded(1));

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(10000));
}

INSTANTIATE_TEST_SUITE_P(Looks, ProgramHistory, ::testing::Values("", "--no-skin"));

// A history folder that cannot be made: the change is made all the same, and the user is told
// once that it has no record.
TEST(Program, AChangeWithoutARecordIsToldOnce) {
  TempFolder folder("quillet-history-lost");
  const std::string exe = SandboxIn(folder);
  ASSERT_FALSE(exe.empty());
  HANDLE f = CreateFileA((folder.Path() + "History").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(f);
  Program p;
  ASSERT_TRUE(p.Start(exe));
  HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
  ASSERT_TRUE(main);
  ASSERT_TRUE(Settled(main, true));
  SaveObject(main, "Unrecorded");
  HWND box = WaitForWindow(p.Id(), "#32770", 10000);
  ASSERT_TRUE(box);
  bool told = false;
  EnumChildWindows(
      box,
      [](HWND h, LPARAM lp) -> BOOL {
        if (TextOf(h).find("\"Create / Save {0C0C0C0C-1111-2222-3333-444444444444}\" was made") != std::string::npos &&
            TextOf(h).find("cannot be undone") != std::string::npos)
          *reinterpret_cast<bool*>(lp) = true;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&told));
  EXPECT_TRUE(told);
  EXPECT_NE(ReadFileText(folder.Path() + "Quillet.reg").find("Unrecorded"), std::string::npos);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  auto no_box = [&] { return WindowsOf(p.Id(), "#32770", true).empty(); };
  ASSERT_TRUE(WaitUntil(no_box));
  // A second telling would follow the first at once: a second is plenty for it to show.
  EXPECT_FALSE(WaitUntil([&] { return !no_box(); }, 1000)) << "one box only";
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(10000));
}

}  // namespace
}  // namespace quillet
