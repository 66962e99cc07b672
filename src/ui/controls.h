#pragma once
// Controls: components with a parent, a place and a look. Windowed controls own a window; graphic
// controls (labels, images, bevels) have none and are painted and hit-tested by their parent.
// Every control's messages pass through its replaceable handler (WindowProc), whose default ends
// in the control's own handling (WndProc) and then in the system class's procedure
// (DefaultHandler).

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ui/component.h"
#include "ui/graphics.h"
#include "ui/messages.h"
#include "ui/properties.h"
#include "ui/widgets.h"

namespace quillet::ui {

class TWinControl;
class TForm;

// A control's place on its parent, in the parent's client coordinates, as forms are designed: in
// 96-DPI units, which the toolkit maps to the pixels of the DPI the control's form is at.
struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
  constexpr base::Rect Edges() const { return {left, top, left + width, top + height}; }
  constexpr bool operator==(const Bounds&) const = default;
};

enum class CursorKind { Default, Hand };
enum class Align { Left, Right, Center };

class TControl : public TComponent {
 public:
  TControl(TComponent* owner, std::string name);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  TForm* ParentForm() const;

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  Bounds GetBounds() const { return bounds_; }
  virtual void SetBounds(Bounds r);
  // The DPI the control is laid out at: its form's.
  virtual int Dpi() const;
  // A 96-DPI length at the control's DPI.
  int Scaled(int length) const;
  // The control's place on its parent's window in that window's pixels.
  virtual Bounds DeviceBounds() const;
  RECT BoundsRect() const { return ToRECT(DeviceBounds().Edges()); }

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  // The caption of buttons, labels and forms; the text of edits.
  virtual std::string Caption() const { return caption_; }
  void SetCaption(const std::string& text);

  const FontSpec& Font() const { return font_; }
  // The control's font made at its DPI.
  HFONT DrawingFont() const { return FontHandle(font_, Dpi()); }
  void SetFont(const FontSpec& f);
  void SetFontColor(Color c);
  void SetFontBold(bool bold);
  Color GetColor() const { return color_; }
  void SetColor(Color c);
  // Set when the control follows its parent's colour; setting a colour of its own clears it.
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool p);

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  const std::string& HelpKeyword() const { return help_keyword_; }
  void SetHelpKeyword(std::string k) { help_keyword_ = std::move(k); }
  CursorKind Cursor() const { return cursor_; }
  void SetCursor(CursorKind c) { cursor_ = c; }

  Event OnClick, OnDblClick;
  virtual void Click();

  // The replaceable handler. Replace it only with one that passes what it does not finish to the
  // handler it replaced.
  const MessageHandler& WindowProc() const { return window_proc_; }
  void SetWindowProc(MessageHandler h) { window_proc_ = std::move(h); }
  std::intptr_t Perform(unsigned msg, std::uintptr_t wparam = 0, std::intptr_t lparam = 0);

  virtual bool IsWindowed() const { return false; }
  virtual void Invalidate();
  // Draws a graphic control on its parent's device context, in the parent's coordinates.
  virtual void Paint(HDC) {}

 protected:
  // The control's own handling of messages that passed the replaceable handler.
  virtual void WndProc(Message& m);
  virtual void FontChanged() {}
  virtual void ColorChanged() { Invalidate(); }
  virtual void TextChanged() { Invalidate(); }
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() { Invalidate(); }
  virtual void BoundsChanged() {}
  virtual void HintChanged();
  void PublishCommon();

  TWinControl* parent_ = nullptr;
  Bounds bounds_;
  bool visible_ = true, enabled_ = true;
  std::string caption_;
  FontSpec font_;
  bool font_own_ = false;
  Color color_ = kColorBtnFace;
  bool parent_color_ = false;
  std::string hint_, help_keyword_;
  CursorKind cursor_ = CursorKind::Default;
  MessageHandler window_proc_;

  friend class TWinControl;
};

// Painted by its parent; receives mouse messages hit-tested by the parent (client coordinates of
// the parent in lparam).
class TGraphicControl : public TControl {
 public:
  using TControl::TControl;
  const char* ClassName() const override { return "TGraphicControl"; }
  void Invalidate() override;

 protected:
  void WndProc(Message& m) override;
};

struct CreateParams {
  std::string class_name;   // the toolkit's class, e.g. "TButton"
  std::string system_class; // the system class it is built on; empty for the toolkit's own
  DWORD style = 0, ex_style = 0;
  UINT class_style = CS_DBLCLKS;
  bool class_icon = true;   // the program's icon on the toolkit's own classes
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;
};

class TWinControl : public TControl {
 public:
  TWinControl(TComponent* owner, std::string name);
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }

  bool IsWindowed() const override { return true; }
  HWND Handle();  // creates the window when there is none yet
  HWND HandleIfAny() const { return hwnd_; }
  bool HandleAllocated() const { return hwnd_ != nullptr; }
  void HandleNeeded() { Handle(); }
  void RecreateWnd() { Perform(QM_RECREATEWND); }

  const std::vector<TControl*>& Controls() const { return controls_; }
  void SetBounds(Bounds r) override;
  void SetFocus();
  bool Focused() const;
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool t);
  void Invalidate() override;
  void Update();
  RECT ClientRect();

  // The control a window belongs to, through the window property the toolkit sets on it.
  static TWinControl* FromHandle(HWND hwnd);
  // The control whose window is being made with these creation parameters, for a hook that sees
  // the window before its WM_NCCREATE binds it; null for windows the toolkit is not making.
  static TWinControl* BeingCreated(const CREATESTRUCTA* cs);
  // The window property's name: "ControlOfs" with the module instance and the thread id.
  static const std::string& PropertyName();

 protected:
  virtual void MakeCreateParams(CreateParams& p);
  // After the window exists: set fonts, texts and items that live in the window.
  virtual void CreateWnd() {}
  // Before the window goes: copy out what lives only in the window.
  virtual void DestroyWnd() {}
  // The form moved to another DPI: the window takes its font and place at it. Controls that
  // measured something in pixels measure it again.
  virtual void DpiChanged();
  // DpiChanged for this control and every control inside it, parents first.
  void DpiChangedInside();
  void WndProc(Message& m) override;
  // The system class's procedure, or the default window procedure for the toolkit's own classes.
  virtual void DefaultHandler(Message& m);
  // Paints the background and the graphic children; the toolkit's own classes call it on WM_PAINT.
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc);
  void FontChanged() override;
  void ColorChanged() override;
  void TextChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void BoundsChanged() override;
  void HintChanged() override;
  TGraphicControl* GraphicAt(POINT client_pt) const;
  void SetWindowTextRaw(const std::string& text);
  std::string WindowTextRaw() const;

  HWND hwnd_ = nullptr;
  WNDPROC default_proc_ = nullptr;
  bool tab_stop_ = false;
  bool ignore_text_notify_ = false;  // a text set by the program, not by the user

 private:
  void CreateHandle();
  void CreateChildHandles();
  void RestackChildren();
  void DestroyHandle();
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  void ForwardToChild(Message& m, HWND child, unsigned qm);
  void TrackMouse();
  bool OwnClass() const { return default_proc_ == DefWindowProcA; }
  void FillBackground(HDC dc);
  // One handler per message the toolkit acts on; each passes on what it does not finish.
  void WMCommand(Message& m);
  void WMNotify(Message& m);
  void WMCtlColor(Message& m);
  void WMDrawItem(Message& m);
  void WMMeasureItem(Message& m);
  void WMEraseBkgnd(Message& m);
  void WMPrintClient(Message& m);
  void WMPaint(Message& m);
  void WMSetCursor(Message& m);
  void WMMouse(Message& m);
  void WMMouseLeave(Message& m);
  void WMSetFocus(Message& m);
  void QMRecreateWnd(Message& m);
  friend LRESULT CALLBACK ToolkitWindowProc(HWND, UINT, WPARAM, LPARAM);
  friend class TControl;

  std::vector<TControl*> controls_;  // children in creation order, which is the tab and z order
  TGraphicControl* mouse_capture_ = nullptr;
  TGraphicControl* hot_graphic_ = nullptr;
  bool tracking_mouse_ = false;
  bool destroying_ = false;
};

// Makes a control owned by `owner` with `parent` as its parent, at a place on the parent.
template <class T, class... Args>
T& Make(TComponent& owner, TWinControl* parent, std::string name, Bounds bounds, Args&&... args) {
  T& c = owner.Own<T>(&owner, std::move(name), std::forward<Args>(args)...);
  c.SetBounds(bounds);
  if (parent) c.SetParent(parent);
  return c;
}

LRESULT CALLBACK ToolkitWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace quillet::ui
