#pragma once
// Looking at windows as any process may, the program's own or another: whether a window is
// skinned, and what the screen shows.

#include <windows.h>

#include "skin/skin_messages.h"

namespace quillet::testing {

// A skinned window or control answers the query-skip message with 1. The send gives up on a
// window that does not answer in time, so a hung program fails the question instead of the test.
inline bool AnswersSkinned(HWND h, UINT timeout_ms = 1000) {
  DWORD_PTR r = 0;
  return h && SendMessageTimeoutA(h, skin::SKINMSG_QUERYSKIP, 0, 0, SMTO_ABORTIFHUNG, timeout_ms, &r) && r == 1;
}

inline COLORREF ScreenPixel(int x, int y) {
  HDC dc = GetDC(nullptr);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(nullptr, dc);
  return c;
}

}  // namespace quillet::testing
