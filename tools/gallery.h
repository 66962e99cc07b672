// `quillet-skin gallery [FILE]`: one window with every kind of control the skin engine draws, in
// the states each can hold, skinned with a skin file or with our own. Windows only.
#pragma once

#include <ostream>
#include <string>

#include "skin/win32/skin_data.h"
#include "ui/forms.h"

namespace quillet::gallery {

// The gallery's window.
class TGalleryForm : public ui::TForm {
 public:
  explicit TGalleryForm(ui::TComponent* owner);
  const char* ClassName() const override { return "TGalleryForm"; }
};

// The skin component that skins the program's windows (the gallery and its message box), with
// the skin read from `file`, or our own without one. It names the gallery's stand-ins for other
// toolkits' controls, so that every control skin has a control to draw. Throws with the skin's
// message when the file cannot be read as a skin.
skin::win32::TSkinData& MakeGallerySkin(ui::TComponent& owner, const std::string& file);

// Shows the gallery until it is closed; the exit code.
int RunGallery(const std::string& file, std::ostream& err);

}  // namespace quillet::gallery
