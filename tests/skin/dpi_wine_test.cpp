// Skinned windows at the screen's DPI (run in prefixes at several DPIs): the frame is the 96-DPI
// skin's, scaled; the caption buttons act where the scaled skin puts them; message boxes are skinned
// at their own DPI; and a form taken to another DPI and back many times holds no more GDI objects
// and has exactly its first frame again.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/dpi.h"
#include "skin/nc_layout.h"
#include "skin/win32/skin_data.h"
#include "support/dpi_change.h"
#include "support/gdi_count.h"
#include "support/skin_run.h"
#include "ui/dpi.h"
#include "ui/forms.h"
#include "ui/gdi.h"
#include "ui/stdctrls.h"

namespace quillet::skin::win32 {
namespace {

using base::MulDivRound;
using ::quillet::testing::AnswersSkinned;
using ::quillet::testing::HandlePending;
using ::quillet::testing::PumpUntil;
using ::quillet::testing::SendDpiChanged;

// The frame as the system sees it: the borders around the client area, the window's size, and
// its region.
struct Frame {
  RECT window{}, client{};
  BorderSizes borders;
  ui::gdi::Region region;
};

Frame FrameOf(HWND h) {
  Frame f;
  GetWindowRect(h, &f.window);
  GetClientRect(h, &f.client);
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  f.borders = {origin.x - f.window.left, origin.y - f.window.top, f.window.right - origin.x - f.client.right,
               f.window.bottom - origin.y - f.client.bottom};
  f.region = ui::gdi::Region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(h, f.region.Get()) == ERROR) f.region = {};
  return f;
}

BorderSizes Scaled(const BorderSizes& b, int dpi) {
  return {MulDivRound(b.left, dpi, 96), MulDivRound(b.top, dpi, 96), MulDivRound(b.right, dpi, 96),
          MulDivRound(b.bottom, dpi, 96)};
}

class SkinAtDpi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ui::DeclareDpiAwareness(); }
  void SetUp() override {
    ui::Application().Initialize();
    form = std::make_unique<ui::TForm>(nullptr, "DpiForm");
    form->SetBorderStyle(ui::BorderStyle::Sizeable);
    form->SetMaximizeBox(true);
    form->SetMinimizeBox(true);
    form->SetClientSize(400, 240);
    form->SetCaption("Skinned at the screen's DPI");
    using ui::Make;
    auto& button = Make<ui::TButton>(*form, form.get(), "Button", {10, 10, 90, 26});
    button.SetCaption("Button");
    auto& check = Make<ui::TCheckBox>(*form, form.get(), "Check", {10, 50, 120, 17});
    check.SetCaption("Check");
    data = ::quillet::testing::AddOwnSkin(*form);
    ASSERT_TRUE(data);
    form->Show();
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(PumpUntil([&] {
      return AnswersSkinned(form->Handle()) && AnswersSkinned(button.Handle()) && AnswersSkinned(check.Handle());
    }));
    HandlePending();
    dpi = ui::WindowDpi(form->Handle());
  }
  void TearDown() override {
    form.reset();
    HandlePending();
  }
  HWND Hwnd() { return form->Handle(); }
  std::unique_ptr<ui::TForm> form;
  TSkinData* data = nullptr;
  int dpi = 96;
};

TEST_F(SkinAtDpi, TheFrameIsTheSkinsScaledAndItsCaptionButtonsActWhereTheScaledSkinPutsThem) {
  // The prefix's DPI (scripts/wine.sh) is the window's: the program is aware of it.
  const char* prefix_dpi = std::getenv("QUILLET_DPI");
  EXPECT_EQ(dpi, prefix_dpi ? std::atoi(prefix_dpi) : dpi);
  const Frame f = FrameOf(Hwnd());
  EXPECT_EQ(f.borders, Scaled(SkinBorders(data->Elements(), FrameBorder::Sizeable), dpi));

  // The minimise button of the 96-DPI skin, anchored to the right edge, at this DPI.
  const TDataSkinSysButton* minimise = nullptr;
  for (const TDataSkinSysButton& b : data->Elements().CaptionButtons)
    if (b.Action == 2 && b.Align == 1 && !b.Bitmap.Empty()) minimise = &b;
  ASSERT_TRUE(minimise) << "our skin has a minimise button at the right";
  const int w96 = minimise->Bitmap.Width() / std::max(minimise->Frame, 1), h96 = minimise->Bitmap.Height();
  const int width = f.window.right - f.window.left;
  const RECT place{width - MulDivRound(minimise->Xcoord, dpi, 96), MulDivRound(minimise->Ycoord, dpi, 96),
                   width - MulDivRound(minimise->Xcoord, dpi, 96) + MulDivRound(w96, dpi, 96),
                   MulDivRound(minimise->Ycoord, dpi, 96) + MulDivRound(h96, dpi, 96)};
  auto screen = [&](int x, int y) { return MAKELPARAM(f.window.left + x, f.window.top + y); };
  // Inside the scaled place, near its far corner: past the 96-DPI button's when the DPI is higher.
  const LPARAM inside = screen(place.right - 2, place.bottom - 2);
  EXPECT_EQ(SendMessageA(Hwnd(), WM_NCHITTEST, 0, inside), HTCAPTION) << "the skin's buttons are its caption's";
  // A press there minimises (at a higher DPI the point lies below the 96-DPI button).
  SendMessageA(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, inside);
  SendMessageA(Hwnd(), WM_NCLBUTTONUP, HTCAPTION, inside);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(Hwnd()) != FALSE; }));
  ShowWindow(Hwnd(), SW_RESTORE);
  HandlePending();
}

// Closes the message box once it is skinned, noting what it showed.
struct BoxSeen {
  bool skinned = false;
  int dpi = 0;
  BorderSizes borders;
} g_box;

void CALLBACK LookAtBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowA("#32770", "Quillet at this DPI");
  if (!box || !IsWindowVisible(box) || !AnswersSkinned(box, 100)) return;
  KillTimer(nullptr, id);
  g_box.skinned = true;
  g_box.dpi = ui::WindowDpi(box);
  g_box.borders = FrameOf(box).borders;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(SkinAtDpi, EveryTopLevelWindowIsSkinnedAtItsDpi) {
  EXPECT_EQ(SendMessageA(Hwnd(), 0x3523, 0, 0), 1);
  g_box = {};
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookAtBox);
  // Runs until the timer has seen the box skinned and closed it (or the box is closed by hand).
  MessageBoxA(Hwnd(), "A message box skinned at its own DPI.", "Quillet at this DPI", MB_OK);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_box.skinned);
  EXPECT_EQ(g_box.borders, Scaled(SkinBorders(data->Elements(), FrameBorder::Dialog), g_box.dpi));
}

TEST_F(SkinAtDpi, RepeatedDpiChangesHoldNoMoreGdiObjectsAndGiveTheFirstFrameBack) {
  const int other = dpi == 144 ? 96 : 144;
  const Frame before = FrameOf(Hwnd());
  // The first trip makes what is made once per DPI (the skin, its fonts there).
  SendDpiChanged(Hwnd(), dpi, other);
  HandlePending();
  const Frame there = FrameOf(Hwnd());
  EXPECT_EQ(there.borders, Scaled(SkinBorders(data->Elements(), FrameBorder::Sizeable), other));
  SendDpiChanged(Hwnd(), other, dpi);
  HandlePending();
  const long gdi = ::quillet::testing::GdiObjectCount();
  ASSERT_GT(gdi, 0);
  constexpr int kTrips = 50;
  for (int i = 0; i < kTrips; ++i) {
    SendDpiChanged(Hwnd(), dpi, other);
    HandlePending();
    SendDpiChanged(Hwnd(), other, dpi);
    HandlePending();
  }
  EXPECT_EQ(::quillet::testing::GdiObjectCount(), gdi);
  const Frame after = FrameOf(Hwnd());
  EXPECT_TRUE(EqualRect(&after.window, &before.window));
  EXPECT_TRUE(EqualRect(&after.client, &before.client));
  EXPECT_EQ(after.borders, before.borders);
  ASSERT_TRUE(before.region && after.region);
  EXPECT_TRUE(EqualRgn(before.region.Get(), after.region.Get()));
}

}  // namespace
}  // namespace quillet::skin::win32
