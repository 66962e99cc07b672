#pragma once
// The "Visibility Manager" page: the hide values of one of the shell's hide keys, listed as
// "CLSID=Visible Status" rows, with buttons that add, hide, show and remove them.

#include <optional>
#include <string>

#include <vector>

#include "registry/backend.h"
#include "registry/change_recorder.h"
#include "ui/widgets.h"

namespace quillet::visibility {

inline constexpr char kClassicStartMenuKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu";
inline constexpr char kNewStartPanelKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel";
inline constexpr char kMyComputerIconsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideMyComputerIcons";

class VisibilityPage {
 public:
  // Sets the lists' entries and first selections and ties the three lists' change and the
  // grid's row pick to their handlers. The list is filled by the first OHideChange.
  VisibilityPage(ui::IComboBox& US, ui::IComboBox& OHide, ui::IComboBox& HDO, ui::ITextField& TTA,
                 ui::ITextField& CCap, ui::IGrid& HList);
  VisibilityPage(const VisibilityPage&) = delete;
  VisibilityPage& operator=(const VisibilityPage&) = delete;

  void OHideChange();
  void HListClick();
  void Button7Click();  // "&Add to List (Hide)"
  void BHideClick();
  void BShowClick();
  void RemClick();
  // After an undo or redo: refills the list when its key changed.
  void Refresh(const std::vector<RegKeyRef>& changed);

  RegRoot VisibilityRoot() const;
  std::optional<std::string> VisibilityKey() const;

 private:
  void SetFlag(std::int32_t flag, const char* status, const char* action);
  // After a refill: selects the row showing `line`; runs the row click only when the selection
  // moves away from `previous`.
  void SelectLine(const std::string& line, int previous);

  ui::IComboBox& us_;
  ui::IComboBox& o_hide_;
  ui::IComboBox& hdo_;
  ui::ITextField& tta_;
  ui::ITextField& c_cap_;
  ui::IGrid& h_list_;
};

}  // namespace quillet::visibility
