#pragma once
// A popup menu: items with captions, shortcuts, marks and sub-menus, shown at a point of the
// screen. The native menu is built anew each time it opens, and whoever draws its items (the skin
// engine makes them owner-drawn) is handed it before it shows and after it closed.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/widgets.h"

namespace quillet::ui {

struct TMenuItem {
  std::string caption;   // "-" is a separator; "&" marks the key letter
  std::string shortcut;  // shown after the caption, e.g. "Ctrl+O"
  bool enabled = true;
  bool checked = false;
  bool isDefault = false;
  Event OnClick;
  std::vector<TMenuItem> items;  // a sub-menu when not empty

  TMenuItem& Add(std::string text, Event onClick = {});
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner, std::string name = {});
  const char* ClassName() const override { return "TPopupMenu"; }

  std::vector<TMenuItem>& Items() { return items_; }
  TMenuItem& Add(std::string text, Event onClick = {});

  // Shows the menu with its top-left corner at a screen point, owned by the window of the form
  // that owns the menu, and runs the chosen item's OnClick once the menu has closed.
  void Popup(int x, int y);
  // The window that owns the menu while it shows (and draws owner-drawn items): the one set, else
  // the window of the nearest form among the menu's owners.
  void SetOwnerWindow(HWND w) { owner_window_ = w; }
  HWND OwnerWindow() const;
  bool Showing() const { return showing_; }

  // Called with the native menu before it opens and after it closed, while it still exists.
  std::function<void(HMENU)> OnMenuBuilt, OnMenuClosed;

 private:
  std::vector<TMenuItem> items_;
  HWND owner_window_ = nullptr;
  bool showing_ = false;
};

}  // namespace quillet::ui
