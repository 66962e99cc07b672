// The scroll-bar skins: panels drawn over a control's own scroll bars. The control keeps its
// scrolling; the system keeps tracking every press on its real bar, which the panel hands on.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "skin/ctl/scrollbar.h"
#include "skin/win32/canvas.h"
#include "skin/win32/control_skin.h"
#include "ui/own_window.h"

namespace quillet::skin::win32 {

class TSkinScrollbar;

// One overlay: a borderless window on the control's parent, just in front of the control, over
// one of its scroll bars (or over the whole of a scroll-bar control).
class TWScrollbar : public ui::OwnWindow {
 public:
  enum Kind { kHorizontal = 0, kVertical = 1, kStandalone = 2 };
  TWScrollbar(TSkinScrollbar& owner, Kind kind, bool horizontal);

  // Over the bar, or hidden when the control or its bar is.
  void Place();
  void Hide();
  void Enable(bool on);
  // Paints now when anything it shows has changed; always when `force`.
  void Refresh(bool force = false);
  void TakeScrollCode(int code);
  // A press the control is about to track (at a screen point), and its end.
  void Press(POINT screen);
  void Release();
  // The pointer at a screen point, for a control that holds the capture over its bars.
  void HoverAt(POINT screen);

  bool Visible() const { return visible_; }
  // Expires when the overlay goes.
  std::weak_ptr<int> Life() const { return life_; }
  // In the control's window coordinates; empty while hidden.
  RECT BarInWindow() const;

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // Gone with its parent.
  void WindowDestroyed() override;
  void OnPress(LPARAM lp);
  void OnMouseMove(int a);
  void TrackLeave();
  bool Create();
  HWND Control() const;
  int Arrow() const;
  int Along(POINT client) const { return horizontal_ ? client.x : client.y; }

  // The system's bar, asked once for each thing the overlay does.
  struct BarState {
    bool shown = false, enabled = false;
    RECT rect{};  // on the screen
    ThumbSpan thumb;
  };
  BarState Query() const;
  int ZoneAt(int a, const BarState& b) const;
  // What the overlay shows; a refresh that would show the same is skipped.
  struct Look {
    int width = 0, height = 0, zone = kZoneNone;
    bool enabled = true, pressed = false;
    ThumbSpan thumb;
    bool operator==(const Look&) const = default;
  };
  Look LookOf(const BarState& b) const;
  void Show(const BarState& b, bool force);
  void Paint(HDC dc, const Look& l);

  TSkinScrollbar& owner_;
  Kind kind_;
  bool horizontal_;
  bool popup_ = false;
  bool visible_ = false;
  int zone_ = kZoneNone;
  bool pressed_ = false;
  bool tracking_leave_ = false;
  ThumbDrag drag_;
  RECT placed_{};  // in the parent's client coordinates (the screen's for a popup)
  std::optional<Look> shown_;
  Canvas canvas_;
  // Expires with the object: a press hands control to the system, which may end the skin.
  std::shared_ptr<int> life_ = std::make_shared<int>(0);
};

class TSkinScrollbar : public TSkinControl {
 public:
  explicit TSkinScrollbar(bool single = false) : single_(single) {}
  ~TSkinScrollbar() override;

  void Detach(bool windowGoing) override;
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
  void Paint(HDC dc, const RECT& r) override;
  void Refresh() override;

  TSkinData& Data() const { return *data_; }
  TWScrollbar* Overlay(bool horizontal) const;

 protected:
  void Attached() override;
  void PlaceOverlays();
  void RefreshOverlays(bool force);
  // The overlay a screen point is over, or null.
  TWScrollbar* OverlayAt(POINT screen) const;

 private:
  void FreeOverlays();
  void DrawBorder(HDC windowDc) const;
  void FillCorner(HDC windowDc) const;

  bool single_;
  bool border_ = false;
  bool clip_added_ = false;
  std::unique_ptr<TWScrollbar> horz_, vert_;
  std::optional<std::int64_t> fixed_color_;
};

// A list view; its header gets its own skin, as every list view's does.
class TSkinListView : public TSkinScrollbar {};

// A bare window's scroll bars (the list of a simple combo box).
class TSkinScrollbarH : public TSkinScrollbar {};

// A scroll box: its bars scroll the controls on it.
class TSkinScControl : public TSkinScrollbar {};

// The drop-down list of a combo box: while it is down it holds the capture, so presses on its
// bar come to it rather than to the overlay; the overlay is told of them here.
class TComboxScrollBar : public TSkinScrollbar {
 public:
  bool BeforeMessage(ui::Message& m) override;
  void AfterMessage(ui::Message& m) override;
};

}  // namespace quillet::skin::win32
