#pragma once
// Waiting in the Wine suite. A test waits for the state it expects, never for a fixed time: the
// suite runs on busy machines, where input, paints and other programs can take seconds to come.
// A state that holds ends the wait at once; the deadline only bounds a failure.

#include <windows.h>

#include <cstdlib>

namespace quillet::testing {

// How long a test waits for a state before it calls it missing, in milliseconds.
inline constexpr int kPatience = 20000;

// Checks `done` until it holds, running `between` after each miss, for at most `ms`; whether it
// holds.
template <class Done, class Between>
bool Poll(Done&& done, Between&& between, int ms = kPatience) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  while (!done()) {
    if (GetTickCount64() >= end) return false;
    between();
  }
  return true;
}

// What `read` gives once it gives `want`, or its last answer at the deadline; made for
// EXPECT_EQ(Settle(...), want), which then shows what was there instead.
template <class Read, class Want, class Between>
auto Settle(Read&& read, const Want& want, Between&& between, int ms = kPatience) {
  auto got = read();
  Poll([&] { return got == want; }, [&] { between(), got = read(); }, ms);
  return got;
}

// Waiting on what another program does: nothing of this thread needs handling meanwhile.
template <class Done>
bool WaitUntil(Done&& done, int ms = kPatience) {
  return Poll(done, [] { Sleep(10); }, ms);
}
template <class Read, class Want>
auto WaitFor(Read&& read, const Want& want, int ms = kPatience) {
  return Settle(read, want, [] { Sleep(10); }, ms);
}

// Whether the system has taken synthetic mouse input at (x, y) with `flags`: the pointer there (a
// pixel either way, as absolute coordinates are scaled) and the buttons as the flags leave them.
inline bool PointerAt(int x, int y, DWORD flags = 0) {
  POINT p{};
  if (!GetCursorPos(&p) || std::abs(p.x - x) > 1 || std::abs(p.y - y) > 1) return false;
  const auto down = [](int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; };
  if ((flags & MOUSEEVENTF_LEFTDOWN) && !down(VK_LBUTTON)) return false;
  if ((flags & MOUSEEVENTF_LEFTUP) && down(VK_LBUTTON)) return false;
  if ((flags & MOUSEEVENTF_RIGHTDOWN) && !down(VK_RBUTTON)) return false;
  if ((flags & MOUSEEVENTF_RIGHTUP) && down(VK_RBUTTON)) return false;
  return true;
}

// Whether the system has taken a synthetic key going down or up.
inline bool KeyIs(WORD vk, bool up) { return ((GetAsyncKeyState(vk) & 0x8000) != 0) != up; }

// The window holding the mouse capture on a thread of any program, or null.
inline HWND CaptureOf(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndCapture : nullptr;
}

// Handles this thread's messages with `pump` until none that asks for work is left: sent and
// posted messages, input and paints (timers come on their own and do not count). False when the
// queue never empties, as with a window that keeps repainting.
template <class Pump>
bool DrainWith(Pump&& pump, int ms = kPatience) {
  constexpr UINT kWork = QS_SENDMESSAGE | QS_POSTMESSAGE | QS_INPUT | QS_PAINT | QS_HOTKEY;
  return Poll([] { return HIWORD(GetQueueStatus(kWork)) == 0; }, pump, ms);
}

// The same with the plain message loop, for tests without the toolkit's application.
inline bool Drain(int ms = kPatience) {
  return DrainWith(
      [] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
          TranslateMessage(&msg);
          DispatchMessageA(&msg);
        }
      },
      ms);
}

}  // namespace quillet::testing
