// Program entry: the application, the main window with its start-up, the hidden about box, and
// the event loop until the main window closes.
#include <windows.h>

#include "app/main_form.h"
#include "app/start_options.h"
#include "app/history_menu.h"
#include "app/startup_trace.h"
#include "dialogs/about_box.h"
#include "registry/history.h"
#include "ui/dpi.h"
#include "ui/forms.h"

#ifdef QUILLET_SANDBOX
#include "registry/memory_backend.h"
#include "ui/platform.h"
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace quillet;
  app::StartupMark("WinMain entered");
  // Where the manifest's awareness is not read (older systems), before any window or DPI is asked for.
  ui::DeclareDpiAwareness();
  ui::TApplication& app = ui::Application();
  app.Initialize();
  app.SetTitle("Quillet");
  app::SetStartOptions(app::ParseStartOptions(app::ArgumentsOf(GetCommandLineA())));
#ifdef QUILLET_SANDBOX
  // The sandbox keeps its registry in Quillet.reg beside the executable, which regedit can import.
  MemoryBackend sandbox;
  ScopedRegistry use_sandbox(sandbox);
  const std::string folder = app::ProgramFolderOf(ui::CurrentPlatform().ProgramPath());
  try {
    sandbox.BindFile(folder + "Quillet.reg");
  } catch (...) {
    app.HandleException();
  }
  History history(folder + "History");
#else
  History history(app::LocalHistoryFolder());
#endif
  ScopedHistory record_changes(history);
  app::StartupMark("application and history ready");
  history.on_change = app::UpdateHistoryMenus;
  history.on_unrecorded = app::TellUnrecorded;
  history.on_written = app::PostHistoryWritten;
  app::TQuilletFrm& main_form = app.CreateForm<app::TQuilletFrm>(&app.Root());
  app::StartupMark("main window made");
  main_form.DoCreate();
  app::StartupMark("start-up steps run");
  app.CreateForm<dialogs::TQuilletAbout>(&app.Root());
  app::StartupMark("about box made");
  int code = app.Run();
  // The last changes are on disk, or the user told they are not, before the program goes.
  history.Flush();
  app.DestroyForms();
  return code;
}
