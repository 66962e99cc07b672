// The skin's cost on the main window: a full repaint (frame, background and every child, painted
// at once) skinned, against the same window with the skin switched off, in this run. Switching the
// skin off gives the window back exactly as the system draws it, as a start with --no-skin does.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench_util.h"

#include "app/main_form.h"
#include "ui/forms.h"

using namespace quillet;

namespace {

void Pump(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<int>(end - GetTickCount()) > 0) {
    ui::Application().ProcessMessages();
    Sleep(5);
  }
}

bool Skinned(HWND h) { return SendMessageA(h, 0x3523 /* SKINMSG_QUERYSKIP */, 0, 0) == 1; }

struct Times {
  double median = 0, p95 = 0;
};

Times Repaints(HWND h, int n) {
  std::vector<double> t;
  for (int i = 0; i < n; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    t.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    ui::Application().ProcessMessages();
  }
  std::sort(t.begin(), t.end());
  return {t[t.size() / 2], t[t.size() * 95 / 100]};
}

}  // namespace

int main() {
  ui::TApplication& app = ui::Application();
  app.Initialize();
  auto& form = app.CreateForm<app::TQuilletFrm>(&app.Root());
  form.Show();
  const HWND h = form.Handle();
  for (int i = 0; i < 200 && !(Skinned(h) && !(GetWindowLongA(h, GWL_STYLE) & WS_SYSMENU)); ++i) Pump(20);
  if (!Skinned(h)) {
    std::fprintf(stderr, "skin_window_bench: the main window was not skinned\n");
    return 1;
  }
  Repaints(h, 20);
  const Times skinned = Repaints(h, 200);
  form.SkinData1->SetActive(false);
  Pump(600);
  if (Skinned(h)) {
    std::fprintf(stderr, "skin_window_bench: the skin did not go off\n");
    return 1;
  }
  Repaints(h, 20);
  const Times plain = Repaints(h, 200);
  bench::Report("main window full repaint, median of 200, skinned (baseline skin off)", skinned.median, plain.median);
  bench::Report("main window full repaint, 95th percentile, skinned (baseline skin off)", skinned.p95, plain.p95);
  app.DestroyForms();
  return 0;
}
