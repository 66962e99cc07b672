#pragma once
// Non-visual dialog components a form holds: they keep their settings between showings and
// show the system's dialog through the platform services.

#include <string>

#include "ui/controls.h"
#include "ui/platform.h"

namespace quillet::ui {

class TOpenDialog : public TComponent {
 public:
  TOpenDialog(TComponent* owner, std::string name) : TComponent(owner) { SetName(std::move(name)); }
  const char* ClassName() const override { return "TOpenDialog"; }
  FileDialogOptions Options;
  std::string FileName;
  // True when the user picked a file; FileName then holds it.
  bool Execute(void* owner_window) {
    FileDialogOptions o = Options;
    if (o.file_name.empty()) o.file_name = FileName;
    std::string chosen;
    if (!CurrentPlatform().OpenFileDialog(owner_window, o, chosen)) return false;
    FileName = chosen;
    return true;
  }
};

}  // namespace quillet::ui
