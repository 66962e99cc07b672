#include "skin/win32/skin_data.h"

#include <commctrl.h>

#include <cstddef>
#include <stdexcept>

#include "skin/control_map.h"
#include "skin/win32/canvas.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32_system.h"
#include "ui/properties.h"

namespace quillet::skin::win32 {

namespace {

const Win32SkinSystem& System() {
  static const Win32SkinSystem system;
  return system;
}

// The skinned system menu's glyphs, 16 x 16 each on white (the mask colour): restore, maximise,
// minimise, close.
Bitmap32 MenuGlyphPixels(Pixel kInk) {
  constexpr Pixel kWhite = Rgb(255, 255, 255);
  Bitmap32 b(64, 16, kWhite);
  auto h = [&](int x0, int x1, int y) { for (int x = x0; x < x1; ++x) b.Set(x, y, kInk); };
  auto v = [&](int x, int y0, int y1) { for (int y = y0; y < y1; ++y) b.Set(x, y, kInk); };
  // Restore: two overlapping boxes.
  h(6, 12, 3); h(6, 12, 4); v(11, 3, 9); h(10, 12, 8);
  h(3, 9, 6); h(3, 9, 7); h(3, 9, 11); v(3, 6, 12); v(8, 6, 12);
  // Maximise: one box with a heavy top.
  h(16 + 3, 16 + 12, 3); h(16 + 3, 16 + 12, 4); h(16 + 3, 16 + 12, 11); v(16 + 3, 3, 12); v(16 + 11, 3, 12);
  // Minimise: a bar at the bottom.
  h(32 + 4, 32 + 11, 10); h(32 + 4, 32 + 11, 11);
  // Close: a cross.
  for (int i = 0; i < 8; ++i) {
    b.Set(48 + 4 + i, 4 + i, kInk);
    b.Set(48 + 5 + i, 4 + i, kInk);
    b.Set(48 + 11 - i, 4 + i, kInk);
    b.Set(48 + 12 - i, 4 + i, kInk);
  }
  return b;
}

// The file's bytes; false when it does not exist or cannot be read.
bool ReadWholeFile(const std::string& name, std::vector<std::uint8_t>& out) {
  HANDLE f = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(f, &size) && size.QuadPart < (std::int64_t{1} << 30);
  if (ok) {
    out.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    ok = out.empty() || (ReadFile(f, out.data(), static_cast<DWORD>(out.size()), &got, nullptr) && got == out.size());
  }
  CloseHandle(f);
  return ok;
}

}  // namespace

TSkinData::TSkinData(ui::TComponent* owner, std::string name)
    : ui::TComponent(owner), skin3rd_(DefaultSkin3rd()), core_(System()) {
  SetName(std::move(name));
  props_.Publish("Active", [this] { return ui::PropValue::OfBool(active_); }, [this](const std::string& t) {
    auto b = ui::ParseBool(t);
    if (b) SetActive(*b);
    return b.has_value();
  });
  props_.Publish("DisableTag", [this] { return ui::PropValue::OfInt(DisableTag); }, [this](const std::string& t) {
    auto n = ui::ParseInt(t);
    if (n) DisableTag = static_cast<int>(*n);
    return n.has_value();
  });
  props_.Publish("SkinFile", [this] { return ui::PropValue::OfText(skin_file_); }, [this](const std::string& t) {
    SetSkinFile(t);
    return true;
  });
  props_.Publish("SkinStore", [this] { return ui::PropValue::OfText(SkinStore()); },
                 [](const std::string&) { return true; });
  props_.Publish("Version", [] { return ui::PropValue::OfText(kVersion); }, [](const std::string&) { return true; });
  props_.Publish("MenuUpdate", [this] { return ui::PropValue::OfBool(MenuUpdate); });
  props_.Publish("MenuMerge", [this] { return ui::PropValue::OfBool(MenuMerge); });
}

TSkinData::~TSkinData() {
  if (TSkinManage* m = TSkinManage::Instance()) m->Unregister(this);
  HideHint();
  if (hint_) DestroyWindow(hint_);
  if (face_brush_) DeleteObject(face_brush_);
  if (caption_font_) DeleteObject(caption_font_);
  if (menu_font_) DeleteObject(menu_font_);
  if (menu_font_bold_) DeleteObject(menu_font_bold_);
  if (menu_glyphs_) ImageList_Destroy(menu_glyphs_);
  if (menu_glyphs_disabled_) ImageList_Destroy(menu_glyphs_disabled_);
}

bool TSkinData::ReadSkinStream(std::span<const std::uint8_t> stored) {
  const bool ok = core_.ReadSkinStream(stored.data(), stored.size());
  if (ok) AfterSkinLoad();
  return ok;
}

void TSkinData::AfterSkinLoad() { MakeFaceBrush(); }

void TSkinData::MakeFaceBrush() {
  HBRUSH b = CreateSolidBrush(FaceColour());
  if (!b) return;
  if (face_brush_) DeleteObject(face_brush_);
  face_brush_ = b;
}

COLORREF TSkinData::Colour(int slotIndex) const {
  return static_cast<COLORREF>(System().Resolve(Elements().Colour(slotIndex)));
}

void TSkinData::ReadCaptionFont() {
  // The record as the oldest systems define it, which every later one accepts.
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0)) return;
  if (HFONT f = CreateFontIndirectA(&ncm.lfCaptionFont)) {
    if (caption_font_) DeleteObject(caption_font_);
    caption_font_ = f;
  }
  if (HFONT f = CreateFontIndirectA(&ncm.lfMenuFont)) {
    if (menu_font_) DeleteObject(menu_font_);
    menu_font_ = f;
  }
  ncm.lfMenuFont.lfWeight = FW_BOLD;
  if (HFONT f = CreateFontIndirectA(&ncm.lfMenuFont)) {
    if (menu_font_bold_) DeleteObject(menu_font_bold_);
    menu_font_bold_ = f;
  }
}

void TSkinData::CaptureSmallIcon() {
  const int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
  // The program's icon, shared by the system for the module's life.
  small_icon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, w, h,
                                              LR_SHARED));
  auto make = [](Pixel ink) {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0);
    if (HBITMAP glyphs = MakeBitmap(MenuGlyphPixels(ink))) {
      ImageList_AddMasked(list, glyphs, RGB(255, 255, 255));
      DeleteObject(glyphs);
    }
    return list;
  };
  if (!menu_glyphs_) menu_glyphs_ = make(Rgb(40, 40, 44));
  if (!menu_glyphs_disabled_) menu_glyphs_disabled_ = make(Rgb(160, 160, 164));
}

void TSkinData::Loaded() {
  const SystemApi& api = Api();
  SkinControls = SkinControlsAtLoad(SkinControls, api.GetScrollBarInfo != nullptr, SkinFormtype);
  // A window that stops answering keeps its skinned frame instead of a system ghost.
  if (api.DisableProcessWindowsGhosting) api.DisableProcessWindowsGhosting();
  TSkinManage& m = TSkinManage::Create();
  m.Register(this);
  ReadCaptionFont();
  loading_ = false;
  if (SkinFormtype != sfMainform) {
    m.SetEnabled(true);
    m.SetStarted(m.Started() + 1);
    auto* form = dynamic_cast<ui::TWinControl*>(Owner());
    if (form && active_ && form->HandleAllocated()) m.SkinWindow(form->HandleIfAny());
    CaptureSmallIcon();
    return;
  }
  m.InstallHook();
  if (active_) {
    if (NoSkinLoaded())
      active_ = false;
    else
      m.ScheduleAction(saSkinAll, 250);
  }
  CaptureSmallIcon();
}

void TSkinData::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (loading_) return;
  TSkinManage& m = TSkinManage::Create();
  switch (SkinFormtype) {
    case sfMainform:
      if (value) {
        if (NoSkinLoaded()) return;
        m.SetPending(this);
        m.ScheduleAction(saSkinAll, 250);
        m.SetStarted(1);
      } else {
        m.SetPending(this);
        m.ScheduleAction(saUnskinAll, 250);
      }
      break;
    case sfOnlyThisForm:
      m.SetPending(this);
      if (value && NoSkinLoaded()) return;
      m.ScheduleAction(value ? saSkinAll : saUnskinAll, 250);
      break;
    default:
      break;
  }
}

void TSkinData::SetSkinFile(const std::string& name) {
  skin_file_ = name;
  if (name.empty()) return;
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(name, bytes)) return;
  // Loaded beside the skin in use, so a file that is not a skin leaves the windows as they are.
  TSkinDataCore fresh(System());
  if (!fresh.LoadFromRaw(std::move(bytes))) throw std::runtime_error(fresh.LastMessage());
  core_ = std::move(fresh);
  AfterSkinLoad();
  if (loading_) return;  // Loaded schedules the skinning
  if (!TSkinManage::Instance()) Loaded();
  TSkinManage& m = *TSkinManage::Instance();
  m.SetPending(this);
  for (const auto& f : m.Forms())
    if (f->Data() == this) f->ReleaseCaptionButtons();
  if (m.Started() == 1) m.ScheduleAction(saRefresh, 250);
}

void TSkinData::ShowHint(const std::string& text, int x, int y) {
  if (!hint_) {
    hint_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0,
                            0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hint_) return;
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.uId = 1;
    ti.lpszText = const_cast<char*>("");
    SendMessageA(hint_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
  TTTOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.uId = 1;
  std::string t = text;
  ti.lpszText = t.data();
  SendMessageA(hint_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageA(hint_, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
  SendMessageA(hint_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
  hint_shown_ = true;
}

void TSkinData::HideHint() {
  if (!hint_ || !hint_shown_) return;
  TTTOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.uId = 1;
  SendMessageA(hint_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
  hint_shown_ = false;
}

}  // namespace quillet::skin::win32
