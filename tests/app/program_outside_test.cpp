// The real program as seen from another process: what it holds while it runs and what it leaves
// behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/program_driver.h"
#include "support/gdi_count.h"
#include "support/window_look.h"
#include "support/process_peek.h"

namespace quillet {
namespace {

using namespace quillet::driver;

class ProgramOutside : public ::testing::Test {
 protected:
  HWND StartToMainWindow() { return driver::StartToMainWindow(program, WindowsPath(QUILLET_EXE)); }

  // The program's GDI count once it has painted what closing a box uncovered.
  long SettledGdiCount(HWND main) {
    Painted(main);
    return testing::GdiObjectCount(program.Process());
  }

  Program program;
};

TEST_F(ProgramOutside, AboutBoxAndPromptShownAHundredTimesEachHoldNoMoreGdiObjects) {
  HWND main = StartToMainWindow();
  ASSERT_TRUE(main);
  struct Case {
    const char* button;
    const char* cls;
  } cases[] = {{"About", "TQuilletAbout"}, {"Donate", "TfrmDonate"}};
  for (const auto& c : cases) {
    auto show_and_close = [&] {
      ASSERT_TRUE(ClickButton(main, c.button));
      HWND box = WaitForWindow(program.Id(), c.cls);
      ASSERT_TRUE(box) << c.cls;
      // Shown whole, skin and all, before it goes: the first rounds then make what is made once.
      ASSERT_TRUE(WaitUntil([&] { return testing::AnswersSkinned(box); })) << c.cls;
      Painted(box);
      PostMessageA(box, WM_CLOSE, 0, 0);
      ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << c.cls << " goes when closed";
    };
    for (int i = 0; i < 5; ++i) show_and_close();
    const long before = SettledGdiCount(main);
    ASSERT_GT(before, 0);
    for (int i = 0; i < 100; ++i) show_and_close();
    EXPECT_EQ(testing::WaitFor([&] { return SettledGdiCount(main); }, before), before) << c.cls;
  }
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitForExit(kPatience));
}

TEST_F(ProgramOutside, TheWindowPropertyAtomGoesWithTheProgram) {
  HWND main = StartToMainWindow();
  ASSERT_TRUE(main);
  // The toolkit names its property after the program's module and its thread.
  const auto base = testing::PebField(program.Process(), testing::kPebImageBase);
  ASSERT_NE(base, 0u);
  char name[64];
  std::snprintf(name, sizeof name, "ControlOfs%.8X%.8X", static_cast<unsigned>(base),
                static_cast<unsigned>(program.MainThreadId()));
  EXPECT_NE(GlobalFindAtomA(name), 0) << name << " while the program runs";
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(kPatience));
  EXPECT_EQ(GlobalFindAtomA(name), 0) << name << " after the program has ended";
}

}  // namespace
}  // namespace quillet
