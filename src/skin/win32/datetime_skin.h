// The date-time picker skin (TSkinDateTime): the edit skin's border, and a TArrowButton over the
// picker's own drop-down button, drawn from the skin's "ComboxArrow". The button hands presses to
// the picker, which opens its calendar as always.
#pragma once

#include <memory>

#include "skin/win32/edit_skin.h"
#include "skin/win32/overlay.h"

namespace quillet::skin::win32 {

class TSkinDateTime;

class TArrowButton : public TSkinOverlay {
 public:
  explicit TArrowButton(TSkinDateTime& owner) : owner_(owner) {}
  // Shown pressed while the picker's calendar is open; looks until it closes.
  void Refresh();

 protected:
  void PaintOverlay(BitmapView v, HDC dc) override;
  void Mouse(UINT msg, POINT at) override;
  void Timer() override;

 private:
  bool Dropped() const;
  TSkinDateTime& owner_;
  bool hot_ = false;
  bool watching_ = false;
};

class TSkinDateTime : public TSkinEdit {
 public:
  void Detach(bool windowGoing) override;
  void AfterMessage(ui::Message& m) override;

  TSkinData& Data() const { return *data_; }
  HWND Picker() const { return hwnd_; }

 protected:
  void Attached() override { PlaceButton(); }

 private:
  void PlaceButton();
  std::unique_ptr<TArrowButton> button_;
};

}  // namespace quillet::skin::win32
