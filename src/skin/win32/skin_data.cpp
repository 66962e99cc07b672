#include "skin/win32/skin_data.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <utility>

#include "base/dpi.h"
#include "skin/art/read_artwork.h"
#include "skin/control_map.h"
#include "skin/embedded_skin.h"
#include "skin/scaled_elements.h"
#include "skin/win32/canvas.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32_system.h"
#include "ui/dpi.h"
#include "ui/properties.h"

namespace quillet::skin::win32 {

namespace {

// The system as a skin drawn for `dpi` reads it.
class DpiSkinSystem : public Win32SkinSystem {
 public:
  explicit DpiSkinSystem(int dpi) : dpi_(dpi) {}
  int HScrollArrowWidth() const override { return ui::MetricForDpi(SM_CXHSCROLL, dpi_); }
  int Dpi() const override { return dpi_; }

 private:
  int dpi_;
};

const Win32SkinSystem& System() {
  static const DpiSkinSystem system(base::kBaseDpi);
  return system;
}

// The manager's deferral before it skins, unskins or refreshes what the component asks.
constexpr int kActionDelayMs = 250;
// A file larger than this is not a skin.
constexpr std::int64_t kMaxSkinFileBytes = std::int64_t{1} << 30;

// The skinned system menu's glyphs, 16 x 16 each on white (the mask colour): restore, maximise,
// minimise, close.
Bitmap32 MenuGlyphPixels(Pixel kInk) {
  constexpr Pixel kWhite = Rgb(255, 255, 255);
  constexpr int kSize = TSkinData::kMenuGlyphSize;
  Bitmap32 b(kSize * TSkinData::kMenuGlyphCount, kSize, kWhite);
  auto h = [&](int x0, int x1, int y) { for (int x = x0; x < x1; ++x) b.Set(x, y, kInk); };
  auto v = [&](int x, int y0, int y1) { for (int y = y0; y < y1; ++y) b.Set(x, y, kInk); };
  // Restore: two overlapping boxes.
  h(6, 12, 3); h(6, 12, 4); v(11, 3, 9); h(10, 12, 8);
  h(3, 9, 6); h(3, 9, 7); h(3, 9, 11); v(3, 6, 12); v(8, 6, 12);
  // Maximise: one box with a heavy top.
  h(kSize + 3, kSize + 12, 3); h(kSize + 3, kSize + 12, 4); h(kSize + 3, kSize + 12, 11); v(kSize + 3, 3, 12);
  v(kSize + 11, 3, 12);
  // Minimise: a bar at the bottom.
  h(2 * kSize + 4, 2 * kSize + 11, 10); h(2 * kSize + 4, 2 * kSize + 11, 11);
  // Close: a cross.
  for (int i = 0; i < 8; ++i) {
    b.Set(3 * kSize + 4 + i, 4 + i, kInk);
    b.Set(3 * kSize + 5 + i, 4 + i, kInk);
    b.Set(3 * kSize + 11 - i, 4 + i, kInk);
    b.Set(3 * kSize + 12 - i, 4 + i, kInk);
  }
  return b;
}

ui::gdi::ImageList MakeGlyphList(Pixel ink, int dpi) {
  const int size = base::ScaleToDpi(TSkinData::kMenuGlyphSize, dpi);
  ui::gdi::ImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, TSkinData::kMenuGlyphCount, 0));
  const Bitmap32 pixels = ScalePicture(MenuGlyphPixels(ink), {TSkinData::kMenuGlyphCount, false, {}}, dpi);
  if (const ui::gdi::Bitmap glyphs = MakeBitmap(pixels)) ImageList_AddMasked(list.Get(), glyphs.Get(), RGB(255, 255, 255));
  return list;
}
constexpr Pixel kGlyphInk = Rgb(40, 40, 44), kGreyedGlyphInk = Rgb(160, 160, 164);

// The file's bytes; false when it does not exist or cannot be read.
bool ReadWholeFile(const std::string& name, std::vector<std::uint8_t>& out) {
  HANDLE f = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(f, &size) && size.QuadPart < kMaxSkinFileBytes;
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
}

bool TSkinData::ReadSkinStream(std::span<const std::uint8_t> stored) {
  const bool ok = core_.ReadSkinStream(stored.data(), stored.size());
  if (ok) {
    const auto own = EmbeddedSkinStream();
    own_skin_ = !own.empty() && std::equal(stored.begin(), stored.end(), own.begin(), own.end());
    AfterSkinLoad();
  }
  return ok;
}

void TSkinData::AfterSkinLoad() {
  MakeFaceBrush();
  // Windows ask for the elements at their DPI again the next time they draw.
  for (auto& [dpi, at] : at_dpi_) at.elements.reset();
}

int SystemMetricAt(int index, int dpi) {
  return dpi == ui::SystemDpi() ? GetSystemMetrics(index) : ui::MetricForDpi(index, dpi);
}

TSkinData::AtDpi& TSkinData::At(int dpi) const { return at_dpi_[dpi]; }

const TSkinElements& TSkinData::ElementsAt(int dpi) const {
  dpi = ClampSkinDpi(dpi);
  if (dpi == base::kBaseDpi || NoSkinLoaded()) return Elements();
  AtDpi& at = At(dpi);
  if (!at.elements) {
    if (own_skin_) {
      try {
        at.elements = std::make_unique<TSkinElements>(art::ReadSkinArtwork(art::DrawQuilletSkin(dpi), DpiSkinSystem(dpi)));
      } catch (...) {
        // Resampled below instead.
      }
    }
    if (!at.elements) at.elements = std::make_unique<TSkinElements>(ScaleElements(Elements(), dpi));
  }
  return *at.elements;
}

const TSkinData::AtDpi& TSkinData::FontsAt(int dpi) const {
  AtDpi& at = At(dpi);
  if (at.fonts_read) return at;
  at.fonts_read = true;
  NONCLIENTMETRICSW ncm{};
  if (!ui::NonClientMetricsForDpi(ncm, dpi)) return at;
  at.caption = ui::gdi::Font(CreateFontIndirectW(&ncm.lfCaptionFont));
  at.menu = ui::gdi::Font(CreateFontIndirectW(&ncm.lfMenuFont));
  ncm.lfMenuFont.lfWeight = FW_BOLD;
  at.menu_bold = ui::gdi::Font(CreateFontIndirectW(&ncm.lfMenuFont));
  return at;
}

// The fonts read at load are the system's at its own DPI.
HFONT TSkinData::CaptionFont(int dpi) const {
  if (dpi == ui::SystemDpi()) return CaptionFont();
  const AtDpi& at = FontsAt(dpi);
  return at.caption ? at.caption.Get() : CaptionFont();
}

HFONT TSkinData::MenuFont(int dpi) const {
  if (dpi == ui::SystemDpi()) return MenuFont();
  const AtDpi& at = FontsAt(dpi);
  return at.menu ? at.menu.Get() : MenuFont();
}

HFONT TSkinData::MenuFontBold(int dpi) const {
  if (dpi == ui::SystemDpi()) return MenuFontBold();
  const AtDpi& at = FontsAt(dpi);
  return at.menu_bold ? at.menu_bold.Get() : MenuFont(dpi);
}

const TSkinData::AtDpi& TSkinData::GlyphsAt(int dpi) const {
  AtDpi& at = At(dpi);
  if (!at.glyphs) {
    at.glyphs = MakeGlyphList(kGlyphInk, dpi);
    at.glyphs_disabled = MakeGlyphList(kGreyedGlyphInk, dpi);
  }
  return at;
}

HIMAGELIST TSkinData::MenuGlyphs(int dpi) const {
  dpi = ClampSkinDpi(dpi);
  if (dpi == base::kBaseDpi || !menu_glyphs_) return MenuGlyphs();
  return GlyphsAt(dpi).glyphs.Get();
}

HIMAGELIST TSkinData::MenuGlyphsDisabled(int dpi) const {
  dpi = ClampSkinDpi(dpi);
  if (dpi == base::kBaseDpi || !menu_glyphs_) return MenuGlyphsDisabled();
  return GlyphsAt(dpi).glyphs_disabled.Get();
}

void TSkinData::MakeFaceBrush() {
  if (ui::gdi::Brush b{CreateSolidBrush(FaceColor())}) face_brush_ = std::move(b);
}

COLORREF TSkinData::Color(int slotIndex) const {
  return static_cast<COLORREF>(System().Resolve(Elements().Color(slotIndex)));
}

void TSkinData::ReadCaptionFont() {
  // The record as the oldest systems define it, which every later one accepts.
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0)) return;
  if (ui::gdi::Font f{CreateFontIndirectA(&ncm.lfCaptionFont)}) caption_font_ = std::move(f);
  if (ui::gdi::Font f{CreateFontIndirectA(&ncm.lfMenuFont)}) menu_font_ = std::move(f);
  ncm.lfMenuFont.lfWeight = FW_BOLD;
  if (ui::gdi::Font f{CreateFontIndirectA(&ncm.lfMenuFont)}) menu_font_bold_ = std::move(f);
}

void TSkinData::CaptureSmallIcon() {
  const int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
  // The program's icon, shared by the system for the module's life.
  small_icon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, w, h,
                                              LR_SHARED));
  if (!menu_glyphs_) menu_glyphs_ = MakeGlyphList(kGlyphInk, base::kBaseDpi);
  if (!menu_glyphs_disabled_) menu_glyphs_disabled_ = MakeGlyphList(kGreyedGlyphInk, base::kBaseDpi);
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
      m.ScheduleAction(saSkinAll, kActionDelayMs);
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
        m.ScheduleAction(saSkinAll, kActionDelayMs);
        m.SetStarted(1);
      } else {
        m.SetPending(this);
        m.ScheduleAction(saUnskinAll, kActionDelayMs);
      }
      break;
    case sfOnlyThisForm:
      m.SetPending(this);
      if (value && NoSkinLoaded()) return;
      m.ScheduleAction(value ? saSkinAll : saUnskinAll, kActionDelayMs);
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
  own_skin_ = false;
  AfterSkinLoad();
  if (loading_) return;  // Loaded schedules the skinning
  if (!TSkinManage::Instance()) Loaded();
  TSkinManage& m = *TSkinManage::Instance();
  m.SetPending(this);
  for (const auto& f : m.Forms())
    if (f->Data() == this) f->ReleaseCaptionButtons();
  if (m.Started() == 1) m.ScheduleAction(saRefresh, kActionDelayMs);
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
