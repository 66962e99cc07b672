// Scroll-bar skins inside one program: the overlays sit on the system's bars and show what the
// bars' state says, follow the lists through items, sizes, visibility and re-created windows,
// hand presses to the system's bars, and leave nothing behind when the skin goes.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "icons/clsid_browser_page.h"
#include "skin/ctl/scrollbar.h"
#include "skin/embedded_skin.h"
#include "skin/skin_messages.h"
#include "skin/win32/control_skin.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32/skin_data.h"
#include "support/many_classes.h"
#include "ui/comctrls.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"

namespace quillet::skin::win32 {
namespace {

void Pump(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<int>(end - GetTickCount()) > 0) {
    ui::Application().ProcessMessages();
    Sleep(10);
  }
}

bool AnswersOne(HWND h) { return SendMessageA(h, SKINMSG_QUERYSKIP, 0, 0) == 1; }

std::string ClassOf(HWND h) {
  char name[64] = {};
  GetClassNameA(h, name, sizeof name);
  return name;
}

// Every overlay window of this thread, children and pop-ups alike.
std::vector<HWND> Overlays(bool visibleOnly) {
  std::vector<HWND> found;
  auto take = [&](HWND h) {
    if (ClassOf(h) == "QuilletScrollOverlay" && (!visibleOnly || IsWindowVisible(h))) found.push_back(h);
  };
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND top, LPARAM lp) -> BOOL {
        auto& t = *reinterpret_cast<decltype(take)*>(lp);
        t(top);
        EnumChildWindows(
            top, [](HWND c, LPARAM l) -> BOOL { return (*reinterpret_cast<decltype(take)*>(l))(c), TRUE; }, lp);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&take));
  return found;
}

RECT BarRect(HWND control, bool horizontal) {
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  GetScrollBarInfo(control, horizontal ? OBJID_HSCROLL : OBJID_VSCROLL, &sbi);
  return sbi.rcScrollBar;
}

// The visible overlay exactly over one of the control's bars, or null.
HWND OverlayOver(HWND control, bool horizontal) {
  const RECT bar = BarRect(control, horizontal);
  for (HWND o : Overlays(true)) {
    RECT r{};
    GetWindowRect(o, &r);
    if (EqualRect(&r, &bar)) return o;
  }
  return nullptr;
}

Bitmap32 Capture(const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  Bitmap32 out(w, h, 0);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.Set(x, y, static_cast<const Pixel*>(bits)[y * w + x] & 0xFFFFFF);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return out;
}

// How many pixels of the overlay over the control's bar differ from what the painter draws for
// the bar's state: its thumb where the system has it, arrows and track as given.
int Mismatches(HWND control, bool horizontal, const TSkinElements& s, int zone = kZoneNone, bool enabled = true) {
  const RECT bar = BarRect(control, horizontal);
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  GetScrollBarInfo(control, horizontal ? OBJID_HSCROLL : OBJID_VSCROLL, &sbi);
  ScrollOverlayInput in;
  in.width = bar.right - bar.left;
  in.height = bar.bottom - bar.top;
  in.horizontal = horizontal;
  in.enabled = enabled;
  in.zone = zone;
  in.arrow = GetSystemMetrics(horizontal ? SM_CXHSCROLL : SM_CYVSCROLL);
  if (!(sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE)) in.thumb = {sbi.xyThumbTop, sbi.xyThumbBottom};
  Bitmap32 want(in.width, in.height, 0);
  DrawScrollOverlay(want.View(), in, s);
  const Bitmap32 got = Capture(bar);
  int differ = 0;
  for (int y = 0; y < in.height; ++y)
    for (int x = 0; x < in.width; ++x) differ += (got.At(x, y) & 0xFFFFFF) != (want.At(x, y) & 0xFFFFFF);
  return differ;
}

// Mismatches at rest, once the pointer's leaving has been noticed (the system looks now and then).
int SettledMismatches(HWND control, const TSkinElements& s) {
  int differ = Mismatches(control, false, s);
  for (int waited = 0; differ && waited < 1000; waited += 50) {
    Pump(50);
    differ = Mismatches(control, false, s);
  }
  return differ;
}

void Mouse(int x, int y, DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

std::vector<std::string> Lines(int n) {
  std::vector<std::string> v;
  for (int i = 0; i < n; ++i) v.push_back("Line " + std::to_string(i));
  return v;
}

int TopIndex(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0)); }

class ScrollSkin : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application().Initialize();
    form = std::make_unique<ui::TForm>(nullptr, "ScrollForm");
    form->SetClientSize(560, 380);
    form->SetCaption("Scroll bars");
    list = &ui::Make<ui::TListBox>(*form, form.get(), "List", {10, 10, 160, 150});
    plain = &ui::Make<ui::TListBox>(*form, form.get(), "Plain", {190, 10, 160, 150});
    grid = &ui::Make<ui::TGrid>(*form, form.get(), "Grid", {10, 180, 340, 160});
    combo = &ui::Make<ui::TComboBox>(*form, form.get(), "Combo", {380, 10, 160, 21});
    data = &form->Own<TSkinData>(form.get(), "SkinData1");
    plain->SetTag(data->DisableTag);  // the system's own bar, to compare with
    data->SetActive(true);
    ASSERT_TRUE(data->ReadSkinStream(EmbeddedSkinStream()));
    data->Loaded();
    form->Show();
    Pump(400);
  }
  void TearDown() override {
    form.reset();
    Pump(50);
  }
  const TSkinElements& Skin() const { return data->Elements(); }
  std::unique_ptr<ui::TForm> form;
  ui::TListBox *list = nullptr, *plain = nullptr;
  ui::TGrid* grid = nullptr;
  ui::TComboBox* combo = nullptr;
  TSkinData* data = nullptr;
};

TEST_F(ScrollSkin, OverlaysFollowTheBarsThroughItemsSizesVisibilityAndState) {
  const HWND h = list->Handle();
  ASSERT_TRUE(AnswersOne(h));
  EXPECT_FALSE(GetWindowLongPtrA(h, GWL_STYLE) & WS_VSCROLL);
  EXPECT_TRUE(Overlays(true).empty()) << "no bar, no overlay";

  list->SetItems(Lines(60));
  Pump(100);
  const HWND o = OverlayOver(h, false);
  ASSERT_TRUE(o) << "the list gained its bar, and an overlay over it";
  EXPECT_EQ(GetWindow(o, GW_HWNDNEXT), h) << "just in front of the list";
  EXPECT_EQ(Mismatches(h, false, Skin()), 0);

  SendMessageA(h, LB_SETTOPINDEX, 30, 0);
  Pump(100);
  EXPECT_EQ(Mismatches(h, false, Skin()), 0) << "the thumb moved with the list";
  SendMessageA(h, WM_KEYDOWN, VK_HOME, 0);
  Pump(100);
  EXPECT_EQ(Mismatches(h, false, Skin()), 0) << "and with the keyboard";

  list->SetBounds({20, 20, 140, 120});
  Pump(100);
  EXPECT_EQ(OverlayOver(h, false), o) << "resized";
  EXPECT_EQ(Mismatches(h, false, Skin()), 0);

  list->SetEnabled(false);
  Pump(100);
  EXPECT_FALSE(IsWindowEnabled(o));
  EXPECT_EQ(Mismatches(h, false, Skin(), kZoneNone, false), 0) << "drawn disabled";
  list->SetEnabled(true);

  list->SetVisible(false);
  Pump(100);
  EXPECT_FALSE(IsWindowVisible(o));
  list->SetVisible(true);
  Pump(100);
  EXPECT_EQ(OverlayOver(h, false), o);

  // The skinned border, in the window and through the border message.
  RECT wr{};
  GetWindowRect(h, &wr);
  EXPECT_EQ(Capture(wr).At(0, 40), PixelFromColorRef(data->Colour(slot::ButtonShadow)));
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(GetDC(nullptr), 50, 50);
  HGDIOBJ old = SelectObject(mem, bmp);
  EXPECT_EQ(SendMessageA(h, SKINMSG_PAINTBORDER, reinterpret_cast<WPARAM>(mem), kSkinnedMagic), kSkinnedMagic);
  EXPECT_EQ(GetPixel(mem, 0, 20), data->Colour(slot::ButtonShadow));
  EXPECT_EQ(GetPixel(mem, 1, 20), data->FaceColour());
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);

  list->Clear();
  Pump(100);
  EXPECT_FALSE(IsWindowVisible(o)) << "the bar went, and the overlay with it";
}

TEST_F(ScrollSkin, PressesAndDragsScrollAsTheSystemsBarDoes) {
  for (ui::TListBox* l : {list, plain}) l->SetItems(Lines(100));
  Pump(100);
  const HWND h = list->Handle(), p = plain->Handle();
  ASSERT_TRUE(AnswersOne(h));
  ASSERT_FALSE(AnswersOne(p));
  const RECT bar = BarRect(h, false);
  const int x = (bar.left + bar.right) / 2, arrow = GetSystemMetrics(SM_CYVSCROLL);

  // Over the lower arrow it is hot; a click there scrolls one line.
  Mouse(x, bar.bottom - arrow / 2, 0);
  Pump(150);
  EXPECT_EQ(Mismatches(h, false, Skin(), kZoneSecondArrow), 0) << "hot";
  Mouse(x, bar.bottom - arrow / 2, MOUSEEVENTF_LEFTDOWN);
  Mouse(x, bar.bottom - arrow / 2, MOUSEEVENTF_LEFTUP);
  Pump(150);
  EXPECT_EQ(TopIndex(h), 1);

  // The same drag of the thumb on both lists ends at the same line.
  for (HWND w : {h, p}) {
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    GetScrollBarInfo(w, OBJID_VSCROLL, &sbi);
    const int tx = (sbi.rcScrollBar.left + sbi.rcScrollBar.right) / 2;
    const int ty = sbi.rcScrollBar.top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2;
    Mouse(tx, ty, 0);
    Mouse(tx, ty, MOUSEEVENTF_LEFTDOWN);
    for (int dy = 5; dy <= 40; dy += 5) Mouse(tx, ty + dy, 0);
    Mouse(tx, ty + 40, MOUSEEVENTF_LEFTUP);
    Pump(300);
  }
  EXPECT_GT(TopIndex(h), 10);
  EXPECT_EQ(TopIndex(h), TopIndex(p));
  Mouse(600, 300, 0);
  EXPECT_EQ(SettledMismatches(h, Skin()), 0) << "back at rest where the system's thumb is";
}

TEST_F(ScrollSkin, ARecreatedListGetsAFreshSkinAndTheSkinLeavesNothingBehind) {
  // Few lines: a list makes its items again with its window.
  list->SetItems(Lines(20));
  grid->SetLines(Lines(100));
  Pump(100);
  const std::size_t overlays = Overlays(false).size();
  EXPECT_EQ(overlays, 4u) << "two for the list, two for the grid";
  for (int i = 0; i < 10; ++i) {
    const HWND before = list->Handle();
    list->RecreateWnd();
    Pump(60);
    ASSERT_NE(list->Handle(), before);
    ASSERT_TRUE(AnswersOne(list->Handle()));
  }
  EXPECT_TRUE(OverlayOver(list->Handle(), false));
  EXPECT_EQ(Overlays(false).size(), overlays);
  EXPECT_EQ(Mismatches(list->Handle(), false, Skin()), 0);

  data->SetActive(false);
  Pump(400);
  EXPECT_TRUE(Overlays(false).empty());
  EXPECT_FALSE(AnswersOne(list->Handle()));
  data->SetActive(true);
  Pump(400);
  EXPECT_TRUE(AnswersOne(list->Handle()));
  EXPECT_TRUE(OverlayOver(list->Handle(), false));
}

TEST_F(ScrollSkin, TheGridsHeaderIsSkinned) {
  grid->SetLines(Lines(100));
  Pump(100);
  const HWND header = reinterpret_cast<HWND>(SendMessageA(grid->Handle(), LVM_GETHEADER, 0, 0));
  ASSERT_TRUE(AnswersOne(header));
  RECT item{};
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&item), 2);
  const TDataSkinObject& bar = *Skin().Headerbar;
  const int frames = bar.Frame, fw = bar.Bitmap.Width() / frames;
  // The middle of the second section, clear of its title: nothing but the picture.
  const int x = (item.left + item.right) / 2, y = (item.top + item.bottom) / 2;
  const auto at = [&] { return Capture({x, y, x + 1, y + 1}).At(0, 0); };
  EXPECT_EQ(at(), bar.Bitmap.At(fw / 2, bar.Bitmap.Height() / 2) & 0xFFFFFF);
  Mouse(x, y, 0);
  Pump(150);
  EXPECT_EQ(at(), bar.Bitmap.At(fw + fw / 2, bar.Bitmap.Height() / 2) & 0xFFFFFF) << "hot";
  Mouse(600, 300, 0);
  Pump(150);
}

TEST_F(ScrollSkin, ADroppedDownListIsCoveredWhileItIsDown) {
  combo->SetItems(Lines(40));
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
  const HWND lb = info.hwndList;
  if (!AnswersOne(lb)) {
    // The combo box's own skin attaches this; without it, as it would.
    TWinSkinForm* fs = TSkinManage::Instance()->FindForm(form->Handle());
    auto skin = MakeControlSkin(SkinClass::TComboxScrollBar, SkinMode::Normal);
    skin->AttachWindow(lb, *data, *fs);
    fs->AddControlSkin(std::move(skin));
  }
  EXPECT_TRUE(Overlays(true).empty());
  SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  Pump(150);
  const HWND o = OverlayOver(lb, false);
  ASSERT_TRUE(o);
  EXPECT_EQ(Mismatches(lb, false, Skin()), 0);
  SendMessageA(lb, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  Pump(100);
  EXPECT_EQ(Mismatches(lb, false, Skin()), 0) << "the wheel moved the thumb";
  SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  Pump(150);
  EXPECT_FALSE(IsWindowVisible(o));
}

TEST_F(ScrollSkin, TheClassBrowserKeepsItsOverlayInStepOverTenThousandRows) {
  constexpr int kClasses = 10000;
  testing::RemoveManyClasses(kClasses);
  testing::MakeManyClasses(kClasses);
  for (ui::TControl* c : {static_cast<ui::TControl*>(list), static_cast<ui::TControl*>(plain),
                          static_cast<ui::TControl*>(combo)})
    c->SetVisible(false);
  grid->SetBounds({10, 10, 540, 360});
  icons::ClsidBrowserPage browser(*grid);
  browser.GetCLSIDList();
  Pump(200);
  const HWND h = grid->Handle();
  ASSERT_GE(SendMessageA(h, LVM_GETITEMCOUNT, 0, 0), kClasses);
  ASSERT_TRUE(OverlayOver(h, false));
  EXPECT_EQ(Mismatches(h, false, Skin()), 0);

  const auto click = [&](int x, int y) {
    Mouse(x, y, MOUSEEVENTF_LEFTDOWN);
    Mouse(x, y, MOUSEEVENTF_LEFTUP);
    Pump(150);
    Mouse(600, 500, 0);
  };
  const auto key = [&](WPARAM vk) { SendMessageA(h, WM_KEYDOWN, vk, 0); };
  const RECT bar = BarRect(h, false);
  const int x = (bar.left + bar.right) / 2;
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"end", [&] { key(VK_END); }},
      {"wheel up", [&] { SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0); }},
      {"wheel", [&] { SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(x - 50, bar.top + 50)); }},
      {"upper arrow", [&] { click(x, bar.top + 4); }},
      {"page above the thumb", [&] { click(x, bar.top + GetSystemMetrics(SM_CYVSCROLL) + 4); }},
      {"home", [&] { key(VK_HOME); }},
      {"lower arrow", [&] { click(x, bar.bottom - 4); }},
  };
  for (const auto& [what, act] : steps) {
    const int before = static_cast<int>(SendMessageA(h, LVM_GETTOPINDEX, 0, 0));
    act();
    Pump(200);
    EXPECT_NE(SendMessageA(h, LVM_GETTOPINDEX, 0, 0), before) << what;
    EXPECT_TRUE(OverlayOver(h, false)) << what;
    EXPECT_EQ(SettledMismatches(h, Skin()), 0) << what;
  }
  testing::RemoveManyClasses(kClasses);
}

}  // namespace
}  // namespace quillet::skin::win32
