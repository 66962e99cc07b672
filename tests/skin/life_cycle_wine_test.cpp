// How skins live and die with the windows they take: a control whose window is made again is
// skinned again; a window subclassed after the skin keeps working once the skin goes; a skin that
// fails hands each message to the window once; a skin component gives back all it made.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "skin/win32/control_skin.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/manager.h"
#include "skin/win32/skin_data.h"
#include "ui/comctrls.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "support/gdi_count.h"
#include "support/skin_run.h"

namespace quillet::skin::win32 {
namespace {

using ::quillet::testing::AnswersSkinned;
using ::quillet::testing::GdiObjectCount;
using ::quillet::testing::Pump;
using ::quillet::testing::PumpUntil;

class LifeCycle : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application().Initialize();
    form = std::make_unique<ui::TForm>(nullptr, "LifeForm");
    form->SetClientSize(420, 300);
    form->SetCaption("Life cycle");
    data = ::quillet::testing::AddOwnSkin(*form);
    ASSERT_TRUE(data);
  }
  void Show() {
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return AnswersSkinned(form->Handle()); }, 10000));
  }
  void TearDown() override {
    form.reset();
    Pump(50);
  }
  // Whether the window has painted everything it was asked to (an update region that never
  // empties means a paint that never validates).
  static bool Painted(HWND h) { return IsWindow(h) && !GetUpdateRect(h, nullptr, FALSE); }

  std::unique_ptr<ui::TForm> form;
  TSkinData* data = nullptr;
};

TEST_F(LifeCycle, ControlsWhoseWindowsAreMadeAgainAreSkinnedAgainAndPaint) {
  auto& pages = ui::Make<ui::TPageControl>(*form, form.get(), "Pages", {8, 8, 300, 180});
  pages.AddPage("First", "First");
  pages.AddPage("Second", "Second");
  auto& status = ui::Make<ui::TStatusBar>(*form, form.get(), "Status", {0, 280, 420, 20});
  status.AddPanel("Ready", 100);
  Show();
  ASSERT_TRUE(PumpUntil([&] { return AnswersSkinned(pages.Handle()) && AnswersSkinned(status.Handle()); }, 10000));

  long before = -1;
  for (int round = 0; round < 12; ++round) {
    const bool odd = round % 2 == 1;
    const HWND old_pages = pages.Handle(), old_status = status.Handle();
    pages.SetStyle(odd ? ui::TabStyle::Buttons : ui::TabStyle::Tabs);
    status.SetSizeGrip(!odd);
    ASSERT_NE(pages.Handle(), old_pages) << "the style change makes the window again";
    ASSERT_NE(status.Handle(), old_status);
    ASSERT_TRUE(PumpUntil([&] { return AnswersSkinned(pages.Handle()) && AnswersSkinned(status.Handle()); }, 10000))
        << "round " << round;
    EXPECT_TRUE(PumpUntil([&] { return Painted(pages.Handle()) && Painted(status.Handle()); }, 10000))
        << "round " << round << ": the new windows paint and are done";
    // The first two rounds (one of each look) warm up what is made once; the skins of the windows
    // that went are freed.
    if (round == 1) before = GdiObjectCount();
  }
  EXPECT_EQ(GdiObjectCount(), before);
}

// The edit's characters, counted by a procedure put in front of the skin the old way.
WNDPROC g_before_us = nullptr;
int g_chars_old_way = 0;
LRESULT CALLBACK CountCharsOldWay(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR) ++g_chars_old_way;
  return CallWindowProcA(g_before_us, h, msg, wp, lp);
}
int g_chars_chained = 0;
LRESULT CALLBACK CountCharsChained(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  if (msg == WM_CHAR) ++g_chars_chained;
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(h, CountCharsChained, id);
  return DefSubclassProc(h, msg, wp, lp);
}

std::string Text(HWND h) {
  char buf[64] = {};
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

TEST_F(LifeCycle, WindowsSubclassedAfterTheSkinKeepTheirProceduresWhenItGoes) {
  Show();
  // Bare edits the program makes on its form are skinned by their class.
  HWND old_way = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 150, 22,
                                 form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND chained = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 40, 150, 22,
                                 form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(PumpUntil([&] { return AnswersSkinned(old_way) && AnswersSkinned(chained); }, 10000));
  g_before_us = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(old_way, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountCharsOldWay)));
  ASSERT_TRUE(SetWindowSubclass(chained, CountCharsChained, 1, 0));

  data->SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !AnswersSkinned(form->Handle()); }, 10000));
  EXPECT_FALSE(AnswersSkinned(old_way));
  EXPECT_FALSE(AnswersSkinned(chained));
  g_chars_old_way = g_chars_chained = 0;
  for (const char c : std::string("abc")) {
    SendMessageA(old_way, WM_CHAR, static_cast<WPARAM>(c), 1);
    SendMessageA(chained, WM_CHAR, static_cast<WPARAM>(c), 1);
  }
  EXPECT_EQ(g_chars_old_way, 3) << "the procedure put in after the skin";
  EXPECT_EQ(Text(old_way), "abc") << "and the edit's own, before it";
  EXPECT_EQ(g_chars_chained, 3);
  EXPECT_EQ(Text(chained), "abc");

  // Skinned again, and once more off: still whole.
  data->SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return AnswersSkinned(old_way) && AnswersSkinned(chained); }, 10000));
  data->SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !AnswersSkinned(old_way) && !AnswersSkinned(chained); }, 10000));
  SendMessageA(old_way, WM_CHAR, 'd', 1);
  SendMessageA(chained, WM_CHAR, 'd', 1);
  EXPECT_EQ(Text(old_way), "abcd");
  EXPECT_EQ(Text(chained), "abcd");
  DestroyWindow(old_way);
  DestroyWindow(chained);
  // The engine stays on for the programs after this one.
  data->SetActive(true);
  EXPECT_TRUE(PumpUntil([&] { return AnswersSkinned(form->Handle()); }, 10000));
}

// Messages the window's own procedure saw, by number.
constexpr UINT kThrowBefore = WM_APP + 1, kThrowAfter = WM_APP + 2;
int g_seen_before = 0, g_seen_after = 0, g_seen_ncdestroy = 0;
LRESULT CALLBACK Counting(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kThrowBefore) ++g_seen_before;
  if (msg == kThrowAfter) ++g_seen_after;
  if (msg == WM_NCDESTROY) ++g_seen_ncdestroy;
  if (msg == kThrowBefore || msg == kThrowAfter) return 42;
  return DefWindowProcA(h, msg, wp, lp);
}

// A control skin that fails before, after and around the window's own handling.
class FailingSkin : public TSkinControl {
 public:
  bool BeforeMessage(ui::Message& m) override {
    if (m.msg == kThrowBefore) throw std::runtime_error("before");
    const bool go_on = TSkinControl::BeforeMessage(m);
    if (m.msg == WM_NCDESTROY) throw std::runtime_error("after the window went");
    return go_on;
  }
  void AfterMessage(ui::Message& m) override {
    if (m.msg == kThrowAfter) throw std::runtime_error("after");
    TSkinControl::AfterMessage(m);
  }
};

TEST_F(LifeCycle, ASkinThatFailsHandsEachMessageToTheWindowOnce) {
  Show();
  WNDCLASSA wc{};
  wc.lpfnWndProc = Counting;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QuilletCountingWindow";
  RegisterClassA(&wc);
  HWND h = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 200, 10, 50, 50, form->Handle(), nullptr,
                           wc.hInstance, nullptr);
  ASSERT_TRUE(h);
  TWinSkinForm* fs = TSkinManage::Instance()->FindForm(form->Handle());
  ASSERT_TRUE(fs);
  ASSERT_TRUE(AttachPartSkin(*fs, *data, h, std::make_unique<FailingSkin>()));
  ASSERT_TRUE(AnswersSkinned(h));

  g_seen_before = g_seen_after = g_seen_ncdestroy = 0;
  EXPECT_EQ(SendMessageA(h, kThrowBefore, 0, 0), 42);
  EXPECT_EQ(SendMessageA(h, kThrowAfter, 0, 0), 42);
  EXPECT_EQ(g_seen_before, 1);
  EXPECT_EQ(g_seen_after, 1) << "not again after the window had it";
  DestroyWindow(h);
  EXPECT_EQ(g_seen_ncdestroy, 1);
  EXPECT_FALSE(IsWindow(h));
  UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

TEST_F(LifeCycle, SkinComponentsMadeShownReloadedAndGoneLeaveNoGdiObjects) {
  long before = 0;
  for (int round = 0; round < 8; ++round) {
    if (round > 0) {
      form.reset();
      Pump(50);
      SetUp();
    }
    Show();
    // The skin read again replaces the face brush; the fonts and menu glyphs go with the component.
    ASSERT_TRUE(data->ReadSkinStream(skin::EmbeddedSkinStream()));
    ASSERT_TRUE(PumpUntil([&] { return Painted(form->Handle()); }));
    // The first two rounds warm up what is made once; each later one stands where round 1 stood.
    if (round == 1) before = GdiObjectCount();
  }
  EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
}  // namespace quillet::skin::win32
