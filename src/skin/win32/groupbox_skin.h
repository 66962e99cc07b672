// The group box skin (TSkinGroupBox): a rounded line in the skin's shadow colour with the caption
// on the face colour. A toolkit group box is painted wholly by the skin, its labels and images
// included; a foreign one keeps its own painting under the skin's line and caption.
#pragma once

#include "skin/win32/control_skin.h"

namespace quillet::skin::win32 {

class TSkinGroupBox : public TSkinControl {
 public:
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;
};

}  // namespace quillet::skin::win32
