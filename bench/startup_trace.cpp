// Linked into the benchmark's build of the program: records each start-up mark with the performance
// counter (one clock for every process) and writes them beside the executable when the program
// ends, for startup_bench to read.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/startup_trace.h"

namespace {

struct Mark {
  const char* what;
  LONGLONG at;
};
Mark marks[32];
int count = 0;

void Record(const char* what) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  if (count < static_cast<int>(sizeof marks / sizeof marks[0])) marks[count++] = {what, now.QuadPart};
}

void Write() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file(path, n);
  file = file.substr(0, file.find_last_of('\\') + 1) + "startup-trace.txt";
  if (FILE* f = std::fopen(file.c_str(), "w")) {
    for (int i = 0; i < count; ++i) std::fprintf(f, "%lld %s\n", marks[i].at, marks[i].what);
    std::fclose(f);
  }
}

const bool installed = [] {
  Record("runtime started");
  quillet::app::startup_mark_sink = Record;
  std::atexit(Write);
  return true;
}();

}  // namespace
