// The skin's cost on the controls of the main window's first page: the page and every control on
// it repainted at once (frames, backgrounds, text) skinned, against the same page with the skin
// switched off, in this run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench_util.h"

#include "app/main_form.h"
#include "ui/comctrls.h"
#include "ui/forms.h"
#include "support/skin_run.h"

using namespace quillet;

namespace {

using ::quillet::testing::AnswersSkinned;
using ::quillet::testing::Pump;
using ::quillet::testing::PumpUntil;

// This thread's processor time, in seconds: what a busy machine disturbs least.
double CpuTime() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto secs = [](FILETIME f) { return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) * 1e-7; };
  return secs(kernel) + secs(user);
}

void Repaints(HWND page, int n, std::vector<double>& t, double* cpu = nullptr) {
  const double c0 = CpuTime();
  for (int i = 0; i < n; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    t.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    ui::Application().ProcessMessages();
  }
  if (cpu) *cpu += CpuTime() - c0;
}

}  // namespace

int main() {
  ui::TApplication& app = ui::Application();
  app.Initialize();
  auto& form = app.CreateForm<app::TQuilletFrm>(&app.Root());
  form.Show();
  const HWND h = form.Handle();
  const HWND page = form.TabSheet1->Handle();
  PumpUntil([&] { return AnswersSkinned(h) && AnswersSkinned(page); });
  if (!AnswersSkinned(page)) {
    std::fprintf(stderr, "skin_page_bench: the first page was not skinned\n");
    return 1;
  }
  // Rounds of each, in turn, so that a busy machine weighs on both alike.
  std::vector<double> skinned, plain;
  double skinnedCpu = 0, plainCpu = 0;
  for (int round = 0; round < 4; ++round) {
    form.SkinData1->SetActive(true);
    PumpUntil([&] { return AnswersSkinned(page); }, 2000);
    Pump(300);
    std::vector<double> warm;
    Repaints(page, 10, warm);
    Repaints(page, 50, skinned, &skinnedCpu);
    form.SkinData1->SetActive(false);
    Pump(600);
    if (AnswersSkinned(page)) {
      std::fprintf(stderr, "skin_page_bench: the skin did not go off\n");
      return 1;
    }
    Repaints(page, 10, warm);
    Repaints(page, 50, plain, &plainCpu);
  }
  bench::Report("first page's controls repainted, median of 200, skinned (baseline skin off)", bench::Median(skinned),
                bench::Median(plain));
  bench::Report("first page's controls repainted, processor time each, skinned (baseline skin off)",
                skinnedCpu / static_cast<double>(skinned.size()), plainCpu / static_cast<double>(plain.size()));
  app.DestroyForms();
  return 0;
}
