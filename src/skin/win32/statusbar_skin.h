// The status bar skin (TSkinStatusBar): the bar, its panels and its size grip from the skin's
// "StatusBarEdges" picture, each panel's text over it. The size grip skin (TSkinSizer): a size
// grip window drawn in the face colour with the skin's dots.
#pragma once

#include "skin/win32/control_skin.h"

namespace quillet::skin::win32 {

class TSkinStatusBar : public TSkinControl {
 public:
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;
};

class TSkinSizer : public TSkinControl {
 public:
  bool BeforeMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;
};

}  // namespace quillet::skin::win32
