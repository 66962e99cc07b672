#pragma once
// Leak checks for the benchmark programs: the process's GDI objects after a warm-up and after
// many rounds of one step, printed with their ratio. Flat (ratio 1.00) means no leak.

#include <cstdio>
#include <functional>

#include "support/gdi_count.h"
#include "support/skin_run.h"

namespace quillet::bench {

inline void GdiFlat(const char* what, int n, const std::function<void()>& step) {
  for (int i = 0; i < 5; ++i) step();
  testing::Pump(100);
  const long before = testing::GdiObjectCount();
  for (int i = 0; i < n; ++i) step();
  testing::Pump(100);
  const long after = testing::GdiObjectCount();
  std::printf("GDI objects over %d %s: %ld after warm-up, %ld after (ratio %.2f)\n", n, what, before, after,
              before > 0 ? static_cast<double>(after) / before : 0.0);
  std::fflush(stdout);
}

}  // namespace quillet::bench
