// Start-up of the program, from process start to the main window's first completed paint, against
// two baselines measured in the same run: a bare Win32 program that opens one empty window of the
// same size, and the floor, that window with what Quillet's platform costs any program (bench/
// bare_window.cpp). Then the same start at 144 DPI, in a prefix of that scale, and where the time
// goes, from the marks of a build of the program that records them (bench/startup_trace.cpp).
// The donation prompt is switched off for the measurement and the stored choice put back after.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

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

LONGLONG Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t.QuadPart;
}

double Seconds(LONGLONG ticks) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(ticks) / static_cast<double>(f.QuadPart);
}

// Seconds from process start to the first completed paint of its window of `cls`; -1 on failure.
// `started` receives the counter's value at the start.
double TimeToFirstPaint(const std::string& exe, const char* cls, const std::string& args = {}, bool skinned = false,
                        LONGLONG* started = nullptr) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
  const LONGLONG t0 = Now();
  if (started) *started = t0;
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
    const double elapsed = Seconds(Now() - t0);
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

// The QUILLET_DPI prefix's run: only the program's skinned start, whose best of `rounds` goes
// into `out` (renamed into place when written).
int MeasureHere(const std::string& program, const std::string& out, int rounds) {
  PromptOff prompt_off;
  TimeToFirstPaint(program, "TQuilletFrm", {}, true);
  double best = 1e9;
  for (int i = 0; i < rounds; ++i) {
    const double t = TimeToFirstPaint(program, "TQuilletFrm", {}, true);
    if (t < 0) return 1;
    best = std::min(best, t);
  }
  const std::string part = out + ".part";
  {
    std::ofstream f(part);
    f << best << "\n";
    if (!f) return 1;
  }
  return MoveFileExA(part.c_str(), out.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}

// The skinned start measured by this program run again, through scripts/wine.sh, in the prefix
// whose screen is at `dpi`; -1 when it gave no answer. Wine starts the script as a Linux program
// with this environment, less the prefix, which the script chooses by QUILLET_DPI.
double SkinnedStartAt(int dpi, int rounds) {
  char self[MAX_PATH];
  const std::string bench(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
  const std::string out = bench.substr(0, bench.find_last_of('\\') + 1) + "startup-" + std::to_string(dpi) + "dpi.txt";
  DeleteFileA(out.c_str());
  const std::string script = WindowsPath(WINE_SCRIPT);
  std::string cmd = "\"" + script + "\" \"" + bench + "\" --measure-here \"" + out + "\" " + std::to_string(rounds);
  SetEnvironmentVariableA("QUILLET_DPI", std::to_string(dpi).c_str());
  char prefix[1024];
  const DWORD had_prefix = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
  SetEnvironmentVariableA("WINEPREFIX", nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const bool started = CreateProcessA(script.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableA("QUILLET_DPI", nullptr);
  if (had_prefix && had_prefix < sizeof prefix) SetEnvironmentVariableA("WINEPREFIX", prefix);
  if (!started) return -1;
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  // Wine does not wait for a Linux child: the answer is the file. A prefix made for the first time
  // takes a while.
  for (int waited = 0; waited < 600; ++waited) {
    std::ifstream f(out);
    double seconds = -1;
    if (f >> seconds) {
      f.close();
      DeleteFileA(out.c_str());
      return seconds;
    }
    Sleep(1000);
  }
  return -1;
}

// Where the program's start-up time goes: each mark of the tracing build, best of `rounds`, in
// seconds from process creation, with its first skinned paint last.
std::vector<std::pair<std::string, double>> TraceStart(const std::string& traced, int rounds) {
  const std::string file = traced.substr(0, traced.find_last_of('\\') + 1) + "startup-trace.txt";
  std::vector<std::pair<std::string, double>> best;
  for (int i = 0; i <= rounds; ++i) {
    DeleteFileA(file.c_str());
    LONGLONG t0 = 0;
    const double painted = TimeToFirstPaint(traced, "TQuilletFrm", {}, true, &t0);
    if (painted < 0) return {};
    std::ifstream f(file);
    std::vector<std::pair<std::string, double>> run;
    long long at = 0;
    std::string what;
    while (f >> at && std::getline(f, what)) run.emplace_back(what.substr(1), Seconds(at - t0));
    run.emplace_back("first skinned paint seen", painted);
    if (i == 0) continue;  // warms the caches
    if (best.empty()) best = run;
    for (std::size_t k = 0; k < best.size() && k < run.size(); ++k) best[k].second = std::min(best[k].second, run[k].second);
  }
  return best;
}

bool PrintWhereTimeGoes(double floor_seconds) {
  const auto marks = TraceStart(WindowsPath(TRACED_EXE), 8);
  if (marks.empty()) {
    std::fprintf(stderr, "startup_bench: the tracing build did not come up\n");
    return false;
  }
  std::printf("where the skinned start's time goes (ms from process creation, best of 8 each; floor %.0f):\n",
              floor_seconds * 1e3);
  double before = 0;
  for (const auto& [what, at] : marks) {
    std::printf("  %6.1f  (+%5.1f)  %s\n", at * 1e3, (at - before) * 1e3, what.c_str());
    before = at;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = WindowsPath(QUILLET_EXE), bare = WindowsPath(BARE_EXE), floor = WindowsPath(FLOOR_EXE);
  if (argc == 4 && std::string(argv[1]) == "--measure-here") return MeasureHere(program, argv[2], std::atoi(argv[3]));
  PromptOff prompt_off;
  // Only the account of where the time goes, against no floor.
  if (argc == 2 && std::string(argv[1]) == "--trace") return PrintWhereTimeGoes(0) ? 0 : 1;
  // A first start of each warms the caches; the best of the rounds after that counts. The programs
  // take turns, so that a busy moment of the machine falls on all of them alike.
  TimeToFirstPaint(bare, "BareWindow");
  TimeToFirstPaint(floor, "FloorWindow");
  TimeToFirstPaint(program, "TQuilletFrm");
  double best_bare = 1e9, best_floor = 1e9, best_program = 1e9, best_skinned = 1e9, best_plain = 1e9;
  for (int i = 0; i < 12; ++i) {
    const double b = TimeToFirstPaint(bare, "BareWindow");
    const double s = TimeToFirstPaint(program, "TQuilletFrm", {}, true);
    const double f = TimeToFirstPaint(floor, "FloorWindow");
    const double p = TimeToFirstPaint(program, "TQuilletFrm");
    const double n = TimeToFirstPaint(program, "TQuilletFrm", "--no-skin");
    if (b < 0 || f < 0 || p < 0 || s < 0 || n < 0) {
      std::fprintf(stderr, "startup_bench: a window did not come up\n");
      return 1;
    }
    best_bare = std::min(best_bare, b);
    best_floor = std::min(best_floor, f);
    best_program = std::min(best_program, p);
    best_skinned = std::min(best_skinned, s);
    best_plain = std::min(best_plain, n);
  }
  using quillet::bench::Report;
  Report("startup to first paint (prompt off)", best_program, best_bare);
  Report("floor: bare window with manifest, imports, common controls, a tab control (baseline bare)", best_floor,
         best_bare);
  Report("startup to first paint, skinned frame painted (baseline floor)", best_skinned, best_floor);
  Report("startup to first paint, skinned frame painted (baseline bare)", best_skinned, best_bare);
  Report("startup to first paint, --no-skin (baseline floor)", best_plain, best_floor);
  Report("startup to first paint, skinned (baseline --no-skin)", best_skinned, best_plain);

  int status = 0;
  const double at144 = SkinnedStartAt(144, 8);
  if (at144 < 0) {
    std::fprintf(stderr, "startup_bench: no answer from the 144-DPI prefix\n");
    status = 1;
  } else {
    Report("startup to first paint, skinned, at 144 DPI (baseline 96 DPI)", at144, best_skinned);
  }

  return PrintWhereTimeGoes(best_floor) ? status : 1;
}
