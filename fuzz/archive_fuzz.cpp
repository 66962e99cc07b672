// A decompressed archive: the reader, then everything a skin load does with what it finds
// (the INI text, the bitmaps, the elements and the pictures made from them).
#include "skin/elements.h"
#include "skin/quick_ini.h"
#include "skin/skin_reader.h"

using namespace quillet::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TSkinReader reader;
  if (!reader.OpenArchive(std::vector<std::uint8_t>(data, data + size))) return 0;
  for (const auto& name : reader.Names()) (void)reader.ExtractByName(name);
  std::vector<std::uint8_t> ini;
  reader.ExtractByFragment(".ini", ini);
  TQuickIni q;
  q.Load(ini);
  TSkinElements elements;
  ReadSkinElements(q, reader, elements);
  return 0;
}
