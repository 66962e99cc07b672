// The progress bar skin (TSkinProgress): the trough from the skin's "Progress" picture, frame
// included, and the fill from its chunks. Without the picture the bar stays the system's.
#pragma once

#include "skin/win32/control_skin.h"

namespace quillet::skin::win32 {

class TSkinProgress : public TSkinControl {
 public:
  bool BeforeMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;

 private:
  bool CanPaint() const;
};

}  // namespace quillet::skin::win32
