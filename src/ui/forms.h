#pragma once
// Forms and the application object: top-level windows, modal showing, the event loop, the error
// box that catches every error ending a handler, and hints.

#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace quillet::ui {

enum class BorderStyle { Single, Dialog, Sizeable };
enum class FormPosition { Designed, ScreenCenter, OwnerFormCenter };
enum class CloseAction { None, Hide, Free };

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

class TForm : public TWinControl {
 public:
  TForm(TComponent* owner, std::string name);
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }

  // The client area's size in 96-DPI units; the window takes it at the form's DPI.
  void SetClientSize(int width, int height);
  int ClientWidth() const { return client_width_; }
  int ClientHeight() const { return client_height_; }
  void SetBorderStyle(BorderStyle b) { border_style_ = b; }
  BorderStyle GetBorderStyle() const { return border_style_; }
  void SetMinimizeBox(bool b) { minimize_box_ = b; }
  void SetMaximizeBox(bool b) { maximize_box_ = b; }
  void SetPosition(FormPosition p) { position_ = p; }

  int Dpi() const override { return dpi_; }
  // A form's bounds are its window's, in the screen's pixels.
  Bounds DeviceBounds() const override { return bounds_; }
  // Lays the form and its controls out at another DPI: fonts, places and the window's size. The
  // window goes to `place` when one is given (the rectangle the system suggests).
  void ChangeDpi(int dpi, const RECT* place = nullptr);

  void Show();
  void Hide() { SetVisible(false); }
  // Asks the form to close, as its close box does.
  void Close();
  // Shows the form, keeps the other windows of the program disabled until it closes, and returns
  // its modal result.
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int r) { modal_result_ = r; }
  // A window that owns this one; its window handle becomes the owner of this form's window.
  // By default the owning component, when that is a form. Set it before the window exists.
  void SetOwnerWindow(TForm* owner) { owner_form_ = owner; }

  // Default: Hide, or ending the program for the main form.
  std::function<void(CloseAction&)> OnClose;
  Event OnShow;

  TWinControl* ActiveControl() const { return active_control_; }
  void FocusChanged(TWinControl* focused);
  // The menu bar; replacing it tells the form's handler.
  void SetMenu(HMENU menu);

 protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateWnd() override;
  void WndProc(Message& m) override;
  void PaintWindow(HDC dc) override;
  // Runs OnClose and acts on its answer.
  CloseAction DoClose();

 private:
  void PlaceOnFirstShow();
  // The window's size for the client size at a DPI.
  SIZE WindowSize(int dpi);
  void WMClose(Message& m);
  void WMDpiChanged(Message& m);
  void WMGetDpiScaledSize(Message& m);
  void WMActivate(Message& m);
  void QMDialogKey(Message& m);
  int client_width_ = 300, client_height_ = 200;
  int dpi_;
  BorderStyle border_style_ = BorderStyle::Single;
  bool minimize_box_ = true, maximize_box_ = false;
  FormPosition position_ = FormPosition::Designed;
  bool placed_ = false, modal_ = false;
  int modal_result_ = mrNone;
  TForm* owner_form_ = nullptr;
  TWinControl* active_control_ = nullptr;
};

class TApplication {
 public:
  TApplication();
  ~TApplication();

  // Common controls; the hint window comes with the first hint.
  void Initialize();
  const std::string& Title() const { return title_; }
  void SetTitle(std::string t) { title_ = std::move(t); }

  // Creates a form owned by the application; the first one becomes the main form.
  template <class F, class... Args>
  F& CreateForm(Args&&... args) {
    F& f = root_.Own<F>(std::forward<Args>(args)...);
    if (!main_form_) main_form_ = &f;
    return f;
  }
  TForm* MainForm() const { return main_form_; }
  void SetMainForm(TForm* f) { main_form_ = f; }
  TComponent& Root() { return root_; }

  // Shows the main form and runs the event loop until it closes.
  int Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles one message: navigation keys go to the form first, the rest is dispatched.
  void ProcessMessage(MSG& msg);
  void ProcessMessages();
  // Frees every form, main form last.
  void DestroyForms();

  // Call from inside a catch block: shows the error that is being handled in the error box. While
  // a window paints, the error is held and shown once the message loop has it back: a modal box
  // opened inside a paint would run a message loop inside it and re-enter the half-painted window.
  void HandleException();
  // Shows the errors that were held, one box each, in the order they came.
  void ShowHeldBackErrors();
  // The error box: caption = title, error icon, one OK button.
  void ShowErrorText(const std::string& message);
  // Replaces the box (tests); receives the text as the box would show it.
  std::function<void(const std::string&)> error_box_hook;

  // Hints show after this many milliseconds of rest.
  int HintPause() const { return hint_pause_; }
  void SetHintPause(int ms);
  void RegisterHint(TControl* c);
  void UnregisterHint(TControl* c);
  // Makes the hint window now and gives it the hints waiting for it (it comes on its own once the
  // windows have painted).
  void FlushHints();
  HWND HintWindow() const { return hint_window_; }

 private:
  void CreateHintWindow();
  HWND MessageWindow();
  void AddTool(TControl* c);
  struct Root : TComponent {
    Root() : TComponent(nullptr) {}
    void Clear() { DestroyComponents(); }
  } root_;
  TForm* main_form_ = nullptr;
  std::string title_ = "Quillet";
  bool terminated_ = false;
  bool initialized_ = false;
  int hint_pause_ = 500;
  HWND hint_window_ = nullptr;
  UINT_PTR hint_timer_ = 0;
  std::vector<TControl*> pending_hints_;
  std::vector<std::string> held_errors_;
  bool showing_held_errors_ = false;
  HWND message_window_ = nullptr;  // receives the note that errors are held
};

TApplication& Application();
// For window procedures: whatever error is being handled goes to the error box.
void HandleCurrentException();

}  // namespace quillet::ui
