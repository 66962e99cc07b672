#pragma once
// Small timing helpers shared by the benchmark programs.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <limits>
#include <vector>

namespace quillet::bench {

// Best of `rounds` runs, in seconds: the least disturbed run is the one that says most.
inline double BestOf(int rounds, const std::function<void()>& f) {
  double best = std::numeric_limits<double>::max();
  for (int i = 0; i < rounds; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    const auto t1 = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
  }
  return best;
}

// The middle one of a set of timings.
inline double Median(std::vector<double> t) {
  if (t.empty()) return 0;
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

inline void Report(const char* name, double seconds, double baseline_seconds) {
  std::printf("%s: %.3f ms (ratio %.2f x baseline)\n", name, seconds * 1e3,
              baseline_seconds > 0 ? seconds / baseline_seconds : 0.0);
  std::fflush(stdout);
}

}  // namespace quillet::bench
