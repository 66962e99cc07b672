// Scroll-bar skins inside one program: the overlays sit on the system's bars and show what the
// bars' state says, follow the lists through items, sizes, visibility, re-created windows and
// scrolling of every kind, and leave nothing behind when the skin goes.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/program_driver.h"
#include "icons/clsid_browser_page.h"
#include "skin/ctl/scrollbar.h"
#include "skin/embedded_skin.h"
#include "skin/skin_messages.h"
#include "skin/win32/control_skin.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32/skin_data.h"
#include "scroll_probe.h"
#include "support/gdi_count.h"
#include "support/many_classes.h"
#include "ui/comctrls.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"
#include "support/skin_run.h"

namespace quillet::skin::win32 {
namespace {

using ::quillet::testing::AnswersSkinned;
using ::quillet::driver::MouseEvent;
using ::quillet::testing::Awaited;
using ::quillet::testing::HandlePending;
using ::quillet::testing::MouseInput;
using ::quillet::testing::PointerAt;
using ::quillet::testing::PumpUntil;
using ::quillet::testing::ScreenPixel;

using namespace quillet::skin::testing;

// Every overlay window of this thread, children and pop-ups alike.
std::vector<HWND> Overlays(bool visibleOnly = true) {
  std::vector<HWND> tops, all;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM lp) { return reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h), TRUE; },
      reinterpret_cast<LPARAM>(&tops));
  for (HWND t : tops)
    for (HWND o : WindowsOfClass(t, kOverlayClass, visibleOnly)) all.push_back(o);
  return all;
}

SCROLLBARINFO BarInfo(HWND control, bool horizontal) {
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  GetScrollBarInfo(control, horizontal ? OBJID_HSCROLL : OBJID_VSCROLL, &sbi);
  return sbi;
}

HWND OverlayOver(HWND control, bool horizontal) { return OverlayAt(Overlays(), BarInfo(control, horizontal).rcScrollBar); }

// Pixels of the overlay over one of the control's bars that differ from the painter's picture of
// the bar: its thumb where the system has it, arrows and track as given. Waits for none to differ
// (repaints, and the pointer's leaving, which the system notices now and then, take a moment).
int Mismatches(HWND control, bool horizontal, const TSkinElements& s, int zone = kZoneNone, bool enabled = true) {
  return Awaited(
      [&] {
        const SCROLLBARINFO sbi = BarInfo(control, horizontal);
        ScrollOverlayInput in;
        in.horizontal = horizontal;
        in.enabled = enabled;
        in.zone = zone;
        if (!(sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE)) in.thumb = {sbi.xyThumbTop, sbi.xyThumbBottom};
        return Differences(sbi.rcScrollBar, in, s);
      },
      0);
}

// A press and release queued together, then handled: the system's tracking of a press on a bar
// runs until the release, on this thread. The pointer goes there first, so that the two do not move
// it.
void ClickQueued(int x, int y) {
  MouseInput({x, y});
  MouseEvent(x, y, MOUSEEVENTF_LEFTDOWN);
  MouseEvent(x, y, MOUSEEVENTF_LEFTUP);
  PumpUntil([&] { return PointerAt(x, y, MOUSEEVENTF_LEFTUP); });
  HandlePending();
}

std::vector<std::string> Lines(int n) {
  std::vector<std::string> v;
  for (int i = 0; i < n; ++i) v.push_back("Line " + std::to_string(i));
  return v;
}

class ScrollSkin : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application().Initialize();
    form = std::make_unique<ui::TForm>(nullptr, "ScrollForm");
    form->SetClientSize(560, 380);
    form->SetCaption("Scroll bars");
    list = &ui::Make<ui::TListBox>(*form, form.get(), "List", {10, 10, 160, 150});
    grid = &ui::Make<ui::TGrid>(*form, form.get(), "Grid", {10, 180, 340, 160});
    combo = &ui::Make<ui::TComboBox>(*form, form.get(), "Combo", {380, 10, 160, 21});
    data = ::quillet::testing::AddOwnSkin(*form);
    ASSERT_TRUE(data);
    form->Show();
    PumpUntil([&] {
      for (ui::TWinControl* c : std::initializer_list<ui::TWinControl*>{form.get(), list, grid, combo})
        if (!AnswersSkinned(c->Handle())) return false;
      return true;
    });
    HandlePending();
  }
  void TearDown() override {
    form.reset();
    HandlePending();
  }
  const TSkinElements& Skin() const { return data->Elements(); }
  std::unique_ptr<ui::TForm> form;
  ui::TListBox* list = nullptr;
  ui::TGrid* grid = nullptr;
  ui::TComboBox* combo = nullptr;
  TSkinData* data = nullptr;
};

TEST_F(ScrollSkin, OverlaysFollowTheBarsThroughItemsSizesVisibilityAndState) {
  const HWND h = list->Handle();
  ASSERT_TRUE(AnswersSkinned(h));
  EXPECT_FALSE(GetWindowLongPtrA(h, GWL_STYLE) & WS_VSCROLL);
  EXPECT_TRUE(Overlays(true).empty()) << "no bar, no overlay";

  list->SetItems(Lines(60));
  PumpUntil([&] { return OverlayOver(h, false) != nullptr; });
  const HWND o = OverlayOver(h, false);
  ASSERT_TRUE(o) << "the list gained its bar, and an overlay over it";
  EXPECT_EQ(GetWindow(o, GW_HWNDNEXT), h) << "just in front of the list";
  EXPECT_EQ(Mismatches(h, false, Skin()), 0);

  SendMessageA(h, LB_SETTOPINDEX, 30, 0);
  EXPECT_EQ(Mismatches(h, false, Skin()), 0) << "the thumb moved with the list";
  SendMessageA(h, WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(Mismatches(h, false, Skin()), 0) << "and with the keyboard";

  list->SetBounds({20, 20, 140, 120});
  EXPECT_EQ(Awaited([&] { return OverlayOver(h, false); }, o), o) << "resized";
  EXPECT_EQ(Mismatches(h, false, Skin()), 0);

  list->SetEnabled(false);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowEnabled(o); }));
  EXPECT_EQ(Mismatches(h, false, Skin(), kZoneNone, false), 0) << "drawn disabled";
  list->SetEnabled(true);

  list->SetVisible(false);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(o); }));
  list->SetVisible(true);
  EXPECT_EQ(Awaited([&] { return OverlayOver(h, false); }, o), o);

  // The skinned border, in the window and through the border message.
  RECT wr{};
  GetWindowRect(h, &wr);
  const COLORREF shadow = data->Color(slot::ButtonShadow);
  EXPECT_EQ(Awaited([&] { return ScreenPixel(wr.left, wr.top + 40); }, shadow), shadow);
  HDC mem = CreateCompatibleDC(nullptr);
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 50, 50);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(mem, bmp);
  EXPECT_EQ(SendMessageA(h, SKINMSG_PAINTBORDER, reinterpret_cast<WPARAM>(mem), kSkinnedMagic), kSkinnedMagic);
  EXPECT_EQ(GetPixel(mem, 0, 20), data->Color(slot::ButtonShadow));
  EXPECT_EQ(GetPixel(mem, 1, 20), data->FaceColor());
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);

  list->Clear();
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(o); })) << "the bar went, and the overlay with it";
}

TEST_F(ScrollSkin, ARecreatedListGetsAFreshSkinAndTheSkinLeavesNothingBehind) {
  // Few lines: a list makes its items again with its window.
  list->SetItems(Lines(20));
  grid->SetLines(Lines(100));
  PumpUntil([&] { return Overlays(false).size() >= 4u; });
  HandlePending();
  const std::size_t overlays = Overlays(false).size();
  EXPECT_GE(overlays, 4u) << "two for the list, two for the grid";
  const auto recreate = [&] {
    const HWND before = list->Handle();
    list->RecreateWnd();
    const bool skinned = PumpUntil([&] { return AnswersSkinned(list->Handle()); });
    HandlePending();
    return list->Handle() != before && skinned;
  };
  const auto offAndOn = [&] {
    data->SetActive(false);
    const bool gone = PumpUntil([&] { return Overlays(false).empty() && !AnswersSkinned(list->Handle()); });
    data->SetActive(true);
    const bool back = PumpUntil([&] { return AnswersSkinned(list->Handle()) && OverlayOver(list->Handle(), false); });
    HandlePending();
    return gone && back;
  };
  ASSERT_TRUE(recreate());
  ASSERT_TRUE(offAndOn());
  const long gdi = quillet::testing::GdiObjectCount();
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(recreate()) << i;
  EXPECT_TRUE(OverlayOver(list->Handle(), false));
  EXPECT_EQ(Awaited([&] { return Overlays(false).size(); }, overlays), overlays);
  EXPECT_EQ(Mismatches(list->Handle(), false, Skin()), 0);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(offAndOn()) << "off and on again, " << i;
  for (int i = 0; i < 20; ++i) SendMessageA(grid->Handle(), WM_KEYDOWN, i % 2 ? VK_HOME : VK_END, 0);
  EXPECT_TRUE(PumpUntil([&] { return quillet::testing::GdiObjectCount() <= gdi; })) << "no GDI object kept";
}

TEST_F(ScrollSkin, TheGridsHeaderIsSkinned) {
  grid->SetLines(Lines(100));
  HandlePending();
  const HWND header = reinterpret_cast<HWND>(SendMessageA(grid->Handle(), LVM_GETHEADER, 0, 0));
  ASSERT_TRUE(PumpUntil([&] { return AnswersSkinned(header); }));
  RECT item{};
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&item), 2);
  const TDataSkinObject& bar = *Skin().Headerbar;
  const int frames = bar.Frame, fw = bar.Bitmap.Width() / frames;
  // The middle of the second section, clear of its title: nothing but the picture.
  const int x = (item.left + item.right) / 2, y = (item.top + item.bottom) / 2;
  const auto at = [&] { return PixelFromColorRef(ScreenPixel(x, y)); };
  const Pixel normal = bar.Bitmap.At(fw / 2, bar.Bitmap.Height() / 2) & 0xFFFFFF;
  EXPECT_EQ(Awaited(at, normal), normal);
  MouseInput({x, y});
  const Pixel hot = bar.Bitmap.At(fw + fw / 2, bar.Bitmap.Height() / 2) & 0xFFFFFF;
  EXPECT_EQ(Awaited(at, hot), hot) << "hot";
  MouseInput({600, 300});
}

TEST_F(ScrollSkin, ADroppedDownListIsCoveredWhileItIsDown) {
  combo->SetItems(Lines(40));
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
  const HWND lb = info.hwndList;
  ASSERT_TRUE(AnswersSkinned(lb)) << "the combo box's skin gave its list a skin";
  EXPECT_TRUE(Overlays(true).empty());
  SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  PumpUntil([&] { return OverlayOver(lb, false) != nullptr; });
  const HWND o = OverlayOver(lb, false);
  ASSERT_TRUE(o);
  EXPECT_EQ(Mismatches(lb, false, Skin()), 0);
  SendMessageA(lb, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(Mismatches(lb, false, Skin()), 0) << "the wheel moved the thumb";
  SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(o); }));
}

TEST_F(ScrollSkin, AScrollBarControlIsCoveredWholeAndTellsItsParent) {
  const HWND sb = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 380, 60, 17, 200,
                                  form->Handle(), nullptr, nullptr, nullptr);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 100, 10, 0, 0};
  SetScrollInfo(sb, SB_CTL, &si, TRUE);
  TWinSkinForm* fs = TSkinManage::Instance()->FindForm(form->Handle());
  auto skin = MakeControlSkin(SkinClass::TSkinScrollbar, SkinMode::Single);
  skin->AttachWindow(sb, *data, *fs);
  fs->AddControlSkin(std::move(skin));
  HandlePending();
  RECT r{};
  GetWindowRect(sb, &r);
  const int arrow = GetSystemMetrics(SM_CYVSCROLL);
  const auto showsPosition = [&](int pos) {
    ScrollOverlayInput in;
    in.thumb = StandaloneThumb(200, arrow, 0, 100, 10, pos);
    return Differences(r, in, Skin()) == 0;
  };
  EXPECT_TRUE(PumpUntil([&] { return showsPosition(0); }));
  SetScrollPos(sb, SB_CTL, 60, TRUE);
  EXPECT_TRUE(PumpUntil([&] { return showsPosition(60); }));

  int lineDowns = 0;
  const ui::MessageHandler prev = form->WindowProc();
  form->SetWindowProc([&](ui::Message& m) {
    if (m.msg == WM_VSCROLL && m.lparam == reinterpret_cast<std::intptr_t>(sb) && LOWORD(m.wparam) == SB_LINEDOWN)
      ++lineDowns;
    prev(m);
  });
  ClickQueued((r.left + r.right) / 2, r.bottom - 4);
  PumpUntil([&] { return lineDowns > 0; });
  form->SetWindowProc(prev);
  EXPECT_EQ(lineDowns, 1) << "the press went to the scroll bar, which told its parent";
  DestroyWindow(sb);
}

TEST_F(ScrollSkin, TheClassBrowserKeepsItsOverlayInStepOverTenThousandRows) {
  constexpr int kClasses = 10000;
  quillet::testing::RemoveManyClasses(kClasses);
  quillet::testing::MakeManyClasses(kClasses);
  list->SetVisible(false);
  combo->SetVisible(false);
  grid->SetBounds({10, 10, 540, 360});
  icons::ClsidBrowserPage browser(*grid);
  browser.GetCLSIDList();
  HandlePending();
  const HWND h = grid->Handle();
  ASSERT_GE(SendMessageA(h, LVM_GETITEMCOUNT, 0, 0), kClasses);
  ASSERT_TRUE(PumpUntil([&] { return OverlayOver(h, false) != nullptr; }));
  EXPECT_EQ(Mismatches(h, false, Skin()), 0);

  // The part clicked shows hot while the pointer rests on it; then the pointer leaves.
  const auto click = [&](int x, int y, int zone) {
    ClickQueued(x, y);
    EXPECT_EQ(Mismatches(h, false, Skin(), zone), 0) << "hot after the click";
    MouseInput({600, 500});
  };
  const auto key = [&](WPARAM vk) { SendMessageA(h, WM_KEYDOWN, vk, 0); };
  const RECT bar = BarInfo(h, false).rcScrollBar;
  const int x = (bar.left + bar.right) / 2;
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"end", [&] { key(VK_END); }},
      {"wheel", [&] { SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(x - 50, bar.top + 50)); }},
      {"upper arrow", [&] { click(x, bar.top + 4, kZoneFirstArrow); }},
      {"page above the thumb", [&] { click(x, bar.top + GetSystemMetrics(SM_CYVSCROLL) + 4, kZonePageBefore); }},
      {"home", [&] { key(VK_HOME); }},
      {"lower arrow", [&] { click(x, bar.bottom - 4, kZoneSecondArrow); }},
  };
  for (const auto& [what, act] : steps) {
    const int before = static_cast<int>(SendMessageA(h, LVM_GETTOPINDEX, 0, 0));
    act();
    EXPECT_TRUE(PumpUntil([&] { return SendMessageA(h, LVM_GETTOPINDEX, 0, 0) != before; })) << what;
    EXPECT_TRUE(OverlayOver(h, false)) << what;
    EXPECT_EQ(Mismatches(h, false, Skin()), 0) << what;
  }
  MouseInput({x, bar.bottom - 4});
  EXPECT_EQ(Mismatches(h, false, Skin(), kZoneSecondArrow), 0) << "hot under the pointer";
  MouseInput({600, 500});
  quillet::testing::RemoveManyClasses(kClasses);
}

}  // namespace
}  // namespace quillet::skin::win32
