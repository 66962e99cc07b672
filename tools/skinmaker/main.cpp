// Draws Quillet's skin and writes it: the raw stream (a skin file), and the stored-property form
// (32-bit length, then the raw stream) that the program embeds; drawn for 96 DPI unless asked.
//   quillet-skinmaker [--raw FILE] [--property FILE] [--dump DIR] [--dpi N]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "skin/art/skin_art.h"
#include "skin/skin_reader.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  // Written beside the target and renamed, so a failed run never leaves half a skin behind.
  const std::filesystem::path tmp = path.string() + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) return false;
  }
  std::filesystem::rename(tmp, path, ec);
  return !ec;
}

}  // namespace

int main(int argc, char** argv) {
  std::string raw, property, dump;
  int dpi = 96;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i];
    if (opt == "--raw") raw = argv[i + 1];
    else if (opt == "--property") property = argv[i + 1];
    else if (opt == "--dump") dump = argv[i + 1];
    else if (opt == "--dpi") dpi = std::atoi(argv[i + 1]);
    else {
      std::fprintf(stderr, "unknown option %s\n", opt.c_str());
      return 2;
    }
  }
  if (argc < 3 || argc % 2 == 0) {
    std::fprintf(stderr, "usage: quillet-skinmaker [--raw FILE] [--property FILE] [--dump DIR] [--dpi N]\n");
    return 2;
  }
  const auto art = quillet::skin::art::DrawQuilletSkin(dpi);
  const auto stream = quillet::skin::art::PackSkin(art);
  bool ok = true;
  if (!raw.empty()) ok &= WriteFile(raw, stream);
  if (!property.empty()) ok &= WriteFile(property, quillet::skin::WrapSkinStream(stream));
  if (!dump.empty()) {
    const std::filesystem::path dir(dump);
    ok &= WriteFile(dir / art.iniName, {art.ini.begin(), art.ini.end()});
    for (const auto& [name, bmp] : art.bitmaps) ok &= WriteFile(dir / name, quillet::skin::WriteBmp(bmp));
  }
  if (!ok) {
    std::fprintf(stderr, "quillet-skinmaker: cannot write the output\n");
    return 1;
  }
  return 0;
}
