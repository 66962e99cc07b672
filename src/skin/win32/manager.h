// The window manager of the skin engine, one per process: it notices every top-level window of the
// interface thread (a computer-based-training hook), decides whether to skin it and with which
// component, keeps the window and popup-menu skin objects, and runs the deferred actions of the
// components (skin all, unskin all, refresh) from a timer.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/win32/skin_data.h"
#include "skin/window_map.h"

namespace quillet::skin::win32 {

class TWinSkinForm;
class TWinSkinPopMenu;

enum TSkinAction { saNone, saSkinAll, saUnskinAll, saRefresh, saPurge, saReskinWindow };


class TSkinManage {
 public:
  // The manager, made on first use; null once it has been destroyed at exit.
  static TSkinManage* Instance();
  static TSkinManage& Create();
  // Restores every window and removes the hook; late hook calls only pass through afterwards.
  static void Finalize();
  ~TSkinManage();

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e) { enabled_ = e; }
  // How many times skinning was started: 0 until the first window is skinned or a component
  // switched on.
  int Started() const { return started_; }
  void SetStarted(int s) { started_ = s; }

  void Register(TSkinData* data);
  void Unregister(TSkinData* data);
  void InstallHook();

  void SetPending(TSkinData* data) { pending_ = data; }
  void ScheduleAction(TSkinAction action, int delayMs);
  void SetReskinWindow(HWND hwnd) { reskin_window_ = hwnd; }

  // True when a skin object was made for the window.
  bool SkinWindow(HWND hwnd);
  TSkinData* ChooseSkinData(HWND hwnd) const;
  static TWinSkinForm* FindForm(HWND hwnd);
  const std::vector<std::unique_ptr<TWinSkinForm>>& Forms() const { return forms_; }
  // Frees the skin objects of windows that are gone, and of their controls that are.
  void Purge();
  // A window skin or control skin lost its window: it is freed once the message that ended it
  // has been handled.
  void RequestPurge();

  static TWinSkinPopMenu* FindPopup(HWND hwnd);
  TWinSkinPopMenu* FindPopupByMenu(HMENU menu) const;
  TWinSkinPopMenu* NewestPopupWithoutMenu() const;
  const std::vector<std::unique_ptr<TWinSkinPopMenu>>& Popups() const { return popups_; }
  void SetMenuMode(MenuMode m) { menu_mode_ = m; }
  bool Tracking() const { return tracking_; }
  void SetTracking(bool t) { tracking_ = t; }

  // Runs the pending action now (the timer's work).
  void RunPendingAction();

 private:
  TSkinManage() = default;
  static LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp);
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
  static void CALLBACK PurgeProc(HWND, UINT, UINT_PTR, DWORD);
  void OnCreateWindow(HWND hwnd, const CREATESTRUCTA* cs);
  void OnDestroyWindow(HWND hwnd);
  void SkinPopupMenu(HWND hwnd);
  void SkinAll(TSkinData* data);
  void UnskinAll(TSkinData* data);
  void Refresh(TSkinData* data);
  void StopTimer();
  std::vector<HWND> ScreenForms() const;
  void DropForm(TWinSkinForm* form);

  bool enabled_ = false;
  int started_ = 0;
  bool finishing_ = false;  // the manager is restoring every window before it goes
  std::vector<TSkinData*> datas_;
  std::vector<std::unique_ptr<TWinSkinForm>> forms_;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> popups_;
  TSkinData* pending_ = nullptr;
  TSkinAction action_ = saNone;
  UINT_PTR timer_ = 0;
  UINT_PTR purge_timer_ = 0;
  HHOOK hook_ = nullptr;
  MenuMode menu_mode_ = MenuMode::Popup;
  bool tracking_ = false;
  bool sweep_ = false;
  HWND reskin_window_ = nullptr;
};

// The toolkit control a window belongs to.
ui::TWinControl* ToolkitControlOf(HWND hwnd);
std::string WindowClassName(HWND hwnd);
// Whether the window answers SKINMSG_QUERYSKIP with 1.
bool AnswersSkip(HWND hwnd);

}  // namespace quillet::skin::win32
