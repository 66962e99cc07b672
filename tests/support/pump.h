#pragma once
// Letting the toolkit's messages and timers run inside a test or benchmark program, and waiting
// for what input and paints bring.

#include <windows.h>

#include "app/program_driver.h"
#include "support/wait.h"
#include "ui/forms.h"

namespace quillet::testing {

inline void PumpAWhile() {
  ui::Application().ProcessMessages();
  Sleep(5);
}

// Handles the thread's messages (timers included) for about `ms` milliseconds: for benchmarks,
// which measure what a fixed time brings. Tests wait with the helpers below.
inline void Pump(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<int>(end - GetTickCount()) > 0) PumpAWhile();
}

// Handles the thread's messages until `done` holds or `ms` milliseconds have gone; whether it
// holds.
template <class Done>
bool PumpUntil(Done&& done, int ms = kPatience) {
  return Poll(done, PumpAWhile, ms);
}

// What `read` gives once it gives `want` while the thread's messages are handled, or its last
// answer at the deadline: EXPECT_EQ(Awaited(read, want), want).
template <class Read, class Want>
auto Awaited(Read&& read, const Want& want, int ms = kPatience) {
  return Settle(read, want, PumpAWhile, ms);
}

// Handles the thread's messages until none that asks for work is left.
inline bool HandlePending(int ms = kPatience) {
  return DrainWith([] { ui::Application().ProcessMessages(); }, ms);
}

// Real mouse input at a screen point, taken by the system and then handled by this thread.
// Under Wine the window system answers each warp of the pointer with pointer events of its own at
// the places before and after it, which this thread takes in at its next warp; they are handled
// before the input, so that none lands behind it (a late move to where the pointer was would let
// go of a button just pressed).
inline void MouseInput(POINT at, DWORD flags = 0) {
  SetCursorPos(at.x, at.y);
  HandlePending();
  driver::MouseEvent(at.x, at.y, flags);
  PumpUntil([&] { return PointerAt(at.x, at.y, flags); });
  HandlePending();
}

// A real key going down or up, taken by the system and then handled by this thread.
inline void KeyInput(WORD vk, bool up) {
  driver::KeyEvent(vk, up);
  PumpUntil([&] { return KeyIs(vk, up); });
  HandlePending();
}

}  // namespace quillet::testing
