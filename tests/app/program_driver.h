#pragma once
// Drives the real program from another process: starts it, waits for its windows by class,
// clicks its buttons. Used by the Wine suite and by the screenshot tour.

#include <windows.h>

#include <string>
#include <vector>

#include "support/wait.h"

namespace quillet::driver {

using testing::kPatience;
using testing::PointerAt;
using testing::WaitUntil;

// A Linux path as Wine sees it; Windows paths pass unchanged.
inline std::string WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') {
    for (char& c : path)
      if (c == '/') c = '\\';
    path = "Z:" + path;
  }
  return path;
}

class Program {
 public:
  Program() = default;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program() {
    if (pi_.hProcess) {
      if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }
  // `args` follow the quoted program path on the command line.
  bool Start(const std::string& exe, const std::string& args = {}) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    return CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
  }
  DWORD Id() const { return pi_.dwProcessId; }
  HANDLE Process() const { return pi_.hProcess; }
  DWORD MainThreadId() const { return pi_.dwThreadId; }
  // True when the program ended within the time.
  bool WaitForExit(int ms) { return WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(ms)) == WAIT_OBJECT_0; }

 private:
  PROCESS_INFORMATION pi_{};
};

inline std::string ClassOf(HWND h) {
  char name[128] = {};
  GetClassNameA(h, name, sizeof name);
  return name;
}

inline std::string TextOf(HWND h) {
  char text[2048] = {};
  GetWindowTextA(h, text, sizeof text);
  return text;
}

// The program's top-level windows of a class, visible ones only when asked.
inline std::vector<HWND> WindowsOf(DWORD pid, const std::string& cls, bool visible_only) {
  struct Query {
    DWORD pid;
    const std::string* cls;
    bool visible;
    std::vector<HWND> found;
  } q{pid, &cls, visible_only, {}};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* q = reinterpret_cast<Query*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == q->pid && ClassOf(h) == *q->cls && (!q->visible || IsWindowVisible(h))) q->found.push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&q));
  return q.found;
}

// Waits until at least `count` visible windows of the class exist; returns the first or null.
inline HWND WaitForWindow(DWORD pid, const std::string& cls, int timeout_ms = kPatience, size_t count = 1) {
  std::vector<HWND> found;
  WaitUntil([&] { return (found = WindowsOf(pid, cls, true)).size() >= count; }, timeout_ms);
  return found.size() >= count ? found.front() : nullptr;
}

// Starts the program with its donation prompt switched off and waits for its main window.
inline HWND StartToMainWindow(Program& program, const std::string& exe) {
  HKEY k;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Brask\\Support", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) ==
      ERROR_SUCCESS) {
    RegSetValueExA(k, "03", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
    RegCloseKey(k);
  }
  if (!program.Start(exe)) return nullptr;
  return WaitForWindow(program.Id(), "TQuilletFrm");
}

// Waits until a program's window and its children have painted what they had to, and the paint
// under way has ended: a message sent to the window is handled only after it.
inline bool Painted(HWND top) {
  const bool clean = WaitUntil([&] {
    bool none = !GetUpdateRect(top, nullptr, FALSE);
    EnumChildWindows(
        top,
        [](HWND h, LPARAM lp) {
          if (GetUpdateRect(h, nullptr, FALSE)) *reinterpret_cast<bool*>(lp) = false;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&none));
    return none;
  });
  DWORD_PTR r = 0;
  return clean && SendMessageTimeoutA(top, WM_NULL, 0, 0, SMTO_NORMAL, kPatience, &r);
}

inline HWND ChildWithText(HWND parent, const std::string& text) {
  struct Query {
    const std::string* text;
    HWND found;
  } q{&text, nullptr};
  EnumChildWindows(
      parent,
      [](HWND h, LPARAM lp) -> BOOL {
        auto* q = reinterpret_cast<Query*>(lp);
        if (TextOf(h) == *q->text) {
          q->found = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&q));
  return q.found;
}

// Clicks a button without waiting for what the click starts (a modal dialog would block).
inline bool ClickButton(HWND window, const std::string& caption) {
  HWND b = ChildWithText(window, caption);
  if (!b) return false;
  PostMessageA(GetParent(b), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED), reinterpret_cast<LPARAM>(b));
  return true;
}

// One real mouse event at a screen point, the pointer put there first: the event carries the
// place too, as a pointer set from another process may lag behind.
inline void MouseEvent(int x, int y, DWORD flags = 0) {
  SetCursorPos(x, y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof(INPUT));
}

// The same, once the system has taken it: the program that gets it has it in its queue, behind
// what came before.
inline void MouseInput(int x, int y, DWORD flags = 0) {
  MouseEvent(x, y, flags);
  WaitUntil([&] { return PointerAt(x, y, flags); });
}

// A real click at a screen point: the pointer moves there, and the button goes down and up there.
inline void ClickAt(int x, int y, bool right = false) {
  MouseInput(x, y);
  MouseInput(x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  MouseInput(x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

inline void KeyEvent(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof(INPUT));
}

// A key going down and up, each once the system has taken it.
inline void PressKey(WORD vk) {
  for (bool up : {false, true}) {
    KeyEvent(vk, up);
    WaitUntil([&] { return testing::KeyIs(vk, up); });
  }
}

}  // namespace quillet::driver
