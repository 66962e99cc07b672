// A skinned window's full repaint (frame, background and every child at once) at 144 DPI against
// the same window at 96 DPI, in one run: the 144-DPI one laid out at 1.5 times the size and taken
// there as the system takes a window to another screen. It has 2.25 times the pixels.
// Then the first change to 144 DPI (the skin made there) and a change back and forth once it is.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "base/dpi.h"
#include "bench_util.h"
#include "repaint.h"
#include "support/dpi_change.h"
#include "support/skin_run.h"
#include "ui/dpi.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"

using namespace quillet;

namespace {

using ::quillet::testing::AnswersSkinned;
using ::quillet::testing::PumpUntil;
using ::quillet::testing::SendDpiChanged;

// A form of buttons, check boxes, an edit and a group box, laid out at `dpi`.
std::unique_ptr<ui::TForm> MakeForm(int dpi) {
  auto px = [dpi](int v) { return base::ScaleToDpi(v, dpi); };
  auto form = std::make_unique<ui::TForm>(nullptr, dpi == 96 ? "At96" : "At144");
  form->SetBorderStyle(ui::BorderStyle::Sizeable);
  form->SetMaximizeBox(true);
  form->SetClientSize(px(480), px(320));
  form->SetCaption("Skinned window at a DPI");
  using ui::Make;
  for (int i = 0; i < 4; ++i) {
    Make<ui::TButton>(*form, form.get(), "Button" + std::to_string(i), {px(10 + 100 * i), px(10), px(90), px(26)})
        .SetCaption("Button");
    Make<ui::TCheckBox>(*form, form.get(), "Check" + std::to_string(i), {px(10 + 100 * i), px(50), px(90), px(17)})
        .SetCaption("Check");
  }
  Make<ui::TEdit>(*form, form.get(), "Edit", {px(10), px(80), px(200), px(21)});
  Make<ui::TGroupBox>(*form, form.get(), "Group", {px(10), px(110), px(300), px(150)}).SetCaption("Group");
  return form;
}

double MedianRepaint(HWND h, int n) { return bench::FullRepaints(h, n).median; }

}  // namespace

int main() {
  ui::DeclareDpiAwareness();
  ui::TApplication& app = ui::Application();
  app.Initialize();
  auto at96 = MakeForm(96);
  if (!::quillet::testing::AddOwnSkin(*at96)) return 1;
  auto at144 = MakeForm(144);
  at96->Show();
  at144->Show();
  const HWND a = at96->Handle(), b = at144->Handle();
  PumpUntil([&] { return AnswersSkinned(a) && AnswersSkinned(b); });
  if (!AnswersSkinned(a) || !AnswersSkinned(b)) {
    std::fprintf(stderr, "skin_dpi_bench: the windows were not skinned\n");
    return 1;
  }
  const int own = ui::WindowDpi(b), other = own == 144 ? 96 : 144;
  // The first change to the other DPI makes the skin there; then it is kept.
  const auto t0 = std::chrono::steady_clock::now();
  SendDpiChanged(b, own, other);
  const double first = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  ui::Application().ProcessMessages();
  const double trip = bench::BestOf(20, [&] {
    SendDpiChanged(b, other, own);
    SendDpiChanged(b, own, other);
  });
  ui::Application().ProcessMessages();
  const HWND low = own == 144 ? b : a, high = own == 144 ? a : b;
  MedianRepaint(low, 20);
  MedianRepaint(high, 20);
  const double base = MedianRepaint(low, 200), scaled = MedianRepaint(high, 200);
  bench::Report("skinned window full repaint at 144 DPI, median of 200 (baseline 96 DPI)", scaled, base);
  bench::Report("first change of a skinned window to 144 DPI, skin made there (baseline 96 DPI repaint)", first, base);
  bench::Report("round trip 144 -> 96 -> 144 DPI once made, best of 20 (baseline 96 DPI repaint)", trip, base);
  at144.reset();
  at96.reset();
  return 0;
}
