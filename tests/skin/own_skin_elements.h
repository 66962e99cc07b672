#pragma once
// Our own skin's elements, read once from the program's embedded skin, for tests that look at a
// skinned window from outside and compare what they see with the skin's pictures.

#include "skin/embedded_skin.h"
#include "skin/skin_data.h"

namespace quillet::skin::testing {

inline const TSkinElements& OwnSkinElements() {
  static const TSkinDataCore data = [] {
    TSkinDataCore d;
    const auto bytes = EmbeddedSkinStream();
    d.ReadSkinStream(bytes.data(), bytes.size());
    return d;
  }();
  return data.Elements();
}

}  // namespace quillet::skin::testing
