#pragma once
// A popup menu: items with captions, shortcuts, marks and sub-menus, shown at a point of the
// screen. The native menu is built anew each time it opens, and whoever draws its items (the skin
// engine makes them owner-drawn) is handed it before it shows and after it closed.

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
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

  std::vector<TMenuItem>& Items() { return root_.items; }
  TMenuItem& Add(std::string text, Event onClick = {}) { return root_.Add(std::move(text), std::move(onClick)); }

  // Shows the menu with its top-left corner at a screen point, owned by the window of the form
  // that owns the menu, and runs the chosen item's OnClick once the menu has closed.
  void Popup(int x, int y);
  // The window that owns the menu while it shows (and draws owner-drawn items): the window of the
  // nearest form among the menu's owners, else the active window.
  HWND OwnerWindow() const;

  // Called with the native menu before it opens and after it closed, while it still exists.
  std::function<void(HMENU)> OnMenuBuilt, OnMenuClosed;

 private:
  TMenuItem root_;  // its items are the menu's
  bool showing_ = false;
};

}  // namespace quillet::ui
