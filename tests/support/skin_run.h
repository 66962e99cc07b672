#pragma once
// Running skinned windows inside a test or benchmark program: asking a window whether it is
// skinned, and giving a form our own skin; messages are let run with support/pump.h.

#include <windows.h>

#include "skin/embedded_skin.h"
#include "skin/win32/skin_data.h"
#include "support/pump.h"
#include "support/window_look.h"
#include "ui/forms.h"

namespace quillet::testing {

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
