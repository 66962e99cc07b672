// The edit skin (TSkinEdit): the skin's flat border over the edit's sunken one; the edit paints
// its text itself. An edit without a border is left as the system draws it.
#pragma once

#include "skin/win32/control_skin.h"
#include "skin/win32/updown_skin.h"

namespace quillet::skin::win32 {

class TSkinEdit : public TSkinControl {
 public:
  // Asks the edit to paint itself into a device context given as wParam, with this lParam; the
  // edit answers it.
  static constexpr unsigned kPaintIntoMessage = 0xBC4A;
  static constexpr std::intptr_t kPaintIntoKey = 0x41A2;

  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;

 private:
  void PrintBorder(HDC dc);
  ChildUpDown updown_{TSkinUpDown::Back::White};
};

}  // namespace quillet::skin::win32
