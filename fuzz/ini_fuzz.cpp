// The INI reader on any text, asked for the keys a skin load asks for.
#include "skin/quick_ini.h"

using namespace quillet::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TQuickIni ini;
  ini.Load(data, size);
  for (const auto& section : ini.Sections()) {
    (void)ini.ReadString(section, "Image", "");
    (void)ini.ReadInteger(section, "Frame", 0);
    (void)ParseColorText(ini.ReadString(section, "color", ""));
  }
  (void)ini.ReadInteger("Personality", "TopHeight", -1);
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::int32_t v;
  (void)ParseSkinInteger(text, v);
  (void)ParseColorText(text);
  return 0;
}
