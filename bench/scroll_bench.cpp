// The class browser scrolled through 1,000 rows by clicks on its lower arrow, one row a click:
// clicks on the skin's overlay (which hands each one to the system's bar) against the same clicks
// on the system's own arrow of the same list in an unskinned window, in turns, in this run. Every
// class made here is removed again.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "bench_util.h"

#include "icons/clsid_browser_page.h"
#include "support/many_classes.h"
#include "support/skin_run.h"
#include "ui/comctrls.h"
#include "ui/forms.h"

using namespace quillet;

namespace {

constexpr int kClasses = 1500;
constexpr int kRows = 1000;
constexpr int kBatch = 50;  // clicks queued at once

using testing::Pump;

int TopIndex(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)); }

void Click(int x, int y) {
  INPUT in[2] = {};
  for (INPUT& i : in) {
    i.type = INPUT_MOUSE;
    i.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    i.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(2, in, sizeof(INPUT));
}

// Queues kBatch clicks on the list's lower arrow and waits until the list has moved by as many
// rows; the seconds it took, negative when it did not get there.
double ClickDown(HWND list) {
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  GetScrollBarInfo(list, OBJID_VSCROLL, &sbi);
  const int x = (sbi.rcScrollBar.left + sbi.rcScrollBar.right) / 2, y = sbi.rcScrollBar.bottom - 4;
  const int target = TopIndex(list) + kBatch;
  SetCursorPos(x, y);
  Pump(50);
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < kBatch; ++i) Click(x, y);
  const DWORD give_up = GetTickCount() + 30000;
  while (TopIndex(list) < target && static_cast<int>(give_up - GetTickCount()) > 0) ui::Application().ProcessMessages();
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  return TopIndex(list) == target ? s : -1;
}

// A window with the class browser's list, filled.
struct Browser {
  ui::TForm form{nullptr, "ScrollBenchForm"};
  ui::TGrid* grid = nullptr;
  std::unique_ptr<icons::ClsidBrowserPage> page;
  Browser(int top, bool skinned) {
    form.SetClientSize(700, 340);
    form.SetBounds({0, top, form.Width(), form.Height()});
    grid = &ui::Make<ui::TGrid>(form, &form, "CList", {8, 8, 681, 324});
    if (skinned) {
      testing::AddOwnSkin(form);  // a skin that does not load shows in the check of the lists
    } else {
      form.SetTag(99);  // the tag a window is left unskinned by
    }
    page = std::make_unique<icons::ClsidBrowserPage>(*grid);
    page->GetCLSIDList();
    form.Show();
  }
};

}  // namespace

int main() {
  testing::RemoveManyClasses(kClasses);
  testing::MakeManyClasses(kClasses);
  ui::Application().Initialize();
  int status = 0;
  {
    // One above the other, in turns, so both meet the same load.
    Browser skinned(0, true), plain(380, false);
    Pump(800);
    const HWND a = skinned.grid->Handle(), b = plain.grid->Handle();
    if (!testing::AnswersSkinned(a) || testing::AnswersSkinned(b) || skinned.grid->RowCount() < kRows + 50) {
      std::fprintf(stderr, "scroll_bench: the lists are not as they should be (%d rows)\n", skinned.grid->RowCount());
      status = 1;
    }
    double ta = 0, tb = 0;
    for (int done = 0; status == 0 && done < kRows; done += kBatch) {
      const double da = ClickDown(a), db = ClickDown(b);
      if (da < 0 || db < 0) {
        std::fprintf(stderr, "scroll_bench: the clicks did not scroll the lists through %d rows\n", kRows);
        status = 1;
      }
      ta += da;
      tb += db;
    }
    if (status == 0)
      bench::Report("class browser, 1,000 rows by the lower arrow, skinned (baseline unskinned)", ta, tb);
  }
  testing::RemoveManyClasses(kClasses);
  return status;
}
