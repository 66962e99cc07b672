#pragma once
// The "Built in Special Object" page: one check list per place, marks read at start-up, written
// only when the user applies a list.

#include <vector>

#include "registry/change_recorder.h"
#include "ui/widgets.h"

namespace quillet::builtin {

// What a select button does to its list, by the button's Tag.
enum SelectTag { kSelectAll = 0, kSelectNone = 1, kInvertSelection = 2 };

class BuiltInPage {
 public:
  // Fills every list with the 22 captions, all unmarked.
  BuiltInPage(ui::ICheckList& MCList, ui::ICheckList& DList, ui::ICheckList& NetList,
              ui::ICheckList& CPList);
  BuiltInPage(const BuiltInPage&) = delete;
  BuiltInPage& operator=(const BuiltInPage&) = delete;

  void ReadCLSID();

  void ANI1Click(int tag) { SelectByTag(mc_list_, tag); }
  void ANI2Click(int tag) { SelectByTag(d_list_, tag); }
  void ANI3Click(int tag) { SelectByTag(net_list_, tag); }
  void ANI4Click(int tag) { SelectByTag(cp_list_, tag); }

  void Apply1Click();
  void Apply2Click();
  void Apply3Click();
  void Apply4Click();
  // After an undo or redo: reads again the marks of each list whose place changed.
  void Refresh(const std::vector<RegKeyRef>& changed);

 private:
  static void SelectByTag(ui::ICheckList& list, int tag);
  static void ReadList(ui::ICheckList& list, const char* location);
  static void ApplyList(const ui::ICheckList& list, const char* location, const char* place);

  ui::ICheckList& mc_list_;
  ui::ICheckList& d_list_;
  ui::ICheckList& net_list_;
  ui::ICheckList& cp_list_;
};

}  // namespace quillet::builtin
