// Loading and saving a large .reg file, against moving the same bytes with no parsing.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "bench_util.h"
#include "registry/memory_backend.h"
#include "registry/reg_file.h"

using namespace quillet;

namespace {

std::string ReadRaw(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::string bytes(static_cast<size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main() {
  // 100,000 classes in 100 groups, 300,000 values.
  MemoryBackend source;
  char name[64];
  int keys = 0, values = 0;
  for (int g = 0; g < 100; ++g) {
    for (int k = 0; k < 1000; ++k) {
      std::snprintf(name, sizeof name, "Group%03d\\{%08X-1111-2222-3333-444444444444}", g, k);
      RegHandle h = 0;
      source.CreateKey(kLocalMachine, name, kAccessAll, &h);
      const std::string text = "Caption of class " + std::to_string(k);
      std::vector<std::uint8_t> sz(text.begin(), text.end());
      sz.push_back(0);
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

  const double save = bench::BestOf(3, [&] { WriteFileAtomically(file, source.ExportRegText()); });
  const double save_raw = bench::BestOf(3, [&] { WriteRaw(raw, text); });
  bench::Report("regfile save (100k keys, 300k values)", save, save_raw);

  // Tearing the tree down afterwards is not part of a load.
  std::vector<std::unique_ptr<MemoryBackend>> loaded;
  const double load = bench::BestOf(3, [&] {
    loaded.push_back(std::make_unique<MemoryBackend>());
    loaded.back()->BindFile(file);
  });
  const double load_raw = bench::BestOf(3, [&] { volatile size_t n = ReadRaw(raw).size(); (void)n; });
  bench::Report("regfile load (100k keys, 300k values)", load, load_raw);
  std::filesystem::remove(file);
  std::filesystem::remove(raw);
  return 0;
}
