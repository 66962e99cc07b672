// The real program's scrolling lists under Wine, looked at from outside: a skinned list answers
// the query-skip message, its bars are covered exactly by overlays that show the bar's state,
// and presses on the overlays scroll the list as the system's bars would.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/program_driver.h"
#include "builtin/registry_snapshot.h"
#include "skin/ctl/scrollbar.h"
#include "own_skin_elements.h"
#include "skin/skin_data.h"
#include "scroll_probe.h"
#include "support/many_classes.h"
#include "support/window_look.h"

namespace quillet {
namespace {

using namespace quillet::driver;
using namespace quillet::skin;
using namespace quillet::skin::testing;
using ::quillet::testing::AnswersSkinned;
using ::quillet::testing::CaptureOf;

const std::string kExe = WindowsPath(QUILLET_EXE);
const char kHideKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu";

const TSkinElements& Skin() { return quillet::skin::testing::OwnSkinElements(); }

// The program with its main window up, skinned, on the page given.
struct Running {
  Program program;
  HWND main = nullptr;
  bool Start(int page, const std::string& args = {}) {
    HKEY k;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Brask\\Support", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) ==
        ERROR_SUCCESS) {
      RegSetValueExA(k, "03", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
      RegCloseKey(k);
    }
    if (!program.Start(kExe, args) || !(main = WaitForWindow(program.Id(), "TQuilletFrm"))) return false;
    if (args.empty() && !WaitUntil([&] { return AnswersSkinned(main); })) return false;
    const std::vector<HWND> pages = WindowsOfClass(main, "TPageControl");
    if (pages.empty()) return false;
    SendMessageA(pages[0], TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
    SetForegroundWindow(main);
    return WaitUntil([&] {
      return SendMessageA(pages[0], TCM_GETCURSEL, 0, 0) == page && GetForegroundWindow() == main;
    });
  }
  ~Running() {
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    program.WaitForExit(kPatience);
  }
};

// A list's vertical bar, from outside: the strip right of its client area (the system answers
// scroll-bar questions about another program's windows with nothing).
RECT VerticalBar(HWND list) {
  RECT c{};
  GetClientRect(list, &c);
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&c), 2);
  return {c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom};
}

HWND OverlayOver(HWND main, HWND list) { return OverlayAt(WindowsOfClass(main, kOverlayClass), VerticalBar(list)); }

// Where the overlay draws its thumb: the first row of its middle column that differs from the
// picture of the bar without a thumb; -1 for none.
int DrawnThumbTop(HWND list) {
  const RECT bar = VerticalBar(list);
  ScrollOverlayInput in;
  in.width = bar.right - bar.left;
  in.height = bar.bottom - bar.top;
  in.arrow = GetSystemMetrics(SM_CYVSCROLL);
  Bitmap32 bare(in.width, in.height, 0);
  DrawScrollOverlay(bare.View(), in, Skin());
  HDC screen = GetDC(nullptr);
  int top = -1;
  for (int y = in.arrow; y < in.height - in.arrow && top < 0; ++y)
    if (GetPixel(screen, bar.left + in.width / 2, bar.top + y) != ColorRefFromPixel(bare.At(in.width / 2, y))) top = y;
  ReleaseDC(nullptr, screen);
  return top;
}

int TopIndex(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)); }

void Mouse(int x, int y, DWORD flags = 0) { MouseInput(x, y, flags); }

// The window holding the pointer on the list's thread: the system's tracking of a press on a bar
// holds it from the press to the release.
HWND CaptureOn(HWND list) { return CaptureOf(GetWindowThreadProcessId(list, nullptr)); }

// Drags the thumb of a list scrolled to its top down by dy pixels; the line then at the top, asked
// for once the drag has ended.
int DragThumb(HWND list, int dy) {
  const RECT bar = VerticalBar(list);
  const int x = (bar.left + bar.right) / 2, y = bar.top + GetSystemMetrics(SM_CYVSCROLL) + 4;
  Mouse(x, y, 0);
  Mouse(x, y, MOUSEEVENTF_LEFTDOWN);
  if (!WaitUntil([&] { return CaptureOn(list) != nullptr; })) return -1;
  for (int d = 4; d < dy; d += 4) Mouse(x, y + d, 0);
  Mouse(x, y + dy, MOUSEEVENTF_LEFTUP);
  if (!WaitUntil([&] { return CaptureOn(list) == nullptr; })) return -1;
  return TopIndex(list);
}

class HideValues : public ::testing::Test {
 protected:
  HideValues() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kHideKey);
    HKEY k = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kHideKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
    for (int i = 0; i < 300; ++i) {
      const DWORD one = i & 1;
      RegSetValueExA(k, quillet::testing::ManyClassId(i).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
    }
    RegCloseKey(k);
  }
  quillet::testing::KeySnapshot saved_{HKEY_CURRENT_USER, kHideKey};
};

TEST_F(HideValues, TheVisibilityListsBarIsCoveredAndItsPressesScrollAsTheSystemsDo) {
  int systemDrag = -1;
  {
    Running plain;
    ASSERT_TRUE(plain.Start(2, "--no-skin"));
    const HWND list = WindowsOfClass(plain.main, "TGrid").at(0);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 300; }));
    systemDrag = DragThumb(list, 40);
  }
  Running r;
  ASSERT_TRUE(r.Start(2));
  const HWND list = WindowsOfClass(r.main, "TGrid").at(0);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 300; }));
  EXPECT_TRUE(AnswersSkinned(list));
  ASSERT_TRUE(WaitUntil([&] { return OverlayOver(r.main, list) != nullptr; })) << "an overlay covers the bar";
  WaitUntil([&] { return std::abs(DrawnThumbTop(list) - GetSystemMetrics(SM_CYVSCROLL)) <= 1; });
  EXPECT_NEAR(DrawnThumbTop(list), GetSystemMetrics(SM_CYVSCROLL), 1) << "the thumb at the top";

  const RECT bar = VerticalBar(list);
  EXPECT_EQ(TopIndex(list), 0);
  // Down and up queued together: a slow machine cannot turn the press into the arrow's repeat.
  Mouse((bar.left + bar.right) / 2, bar.bottom - 4);
  MouseEvent((bar.left + bar.right) / 2, bar.bottom - 4, MOUSEEVENTF_LEFTDOWN);
  Mouse((bar.left + bar.right) / 2, bar.bottom - 4, MOUSEEVENTF_LEFTUP);
  // The row comes with the press; the tracking that holds the pointer ends with the release.
  WaitUntil([&] { return TopIndex(list) > 0; });
  WaitUntil([&] { return CaptureOn(list) == nullptr; });
  EXPECT_EQ(TopIndex(list), 1) << "the lower arrow scrolled one row";

  SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
  ASSERT_TRUE(WaitUntil([&] { return TopIndex(list) == 0; }));
  EXPECT_GT(systemDrag, 5);
  EXPECT_EQ(DragThumb(list, 40), systemDrag) << "the thumb dragged as the system's";
  int dragged = -1;
  WaitUntil([&] { return (dragged = DrawnThumbTop(list)) > GetSystemMetrics(SM_CYVSCROLL) + 30; });
  EXPECT_GT(dragged, GetSystemMetrics(SM_CYVSCROLL) + 30);

  // The wheel moves the list, and the overlay's thumb follows.
  const int before = TopIndex(list);
  SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA * 3)),
               MAKELPARAM(bar.left - 20, bar.top + 40));
  ASSERT_TRUE(WaitUntil([&] { return TopIndex(list) > before; }));
  EXPECT_TRUE(WaitUntil([&] { return DrawnThumbTop(list) > dragged; }));
}

TEST(SkinnedLists, TheBuiltInPagesCheckListsShowNoBarAndNoOverlay) {
  Running r;
  ASSERT_TRUE(r.Start(1));
  const std::vector<HWND> lists = WindowsOfClass(r.main, "TCheckListBox");
  ASSERT_GE(lists.size(), 4u);
  const std::vector<HWND> overlays = WindowsOfClass(r.main, "QuilletScrollOverlay");
  for (HWND l : lists) {
    EXPECT_TRUE(AnswersSkinned(l));
    EXPECT_FALSE(GetWindowLongPtrA(l, GWL_STYLE) & WS_VSCROLL);
    RECT lr{}, o{}, both{};
    GetWindowRect(l, &lr);
    for (HWND h : overlays) EXPECT_FALSE(GetWindowRect(h, &o) && IntersectRect(&both, &lr, &o));
  }
}

}  // namespace
}  // namespace quillet
