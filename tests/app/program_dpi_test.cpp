// The program at the screen's DPI (the prefix's, see scripts/wine.sh QUILLET_DPI): laid out as at
// 96 DPI, only larger, with every label's text whole; and back at 96 DPI after going to and fro.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/program_driver.h"
#include "base/dpi.h"
#include "dialogs/about_box.h"
#include "dialogs/donate_form.h"
#include "registry/memory_backend.h"
#include "support/gdi_count.h"
#include "ui/dpi.h"
#include "ui/stdctrls.h"

namespace quillet {
namespace {

using namespace quillet::driver;

// Pixels as the screen has them, as the program sees them.
const bool kAware = (ui::DeclareDpiAwareness(), true);

int Scaled(int length, int dpi) { return base::MulDivRound(length, dpi, base::kBaseDpi); }

// Every window inside the main window, with its place on its parent.
struct Placed {
  std::string cls, text;
  RECT r;
  bool shown;
};
std::map<HWND, Placed> Layout(HWND main) {
  std::map<HWND, Placed> out;
  EnumChildWindows(
      main,
      [](HWND h, LPARAM lp) -> BOOL {
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
        const bool shown = GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE;
        (*reinterpret_cast<std::map<HWND, Placed>*>(lp))[h] = {ClassOf(h), TextOf(h), r, shown};
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&out));
  return out;
}

// The toolkit's classes whose windows stand exactly at their designed bounds; the rest take a
// height from their font (combo boxes) or a place from their parent (sheets, buddies).
bool StandsAtItsBounds(const std::string& cls) {
  static const std::set<std::string> kinds{"TButton", "TBitBtn", "TEdit", "TMemo", "TCheckBox", "TRadioButton",
                                           "TListBox", "TCheckListBox", "TGroupBox", "TPanel", "TPageControl"};
  return kinds.count(cls) != 0;
}

class ProgramAtDpi : public ::testing::Test {
 protected:
  HWND StartToMainWindow() {
    HWND main = driver::StartToMainWindow(program, WindowsPath(QUILLET_EXE));
    if (main) Painted(main);
    return main;
  }

  // Tells the main window its screen is now at `dpi`, with a place there as the system would
  // suggest one (the window scaled); the rectangle lives in the program's memory.
  void MoveToDpi(HWND main, int dpi) {
    RECT wr;
    GetWindowRect(main, &wr);
    const int from = dpi_ ? dpi_ : ui::SystemDpi();
    RECT place{wr.left, wr.top, wr.left + base::MulDivRound(wr.right - wr.left, dpi, from),
               wr.top + base::MulDivRound(wr.bottom - wr.top, dpi, from)};
    if (!remote_)
      remote_ = VirtualAllocEx(program.Process(), nullptr, sizeof place, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_TRUE(remote_);
    ASSERT_TRUE(WriteProcessMemory(program.Process(), remote_, &place, sizeof place, nullptr));
    SendMessageA(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote_));
    dpi_ = dpi;
  }

  // Shows each page once, so that every control has its window, and comes back to the first.
  void VisitPages(HWND main) {
    HWND tabs = FindWindowExA(main, nullptr, "TPageControl", nullptr);
    ASSERT_TRUE(tabs);
    const int n = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    ASSERT_GT(n, 2);
    for (int i = n - 1; i >= 0; --i) {
      SendMessageA(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(i), 0);
      ASSERT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), i);
      Painted(main);
    }
  }

  Program program;
  void* remote_ = nullptr;
  int dpi_ = 0;
};

TEST_F(ProgramAtDpi, TheMainWindowIsItsDesignScaledAndComesBackWholeFromFiftyRoundTrips) {
  const int dpi = ui::SystemDpi();
  HWND main = StartToMainWindow();
  ASSERT_TRUE(main);
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, Scaled(711, dpi));
  EXPECT_EQ(client.bottom, Scaled(569, dpi));
  VisitPages(main);
  const auto at_dpi = Layout(main);

  // The same window told that its screen is at 96 DPI stands at its design.
  MoveToDpi(main, base::kBaseDpi);
  Painted(main);
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 711);
  EXPECT_EQ(client.bottom, 569);
  const auto designed = Layout(main);
  ASSERT_EQ(designed.size(), at_dpi.size());
  int compared = 0;
  bool create_save = false;
  for (const auto& [h, d] : designed) {
    if (!StandsAtItsBounds(d.cls)) continue;
    const RECT& r = at_dpi.at(h).r;
    EXPECT_EQ(r.left, Scaled(d.r.left, dpi)) << d.cls << " \"" << d.text << "\"";
    EXPECT_EQ(r.top, Scaled(d.r.top, dpi)) << d.cls << " \"" << d.text << "\"";
    EXPECT_EQ(r.right - r.left, Scaled(d.r.right - d.r.left, dpi)) << d.cls << " \"" << d.text << "\"";
    EXPECT_EQ(r.bottom - r.top, Scaled(d.r.bottom - d.r.top, dpi)) << d.cls << " \"" << d.text << "\"";
    create_save = create_save || d.text == "Create / Save";
    ++compared;
  }
  EXPECT_TRUE(create_save);
  EXPECT_GT(compared, 40) << "controls of every page";

  // To 144 DPI and back, fifty times: nothing kept, nothing moved. The first time makes what
  // is made once for that DPI (fonts).
  MoveToDpi(main, 144);
  MoveToDpi(main, base::kBaseDpi);
  Painted(main);
  const long before = testing::GdiObjectCount(program.Process());
  ASSERT_GT(before, 0);
  for (int i = 0; i < 50; ++i) {
    MoveToDpi(main, 144);
    MoveToDpi(main, base::kBaseDpi);
  }
  Painted(main);
  EXPECT_EQ(testing::WaitFor([&] { return testing::GdiObjectCount(program.Process()); }, before), before);
  const auto after = Layout(main);
  ASSERT_EQ(after.size(), designed.size());
  for (const auto& [h, d] : designed) {
    const RECT& r = after.at(h).r;
    // The skin's scroll-bar overlays of pages not shown wait for their control's next paint.
    if (d.cls[0] == 'T') {
      EXPECT_EQ(after.at(h).shown, d.shown) << d.cls << " \"" << d.text << "\"";
    }
    if (!d.shown) continue;
    EXPECT_TRUE(EqualRect(&r, &d.r)) << d.cls << " \"" << d.text << "\" at " << r.left << "," << r.top << " "
                                      << r.right - r.left << "x" << r.bottom - r.top << " was " << d.r.left << ","
                                      << d.r.top << " " << d.r.right - d.r.left << "x" << d.r.bottom - d.r.top;
  }
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 711);
  EXPECT_EQ(client.bottom, 569);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitForExit(kPatience));
}

// Every label of the main window, its pages, the about box and the donation prompt holds its
// text whole at the screen's DPI, in width and in lines, measured in the font it is drawn in.
TEST(WindowsAtDpi, NoLabelsTextIsWiderThanTheLabel) {
  MemoryBackend registry;
  ScopedRegistry use(registry);
  ui::TApplication& app = ui::Application();
  app.Initialize();
  auto& main = app.CreateForm<app::TQuilletFrm>(&app.Root());
  auto& about = app.CreateForm<dialogs::TQuilletAbout>(&app.Root());
  auto& donate = app.CreateForm<dialogs::TfrmDonate>(&app.Root());
  // The prompt's texts as it shows them, with the program's name.
  donate.SetHelpKeyword("Quillet");
  donate.SetTag(app::kDialogNumber);
  donate.FormShow();
  int labels = 0;
  std::function<void(ui::TComponent&)> check = [&](ui::TComponent& c) {
    if (auto* label = dynamic_cast<ui::TLabel*>(&c); label && !label->Caption().empty()) {
      const RECT bounds = label->BoundsRect();
      const bool wraps = label->GetProperty("WordWrap")->AsText() == "True";
      HDC dc = GetDC(nullptr);
      HGDIOBJ old = SelectObject(dc, label->TextFont(dc));
      RECT text{0, 0, bounds.right - bounds.left, 0};
      DrawTextA(dc, label->Caption().c_str(), -1, &text,
                DT_CALCRECT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
      SelectObject(dc, old);
      ReleaseDC(nullptr, dc);
      EXPECT_LE(text.right, bounds.right - bounds.left) << label->Name() << " \"" << label->Caption() << "\"";
      // A wrapped caption takes no more lines than its label has room for.
      if (wraps) {
        EXPECT_LE(text.bottom, bounds.bottom - bounds.top) << label->Name() << " \"" << label->Caption() << "\"";
      }
      ++labels;
    }
    for (int i = 0; i < c.ComponentCount(); ++i) check(*c.Component(i));
  };
  for (ui::TForm* form : {static_cast<ui::TForm*>(&main), static_cast<ui::TForm*>(&about),
                          static_cast<ui::TForm*>(&donate)}) {
    EXPECT_EQ(form->Dpi(), ui::SystemDpi());
    check(*form);
  }
  EXPECT_GT(labels, 30);
  app.DestroyForms();
}

}  // namespace
}  // namespace quillet
