// The default icon: its preview, the icon file dialog and "Set as Default Icon".
#include "creator/creator_page.h"
#include "creator/icon_location.h"
#include "creator/special_object.h"
#include "registry/history.h"
#include "registry/registry_store.h"

namespace quillet::creator {

void CreatorPage::ReadIcon() {
  std::string text = c_.RFDIcon.Text();
  std::erase(text, '"');
  c_.RFDIcon.SetText(text);

  // Parsed before anything changes: a bad index leaves the previous icon in place.
  const IconLocation where = SplitIconLocation(text);
  void* icon = nullptr;
  if (!where.file.empty()) {
    icon = ui::CurrentPlatform().ExtractFileIcon(where.file, where.index);
    // The system answers 1 for a file that is no executable, library or icon file.
    if (icon == reinterpret_cast<void*>(1)) icon = nullptr;
  }
  c_.AII.SetIcon(icon);
}

void CreatorPage::FDIClick() {
  std::string chosen;
  if (ui::CurrentPlatform().OpenFileDialog(owner_, IconDialogOptions(), chosen)) {
    icon_dialog_file_ = chosen;
    c_.RFDIcon.SetText(chosen);
  }
  c_.RFDIcon.SetFocus();
}

void CreatorPage::Button4Click() {
  const std::string clsid = Clsid();
  const bool has_key = !NamesNoKey(clsid);
  const RecordedAction record("Set as Default Icon", clsid);
  if (has_key) {
    const std::string key = creator::ClassKey(clsid) + "\\DefaultIcon";
    const std::string location = c_.RFDIcon.Text();
    CreateKeyAt(kLocalMachine, key);
    WriteMachineText(key, "", location.empty() ? "Shell32.dll,36" : location);
  }
  ReadIcon();
  if (has_key) UpdatePlaces(clsid);
}

}  // namespace quillet::creator
