#pragma once
// Named moments along start-up, for the start-up benchmark's account of where the time goes. Only
// the benchmark's build of the program sets a sink; without one a mark is a test of a null pointer.

namespace quillet::app {

using StartupMarkSink = void (*)(const char* what);
inline StartupMarkSink startup_mark_sink = nullptr;

inline void StartupMark(const char* what) {
  if (startup_mark_sink) startup_mark_sink(what);
}

}  // namespace quillet::app
