// The skin's cost on the main window: a full repaint (frame, background and every child, painted
// at once) skinned, against the same window with the skin switched off, in this run. Switching the
// skin off gives the window back exactly as the system draws it, as a start with --no-skin does.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench_util.h"

#include "app/main_form.h"
#include "dialogs/about_box.h"
#include "dialogs/donate_form.h"
#include "gdi_flat.h"
#include "repaint.h"
#include "ui/forms.h"
#include "support/skin_run.h"

using namespace quillet;

namespace {

using ::quillet::testing::AnswersSkinned;
using ::quillet::testing::Pump;
using ::quillet::testing::PumpUntil;
using ::quillet::bench::GdiFlat;
using Times = ::quillet::bench::RepaintTimes;
constexpr auto Repaints = ::quillet::bench::FullRepaints;

// Closes whatever modal window the next showing opens: the first visible window of the class
// that is not `keep`, or the open menu.
const char* g_close_class = nullptr;
void CALLBACK CloseModal(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_close_class) return;
  if (lstrcmpA(g_close_class, "#32768") == 0) {
    if (HWND m = FindWindowA("#32768", nullptr); m && IsWindowVisible(m)) EndMenu();
    return;
  }
  HWND w = FindWindowA(g_close_class, nullptr);
  if (w && IsWindowVisible(w)) PostMessageA(w, WM_CLOSE, 0, 0);
}

// Shows a modal window (or menu) once; a timer closes it.
void Modal(const char* cls, const std::function<void()>& show) {
  g_close_class = cls;
  const UINT_PTR t = SetTimer(nullptr, 0, 30, CloseModal);
  show();
  KillTimer(nullptr, t);
  g_close_class = nullptr;
}

}  // namespace

int main() {
  ui::TApplication& app = ui::Application();
  app.Initialize();
  auto& form = app.CreateForm<app::TQuilletFrm>(&app.Root());
  form.Show();
  const HWND h = form.Handle();
  PumpUntil([&] { return AnswersSkinned(h) && !(GetWindowLongA(h, GWL_STYLE) & WS_SYSMENU); });
  if (!AnswersSkinned(h)) {
    std::fprintf(stderr, "skin_window_bench: the main window was not skinned\n");
    return 1;
  }
  Repaints(h, 20);
  const Times skinned = Repaints(h, 200);

  // Leaks: every showing of each window, and every way back from the skin, leaves the count as
  // it was.
  GdiFlat("showings of the about box", 200, [&] { Modal("TQuilletAbout", [&] { dialogs::ShowAboutBox(&form); }); });
  GdiFlat("showings of the donation prompt", 200,
          [&] { Modal("TfrmDonate", [&] { dialogs::ShowDonationPrompt(&form, "Quillet", 3); }); });
  GdiFlat("showings of an error box", 200,
          [&] { Modal("#32770", [&] { app.ShowErrorText("Failed to create key Software\\Bench"); }); });
  GdiFlat("openings of the system menu", 200,
          [&] { Modal("#32768", [&] { SendMessageA(h, WM_SYSCOMMAND, SC_KEYMENU, ' '); }); });
  GdiFlat("minimise and restore cycles", 100, [&] {
    ShowWindow(h, SW_MINIMIZE);
    Pump(10);
    ShowWindow(h, SW_RESTORE);
    Pump(10);
  });
  GdiFlat("switches between the pages", 200, [&] {
    static int page = 0;
    form.PageControl1->SetActivePage(form.PageControl1->Page(page++ % 3));
    Pump(5);
  });
  GdiFlat("round trips of the skin off and on", 50, [&] {
    form.SkinData1->SetActive(false);
    Pump(300);
    form.SkinData1->SetActive(true);
    Pump(300);
  });
  PumpUntil([&] { return AnswersSkinned(h); });
  form.SkinData1->SetActive(false);
  Pump(600);
  if (AnswersSkinned(h)) {
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
