#pragma once
// What page logic may rely on from its controls, run against the in-memory fakes (natively) and
// against the Win32 controls (under Wine). An environment type gives the controls and does what a
// user does to them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/widgets.h"

namespace quillet::testing {

template <class Env>
class WidgetContract : public ::testing::Test {
 protected:
  Env env;
};

TYPED_TEST_SUITE_P(WidgetContract);

TYPED_TEST_P(WidgetContract, ComboFindsWholeEntriesWithoutRegardToCase) {
  ui::IComboBox& c = this->env.Combo();
  c.SetItems({"{AB-01}", "Second", "{ab-01}", ""});
  EXPECT_EQ(c.FindExact("{ab-01}"), 0);  // the first of two equal entries
  EXPECT_EQ(c.FindExact("SECOND"), 1);
  EXPECT_EQ(c.FindExact("Sec"), -1);     // no prefix matches
  EXPECT_EQ(c.FindExact("Second "), -1);
  EXPECT_EQ(c.FindExact("missing"), -1);
}

TYPED_TEST_P(WidgetContract, ComboTextChangeFiresForTypingAndPickingOnly) {
  ui::IComboBox& c = this->env.Combo();
  c.SetItems({"one", "two", "three"});
  std::vector<std::string> seen;
  c.SetOnChange([&] { seen.push_back(c.Text()); });
  c.SetText("x");
  c.SetItemIndex(0);
  EXPECT_TRUE(seen.empty()) << "text set by the program is silent";
  c.SetText("");
  this->env.TypeIntoCombo("{a");
  EXPECT_EQ(seen, (std::vector<std::string>{"{", "{a"}));
  seen.clear();
  this->env.PickInCombo(2);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "three") << "the handler sees the picked entry as the text";
  EXPECT_EQ(c.ItemIndex(), 2);
}

TYPED_TEST_P(WidgetContract, ComboKeyPressMaySwallowKeys) {
  ui::IComboBox& c = this->env.Combo();
  c.SetOnKeyPress([](char& k) {
    if (k == 'x') k = 0;
  });
  int changes = 0;
  c.SetOnChange([&] { ++changes; });
  this->env.TypeIntoCombo("axb");
  EXPECT_EQ(c.Text(), "ab");
  EXPECT_EQ(changes, 2);
}

TYPED_TEST_P(WidgetContract, ComboSelectionFollowsItemChanges) {
  ui::IComboBox& c = this->env.Combo();
  c.SetItems({"a", "b", "c"});
  EXPECT_EQ(c.ItemIndex(), -1);
  c.SetItemIndex(2);
  EXPECT_EQ(c.Text(), "c");
  c.Add("d");
  EXPECT_EQ(c.ItemIndex(), 2);
  c.Delete(0);
  EXPECT_EQ(c.ItemIndex(), 1) << "deleting an entry above moves the selection with its entry";
  c.Delete(1);
  EXPECT_EQ(c.ItemIndex(), -1) << "deleting the selected entry leaves none selected";
  EXPECT_EQ(c.Items(), (std::vector<std::string>{"b", "d"}));
  c.SetItemIndex(1);
  c.SetItems({"x", "y"});
  EXPECT_EQ(c.ItemIndex(), -1);
  c.SetItemIndex(7);
  EXPECT_EQ(c.ItemIndex(), -1);
  // As the system's combo box does: taking the selection away, or every entry, empties the text;
  // deleting the selected entry alone leaves it.
  c.SetText("typed");
  c.SetItemIndex(-1);
  EXPECT_EQ(c.Text(), "");
  c.SetItemIndex(0);
  c.Delete(0);
  EXPECT_EQ(c.Text(), "x");
  c.SetItemIndex(0);
  c.Clear();
  EXPECT_EQ(c.Text(), "");
  c.SetItems({"x", "y"});
  c.SetText("kept");
  c.SetItems({"z"});
  EXPECT_EQ(c.Text(), "kept") << "replacing the entries keeps the text";
  c.SetItemIndex(0);
  c.Clear();
  EXPECT_EQ(c.ItemIndex(), -1);
  EXPECT_EQ(c.Count(), 0);
}

TYPED_TEST_P(WidgetContract, EditChangesAndKeys) {
  ui::ITextField& e = this->env.Edit();
  int changes = 0;
  e.SetOnChange([&] { ++changes; });
  e.SetText("set");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(e.Text(), "set");
  e.SetText("");
  char last = 0;
  e.SetOnKeyPress([&](char& k) {
    last = k;
    if (k == ui::kKeyEscape) k = 0;
  });
  this->env.TypeIntoEdit("ab");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(e.Text(), "ab");
  this->env.TypeIntoEdit(std::string(1, ui::kKeyEscape));
  EXPECT_EQ(last, ui::kKeyEscape);
  EXPECT_EQ(e.Text(), "ab");
  e.SetEnabled(false);
  EXPECT_FALSE(e.Enabled());
}

TYPED_TEST_P(WidgetContract, ListBoxSelectionAndClicks) {
  ui::IListBox& l = this->env.ListBox();
  l.SetItems({"a", "b", "c"});
  int clicks = 0;
  l.SetOnClick([&] { ++clicks; });
  l.SetItemIndex(1);
  EXPECT_EQ(clicks, 0);
  this->env.UserSelectListItem(2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(l.ItemIndex(), 2);
  l.Delete(2);
  EXPECT_EQ(l.ItemIndex(), -1);
  EXPECT_EQ(l.FindExact("B"), 1);
}

TYPED_TEST_P(WidgetContract, CheckBoxClickTogglesAndSettingIsSilent) {
  ui::ICheckBox& b = this->env.CheckBox();
  int clicks = 0;
  b.SetOnClick([&] { ++clicks; });
  b.SetChecked(true);
  EXPECT_TRUE(b.Checked());
  EXPECT_EQ(clicks, 0);
  this->env.ClickCheckBox();
  EXPECT_FALSE(b.Checked());
  EXPECT_EQ(clicks, 1);
}

TYPED_TEST_P(WidgetContract, CheckListMarks) {
  ui::ICheckList& l = this->env.CheckList();
  l.SetItems({"Fonts", "Help", "Run"});
  ASSERT_EQ(l.Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(l.Checked(i));
  l.SetChecked(1, true);
  EXPECT_TRUE(l.Checked(1));
  EXPECT_FALSE(l.Checked(0));
  EXPECT_EQ(l.Item(2), "Run");
  l.SetItems({"x"});
  EXPECT_FALSE(l.Checked(0)) << "new items come unmarked";
}

TYPED_TEST_P(WidgetContract, GridSplitsLinesAtTheFirstEqualsSign) {
  ui::IGrid& g = this->env.Grid();
  g.SetTitles("Name", "Value");
  g.SetLines({"a=b=c", "plain", "=x", "k="});
  ASSERT_EQ(g.RowCount(), 4);
  EXPECT_EQ(g.Name(0), "a");
  EXPECT_EQ(g.Value(0), "b=c");
  EXPECT_EQ(g.Name(1), "plain");
  EXPECT_EQ(g.Value(1), "");
  EXPECT_EQ(g.Name(2), "");
  EXPECT_EQ(g.Value(2), "x");
  EXPECT_EQ(g.Line(3), "k=");
}

TYPED_TEST_P(WidgetContract, GridSelection) {
  ui::IGrid& g = this->env.Grid();
  int selects = 0;
  g.SetOnSelect([&] { ++selects; });
  g.SetLines({"a=1", "b=2", "c=3"});
  EXPECT_EQ(g.Selected(), -1);
  g.SetSelected(1);
  EXPECT_EQ(g.Selected(), 1);
  EXPECT_EQ(selects, 0) << "selection by the program is silent";
  g.AddLine("d=4");
  EXPECT_EQ(g.Selected(), 1);
  g.SetSelected(9);
  EXPECT_EQ(g.Selected(), -1);
  this->env.UserSelectGridRow(2);
  EXPECT_EQ(g.Selected(), 2);
  EXPECT_EQ(selects, 1);
  g.SetLines({"x=y"});
  EXPECT_EQ(g.Selected(), -1);
  g.SetSelected(0);
  g.Clear();
  EXPECT_EQ(g.Selected(), -1);
  EXPECT_EQ(g.RowCount(), 0);
}

TYPED_TEST_P(WidgetContract, GridHoldsTensOfThousandsOfRows) {
  ui::IGrid& g = this->env.Grid();
  std::vector<std::string> lines;
  for (int i = 0; i < 50000; ++i) {
    std::string n = std::to_string(i);
    lines.push_back(std::string(1, '{').append(n).append("}=class ").append(n));
  }
  g.SetLines(lines);
  g.AddLines({"last=one"});
  EXPECT_EQ(g.RowCount(), 50001);
  EXPECT_EQ(g.Value(49999), "class 49999");
  g.SetSelected(50000);
  EXPECT_EQ(g.Selected(), 50000);
}

TYPED_TEST_P(WidgetContract, UpDownClampsToItsRange) {
  ui::IUpDown& u = this->env.UpDown();
  u.SetRange(0, 10);
  u.SetPosition(4);
  EXPECT_EQ(u.Position(), 4);
  u.SetPosition(20);
  EXPECT_EQ(u.Position(), 10);
  u.SetPosition(-3);
  EXPECT_EQ(u.Position(), 0);
  u.SetRange(5, 8);
  EXPECT_EQ(u.Position(), 5);
}

TYPED_TEST_P(WidgetContract, LabelAndIconView) {
  ui::ILabel& l = this->env.Label();
  l.SetCaption("Made by && for you");
  EXPECT_EQ(l.Caption(), "Made by && for you");
  ui::IIconView& v = this->env.IconView();
  EXPECT_EQ(v.Icon(), nullptr);
  void* icon = this->env.SomeIcon();
  v.SetIcon(icon);
  EXPECT_EQ(v.Icon(), icon);
  v.SetIcon(nullptr);
  EXPECT_EQ(v.Icon(), nullptr);
}

REGISTER_TYPED_TEST_SUITE_P(WidgetContract, ComboFindsWholeEntriesWithoutRegardToCase,
                            ComboTextChangeFiresForTypingAndPickingOnly, ComboKeyPressMaySwallowKeys,
                            ComboSelectionFollowsItemChanges, EditChangesAndKeys, ListBoxSelectionAndClicks,
                            CheckBoxClickTogglesAndSettingIsSilent, CheckListMarks,
                            GridSplitsLinesAtTheFirstEqualsSign, GridSelection, GridHoldsTensOfThousandsOfRows,
                            UpDownClampsToItsRange, LabelAndIconView);

}  // namespace quillet::testing
