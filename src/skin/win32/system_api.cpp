#include "skin/win32/system_api.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quillet::skin::win32 {

namespace {
template <class F>
void Find(HMODULE m, const char* name, F& out) {
  out = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}
}  // namespace

const SystemApi& Api() {
  static const SystemApi api = [] {
    SystemApi a;
    // user32 is always loaded in a program with windows; the handle needs no release.
    HMODULE user = GetModuleHandleA("user32.dll");
    if (user) {
      Find(user, "GetScrollBarInfo", a.GetScrollBarInfo);
      Find(user, "DisableProcessWindowsGhosting", a.DisableProcessWindowsGhosting);
    }
    return a;
  }();
  return api;
}

namespace {

// The system keeps one leave request per thread, and Wine sometimes drops one without a word: a
// request made once the pointer has gone, or one replaced by another window's while a late
// pointer move of its own still placed the pointer over the first. The windows waiting for their
// leave are checked a few times a second until it has come, or is said here.
constexpr UINT kLeaveCheckMs = 100;
std::vector<HWND> g_waiting;
UINT_PTR g_check_timer = 0;

bool PointerOver(HWND hwnd) {
  POINT at{};
  GetCursorPos(&at);
  const HWND under = WindowFromPoint(at);
  return under == hwnd || IsChild(hwnd, under);
}

bool SystemTracks(HWND hwnd) {
  TRACKMOUSEEVENT asked{sizeof asked, TME_QUERY, nullptr, 0};
  return TrackMouseEvent(&asked) && (asked.dwFlags & TME_LEAVE) && asked.hwndTrack == hwnd;
}

void CALLBACK CheckLeaves(HWND, UINT, UINT_PTR, DWORD) {
  std::vector<HWND> still;
  for (HWND h : std::vector<HWND>(g_waiting)) {
    if (!IsWindow(h)) continue;
    if (SystemTracks(h)) {
      still.push_back(h);
    } else if (PointerOver(h)) {
      TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, h, 0};
      TrackMouseEvent(&t);
      still.push_back(h);
    } else {
      PostMessageA(h, WM_MOUSELEAVE, 0, 0);
    }
  }
  g_waiting = std::move(still);
  if (g_waiting.empty() && g_check_timer) KillTimer(nullptr, std::exchange(g_check_timer, 0));
}

}  // namespace

void LeaveCame(HWND hwnd) { g_waiting.erase(std::remove(g_waiting.begin(), g_waiting.end(), hwnd), g_waiting.end()); }

bool TrackLeave(HWND hwnd) {
  if (!hwnd) return false;
  TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd, 0};
  if (!TrackMouseEvent(&t)) return false;
  if (!SystemTracks(hwnd) && !PointerOver(hwnd)) {
    // Asked once the pointer has already gone: Windows answers with the leave at once.
    PostMessageA(hwnd, WM_MOUSELEAVE, 0, 0);
    return false;
  }
  if (std::find(g_waiting.begin(), g_waiting.end(), hwnd) == g_waiting.end()) g_waiting.push_back(hwnd);
  if (!g_check_timer) g_check_timer = SetTimer(nullptr, 0, kLeaveCheckMs, CheckLeaves);
  return true;
}

}  // namespace quillet::skin::win32
