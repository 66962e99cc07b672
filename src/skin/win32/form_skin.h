// The skin object of one top-level window (a toolkit form, a standard dialog or a message box): it
// takes the window's messages on its subclass chain, draws the frame from the skin, answers hit tests and the
// frame's mouse input itself, shows a skinned system menu, shapes the window with a region, and
// attaches the control skins. Restoring puts the window back as it was.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "skin/nc_layout.h"
#include "skin/win32/canvas.h"
#include "skin/win32/skin_data.h"
#include "ui/subclass.h"

namespace quillet::skin::win32 {

class TSkinControl;
class TWinSkinMenu;
struct SkinMenuItem;
class TSkinManage;

class TWinSkinForm : private ui::Subclass {
 public:
  enum State { kAttached = 0, kActive = 1, kRefreshing = 3, kDestroying = 4, kResizing = 5, kDead = 6 };

  TWinSkinForm(TSkinManage& manager, HWND hwnd, std::string className, ui::TWinControl* form);
  ~TWinSkinForm();
  TWinSkinForm(const TWinSkinForm&) = delete;
  TWinSkinForm& operator=(const TWinSkinForm&) = delete;

  // Takes the window over with the given component's skin; false when the window cannot be.
  bool Initialize(TSkinData* data);
  // Puts the window back as it was (also when its window is being destroyed).
  void Restore();
  void RepaintFrame(HDC dc = nullptr);
  // After the component loaded another skin: drop the layout and pictures made from the old one.
  void ReleaseCaptionButtons();
  void ReloadSkinData();
  void Repaint();
  void MarkDead() { state_ = kDead; }

  HWND Hwnd() const { return hwnd_; }
  const std::string& ClassName() const { return class_name_; }
  ui::TWinControl* Form() const { return form_; }
  TSkinData* Data() const { return data_; }
  // The DPI the window is drawn at, and the skin's elements there.
  int Dpi() const { return dpi_; }
  const TSkinElements& Elements() const { return data_->ElementsAt(dpi_); }
  bool Dead() const { return state_ == kDead; }
  bool Foreign() const { return form_ == nullptr; }
  const FrameLayout& Layout();
  // The skin of a window, or null.
  static TWinSkinForm* Of(HWND hwnd);

  // Control skins of the window's controls; each control gets one at most.
  TSkinControl* FindControlSkin(HWND hwnd) const;
  void AddControlSkin(std::unique_ptr<TSkinControl> skin);
  // Frees the skins of controls whose windows are gone.
  void DropDeadControls();
  const std::vector<std::unique_ptr<TSkinControl>>& ControlSkins() const { return controls_; }

  // Opens the skinned system menu at a screen point.
  void ShowSystemMenu(int x, int y);

 private:
  // The window's own handling of a message (the rest of its chain).
  LRESULT CallPrev(UINT msg, WPARAM wp, LPARAM lp) { return CallNext(msg, wp, lp); }
  // Every message of the window.
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void WindowDestroyed() override;
  // The non-client messages of a painted frame, and the input it takes itself; true when the
  // message was handled, with its result in `r`.
  bool OnFrameMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& r);
  bool OnInputMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& r);
  // The window moved to a screen of another DPI: the frame, the menu bar and the controls take the
  // skin at the new one before the window's own handling lays it out.
  LRESULT OnDpiChanged(WPARAM wp, LPARAM lp);
  // The form's menu bar was replaced.
  LRESULT OnMenuChanged(UINT msg, WPARAM wp, LPARAM lp);
  RECT MenuBand() const;

  void ReadStyles();
  void OnAttach();
  void ResizeToSkin();
  void BuildRegion(bool force);
  bool Painting() const { return state_ == kActive || state_ == kRefreshing || state_ == kResizing; }
  void PaintFrame(HDC dc);
  void InvalidateLayout() { layout_valid_ = false; }
  FrameState CurrentFrameState() const;
  void ReadSizeState();
  void SetActiveFlag(bool active);
  POINT ToWindow(LPARAM screenPoint) const;
  std::wstring WindowTextW() const;
  void MakeSmallIcon();

  LRESULT OnNcCalcSize(WPARAM wp, LPARAM lp);
  LRESULT OnNcHitTest(WPARAM wp, LPARAM lp);
  bool OnNcMouseMove(LPARAM lp);
  bool OnNcLButtonDown(WPARAM& wp, LPARAM lp);
  bool OnNcLButtonUp(LPARAM lp);
  bool OnNcLButtonDblClk(WPARAM wp, LPARAM lp);
  bool OnSysCommand(WPARAM wp, LPARAM lp);
  void OnHoverTimer();
  void StartHoverTimer();
  void StopHoverTimer();
  void SetHot(int index);
  void PerformAction(int buttonIndex, POINT windowPt);
  bool MeasureMenuItem(MEASUREITEMSTRUCT* mis);
  bool DrawMenuItem(DRAWITEMSTRUCT* dis);
  // Text drawn without the system painting its own caption over ours.
  LRESULT CallPrevHidden(UINT msg, WPARAM wp, LPARAM lp);

  static constexpr UINT_PTR kHoverTimer = 0x51E7;

  TSkinManage& manager_;
  HWND hwnd_;
  std::string class_name_;
  ui::TWinControl* form_;
  TSkinData* data_ = nullptr;
  int dpi_ = base::kBaseDpi;
  State state_ = kAttached;
  bool attached_ = false;  // SKINMSG_ATTACH has been handled
  bool restored_ = false;

  // From the styles, at attach.
  FrameBorder border_ = FrameBorder::Single;
  bool standard_dialog_ = false;
  bool max_box_ = false, min_box_ = false, help_ = false, sys_menu_ = false;
  bool rtl_ = false, child_ = false, popup_ = false;
  bool full_ = true;  // the frame is skinned, not only the controls
  SizeState size_ = SizeState::Normal;
  bool active_ = false;
  bool sysmenu_removed_ = false;

  BorderSizes borders_;
  int menu_bar_height_ = 0;
  int native_dx_ = 0, native_dy_ = 0;  // native frame: window minus client size
  SIZE keep_client_{};                  // the client size before skinning, for the first resize
  std::unique_ptr<TWinSkinMenu> menu_bar_;
  std::vector<std::unique_ptr<SkinMenuItem>> owner_drawn_;  // main-menu items the skin draws
  HMENU native_menu_ = nullptr;

  FrameLayout layout_;
  std::wstring caption_text_;
  bool frame_paint_off_ = false;
  bool layout_valid_ = false;
  int layout_w_ = -1, layout_h_ = -1;
  Canvas canvas_;
  int region_w_ = -1, region_h_ = -1;
  bool setting_region_ = false;
  HICON small_icon_ = nullptr;  // not owned

  int hot_ = -1, pressed_ = -1;
  bool pressed_shown_ = false;  // the cursor is over the pressed button
  bool timer_on_ = false;
  int hover_ms_ = 0;
  DWORD last_sysmenu_tick_ = 0;
  bool in_sysmenu_ = false;
  ui::Color saved_color_ = 0;
  bool color_saved_ = false;

  std::vector<std::unique_ptr<TSkinControl>> controls_;
};

// The toolkit's form colour for a colour reference.
inline ui::Color ToolkitColor(COLORREF c) { return static_cast<ui::Color>(c & base::kRgbMask); }

}  // namespace quillet::skin::win32
