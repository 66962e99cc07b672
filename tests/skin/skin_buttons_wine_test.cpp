// Push buttons, check boxes, radio buttons and group boxes of skinned windows, driven by real
// mouse and keyboard input: the frames they show by state, the clicks they give, and where those
// clicks come from.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "app/program_driver.h"
#include "button_screen.h"
#include "skin/embedded_skin.h"
#include "skin/skin_messages.h"
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

using testing::ButtonFrameShown;
using testing::Capture;
using testing::CheckFrameShown;

void Mouse(POINT at, DWORD flags) { ::quillet::testing::MouseInput(at, flags); }
// Twice: the second move comes when the system surely knows where the pointer is.
void MoveTo(POINT at) {
  Mouse(at, 0);
  Mouse({at.x + 1, at.y}, 0);
}
// Away from every window: the system notices the pointer left only on its next check (Wine
// checks every 400 ms), so what shows it is waited for.
void Leave() { Mouse({3, 3}, 0); }
void Down(POINT at) { Mouse(at, MOUSEEVENTF_LEFTDOWN); }
void Up(POINT at) { Mouse(at, MOUSEEVENTF_LEFTUP); }
void Click(POINT at) {
  Down(at);
  Up(at);
}

void Key(WORD vk, bool up) { ::quillet::testing::KeyInput(vk, up); }

POINT Centre(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Bands of rows that hold dark (text) pixels inside a button, its rings left out.
int TextBands(HWND h) {
  const Bitmap32 shot = Capture(h);
  int bands = 0;
  bool in_band = false;
  for (int y = 3; y < shot.Height() - 3; ++y) {
    bool dark = false;
    for (int x = 3; x < shot.Width() - 3 && !dark; ++x) {
      const Pixel p = shot.At(x, y);
      dark = ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) < 3 * 90;
    }
    if (dark && !in_band) ++bands;
    in_band = dark;
  }
  return bands;
}

// Clicks of the native buttons: BN_CLICKED sent to a parent.
HWND g_watched = nullptr;
int g_native_clicks = 0;
LRESULT CALLBACK WatchCommands(int code, WPARAM wp, LPARAM lp) {
  const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && m->message == WM_COMMAND && HIWORD(m->wParam) == BN_CLICKED &&
      reinterpret_cast<HWND>(m->lParam) == g_watched)
    ++g_native_clicks;
  return CallNextHookEx(nullptr, code, wp, lp);
}

// WM_COMMANDs a foreign dialog receives, by control id.
int g_dialog_commands[16] = {};
INT_PTR CALLBACK CountCommands(HWND, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_COMMAND && LOWORD(wp) < 16) ++g_dialog_commands[LOWORD(wp)];
  return FALSE;
}

class SkinnedButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application().Initialize();
    form = std::make_unique<ui::TForm>(nullptr, "ButtonsForm");
    form->SetClientSize(420, 260);
    form->SetCaption("Skinned buttons");
    using ui::Make;
    plain = &Make<ui::TButton>(*form, form.get(), "Plain", {10, 10, 90, 26});
    plain->SetCaption("Plain");
    plain->OnClick = [this] { ++clicks; };
    lines = &Make<ui::TButton>(*form, form.get(), "Lines", {110, 10, 90, 44});
    lines->SetCaption("Top||Bottom");
    single = &Make<ui::TButton>(*form, form.get(), "Single", {210, 10, 90, 44});
    single->SetCaption("Top Bottom");
    dflt = &Make<ui::TButton>(*form, form.get(), "Dflt", {310, 10, 90, 26});
    dflt->SetCaption("Default");
    dflt->SetDefault(true);
    dflt->SetEnabled(false);
    dflt->OnClick = [this] { ++default_clicks; };
    cancel = &Make<ui::TButton>(*form, form.get(), "Cancel", {310, 40, 90, 26});
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    cancel->OnClick = [this] { ++cancel_clicks; };
    check = &Make<ui::TCheckBox>(*form, form.get(), "Check", {10, 70, 120, 17});
    check->SetCaption("Check me");
    group = &Make<ui::TGroupBox>(*form, form.get(), "Group", {10, 100, 200, 80});
    group->SetCaption("Group");
    data = ::quillet::testing::AddOwnSkin(*form);
    ASSERT_TRUE(data);
    Leave();
    form->Show();
    SetForegroundWindow(form->Handle());
    PumpUntil([&] {
      if (GetForegroundWindow() != form->Handle()) return false;
      for (ui::TWinControl* c : std::initializer_list<ui::TWinControl*>{form.get(), plain, lines, single, dflt, cancel, check, group})
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
  // The frame a button shows once it shows `want`, or the one it shows at the deadline.
  int ButtonFrame(HWND h, int want) const { return Awaited([&] { return ButtonFrameShown(h, Skin()); }, want); }
  int CheckFrame(HWND h, int want, bool radio = false) const {
    return Awaited([&] { return CheckFrameShown(h, Skin(), radio); }, want);
  }

  std::unique_ptr<ui::TForm> form;
  TSkinData* data = nullptr;
  ui::TButton *plain = nullptr, *lines = nullptr, *single = nullptr, *dflt = nullptr, *cancel = nullptr;
  ui::TCheckBox* check = nullptr;
  ui::TGroupBox* group = nullptr;
  int clicks = 0, default_clicks = 0, cancel_clicks = 0;
};

TEST_F(SkinnedButtons, APushButtonIsPressedByTheMouseOrTheSpaceKeyAndClicksOnce) {
  const HWND b = plain->Handle();
  ASSERT_TRUE(AnswersSkinned(b));
  check->SetFocus();
  HandlePending();
  EXPECT_EQ(ButtonFrame(b, 1), 1) << "normal";
  MoveTo(Centre(b));
  EXPECT_EQ(ButtonFrame(b, 4), 4) << "hot";

  // Pressed, then released away from the button: no click.
  Down(Centre(b));
  EXPECT_EQ(ButtonFrame(b, 2), 2) << "pressed";
  EXPECT_EQ(GetFocus(), b) << "a press focuses the button";
  const POINT outside{Centre(b).x + 120, Centre(b).y + 90};
  MoveTo(outside);
  EXPECT_EQ(ButtonFrame(b, 5), 5) << "the pointer away: focused, not pressed";
  Up(outside);
  EXPECT_EQ(clicks, 0);

  // Pressed and released on it: one click, from the skin.
  g_watched = b;
  g_native_clicks = 0;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchCommands, nullptr, GetCurrentThreadId());
  Click(Centre(b));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(g_native_clicks, 0) << "the native button never saw the press";
  EXPECT_EQ(ButtonFrame(b, 4), 4) << "hot again after the click";
  Leave();
  EXPECT_EQ(ButtonFrame(b, 5), 5) << "the pointer left: focused";

  // Space: the pressed face while the key is down, the native button's click when it comes up.
  Key(VK_SPACE, false);
  EXPECT_EQ(ButtonFrame(b, 2), 2) << "space held";
  EXPECT_EQ(clicks, 1);
  Key(VK_SPACE, true);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(g_native_clicks, 1) << "the click came through the parent as BN_CLICKED";
  EXPECT_EQ(ButtonFrame(b, 5), 5);
  UnhookWindowsHookEx(hook);

  // Enter on the focused button, Escape for the cancel button.
  Key(VK_RETURN, false);
  Key(VK_RETURN, true);
  EXPECT_EQ(clicks, 3);
  Key(VK_ESCAPE, false);
  Key(VK_ESCAPE, true);
  EXPECT_EQ(cancel_clicks, 1);
  EXPECT_EQ(clicks, 3);
}

TEST_F(SkinnedButtons, DefaultDisabledTwoLineAndSeeThroughButtons) {
  EXPECT_EQ(ButtonFrame(dflt->Handle(), 3), 3) << "a disabled default button";
  dflt->SetEnabled(true);
  HandlePending();
  EXPECT_EQ(ButtonFrame(dflt->Handle(), 5), 5) << "an enabled one shows it is the default";
  check->SetFocus();
  HandlePending();
  Key(VK_RETURN, false);
  Key(VK_RETURN, true);
  EXPECT_EQ(default_clicks, 1) << "Enter away from a button clicks the default one";

  EXPECT_EQ(TextBands(lines->Handle()), 2) << "\"||\" breaks the caption";
  EXPECT_EQ(TextBands(single->Handle()), 1);

  // Tag 5555: the picture's transparent corners show what the parent paints under the button.
  const DWORD red = 0xFF0000;  // one 32-bit pixel, blue in its low byte
  auto& under = ui::Make<ui::TImage>(*form, form.get(), "Under", {205, 5, 100, 60});
  under.SetStretch(true);
  under.SetBitmap(CreateBitmap(1, 1, 1, 32, &red));
  const auto corner = [&] { return Capture(single->Handle()).At(0, 0); };
  form->Invalidate();
  const Pixel face = PixelFromColorRef(data->FaceColor());
  EXPECT_EQ(Awaited(corner, face), face);
  single->SetTag(5555);
  single->Invalidate();
  EXPECT_EQ(Awaited(corner, Rgb(255, 0, 0)), Rgb(255, 0, 0));
}

TEST_F(SkinnedButtons, CheckBoxFramesFollowValueAndStateAndTheGroupBoxIsTheSkins) {
  const HWND c = check->Handle();
  ASSERT_TRUE(AnswersSkinned(c));
  ASSERT_EQ(Skin().Buttons.CheckFrame, 12);
  plain->SetFocus();
  HandlePending();
  EXPECT_EQ(CheckFrame(c, 1), 1) << "unchecked";
  MoveTo(Centre(c));
  EXPECT_EQ(CheckFrame(c, 2), 2) << "hot";
  Down(Centre(c));
  EXPECT_EQ(CheckFrame(c, 3), 3) << "pressed";
  Up(Centre(c));
  EXPECT_TRUE(check->Checked()) << "the native check box still takes the click";
  EXPECT_EQ(CheckFrame(c, 6), 6) << "checked and hot";
  Leave();
  EXPECT_EQ(CheckFrame(c, 5), 5) << "checked";
  check->SetEnabled(false);
  HandlePending();
  EXPECT_EQ(CheckFrame(c, 8), 8) << "checked and disabled";
  check->SetChecked(false);
  HandlePending();
  EXPECT_EQ(CheckFrame(c, 4), 4) << "unchecked and disabled";

  const HWND g = group->Handle();
  ASSERT_TRUE(AnswersSkinned(g));
  const Bitmap32 shot = Capture(g);
  EXPECT_EQ(PixelFromColorRef(data->Color(slot::ButtonShadow)), shot.At(1, shot.Height() / 2)) << "the line";
  EXPECT_EQ(PixelFromColorRef(data->FaceColor()), shot.At(shot.Width() / 2, shot.Height() / 2)) << "the face";
}

TEST_F(SkinnedButtons, ForeignButtonsOfADialogAreSkinnedToo) {
  HWND dlg = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"Foreign", WS_POPUP | WS_CAPTION | WS_SYSMENU, 480, 300,
                             320, 160, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(dlg);
  SetWindowLongPtrW(dlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(CountCommands));
  auto child = [&](const wchar_t* text, DWORD style, int id, int y) {
    return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, y, 140, 24, dlg,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  };
  const HWND push = child(L"Push", BS_PUSHBUTTON, 10, 10);
  const HWND three = child(L"Three states", BS_AUTO3STATE, 11, 40);
  const HWND radio = child(L"Radio", BS_AUTORADIOBUTTON, 12, 70);
  const LOGFONTW lf{-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif"};
  HFONT font = CreateFontIndirectW(&lf);
  for (HWND h : {push, three, radio}) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ShowWindow(dlg, SW_SHOW);
  SetForegroundWindow(dlg);
  PumpUntil([&] { return GetForegroundWindow() == dlg; });
  for (HWND h : {push, three, radio}) EXPECT_TRUE(PumpUntil([&] { return AnswersSkinned(h); }));
  HandlePending();

  // The skin's click reaches the dialog as the native one would, once.
  MoveTo(Centre(push));
  Click(Centre(push));
  EXPECT_EQ(Awaited([] { return g_dialog_commands[10]; }, 1), 1);

  // The radio picture's hot frames look as its normal ones: its pressed frames tell.
  Leave();
  Down(Centre(radio));
  EXPECT_EQ(CheckFrame(radio, 7, true), 7) << "pressed";
  Up(Centre(radio));
  EXPECT_EQ(SendMessageW(radio, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(CheckFrame(radio, 2, true), 2) << "checked";

  SendMessageW(three, BM_SETCHECK, BST_INDETERMINATE, 0);
  HandlePending();
  EXPECT_EQ(CheckFrame(three, 9), 9) << "indeterminate";
  EnableWindow(three, FALSE);
  HandlePending();
  EXPECT_EQ(CheckFrame(three, 12), 12) << "indeterminate and disabled";
  DestroyWindow(dlg);
  DeleteObject(font);
  HandlePending();
}

}  // namespace
}  // namespace quillet::skin::win32
