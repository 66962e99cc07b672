// The skins that only paint a background: panels (TSkinBox), the panes and tool bars of foreign
// windows (TSkinBoxH) and tab sheets (TSkinTabSheet).
#pragma once

#include "skin/win32/control_skin.h"

namespace quillet::skin::win32 {

// A panel: while skinned its colour is the face colour (and its parent background off when the
// options say so); its painting stays its own. A tool bar's is the skin's: its background from
// the skin's tool-bar pictures, its graphic controls over it.
class TSkinBox : public TSkinControl {
 public:
  void Configure(const ControlSkinPlan& plan) override { toolbar_ = plan.toolbar; }
  bool BeforeMessage(ui::Message& m) override;

 private:
  void PaintBar(HDC dc);
  bool toolbar_ = false;
};

class TSkinBoxH : public TSkinControl {
 public:
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
};

class TSkinTabSheet : public TSkinControl {
 public:
  bool BeforeMessage(ui::Message& m) override;

 private:
  void PaintSheet(HDC dc);
};

}  // namespace quillet::skin::win32
