// The track bar skin (TSkinTrackBar): the channel from the skin's "Track" or "TRACKVERT" picture,
// tick marks, and the thumb from the track-bar thumb picture its style asks for, hot under the
// pointer and pressed while dragged. The control keeps its input.
#pragma once

#include "skin/win32/control_skin.h"

namespace quillet::skin::win32 {

class TSkinTrackBar : public TSkinControl {
 public:
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;

 private:
  bool OverThumb(std::intptr_t lparam) const;

  bool hot_ = false;
  bool dragged_ = false;
};

}  // namespace quillet::skin::win32
