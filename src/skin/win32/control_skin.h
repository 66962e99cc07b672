// The base of the control skins: one object per skinned control window, owned by the skin of the
// window the control sits on. It takes the window's messages on the window's subclass chain (a
// toolkit control's and a bare window's alike), lets the control do its work, and paints the
// control's look from the skin. Each control skin overrides what it needs of the operations below.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/dpi.h"
#include "skin/control_map.h"
#include "skin/elements.h"
#include "skin/win32/canvas.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "ui/subclass.h"

namespace quillet::skin::win32 {

class TWinSkinForm;
class TSkinData;

class TSkinControl : private ui::Subclass {
 public:
  enum State { kNew = 0, kAttached = 1, kDead = 6 };
  TSkinControl() : Subclass(Kind::ControlSkin) {}
  virtual ~TSkinControl();
  TSkinControl(const TSkinControl&) = delete;
  TSkinControl& operator=(const TSkinControl&) = delete;

  // 1. Takes over a toolkit control's window; once only.
  virtual void AttachControl(TWinSkinForm& form, TSkinData& data, ui::TWinControl& control, bool transparent);
  // 2. Takes over a bare window.
  virtual void AttachWindow(HWND hwnd, TSkinData& data, TWinSkinForm& form);
  // 3. Gives the control back its own colours; once only. `windowGoing` when its window is being
  //    destroyed (nothing is asked of it then).
  virtual void Detach(bool windowGoing);
  // 4. Whether the message goes on to the control; a message kept here has its result set.
  virtual bool BeforeMessage(ui::Message& m);
  // 5. After the control has handled a message that went on.
  virtual void AfterMessage(ui::Message& m);
  // 6. Paints over the control's window; with no device context, into its window DC.
  virtual void PaintFrame(HDC dc);
  // 7. Paints the control's look into `r` (the window rectangle at 0, 0).
  virtual void Paint(HDC dc, const RECT& r);
  // 8. After a skin change.
  virtual void Refresh();
  // Before attaching: what the map's plan says beyond the class (a tool bar, a glyph's property).
  virtual void Configure(const ControlSkinPlan&) {}

  HWND Hwnd() const { return hwnd_; }
  bool Dead() const { return state_ == kDead; }
  // Attached and taking the window's messages.
  bool Live() const { return state_ == kAttached; }
  // The skin on a window, or null.
  static TSkinControl* Of(HWND hwnd);
  // Attached by window handle to a window that is not one of the toolkit's.
  bool IsForeign() const { return control_ == nullptr; }
  ui::TWinControl* Control() const { return control_alive_ ? control_ : nullptr; }
  // Invalidates the control (and erases) and paints it at once.
  void Repaint();
  // The DPI the control is drawn at (its window's), and the skin's elements there.
  int Dpi() const { return dpi_; }
  const TSkinElements& Elements() const;
  // The window moved to another DPI: the control is drawn from the skin there.
  void SetDpi(int dpi);

 protected:
  // The message as it came in, to the control's own handling.
  void PassOn(ui::Message& m);
  // Once the messages come here, by either attach: for a skin's own set-up (its parts, overlays).
  virtual void Attached() {}
  // Shared operations.
  void FillFace(HDC dc, const RECT& r) const;
  // The parent's "Color" when it has an integer one, else the face colour.
  COLORREF ParentFaceColor() const;
  // The control's text: the toolkit's "Caption", else the window text.
  std::wstring Text() const;
  // The font the control draws with: the toolkit's "Font", else WM_GETFONT.
  HFONT Font() const;
  // A toolkit control's graphic children (labels, images, bevels), painted over what the skin
  // drew, as the control itself would after its background.
  void PaintGraphicChildren(HDC dc) const;
  bool Focused() const { return GetFocus() == hwnd_; }
  bool Enabled() const { return IsWindowEnabled(hwnd_); }
  // Asks for WM_MOUSELEAVE once the pointer leaves.
  void TrackLeave();

  HWND hwnd_ = nullptr;
  State state_ = kNew;
  TSkinData* data_ = nullptr;
  int dpi_ = base::kBaseDpi;
  TWinSkinForm* form_skin_ = nullptr;
  ui::TWinControl* control_ = nullptr;
  bool control_alive_ = false;
  bool drawing_ = true;
  bool transparent_ = false;
  bool detached_ = false;
  Canvas canvas_;  // the control composed off-screen, kept until its size changes

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void WindowDestroyed() override;
  void MessageEntry(ui::Message& m);
  // Both attaches: the window's messages come here from now on.
  bool Take(HWND hwnd, TSkinData& data, TWinSkinForm& form);

  ui::Color saved_color_ = 0;
  bool color_saved_ = false;
  bool parent_background_was_true_ = false;
};

// A control skin of the given class, or null for a class this program has none of.
std::unique_ptr<TSkinControl> MakeControlSkin(SkinClass skin, SkinMode mode);

// Attaches `skin` to a part window of a skinned control (a combo box's list, an up-down child, a
// list view's header) unless the part already has one; the form skin owns it from then on.
TSkinControl* AttachPartSkin(TWinSkinForm& form, TSkinData& data, HWND part, std::unique_ptr<TSkinControl> skin);

}  // namespace quillet::skin::win32
