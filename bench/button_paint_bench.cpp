// The push button skin's cost: painting a skinned button (WM_PAINT through RedrawWindow) against
// the system painting a button of the same size and caption on the same skinned window, in this
// run. The second button carries the skin's DisableTag, so the system draws it.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench_util.h"

#include "skin/embedded_skin.h"
#include "skin/win32/skin_data.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"
#include "support/skin_run.h"

using namespace quillet;

namespace {

using ::quillet::testing::AnswersSkinned;
using ::quillet::testing::Pump;
using ::quillet::testing::PumpUntil;

// Median seconds of one full paint of the button.
double Paints(HWND h, int n) {
  std::vector<double> t;
  for (int i = 0; i < n; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    t.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return bench::Median(std::move(t));
}

}  // namespace

int main() {
  ui::TApplication& app = ui::Application();
  app.Initialize();
  ui::TForm form(nullptr, "BenchForm");
  form.SetClientSize(300, 120);
  auto& skinned = ui::Make<ui::TButton>(form, &form, "Skinned", {10, 10, 120, 25});
  skinned.SetCaption("Create / Save");
  auto& plain = ui::Make<ui::TButton>(form, &form, "Plain", {150, 10, 120, 25});
  plain.SetCaption("Create / Save");
  auto& data = form.Own<skin::win32::TSkinData>(&form, "SkinData1");
  data.DisableTag = 99;
  plain.SetTag(99);
  data.SetActive(true);
  data.ReadSkinStream(skin::EmbeddedSkinStream());
  data.Loaded();
  form.Show();
  PumpUntil([&] { return AnswersSkinned(skinned.Handle()); });
  if (!AnswersSkinned(skinned.Handle()) || AnswersSkinned(plain.Handle())) {
    std::fprintf(stderr, "button_paint_bench: the buttons are not as wanted\n");
    return 1;
  }
  Pump(200);
  Paints(skinned.Handle(), 50);
  Paints(plain.Handle(), 50);
  const double skin = Paints(skinned.Handle(), 2000);
  const double system = Paints(plain.Handle(), 2000);
  bench::Report("push button paint, median of 2000, skinned (baseline the system's)", skin, system);
  return 0;
}
