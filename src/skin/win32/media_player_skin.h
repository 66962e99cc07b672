// The media player skin (TSkinMP): a TWMediaPlayer panel over the whole player draws its buttons
// from the skin's "Buttons" picture, each with its glyph, hot under the pointer. Presses go on to
// the player, which keeps its own idea of which button was clicked.
#pragma once

#include <memory>

#include "skin/win32/control_skin.h"
#include "skin/win32/overlay.h"

namespace quillet::skin::win32 {

class TSkinMP;

class TWMediaPlayer : public TSkinOverlay {
 public:
  explicit TWMediaPlayer(TSkinMP& owner) : owner_(owner) {}

 protected:
  void PaintOverlay(BitmapView v, HDC dc) override;
  void Mouse(UINT msg, POINT at) override;

 private:
  TSkinMP& owner_;
  int hot_ = -1;
};

class TSkinMP : public TSkinControl {
 public:
  void Detach(bool windowGoing) override;
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;

  TSkinData& Data() const { return *data_; }
  HWND Player() const { return hwnd_; }
  // The player's published "VisibleButtons", "EnabledButtons" and "PressedButton".
  int Property(const char* name, int otherwise) const;

 protected:
  void Attached() override { PlacePanel(); }

 private:
  void PlacePanel();
  std::unique_ptr<TWMediaPlayer> panel_;
};

}  // namespace quillet::skin::win32
