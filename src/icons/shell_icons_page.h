#pragma once
// The " Shell32.dll Icons " group of the fourth page: the icon location of one shell icon slot at
// a time, and the shell's large icon size.

#include <array>
#include <string>
#include <vector>

#include "icons/shell_icons.h"
#include "registry/change_recorder.h"
#include "ui/platform.h"
#include "ui/widgets.h"

namespace quillet::icons {

// What the icon cache control runs on a double-click; it ships with the shell of current Windows.
inline constexpr char kRebuildIconCacheCommand[] = "ie4uinit.exe -show";
inline constexpr char kRebuildIconCacheHint[] = "Click here to Rebuild Icon Cache";

// The icon file dialog, shared in look with the default icon editor's.
ui::FileDialogOptions IconFileDialogOptions();

class ShellIconsPage {
 public:
  // Sets the up-down ranges and start positions and the edits' start texts.
  ShellIconsPage(ui::ITextField& IcNum, ui::IUpDown& INP, ui::ILabel& lblInfo, ui::ITextField& IsNum,
                 ui::IUpDown& ISP, ui::ITextField& Location);
  ShellIconsPage(const ShellIconsPage&) = delete;
  ShellIconsPage& operator=(const ShellIconsPage&) = delete;

  void SetInfo();
  void ReadFirst();
  void INPClick();       // the slot number changed
  void BtnFindClick();   // "..."
  void BSI();            // "&Set Icon"
  void SetIS();
  void RebICDblClick();  // rebuild the shell's icon cache, silently where that is not possible
  // After an undo or redo: shows again the current slot's location or the size when it changed.
  void Refresh(const std::vector<RegKeyRef>& changed);

  void SetDialogOwner(void* owner) { dialog_owner_ = owner; }

 private:
  std::string SlotCaption(int slot) const;
  void ReadSize();

  ui::ITextField& ic_num_;
  ui::IUpDown& inp_;
  ui::ILabel& lbl_info_;
  ui::ITextField& is_num_;
  ui::IUpDown& isp_;
  ui::ITextField& location_;
  std::array<std::string, kShellIconSlots> captions_;  // empty until SetInfo
  std::string last_file_;  // the dialog opens on the file picked before
  void* dialog_owner_ = nullptr;
};

}  // namespace quillet::icons
