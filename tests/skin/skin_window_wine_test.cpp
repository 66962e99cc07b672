// Window skinning inside one program: a form with a menu bar is skinned, its menus open skinned,
// its caption survives what would make the system paint its own, and switching the skin off
// gives the window back exactly as it was.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "skin/embedded_skin.h"
#include "skin/nc_layout.h"
#include "skin/skin_messages.h"
#include "skin/win32/manager.h"
#include "skin/win32/skin_data.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"
#include "support/skin_run.h"

namespace quillet::skin::win32 {
namespace {

using ::quillet::testing::AnswersSkinned;
using ::quillet::testing::Awaited;
using ::quillet::testing::HandlePending;
using ::quillet::testing::PumpUntil;

Pixel ScreenPixel(int x, int y) { return PixelFromColorRef(::quillet::testing::ScreenPixel(x, y)); }

// What a window looks like to the system, to compare before skinning and after unskinning.
struct WindowFacts {
  LONG_PTR proc, style, ex;
  RECT client;
  bool region;
  HMENU menu;
  bool operator==(const WindowFacts& o) const {
    return proc == o.proc && style == o.style && ex == o.ex && EqualRect(&client, &o.client) && region == o.region &&
           menu == o.menu;
  }
};

WindowFacts Facts(HWND h) {
  WindowFacts f{};
  f.proc = GetWindowLongPtrA(h, GWLP_WNDPROC);
  f.style = GetWindowLongPtrA(h, GWL_STYLE);
  f.ex = GetWindowLongPtrA(h, GWL_EXSTYLE);
  GetClientRect(h, &f.client);
  HRGN r = CreateRectRgn(0, 0, 0, 0);
  f.region = GetWindowRgn(h, r) != ERROR;
  DeleteObject(r);
  f.menu = GetMenu(h);
  return f;
}

bool OwnerDrawn(HMENU menu, UINT pos) {
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(menu, pos, TRUE, &mii);
  return mii.fType & MFT_OWNERDRAW;
}

std::wstring ItemText(HMENU menu, UINT pos) {
  wchar_t buf[64] = {};
  GetMenuStringW(menu, pos, buf, 63, MF_BYPOSITION);
  return buf;
}

// Runs `check` from inside the next menu loop, then closes the menu.
std::function<void(HWND)> g_in_menu;
HWND g_seen_menu = nullptr;
void CALLBACK InMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  KillTimer(nullptr, id);
  g_seen_menu = menu;
  if (g_in_menu) g_in_menu(menu);
  EndMenu();
}

class SkinnedForm : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application().Initialize();
    form = std::make_unique<ui::TForm>(nullptr, "MenuForm");
    form->SetBorderStyle(ui::BorderStyle::Sizeable);
    form->SetMaximizeBox(true);
    form->SetClientSize(420, 260);
    form->SetCaption("Skinned test form");
    file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 101, L"&Open\tCtrl+O");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, 102, L"E&xit");
    bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_STRING, 103, L"&Help");
    form->HandleNeeded();
    form->SetMenu(bar);
    native = Facts(form->Handle());
    data = ::quillet::testing::AddOwnSkin(*form);
    ASSERT_TRUE(data);
    form->Show();
    PumpUntil([&] { return AnswersSkinned(form->Handle()); });
    HandlePending();
  }
  void TearDown() override {
    form.reset();
    HandlePending();
  }
  HWND Hwnd() { return form->Handle(); }
  std::unique_ptr<ui::TForm> form;
  TSkinData* data = nullptr;
  HMENU file = nullptr, bar = nullptr;
  WindowFacts native{};
};

TEST_F(SkinnedForm, TheMenuBarAndItsMenusAreSkinnedAndKeyboardReachable) {
  HWND h = Hwnd();
  ASSERT_TRUE(AnswersSkinned(h));
  EXPECT_EQ(GetMenu(h), nullptr) << "the skinned bar stands in for the native one";
  RECT wr{}, cr{};
  GetWindowRect(h, &wr);
  GetClientRect(h, &cr);
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  const BorderSizes b = SkinBorders(data->Elements(), FrameBorder::Sizeable);
  EXPECT_EQ(origin.y - wr.top, b.top + GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(cr.right, native.client.right) << "the client area keeps its size";
  EXPECT_EQ(cr.bottom, native.client.bottom);
  EXPECT_EQ(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(wr.left + 30, wr.top + b.top + 3)), HTMENU);
  EXPECT_FALSE(GetWindowLongPtrA(h, GWL_STYLE) & WS_SYSMENU) << "the system draws no buttons of its own";

  // Alt+F opens the File drop-down from the skinned bar: a skinned popup window with
  // owner-drawn items.
  bool popup_skinned = false, items_owner_drawn = false;
  g_in_menu = [&](HWND menu) {
    popup_skinned = AnswersSkinned(menu);
    items_owner_drawn = OwnerDrawn(file, 0) && OwnerDrawn(file, 2);
  };
  g_seen_menu = nullptr;
  SetTimer(nullptr, 0, 100, InMenu);
  SendMessageA(h, WM_SYSCOMMAND, SC_KEYMENU, 'f');
  EXPECT_TRUE(g_seen_menu) << "the drop-down opened";
  EXPECT_TRUE(popup_skinned);
  EXPECT_TRUE(items_owner_drawn);

  // Alt+Space opens the skinned system menu, whose items the skin draws too.
  int sys_items = 0;
  g_in_menu = [&](HWND menu) {
    popup_skinned = AnswersSkinned(menu);
    HMENU m = reinterpret_cast<HMENU>(SendMessageA(menu, 0x01E1 /* MN_GETHMENU */, 0, 0));
    for (int i = 0; m && i < GetMenuItemCount(m); ++i) sys_items += OwnerDrawn(m, static_cast<UINT>(i));
  };
  g_seen_menu = nullptr;
  popup_skinned = false;
  SetTimer(nullptr, 0, 100, InMenu);
  SendMessageA(h, WM_SYSCOMMAND, SC_KEYMENU, ' ');
  EXPECT_TRUE(g_seen_menu);
  EXPECT_TRUE(popup_skinned);
  EXPECT_GE(sys_items, 5);
  g_in_menu = nullptr;
}

TEST_F(SkinnedForm, TheCaptionStaysSkinnedWhenTheSystemWouldRepaintIt) {
  HWND h = Hwnd();
  ASSERT_TRUE(AnswersSkinned(h));
  const Bitmap32& top = data->Elements().Top.Bitmap;
  RECT wr{};
  GetWindowRect(h, &wr);
  const int x = wr.left + (wr.right - wr.left) / 2 + 40, y = wr.top + 6;
  const Pixel active = top.At(top.Width() / 2, 6) & 0xFFFFFF;
  const Pixel inactive = top.At(top.Width() / 2, top.Height() / 2 + 6) & 0xFFFFFF;
  const auto caption = [&] { return ScreenPixel(x, y); };
  SetForegroundWindow(h);
  EXPECT_EQ(Awaited(caption, active), active);
  // A new caption text and a new icon: the default handling would paint the system's caption.
  form->SetCaption("Another caption for the skinned test form");
  SendMessageA(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIcon(nullptr, IDI_APPLICATION)));
  HandlePending();
  EXPECT_EQ(Awaited(caption, active), active);
  // Activation going elsewhere and back.
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  EXPECT_EQ(Awaited(caption, inactive), inactive);
  DestroyWindow(other);
  SetForegroundWindow(h);
  EXPECT_EQ(Awaited(caption, active), active);
  // Minimised and back, the window keeps its client area.
  ShowWindow(h, SW_MINIMIZE);
  PumpUntil([&] { return IsIconic(h); });
  ShowWindow(h, SW_RESTORE);
  PumpUntil([&] { return !IsIconic(h); });
  HandlePending();
  RECT cr{};
  GetClientRect(h, &cr);
  EXPECT_EQ(cr.right, native.client.right);
  EXPECT_EQ(cr.bottom, native.client.bottom);
}

TEST_F(SkinnedForm, SwitchingTheSkinOffGivesTheWindowBackAsItWas) {
  HWND h = Hwnd();
  ASSERT_TRUE(AnswersSkinned(h));
  const WindowFacts skinned = Facts(h);
  EXPECT_FALSE(skinned == native);
  EXPECT_TRUE(skinned.region);
  for (int round = 0; round < 3; ++round) {
    data->SetActive(false);
    PumpUntil([&] { return !AnswersSkinned(h); });
    HandlePending();
    EXPECT_FALSE(AnswersSkinned(h));
    const WindowFacts back = Facts(h);
    EXPECT_EQ(back.proc, native.proc);
    EXPECT_EQ(back.style & ~WS_VISIBLE, native.style & ~WS_VISIBLE);
    EXPECT_EQ(back.ex, native.ex);
    EXPECT_EQ(back.client.right, native.client.right);
    EXPECT_EQ(back.client.bottom, native.client.bottom);
    EXPECT_FALSE(back.region);
    EXPECT_EQ(back.menu, bar);
    EXPECT_FALSE(OwnerDrawn(file, 0));
    EXPECT_EQ(ItemText(file, 0), L"&Open\tCtrl+O");
    EXPECT_EQ(form->GetColor(), ui::kColorBtnFace);
    data->SetActive(true);
    EXPECT_TRUE(PumpUntil([&] { return AnswersSkinned(h); })) << "skinned again";
    HandlePending();
  }
}

}  // namespace
}  // namespace quillet::skin::win32
