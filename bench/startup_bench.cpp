// Start-up of the program, from process start to the main window's first completed paint, against
// a bare Win32 program that opens one empty window of the same size, both measured in this run.
// The donation prompt is switched off for the measurement and the stored choice put back after.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "bench_util.h"
#include "support/window_look.h"

namespace {

std::string WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') {
    std::replace(path.begin(), path.end(), '/', '\\');
    path = "Z:" + path;
  }
  return path;
}

struct Find {
  DWORD pid;
  const char* cls;
  HWND found;
};

// Visible and with nothing left to paint, children included.
bool Painted(HWND h) {
  if (!IsWindowVisible(h) || GetUpdateRect(h, nullptr, FALSE)) return false;
  bool clean = true;
  EnumChildWindows(
      h,
      [](HWND c, LPARAM lp) -> BOOL {
        if (IsWindowVisible(c) && GetUpdateRect(c, nullptr, FALSE)) {
          *reinterpret_cast<bool*>(lp) = false;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&clean));
  return clean;
}

// The skinned frame is painted once the window says it is skinned and its first skinned frame
// paint has taken the system-menu style off (so the system draws no buttons of its own).
bool SkinnedFramePainted(HWND h) {
  return quillet::testing::AnswersSkinned(h, 500) && !(GetWindowLongA(h, GWL_STYLE) & WS_SYSMENU);
}

// Seconds from process start to the first completed paint of its window of `cls`; -1 on failure.
double TimeToFirstPaint(const std::string& exe, const char* cls, const std::string& args = {}, bool skinned = false) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
  const auto t0 = std::chrono::steady_clock::now();
  if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  double seconds = -1;
  for (;;) {
    Find f{pi.dwProcessId, cls, nullptr};
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
          auto* f = reinterpret_cast<Find*>(lp);
          DWORD pid = 0;
          GetWindowThreadProcessId(h, &pid);
          char name[64] = {};
          GetClassNameA(h, name, sizeof name);
          if (pid == f->pid && lstrcmpA(name, f->cls) == 0 && IsWindowVisible(h)) {
            f->found = h;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&f));
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (f.found && Painted(f.found) && (!skinned || SkinnedFramePainted(f.found))) {
      seconds = elapsed;
      PostMessageA(f.found, WM_CLOSE, 0, 0);
      break;
    }
    if (elapsed > 30) break;
    Sleep(1);
  }
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return seconds;
}

class PromptOff {
 public:
  PromptOff() {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Brask\\Support", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    DWORD size = sizeof old_;
    had_ = RegQueryValueExA(key_, "03", nullptr, nullptr, reinterpret_cast<BYTE*>(old_), &size) == ERROR_SUCCESS;
    RegSetValueExA(key_, "03", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
  }
  ~PromptOff() {
    if (had_)
      RegSetValueExA(key_, "03", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_), static_cast<DWORD>(strlen(old_) + 1));
    else
      RegDeleteValueA(key_, "03");
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  char old_[256] = {};
  bool had_ = false;
};

}  // namespace

int main() {
  const std::string program = WindowsPath(QUILLET_EXE), bare = WindowsPath(BARE_EXE);
  PromptOff prompt_off;
  // A first start of each warms the caches; the best of the rounds after that counts.
  TimeToFirstPaint(bare, "BareWindow");
  TimeToFirstPaint(program, "TQuilletFrm");
  double best_bare = 1e9, best_program = 1e9;
  for (int i = 0; i < 12; ++i) {
    double b = TimeToFirstPaint(bare, "BareWindow");
    double p = TimeToFirstPaint(program, "TQuilletFrm");
    if (b < 0 || p < 0) {
      std::fprintf(stderr, "startup_bench: a window did not come up\n");
      return 1;
    }
    best_bare = std::min(best_bare, b);
    best_program = std::min(best_program, p);
  }
  quillet::bench::Report("startup to first paint (prompt off)", best_program, best_bare);

  // The skin's share: skinned against the system's look (--no-skin), alternating.
  double best_skinned = 1e9, best_plain = 1e9;
  for (int i = 0; i < 8; ++i) {
    const double s = TimeToFirstPaint(program, "TQuilletFrm", {}, true);
    const double n = TimeToFirstPaint(program, "TQuilletFrm", "--no-skin");
    if (s < 0 || n < 0) {
      std::fprintf(stderr, "startup_bench: a window did not come up\n");
      return 1;
    }
    best_skinned = std::min(best_skinned, s);
    best_plain = std::min(best_plain, n);
  }
  quillet::bench::Report("startup to first paint, skinned (baseline --no-skin)", best_skinned, best_plain);
  return 0;
}
