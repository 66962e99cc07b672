// The system's own colours and metrics for element reading, on Windows.
#pragma once

#include "skin/elements.h"

namespace quillet::skin {

class Win32SkinSystem : public SkinSystem {
 public:
  ColorRef SysColor(int index) const override;
  int HScrollArrowWidth() const override;
};

}  // namespace quillet::skin
