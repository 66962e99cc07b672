// Program entry: the application, the main window with its start-up, the hidden about box, and
// the event loop until the main window closes.
#include <windows.h>

#include "app/main_form.h"
#include "app/start_options.h"
#include "dialogs/about_box.h"
#include "ui/forms.h"

#ifdef QUILLET_SANDBOX
#include "registry/memory_backend.h"
#include "ui/platform.h"
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace quillet;
  ui::TApplication& app = ui::Application();
  app.Initialize();
  app.SetTitle("Quillet");
  app::SetStartOptions(app::ParseStartOptions(app::ArgumentsOf(GetCommandLineA())));
#ifdef QUILLET_SANDBOX
  // The sandbox keeps its registry in Quillet.reg beside the executable, which regedit can import.
  MemoryBackend sandbox;
  ScopedRegistry use_sandbox(sandbox);
  try {
    sandbox.BindFile(app::ProgramFolderOf(ui::CurrentPlatform().ProgramPath()) + "Quillet.reg");
  } catch (...) {
    app.HandleException();
  }
#endif
  app::TQuilletFrm& main_form = app.CreateForm<app::TQuilletFrm>(&app.Root());
  main_form.DoCreate();
  app.CreateForm<dialogs::TQuilletAbout>(&app.Root());
  int code = app.Run();
  app.DestroyForms();
  return code;
}
