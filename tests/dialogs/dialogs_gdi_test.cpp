// The dialogs hold no more GDI objects however often they are shown.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <stdexcept>

#include "dialogs/about_box.h"
#include "dialogs/donate_form.h"
#include "registry/memory_backend.h"
#include "registry/registry_store.h"
#include "support/fake_platform.h"
#include "support/gdi_count.h"
#include "ui/stdctrls.h"

namespace quillet::dialogs {
namespace {

using namespace quillet::ui;

// Dismisses the next shown window of a class on this thread, from inside the modal loop showing it.
void DismissWhenShown(const char* cls, UINT msg, WPARAM wp) {
  static struct {
    const char* cls;
    UINT msg;
    WPARAM wp;
  } target;
  target = {cls, msg, wp};
  SetTimer(nullptr, 0, USER_TIMER_MINIMUM, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM lp) -> BOOL {
          char name[64] = {};
          GetClassNameA(h, name, sizeof name);
          if (!IsWindowVisible(h) || lstrcmpA(name, target.cls) != 0) return TRUE;
          *reinterpret_cast<HWND*>(lp) = h;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (!found) return;
    KillTimer(nullptr, id);
    PostMessageA(found, target.msg, target.wp, 0);
  });
}

TEST(DialogsGdi, ShowingEachDialogAHundredTimesHoldsNoMoreGdiObjects) {
  testing::FakePlatform platform;
  testing::ScopedPlatform scoped_platform(platform);
  MemoryBackend registry;
  ScopedRegistry scoped_registry(registry);
  Application().Initialize();

  // The count itself: brushes made and deleted show up one for one.
  const long at_start = testing::GdiObjectCount();
  ASSERT_GT(at_start, 0);
  HBRUSH made[5];
  for (HBRUSH& b : made) b = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(testing::GdiObjectCount(), at_start + 5);
  for (HBRUSH b : made) DeleteObject(b);
  EXPECT_EQ(testing::GdiObjectCount(), at_start);

  TForm owner(nullptr, "Owner");
  owner.SetClientSize(200, 100);
  auto& failing = Make<TButton>(owner, &owner, "Failing", {10, 10, 75, 25});
  failing.OnClick = [] { throw std::runtime_error("Failed to set data for 'x'"); };
  owner.Show();
  struct Case {
    const char* name;
    const char* cls;
    UINT msg;
    WPARAM wp;
    std::function<void()> show;
  } cases[] = {
      {"about box", "TQuilletAbout", WM_CLOSE, 0, [&] { ShowAboutBox(&owner); }},
      {"donation prompt", "TfrmDonate", WM_CLOSE, 0, [&] { ShowDonationPrompt(&owner, "Quillet", 3); }},
      {"error box", "#32770", WM_COMMAND, IDOK, [&] { SendMessageA(failing.Handle(), BM_CLICK, 0, 0); }},
  };
  for (auto& c : cases) {
    auto show = [&] {
      DismissWhenShown(c.cls, c.msg, c.wp);
      c.show();
    };
    for (int i = 0; i < 5; ++i) show();  // what is made once and kept: fonts, brushes, the hint window
    const long before = testing::GdiObjectCount();
    for (int i = 0; i < 100; ++i) show();
    EXPECT_EQ(testing::GdiObjectCount(), before) << c.name;
  }
}

}  // namespace
}  // namespace quillet::dialogs
