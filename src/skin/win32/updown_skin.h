// The up-down skin (TSkinUpDown): two arrow halves drawn from "UpDown.Vert" or "UpDown.Horz",
// each in its own state. Edits and tab controls also give their up-down child one.
#pragma once

#include "skin/win32/control_skin.h"

namespace quillet::skin::win32 {

class TSkinUpDown : public TSkinControl {
 public:
  // What shows through the halves' transparent corners.
  enum class Back { Own, White, Face };
  explicit TSkinUpDown(Back back = Back::Own) : back_(back) {}

  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;

 private:
  // The half under the pointer (0 top or left, 1 bottom or right), -1 when it is elsewhere.
  int HalfUnderCursor() const;
  bool Horizontal() const;

  Back back_;
  bool pressed_ = false;
  bool hot_ = false;
  int hot_half_ = -1;
};

// Gives a window's up-down child (an edit's spin buttons, a tab control's scroller) a skin of its
// own. A paint only notices the child: the skin is added from a posted message, since a paint may
// run while the form goes through its control skins.
class ChildUpDown {
 public:
  explicit ChildUpDown(TSkinUpDown::Back back) : back_(back) {}
  // Skins the child now, when there is one.
  void Attach(HWND parent, TSkinData& data, TWinSkinForm& form);
  // From a paint: asks for Attach later when an unskinned child has appeared.
  void Notice(HWND parent);
  // From the parent's skin's BeforeMessage: true when `m` was the request Notice posted.
  bool Take(const ui::Message& m, HWND parent, TSkinData& data, TWinSkinForm& form);
  HWND Window() const { return IsWindow(child_) ? child_ : nullptr; }

 private:
  TSkinUpDown::Back back_;
  HWND child_ = nullptr;
  bool posted_ = false;
};

}  // namespace quillet::skin::win32
