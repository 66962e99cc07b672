// The contract run against the fakes.
#include "support/fake_widgets.h"
#include "ui/widget_contract.h"

namespace quillet::testing {
namespace {

struct FakeEnv {
  FakeComboBox combo;
  FakeEdit edit;
  FakeListBox list;
  FakeCheckBox check;
  FakeCheckList check_list;
  FakeGrid grid;
  FakeUpDown updown;
  FakeLabel label;
  FakeIconView icon_view;
  int icon = 0;

  ui::IComboBox& Combo() { return combo; }
  ui::ITextField& Edit() { return edit; }
  ui::IListBox& ListBox() { return list; }
  ui::ICheckBox& CheckBox() { return check; }
  ui::ICheckList& CheckList() { return check_list; }
  ui::IGrid& Grid() { return grid; }
  ui::IUpDown& UpDown() { return updown; }
  ui::ILabel& Label() { return label; }
  ui::IIconView& IconView() { return icon_view; }
  void* SomeIcon() { return &icon; }

  void TypeIntoCombo(const std::string& s) { combo.Type(s); }
  void PickInCombo(int i) { combo.Pick(i); }
  void TypeIntoEdit(const std::string& s) { edit.Type(s); }
  void UserSelectListItem(int i) { list.Click(i); }
  void ClickCheckBox() { check.Click(); }
  void UserSelectGridRow(int r) { grid.Click(r); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fakes, WidgetContract, FakeEnv);

}  // namespace
}  // namespace quillet::testing
