#pragma once
// Drives the real program from another process: starts it, waits for its windows by class,
// clicks its buttons. Used by the Wine suite and by the screenshot tour.

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace quillet::driver {

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
inline HWND WaitForWindow(DWORD pid, const std::string& cls, int timeout_ms = 20000, size_t count = 1) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (std::chrono::steady_clock::now() < end) {
    auto found = WindowsOf(pid, cls, true);
    if (found.size() >= count) return found.front();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return nullptr;
}

// Waits until a condition holds; false when it still does not after the time.
template <class Condition>
bool WaitUntil(Condition done, int timeout_ms = 10000) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
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

// A real click at a screen point: the pointer moves there, rests, and the button goes down and up
// there.
inline void ClickAt(int x, int y, bool right = false) {
  MouseEvent(x, y);
  Sleep(150);
  MouseEvent(x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  Sleep(100);
  MouseEvent(x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
  Sleep(200);
}

inline void KeyEvent(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof(INPUT));
}

inline void PressKey(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
  Sleep(150);
}

}  // namespace quillet::driver
