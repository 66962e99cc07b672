#pragma once
// Bars and strips: progress bar, track bar, status bar and tab set on the common controls, and a
// media player's button bar drawn by the toolkit. Small on purpose: what the program and the skin
// gallery use. Only the media player publishes its state by name, having no window class whose
// messages would tell it.

#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace quillet::ui {

enum class BarOrientation { Horizontal, Vertical };

class TProgressBar : public TWinControl {
 public:
  TProgressBar(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TProgressBar"; }
  void SetRange(int min, int max);
  int Position() const;
  void SetPosition(int position);
  // Styles of the window: set after it was made, they make it anew.
  void SetOrientation(BarOrientation o);
  void SetSmooth(bool s);

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  int min_ = 0, max_ = 100, position_ = 0;
  BarOrientation orientation_ = BarOrientation::Horizontal;
  bool smooth_ = false;
};

enum class TickMarks { BottomRight, TopLeft, Both };

class TTrackBar : public TWinControl {
 public:
  TTrackBar(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TTrackBar"; }
  void SetRange(int min, int max);
  int Position() const;
  void SetPosition(int position);
  // Styles of the window: set after it was made, they make it anew.
  void SetOrientation(BarOrientation o);
  void SetTickMarks(TickMarks t);
  Event OnChange;  // the position moved, by the user or the program

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(Message& m) override;

 private:
  static constexpr int kTickFrequency = 1;  // a tick at every position
  int min_ = 0, max_ = 10, position_ = 0;
  int reported_ = 0;
  BarOrientation orientation_ = BarOrientation::Horizontal;
  TickMarks ticks_ = TickMarks::BottomRight;
};

// A bar of panels along the bottom of a form; the form places it like any other control.
class TStatusBar : public TWinControl {
 public:
  TStatusBar(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TStatusBar"; }
  // A panel `width` pixels wide; the last one takes what is left.
  void AddPanel(const std::string& text, int width);
  void SetSizeGrip(bool grip);

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override;

 private:
  struct Panel {
    std::string text;
    int width = 0;
  };
  void SendPanels();
  std::vector<Panel> panels_;
  bool size_grip_ = true;
};

// A row of tabs without pages, hanging from the edge above it.
class TTabSet : public TWinControl {
 public:
  TTabSet(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TTabSet"; }
  void SetTabs(const std::vector<std::string>& tabs);
  int TabIndex() const;
  void SetTabIndex(int index);
  Event OnChange;

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(Message& m) override;

 private:
  void SendTabs();
  std::vector<std::string> tabs_;
  int index_ = 0;
};

// The buttons of a media player, in their order on the bar.
enum class MediaButton { Play, Pause, Stop, Next, Prev, Step, Back, Record, Eject };
inline constexpr int kMediaButtonCount = 9;
inline constexpr unsigned kAllMediaButtons = (1u << kMediaButtonCount) - 1;

// A bar of the media buttons the program shows, each as wide as the bar shared out; pressing one
// reports which. Published: "VisibleButtons" and "EnabledButtons" (bit k for button k) and
// "PressedButton" (the button held down, or -1).
class TMediaPlayer : public TWinControl {
 public:
  TMediaPlayer(TComponent* owner, std::string name);
  const char* ClassName() const override { return "TMediaPlayer"; }
  void SetEnabledButtons(unsigned mask);
  std::function<void(MediaButton)> OnButtonClick;

 protected:
  void WndProc(Message& m) override;
  void PaintWindow(HDC dc) override;

 private:
  // The visible button at a client point, or -1.
  int ButtonAt(int x, int y) const;
  RECT ButtonRect(int slot, int slots) const;
  unsigned visible_ = kAllMediaButtons, enabled_ = kAllMediaButtons;
  int pressed_ = -1;
};

}  // namespace quillet::ui
