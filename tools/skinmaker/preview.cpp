// Paints two sample windows (active and inactive) from a skin file with the element painter,
// to look at the skin as a whole: quillet-skin-preview SKINFILE OUT.bmp
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "sample_window.h"
#include "skin/skin_data.h"

using namespace quillet::skin;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: quillet-skin-preview SKINFILE OUT.bmp\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<std::uint8_t> raw{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  TSkinDataCore data;
  if (!data.LoadFromRaw(raw)) {
    std::fprintf(stderr, "%s\n", data.LastMessage().c_str());
    return 1;
  }
  const Bitmap32 canvas = quillet::skinmaker::PaintSampleWindows(data.Elements());
  std::ofstream out(argv[2], std::ios::binary);
  const auto bytes = WriteBmp(canvas);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return out ? 0 : 1;
}
