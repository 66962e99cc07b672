// The skin of a header control (the title row of a list view): its sections drawn from the skin,
// hot under the pointer and pressed while clicked; the control keeps its sizing and dragging.
#pragma once

#include "skin/win32/control_skin.h"

namespace quillet::skin::win32 {

class TSkinHeader : public TSkinControl {
 public:
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;

 private:
  // The section under a point of the client area (not on a divider), or -1.
  int SectionAt(LPARAM lp) const;
  void SetHot(int section);

  int hot_ = -1, pressed_ = -1;
};

}  // namespace quillet::skin::win32
