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
        if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveDirectoryA(p.c_str());
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
  Sleep(300);
  EXPECT_FALSE(IsWindowVisible(second)) << "closing the second window hides it";
  EXPECT_FALSE(p.WaitForExit(200));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(10000)) << "closing the first window ends the program";
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
  HWND main = WaitForWindow(p.Id(), "TQuilletFrm");
  ASSERT_TRUE(main);
  Sleep(300);
  EXPECT_TRUE(WindowsOf(p.Id(), "#32770", true).empty()) << "one error box only";
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit(10000));
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
  EXPECT_TRUE(p.WaitForExit(10000));
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
  for (int i = 0; i < 100 && ControlText(h) != text; ++i) Sleep(50);
  return ControlText(h) == text;
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
  // As typed: the text, then the notification the combo box sends for typing.
  auto choose = [&](const std::string& clsid) {
    SetWindowTextA(combo, clsid.c_str());
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  };
  choose(kA);
  EXPECT_TRUE(WaitForText(name, "From regedit")) << ControlText(name);

  choose(kB);
  ASSERT_TRUE(WaitForText(name, ""));
  SetWindowTextA(name, "Made here");
  ASSERT_TRUE(ClickButton(main, "Create / Save"));
  Sleep(500);
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(p.WaitForExit(10000));

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

}  // namespace
}  // namespace quillet
