// The skin component a form holds: the skin itself (stored with the form, or read from a file),
// the switches of what is skinned, and the events the application may hook. The main window's
// component of type sfMainform skins every top-level window of the program.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "skin/elements.h"
#include "skin/skin_data.h"
#include "skin/skin_types.h"
#include "skin/win32/system_api.h"
#include "ui/controls.h"
#include "ui/gdi.h"

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
  static constexpr int kDefaultDisableTag = 99;
  int DisableTag = kDefaultDisableTag;
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
  // The skin as drawn for 96 DPI.
  const TSkinElements& Elements() const { return core_.Elements(); }
  // The skin as a window at `dpi` uses it: made the first time a window there asks and kept until
  // the skin changes. Our own skin is drawn afresh at that DPI; any other is resampled.
  const TSkinElements& ElementsAt(int dpi) const;
  // Whether the skin is the one this program carries (and can draw at any DPI).
  bool OwnSkin() const { return own_skin_; }
  // A colour of the skin's colour table, resolved to a colour reference.
  COLORREF Color(int slotIndex) const;
  COLORREF FaceColor() const { return static_cast<COLORREF>(Elements().FaceColor); }
  HBRUSH FaceBrush() const { return face_brush_.Get(); }
  HFONT CaptionFont() const { return caption_font_.Get(); }
  HFONT MenuFont() const { return menu_font_.Get(); }
  HFONT MenuFontBold() const { return menu_font_bold_ ? menu_font_bold_.Get() : menu_font_.Get(); }
  // The same fonts from the system's metrics at a window's DPI.
  HFONT CaptionFont(int dpi) const;
  HFONT MenuFont(int dpi) const;
  HFONT MenuFontBold(int dpi) const;
  // The application's small icon.
  HICON SmallIcon() const { return small_icon_; }
  // The skinned system menu's glyphs, square: restore, maximise, minimise, close.
  static constexpr int kMenuGlyphSize = 16, kMenuGlyphCount = 4;
  HIMAGELIST MenuGlyphs() const { return menu_glyphs_.Get(); }
  HIMAGELIST MenuGlyphsDisabled() const { return menu_glyphs_disabled_.Get(); }
  // The glyphs at a DPI, MulDiv(kMenuGlyphSize, dpi, 96) square.
  HIMAGELIST MenuGlyphs(int dpi) const;
  HIMAGELIST MenuGlyphsDisabled(int dpi) const;

  // The caption-button hint window.
  void ShowHint(const std::string& text, int screenX, int screenY);
  void HideHint();
  bool HintShown() const { return hint_shown_; }

 private:
  void ReadCaptionFont();
  void CaptureSmallIcon();
  void MakeFaceBrush();
  void AfterSkinLoad();
  // What windows at one DPI other than 96 (the elements, the glyphs) or than the system's (the
  // fonts) draw with; each part made when first asked for.
  struct AtDpi {
    std::unique_ptr<TSkinElements> elements;
    bool fonts_read = false;
    ui::gdi::Font caption, menu, menu_bold;
    ui::gdi::ImageList glyphs, glyphs_disabled;
  };
  AtDpi& At(int dpi) const;
  const AtDpi& FontsAt(int dpi) const;
  const AtDpi& GlyphsAt(int dpi) const;

  bool active_ = false;
  bool loading_ = true;
  std::vector<std::string> skin3rd_;
  std::string skin_file_;
  TSkinDataCore core_;
  bool own_skin_ = false;
  mutable std::map<int, AtDpi> at_dpi_;
  ui::gdi::Brush face_brush_;
  ui::gdi::Font caption_font_;
  ui::gdi::Font menu_font_;
  ui::gdi::Font menu_font_bold_;
  HICON small_icon_ = nullptr;  // not owned: the application window's
  ui::gdi::ImageList menu_glyphs_;
  ui::gdi::ImageList menu_glyphs_disabled_;
  HWND hint_ = nullptr;
  bool hint_shown_ = false;
};

// GetSystemMetrics as a window at `dpi` sees it: the plain call's answer at the system's DPI.
int SystemMetricAt(int index, int dpi);

}  // namespace quillet::skin::win32
