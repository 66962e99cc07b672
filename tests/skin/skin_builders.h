// Builds small skins in memory for the tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "skin/bitmap.h"
#include "skin/elements.h"
#include "skin/quick_ini.h"
#include "skin/lzh.h"
#include "skin/skin_reader.h"

namespace quillet::skin::testing {

struct SkinBuilder {
  std::string ini;
  std::vector<std::pair<std::string, Bitmap32>> bitmaps;

  SkinBuilder& Ini(std::string text) {
    ini = std::move(text);
    return *this;
  }
  SkinBuilder& Bmp(std::string name, Bitmap32 b) {
    bitmaps.emplace_back(std::move(name), std::move(b));
    return *this;
  }
  std::vector<std::uint8_t> Archive() const {
    TSkinArchiveWriter w;
    w.Add("skin.ini", {ini.begin(), ini.end()});
    for (const auto& [n, b] : bitmaps) w.Add(n, WriteBmp(b));
    return w.Archive();
  }
  std::vector<std::uint8_t> Raw() const { return TLZHEncode(Archive()); }
  TSkinElements Read() const {
    TSkinReader reader;
    reader.OpenArchive(Archive());
    TSkinElements e;
    ReadSkinElements(reader, e);
    return e;
  }
  static std::vector<std::uint8_t> TLZHEncode(const std::vector<std::uint8_t>& a) { return TLZH::Encode(a); }
};

}  // namespace quillet::skin::testing
