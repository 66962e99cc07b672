// The combo box skin (TSkinComBox): the frame and the drop-down button from the skin, hot while
// the pointer is over the button, pressed while it is held or the list is open. The control paints
// its text and list itself.
#pragma once

#include <memory>

#include "skin/win32/control_skin.h"

namespace quillet::skin::win32 {

class TSkinComBox : public TSkinControl {
 public:
  // `extended`: a combo-box-ex, drawn as one.
  explicit TSkinComBox(bool extended = false) : extended_(extended) {}

  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;

 protected:
  // Skins the list and takes the edit part's painting.
  void Attached() override;

 private:
  // The edit part of a drop-down combo box paints over the frame; the frame is painted again
  // after it, and a press on it shows the button pressed.
  class EditPart : public ui::Subclass {
   public:
    explicit EditPart(TSkinComBox& owner) : Subclass(Kind::EditPart), owner_(owner) {}

   protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

   private:
    TSkinComBox& owner_;
  };
  void SetPressed(bool pressed);

  bool extended_;
  bool pressed_ = false;
  bool hot_ = false;
  bool dropped_ = false;
  RECT button_{};  // in client coordinates, for hot tests
  EditPart edit_part_{*this};
};

}  // namespace quillet::skin::win32
