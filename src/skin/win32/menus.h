// Skinned menus: popup-menu windows of the system painted over the skin's menu background, items
// drawn by the skin (the skinned system menu's, and native drop-downs made owner-drawn), and the
// menu bar a skinned window draws in its frame.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/bitmap.h"
#include "skin/win32/canvas.h"
#include "skin/win32/skin_data.h"
#include "ui/subclass.h"

namespace quillet::skin::win32 {

class TWinSkinForm;

// One popup-menu window ("#32768") while it is shown.
class TWinSkinPopMenu : private ui::Subclass {
 public:
  // `dpi`: the DPI of the window that tracks the menu.
  TWinSkinPopMenu(HWND hwnd, TSkinData* data, int dpi);
  ~TWinSkinPopMenu();
  TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
  TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

  // Gives the window back to its own procedure.
  void Restore();
  // The skin of a popup-menu window, or null.
  static TWinSkinPopMenu* Of(HWND hwnd);
  HWND Hwnd() const { return hwnd_; }
  HMENU Menu() const { return menu_; }
  void SetMenu(HMENU m) { menu_ = m; }
  TSkinData* Data() const { return data_; }
  int Dpi() const { return dpi_; }
  // The rendered background the items are drawn over (empty without a "MenuBackground").
  const Bitmap32& Background();

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // Background, then the menu's own painting of its items inside the 3-pixel inset.
  void PaintClient(HDC dc);

  HWND hwnd_;
  TSkinData* data_;
  int dpi_;
  HMENU menu_ = nullptr;
  Bitmap32 back_;
  Canvas back_canvas_;  // back_, ready to be copied to the screen
};

// An item the skin draws: the skinned system menu's own, or a native item made owner-drawn.
struct SkinMenuItem {
  static constexpr std::uint32_t kMagic = 0x534B4D49;
  std::uint32_t magic = kMagic;
  std::wstring caption;   // without the shortcut
  std::wstring shortcut;  // after a tab in the native caption
  unsigned id = 0;
  bool separator = false;
  bool enabled = true;
  bool checked = false;
  bool isDefault = false;
  int glyph = -1;  // index into the skin's menu glyphs
  // For a native item made owner-drawn: what to give back.
  HMENU menu = nullptr;
  UINT position = 0;
  UINT oldType = 0;
  ULONG_PTR oldData = 0;
};

// The item record behind an owner-drawn item's data, or null when the data is not one of ours.
SkinMenuItem* SkinItemOf(ULONG_PTR itemData);
// Splits a native caption at its tab into caption and shortcut.
void SplitCaption(const std::wstring& text, std::wstring& caption, std::wstring& shortcut);

// Measuring and drawing of the skin's menu items, for the window that owns the menu, at its DPI.
void MeasureSkinMenuItem(TSkinData& data, const SkinMenuItem& item, bool hasImages, MEASUREITEMSTRUCT& mis, int dpi);
void DrawSkinMenuItem(TSkinData& data, const SkinMenuItem& item, const DRAWITEMSTRUCT& dis, int dpi);

// Keyboard mnemonics of owner-drawn items (the system cannot see their captions): the answer to
// WM_MENUCHAR, or -1 when the menu holds none of the skin's items.
LRESULT SkinMenuChar(HMENU menu, wchar_t key);
// Whether a caption's underlined letter (after a single "&") is `key`, ignoring case.
bool HasMnemonic(const std::wstring& caption, wchar_t key);

// Turns every item of a native menu (and its submenus) owner-drawn, keeping what to give back.
void MakeOwnerDrawn(HMENU menu, std::vector<std::unique_ptr<SkinMenuItem>>& keep);
void UndoOwnerDrawn(std::vector<std::unique_ptr<SkinMenuItem>>& keep);

// The menu bar of a skinned window with a native menu.
class TWinSkinMenu {
 public:
  TWinSkinMenu(HWND hwnd, HMENU menu, TSkinData* data, int dpi);
  ~TWinSkinMenu();
  TWinSkinMenu(const TWinSkinMenu&) = delete;
  TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

  HMENU NativeMenu() const { return menu_; }
  // Draws the bar into the band (window coordinates) of the window DC.
  void Paint(HDC dc, const RECT& band, bool active);
  // The bar item under a point in window coordinates, or -1; `band` as for Paint.
  int ItemAt(const RECT& band, int x, int y) const;
  int Hot() const { return hot_; }
  // True when the hot item changed.
  bool SetHot(int index);
  int Count() const { return static_cast<int>(items_.size()); }
  // The item whose caption's underlined letter is `key`, or -1.
  int ItemForAccelerator(wchar_t key) const;
  // The window moved to another DPI.
  void SetDpi(int dpi) { dpi_ = dpi; }
  // Presses a bar item: opens its drop-down (tracked until it closes) or sends its command.
  void Press(int index, TWinSkinForm& form);

 private:
  struct BarItem {
    std::wstring caption;
    UINT id = 0;
    HMENU submenu = nullptr;
    int width = 0;  // of the caption in the menu font
  };
  static LRESULT CALLBACK FilterProc(int code, WPARAM wp, LPARAM lp);
  void Layout(const RECT& band);
  // An item's place in window coordinates, from the last paint.
  RECT ItemRect(std::size_t i) const;

  HWND hwnd_;
  HMENU menu_;
  TSkinData* data_;
  int dpi_;
  std::vector<BarItem> items_;
  std::vector<std::unique_ptr<SkinMenuItem>> owner_drawn_;
  Canvas canvas_;
  bool measured_ = false;
  HFONT measured_font_ = nullptr;  // the font the captions' widths were measured in
  std::vector<Rect> rects_;        // the items' places in the band, from the last paint
  RECT band_{};
  int hot_ = -1;
  int pressed_ = -1;
  int switch_to_ = -1;  // the neighbour to open when the tracked drop-down closes
};

}  // namespace quillet::skin::win32
