// Walks the real program through its windows for `make run` without a display, then the skin
// gallery: starts each inside the virtual desktop, and at each window asks the script to take a
// screenshot by leaving a "<name>.want" file in the screenshot folder, waiting until the script
// removes it.
//   quillet-tour.exe <program> <screenshot folder> [<suffix>]
// With a suffix it takes only the main window and the gallery, as "main-window<suffix>" and
// "gallery<suffix>" (the 150 % pictures, in a prefix at that scale).
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/program_driver.h"

using namespace quillet::driver;

namespace {

std::string g_folder, g_suffix;

bool Shot(const char* name) {
  Sleep(700);  // let the window finish painting
  const std::string want = g_folder + "\\" + name + g_suffix + ".want";
  HANDLE f = CreateFileA(want.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  CloseHandle(f);
  for (int i = 0; i < 600 && GetFileAttributesA(want.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
  return true;
}

// Tells the script the tour is over, with its outcome.
int Done(const char* outcome) {
  const std::string path = g_folder + "\\tour.done";
  if (FILE* f = std::fopen(path.c_str(), "w")) {
    std::fputs(outcome, f);
    std::fclose(f);
  }
  return outcome[0] == 0 ? 0 : 1;
}

int Fail(const char* what) {
  std::fprintf(stderr, "quillet-tour: %s\n", what);
  return Done(what);
}

// A copy of the program beside a CLSID.dat it cannot read: it starts with an error box.
bool ErrorBoxTour(const char* exe) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "quillet-tour-" + std::to_string(GetCurrentProcessId()) + "\\";
  const std::string copy = folder + "quillet.exe";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "CLSID.dat").c_str(), nullptr);
  bool seen = false;
  if (CopyFileA(WindowsPath(exe).c_str(), copy.c_str(), FALSE)) {
    Program p;
    if (p.Start(copy)) {
      // When the donation prompt is due it comes first; the error box follows once it is closed.
      HWND box = nullptr;
      for (int i = 0; i < 600 && !box; ++i) {
        auto prompts = WindowsOf(p.Id(), "TfrmDonate", true);
        if (!prompts.empty()) ClickButton(prompts.front(), "Close");
        auto boxes = WindowsOf(p.Id(), "#32770", true);
        if (!boxes.empty()) box = boxes.front();
        else Sleep(50);
      }
      if (box) {
        seen = true;
        Shot("error-box");
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
      if (HWND main = WaitForWindow(p.Id(), "TQuilletFrm")) PostMessageA(main, WM_CLOSE, 0, 0);
      p.WaitForExit(5000);
    }
  }
  DeleteFileA(copy.c_str());
  RemoveDirectoryA((folder + "CLSID.dat").c_str());
  RemoveDirectoryA(folder.c_str());
  return seen;
}

// The skin gallery beside the program: every control in our skin, the pointer over the one named
// "Hot"; then its popup menu, and the message box its button opens.
bool GalleryTour(const std::string& program, bool whole = true) {
  const std::string gallery = program.substr(0, program.find_last_of('\\') + 1) + "quillet-skin.exe";
  Program p;
  if (!p.Start(gallery, "gallery")) return false;
  HWND g = WaitForWindow(p.Id(), "TGalleryForm");
  if (!g) return false;
  SetForegroundWindow(g);
  Sleep(500);
  if (HWND hot = ChildWithText(g, "Hot")) {
    RECT r{};
    GetWindowRect(hot, &r);
    MouseEvent((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Sleep(100);
    MouseEvent((r.left + r.right) / 2 + 1, (r.top + r.bottom) / 2);
  }
  Shot("gallery");
  if (!whole) {
    PostMessageA(g, WM_CLOSE, 0, 0);
    return p.WaitForExit(5000);
  }
  if (ClickButton(g, "Popup menu...") && WaitForWindow(p.Id(), "#32768", 5000)) {
    Shot("gallery-popup");
    PressKey(VK_ESCAPE);
    Sleep(300);
  }
  if (ClickButton(g, "Message box...")) {
    if (HWND box = WaitForWindow(p.Id(), "#32770", 5000)) {
      Shot("gallery-message-box");
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  }
  Sleep(300);
  PostMessageA(g, WM_CLOSE, 0, 0);
  return p.WaitForExit(5000);
}

// The system menu, opened with a right click on the caption.
void SystemMenuShot(Program& p, HWND main, const char* name) {
  SetForegroundWindow(main);
  Sleep(300);
  RECT wr{};
  GetWindowRect(main, &wr);
  ClickAt(wr.left + 300, wr.top + 12, true);
  if (WaitForWindow(p.Id(), "#32768", 5000)) {
    Shot(name);
    PressKey(VK_ESCAPE);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Fail("usage: quillet-tour <program> <screenshot folder> [<suffix>]");
  g_folder = WindowsPath(argv[2]);
  if (argc > 3) g_suffix = argv[3];
  Program p;
  if (!p.Start(WindowsPath(argv[1]))) return Fail("cannot start the program");
  // Either the prompt comes first (it is due at start) or the main window does.
  HWND prompt = nullptr, main = nullptr;
  for (int i = 0; i < 600 && !prompt && !main; ++i) {
    auto prompts = WindowsOf(p.Id(), "TfrmDonate", true);
    auto mains = WindowsOf(p.Id(), "TQuilletFrm", true);
    if (!prompts.empty()) prompt = prompts.front();
    else if (!mains.empty()) main = mains.front();
    else Sleep(50);
  }
  if (!prompt && !main) return Fail("no window came up");
  if (!g_suffix.empty()) {
    if (prompt) {
      ClickButton(prompt, "Close");
      main = WaitForWindow(p.Id(), "TQuilletFrm");
    }
    if (!main) return Fail("no main window");
    Shot("main-window");
    PostMessageA(main, WM_CLOSE, 0, 0);
    p.WaitForExit(5000);
    return GalleryTour(WindowsPath(argv[1]), false) ? Done("") : Fail("the skin gallery did not come up or did not close");
  }
  if (prompt) {
    Shot("donation-prompt");
    ClickButton(prompt, "Close");
    main = WaitForWindow(p.Id(), "TQuilletFrm");
    if (!main) return Fail("no main window after the prompt");
    Shot("main-window");
  } else {
    Shot("main-window");
    ClickButton(main, "Donate");
    prompt = WaitForWindow(p.Id(), "TfrmDonate");
    if (!prompt) return Fail("the Donate button opened nothing");
    Shot("donation-prompt");
    ClickButton(prompt, "Close");
  }
  WaitForWindow(p.Id(), "TQuilletFrm");
  Sleep(300);
  ClickButton(main, "About");
  HWND about = WaitForWindow(p.Id(), "TQuilletAbout");
  if (!about) return Fail("the About button opened nothing");
  Shot("about-box");
  ClickButton(about, "Close");
  Sleep(300);
  SystemMenuShot(p, main, "system-menu");
  PostMessageA(main, WM_CLOSE, 0, 0);
  p.WaitForExit(5000);
  // The same menu in the system's look, with the history's items.
  Program plain;
  if (plain.Start(WindowsPath(argv[1]), "--no-skin")) {
    for (int i = 0; i < 100; ++i) {
      if (HWND prompt = WaitForWindow(plain.Id(), "TfrmDonate", 50)) ClickButton(prompt, "Close");
      if (!WindowsOf(plain.Id(), "TQuilletFrm", true).empty()) break;
    }
    if (HWND plain_main = WaitForWindow(plain.Id(), "TQuilletFrm")) {
      Sleep(300);
      SystemMenuShot(plain, plain_main, "system-menu-no-skin");
      PostMessageA(plain_main, WM_CLOSE, 0, 0);
    }
    plain.WaitForExit(5000);
  }
  const bool errorBox = ErrorBoxTour(argv[1]);
  const bool gallery = GalleryTour(WindowsPath(argv[1]));
  if (!errorBox) return Fail("no error box came up");
  return gallery ? Done("") : Fail("the skin gallery did not come up or did not close");
}
