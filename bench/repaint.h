#pragma once
// Timing a window's full repaint: frame, background and every child, painted at once.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "ui/forms.h"

namespace quillet::bench {

struct RepaintTimes {
  double median = 0, p95 = 0;
};

inline RepaintTimes FullRepaints(HWND h, int n) {
  std::vector<double> t;
  for (int i = 0; i < n; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    t.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    ui::Application().ProcessMessages();
  }
  std::sort(t.begin(), t.end());
  return {t[t.size() / 2], t[t.size() * 95 / 100]};
}

}  // namespace quillet::bench
