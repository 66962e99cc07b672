// Writes small seed inputs for the fuzzers: a little skin's INI text, its archive, the
// archive compressed, a few bitmap files, the .reg files of the reader's test table and a list
// file.
#include <filesystem>
#include <fstream>
#include <string>

#include "registry/regedit_cases.h"
#include "skin/bitmap.h"
#include "skin/lzh.h"
#include "skin/skin_reader.h"

using namespace quillet::skin;
namespace fs = std::filesystem;

namespace {

void Write(const fs::path& p, const std::vector<std::uint8_t>& b) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

Bitmap32 Checker(int w, int h) {
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Set(x, y, (x + y) % 3 ? 0xFF00FF : 0x336699 + x * 16);
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const fs::path out = argv[1];
  const std::string ini =
      "[TitlebarSkin]\r\nSkinName=Seed\r\n[Personality]\r\nTop=t.bmp\r\nTopFrame=2\r\nLeft=t.bmp\r\n"
      "menuBar=t.bmp\r\n[Colours]\r\nButtonFace=235 233 235\r\n[BUTTON0]\r\nAction=4\r\nButtonImage=b.bmp\r\n"
      "[Button1]\r\nAction=1\r\nVisibility=2\r\nXcoord=44\r\n[Buttons]\r\nBitmap=b.bmp\r\nCheckButton=b.bmp\r\n"
      "[ComboButton]\r\nImage=b.bmp\r\n[SunkEdge]\r\nImage=t.bmp\r\nLeftWidth=2\r\n[ExtraImages]\r\nImage=b.bmp\r\n"
      "[MDICONTROLS]\r\nImage=b.bmp\r\n[Tab.Pane]\r\nImage=t.bmp\r\nLeftWidth=0x6\r\n[Colour1]\r\ncolor=1,2,3\r\n";
  TSkinArchiveWriter w;
  w.Add("seed.ini", {ini.begin(), ini.end()});
  w.Add("t.bmp", WriteBmp(Checker(12, 8)));
  w.Add("b.bmp", WriteBmp(Checker(24, 6)));
  Write(out / "ini" / "seed.ini", {ini.begin(), ini.end()});
  Write(out / "archive" / "seed.arc", w.Archive());
  Write(out / "lzh" / "seed.lzh", w.RawStream());
  Write(out / "lzh" / "text.lzh", TLZH::Encode(std::vector<std::uint8_t>(ini.begin(), ini.end())));
  auto bmp = WriteBmp(Checker(7, 5));
  bmp.insert(bmp.begin(), {2, 3, 2, 1, 3, 250, 250, 40, 30, 1, 3, 0});
  Write(out / "bmp" / "seed.bin", bmp);
  for (const auto& c : quillet::testing::RegeditCases()) {
    const std::string bytes = quillet::testing::CaseBytes(c);
    Write(out / "regfile" / (std::string(c.name) + ".reg"), {bytes.begin(), bytes.end()});
  }
  // A 6 x 4 picture of two frames, margins 1, at 144 DPI.
  Write(out / "scale" / "seed.bin", {6, 4, 2, 0, 1, 1, 1, 1, 144, 0, 0x30, 0x45, 0x12, 0x00, 0x66, 0x21, 0x03, 0x40,
                                     0x55, 0x01, 0x23, 0x34});
  const std::string list = "{00000000-1111-2222-3333-444444444444}\r\n{A}\n\r\rlast";
  Write(out / "clsid_list" / "seed.dat", {list.begin(), list.end()});
  // Make classes in both hives, open one through HKEY_CLASSES_ROOT, remove the user's, list it.
  Write(out / "registry_ops" / "seed.bin", {1, 1, 6, 0, 1, 2, 6, 0, 3, 0, 1, 0, 65, 0, 0, 1, 0,
                                            2, 1, 6, 0, 5, 3, 0, 0, 6, 3, 0, 1, 0});
  return 0;
}
