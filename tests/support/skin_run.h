#pragma once
// Running skinned windows inside a test or benchmark program: letting messages and timers run,
// asking a window whether it is skinned, and giving a form our own skin.

#include <windows.h>

#include "skin/embedded_skin.h"
#include "skin/win32/skin_data.h"
#include "support/window_look.h"
#include "ui/forms.h"

namespace quillet::testing {

// Handles the thread's messages (timers included) for about `ms` milliseconds.
inline void Pump(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<int>(end - GetTickCount()) > 0) {
    ui::Application().ProcessMessages();
    Sleep(5);
  }
}

// Handles the thread's messages until `done` holds or about `ms` milliseconds have gone; whether
// it holds.
template <class Done>
bool PumpUntil(Done done, int ms = 4000) {
  for (int waited = 0; waited < ms && !done(); waited += 20) Pump(20);
  return done();
}

// A skin component with our own skin on the form, read and loaded as the main window's is; it
// skins the form (and every window of the thread) once they are shown. Null when the skin does
// not load.
inline skin::win32::TSkinData* AddOwnSkin(ui::TForm& form) {
  auto& data = form.Own<skin::win32::TSkinData>(&form, "SkinData1");
  data.SetActive(true);
  if (!data.ReadSkinStream(skin::EmbeddedSkinStream())) return nullptr;
  data.Loaded();
  return &data;
}

}  // namespace quillet::testing
