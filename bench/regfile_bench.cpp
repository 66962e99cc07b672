// A large .reg file, as a regedit export of the whole classes root is large: loading and saving it
// against moving the same bytes with no parsing, the memory its tree takes, and the time a save
// after one change takes in a file of that size.
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "bench_util.h"
#include "registry/memory_backend.h"
#include "registry/reg_file.h"

using namespace quillet;

// Every allocation is counted, with what the allocator rounds it up to, to find the peak a load
// reaches.
namespace {
std::atomic<long long> g_live{0}, g_peak{0};

void* Counted(void* p) {
  if (!p) throw std::bad_alloc();
  const long long live = g_live += static_cast<long long>(malloc_usable_size(p));
  long long peak = g_peak;
  while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
  }
  return p;
}
}  // namespace

void* operator new(std::size_t n) { return Counted(std::malloc(n ? n : 1)); }
void* operator new[](std::size_t n) { return Counted(std::malloc(n ? n : 1)); }
void operator delete(void* p) noexcept {
  if (p) g_live -= static_cast<long long>(malloc_usable_size(p));
  std::free(p);
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }

namespace {

// A plain read of the file's bytes into `buffer`, as the loader reads them: through stdio.
void ReadRaw(const std::string& path, char* buffer, size_t size) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!in || std::fread(buffer, 1, size, in.get()) != size) std::abort();
}

struct LoadTimes {
  double load, read;  // medians
};

// Loads of the file and plain reads of its bytes, taking turns, each timed alone. With `fresh`
// memory each read goes into a buffer allocated for it and each load builds a tree of its own,
// both in memory the process has just got from the system (what was freed is given back to it
// between turns, outside the timing), as a program's first load finds it. Otherwise both reuse
// memory already theirs: one buffer for every read, and what the allocator kept of the last tree.
LoadTimes TimeLoads(const std::string& file, size_t size, bool fresh) {
  std::unique_ptr<char[]> kept;
  if (!fresh) {
    kept.reset(new char[size]);
    ReadRaw(file, kept.get(), size);
  }
  std::vector<double> loads, reads;
  for (int i = 0; i < 11; ++i) {
    if (fresh) malloc_trim(0);
    std::unique_ptr<char[]> buffer;
    reads.push_back(bench::BestOf(1, [&] {
      if (fresh) buffer.reset(new char[size]);
      ReadRaw(file, fresh ? buffer.get() : kept.get(), size);
    }));
    buffer.reset();
    if (fresh) malloc_trim(0);
    auto tree = std::make_unique<MemoryBackend>();
    loads.push_back(bench::BestOf(1, [&] { tree->BindFile(file); }));
    tree.reset();
  }
  return {bench::Median(loads), bench::Median(reads)};
}

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Sz(const std::string& text) {
  std::vector<std::uint8_t> sz(text.begin(), text.end());
  sz.push_back(0);
  return sz;
}

std::string KeyName(int group, int key) {
  char name[64];
  std::snprintf(name, sizeof name, "Group%03d\\{%08X-1111-2222-3333-444444444444}", group, key);
  return name;
}

}  // namespace

int main() {
  // 100,000 classes in 100 groups, 300,000 values.
  MemoryBackend source;
  int keys = 0, values = 0;
  for (int g = 0; g < 100; ++g) {
    for (int k = 0; k < 1000; ++k) {
      RegHandle h = 0;
      source.CreateKey(kLocalMachine, KeyName(g, k), kAccessAll, &h);
      const auto sz = Sz("Caption of class " + std::to_string(k));
      source.SetValue(h, "", kTypeSz, sz.data(), static_cast<std::uint32_t>(sz.size()));
      const std::uint8_t dw[4] = {1, 0, 0, 0};
      source.SetValue(h, "Flag", kTypeDword, dw, 4);
      const std::uint8_t bin[24] = {0xde, 0xad, 0xbe, 0xef};
      source.SetValue(h, "Data", kTypeBinary, bin, sizeof bin);
      source.CloseKey(h);
      ++keys;
      values += 3;
    }
    ++keys;
  }
  const std::string dir = std::filesystem::temp_directory_path().string();
  const std::string file = dir + "/quillet-bench.reg", raw = dir + "/quillet-bench.raw";
  const std::string text = source.ExportRegText();
  std::printf("regfile: %d keys, %d values, %.1f MB of text\n", keys, values, text.size() / 1e6);

  const double save = bench::BestOf(5, [&] { source.WriteRegFile(file); });
  const double save_raw = bench::BestOf(5, [&] { WriteRaw(raw, text); });
  bench::Report("regfile save (100k keys, 300k values)", save, save_raw);

  // Medians of 11 turns; trees are torn down outside the timing, which is not part of a load.
  const LoadTimes fresh = TimeLoads(file, text.size(), true);
  bench::Report("regfile load (100k keys, 300k values, fresh memory)", fresh.load, fresh.read);
  // Freed memory kept by the allocator, for the turns that reuse it.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  const LoadTimes warm = TimeLoads(file, text.size(), false);
  bench::Report("regfile load (100k keys, 300k values, warm memory on both sides)", warm.load, warm.read);

  // The file's bytes, the tree and whatever the load holds on the way, at their highest.
  MemoryBackend measured_tree;
  const long long before = g_live;
  g_peak = before;
  measured_tree.BindFile(file);
  const double peak = static_cast<double>(g_peak - before);
  std::printf("regfile load peak memory (100k keys, 300k values): %.1f MB (ratio %.2f x the file's %.1f MB)\n",
              peak / 1e6, peak / static_cast<double>(text.size()), text.size() / 1e6);

  // One change and its save, as the sandbox makes them: the file bound, a value written, the
  // change committed.
  std::mt19937 rng(7);
  std::vector<double> times;
  for (int i = 0; i < 201; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    RegHandle h = 0;
    measured_tree.OpenKey(kLocalMachine, KeyName(static_cast<int>(rng() % 100), static_cast<int>(rng() % 1000)),
                          kAccessAll, &h);
    const auto sz = Sz("Changed caption " + std::to_string(i));
    measured_tree.SetValue(h, "", kTypeSz, sz.data(), static_cast<std::uint32_t>(sz.size()));
    measured_tree.CloseKey(h);
    measured_tree.Commit();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  const double change = bench::Median(times);
  std::printf("regfile save after one change (100k keys, median of %zu): %.3f ms (ratio %.2f x the 20 ms target)\n",
              times.size(), change * 1e3, change / 0.020);
  std::fflush(stdout);
  std::filesystem::remove(file);
  std::filesystem::remove(raw);
  return 0;
}
