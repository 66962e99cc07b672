// The skin component a form holds: the skin itself (stored with the form, or read from a file),
// the switches of what is skinned, and the events the application may hook. The main window's
// component of type sfMainform skins every top-level window of the program.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "skin/elements.h"
#include "skin/skin_data.h"
#include "skin/skin_types.h"
#include "skin/win32/system_api.h"
#include "ui/controls.h"

namespace quillet::skin::win32 {

class TWinSkinForm;
class TSkinControl;

class TSkinData : public ui::TComponent {
 public:
  explicit TSkinData(ui::TComponent* owner, std::string name = "SkinData1");
  ~TSkinData() override;
  const char* ClassName() const override { return "TSkinData"; }

  static constexpr const char* kVersion = "5.20.05.20";

  // Published properties.
  bool Active() const { return active_; }
  void SetActive(bool value);
  int DisableTag = 99;
  TSkinControlTypes SkinControls = DefaultSkinControls();
  TSkinOptions Options = DefaultSkinOptions();
  const std::vector<std::string>& Skin3rd() const { return skin3rd_; }
  void SetSkin3rd(const std::vector<std::string>& lines) { skin3rd_ = lines; }
  const std::string& SkinFile() const { return skin_file_; }
  // Loads the skin from the file and refreshes every window it skins. A file that is not a skin
  // leaves the skin as it was and throws with the skin's message.
  void SetSkinFile(const std::string& name);
  std::string SkinStore() const { return "(none)"; }
  TSkinFormType SkinFormtype = sfMainform;
  std::string Version() const { return kVersion; }
  bool MenuUpdate = true;
  bool MenuMerge = false;

  std::function<void(TSkinData& sender, const std::string& className, bool& doSkin)> OnFormSkin;
  std::function<void(TSkinData& sender)> OnSkinChanged;
  // The application's own control skin for a control; leave `skinned` empty to let the engine
  // choose.
  std::function<void(TSkinData& sender, ui::TWinControl* form, ui::TControl* control, const std::string& cls,
                     std::unique_ptr<TSkinControl>& skinned)>
      OnSkinControl;
  std::function<void(ui::TComponent* form, HWND hwnd, const std::string& className)> OnBeforeSkinForm;
  std::function<void(ui::TComponent* form, HWND hwnd, const std::string& className)> OnAfterSkinForm;

  // The stored property: a 32-bit length, then the raw stream.
  bool ReadSkinStream(std::span<const std::uint8_t> stored);
  std::vector<std::uint8_t> WriteSkinStream() const { return core_.WriteSkinStream(); }

  // The form that holds the component has been read: register with the window manager, install
  // its hook and schedule the skinning.
  void Loaded();

  // What the window and control skins draw with.
  bool NoSkinLoaded() const { return core_.NoSkinLoaded(); }
  const TSkinElements& Elements() const { return core_.Elements(); }
  // A colour of the skin's colour table, resolved to a colour reference.
  COLORREF Colour(int slotIndex) const;
  COLORREF FaceColour() const { return static_cast<COLORREF>(Elements().FaceColour); }
  HBRUSH FaceBrush() const { return face_brush_; }
  HFONT CaptionFont() const { return caption_font_; }
  HFONT MenuFont() const { return menu_font_; }
  HFONT MenuFontBold() const { return menu_font_bold_ ? menu_font_bold_ : menu_font_; }
  // The application's small icon.
  HICON SmallIcon() const { return small_icon_; }
  HIMAGELIST MenuGlyphs() const { return menu_glyphs_; }
  HIMAGELIST MenuGlyphsDisabled() const { return menu_glyphs_disabled_; }

  // The caption-button hint window.
  void ShowHint(const std::string& text, int screenX, int screenY);
  void HideHint();
  bool HintShown() const { return hint_shown_; }

 private:
  void ReadCaptionFont();
  void CaptureSmallIcon();
  void MakeFaceBrush();
  void AfterSkinLoad();

  bool active_ = false;
  bool loading_ = true;
  std::vector<std::string> skin3rd_;
  std::string skin_file_;
  TSkinDataCore core_;
  HBRUSH face_brush_ = nullptr;
  HFONT caption_font_ = nullptr;
  HFONT menu_font_ = nullptr;
  HFONT menu_font_bold_ = nullptr;
  HICON small_icon_ = nullptr;  // not owned: the application window's
  HIMAGELIST menu_glyphs_ = nullptr;
  HIMAGELIST menu_glyphs_disabled_ = nullptr;
  HWND hint_ = nullptr;
  bool hint_shown_ = false;
};

}  // namespace quillet::skin::win32
