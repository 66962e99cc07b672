#include "visibility/visibility_page.h"

#include <algorithm>
#include <vector>

#include "base/text.h"
#include "registry/history.h"
#include "registry/registry_store.h"

namespace quillet::visibility {

VisibilityPage::VisibilityPage(ui::IComboBox& US, ui::IComboBox& OHide, ui::IComboBox& HDO,
                               ui::ITextField& TTA, ui::ITextField& CCap, ui::IGrid& HList)
    : us_(US), o_hide_(OHide), hdo_(HDO), tta_(TTA), c_cap_(CCap), h_list_(HList) {
  us_.SetItems({"Current User", "Local Machine"});
  us_.SetItemIndex(0);
  o_hide_.SetItems({"Desktop", "My Computer"});
  o_hide_.SetItemIndex(0);
  hdo_.SetItems({"Classic Start Menu", "New Start Menu"});
  hdo_.SetItemIndex(0);
  h_list_.SetTitles("CLSID", "Visible Status");
  us_.SetOnChange([this] { OHideChange(); });
  o_hide_.SetOnChange([this] { OHideChange(); });
  hdo_.SetOnChange([this] { OHideChange(); });
  h_list_.SetOnSelect([this] { HListClick(); });
}

RegRoot VisibilityPage::VisibilityRoot() const {
  return us_.ItemIndex() == 0 ? kCurrentUser : kLocalMachine;
}

std::optional<std::string> VisibilityPage::VisibilityKey() const {
  switch (o_hide_.ItemIndex()) {
    case 0:
      switch (hdo_.ItemIndex()) {
        case 0: return kClassicStartMenuKey;
        case 1: return kNewStartPanelKey;
        default: return std::nullopt;
      }
    case 1: return kMyComputerIconsKey;
    default: return std::nullopt;
  }
}

void VisibilityPage::OHideChange() {
  const RegRoot root = VisibilityRoot();
  h_list_.Clear();
  hdo_.SetEnabled(o_hide_.ItemIndex() == 0);
  const auto key = VisibilityKey();
  if (!key) return;

  // One open key for the whole refill: a hide key may hold many values.
  RegistryStore store;
  store.SetRoot(root);
  if (!store.Open(*key, false)) return;
  NameList names;
  store.ValueNames(names);
  std::vector<std::string> lines;
  lines.reserve(names.size());
  for (const std::string& name : names) {
    // Hide values are numbers all but always: read at once, and let any other kind, or data that
    // cannot be read, show as visible.
    std::int32_t flag = 0;
    try {
      flag = store.ReadNumber(name);
    } catch (const ERegistryException&) {
      flag = 0;
    }
    lines.push_back(name + "=" + FlagText(flag));
  }
  h_list_.SetLines(lines);
}

void VisibilityPage::Refresh(const std::vector<RegKeyRef>& changed) {
  const auto key = VisibilityKey();
  if (key && AnyKeyMeets(changed, VisibilityRoot(), *key)) OHideChange();
}

void VisibilityPage::HListClick() {
  const int row = h_list_.Selected();
  if (row < 0) return;
  const std::string clsid = h_list_.Name(row);
  tta_.SetText(clsid);
  c_cap_.SetText(ReadClassesText("CLSID\\" + clsid, ""));
}

void VisibilityPage::Button7Click() {
  const RegRoot root = VisibilityRoot();
  const auto key = VisibilityKey();
  if (!key) return;
  const RecordedAction record("Add to List", tta_.Text());
  for (const char* hide_key : {kClassicStartMenuKey, kNewStartPanelKey, kMyComputerIconsKey})
    if (!KeyExistsAt(root, hide_key)) CreateKeyAt(root, hide_key);
  const std::string clsid = tta_.Text();
  WriteDword(root, *key, clsid, 1);
  const int previous = h_list_.Selected();
  OHideChange();
  SelectLine(clsid + "=False", previous);
}

void VisibilityPage::BHideClick() { SetFlag(1, "=False", "Hide"); }

void VisibilityPage::BShowClick() { SetFlag(0, "=True", "Show"); }

void VisibilityPage::SetFlag(std::int32_t flag, const char* status, const char* action) {
  const RegRoot root = VisibilityRoot();
  const auto key = VisibilityKey();
  if (!key) return;
  const RecordedAction record(action, tta_.Text());
  WriteDword(root, *key, tta_.Text(), flag);
  const int previous = h_list_.Selected();
  const std::string noted = previous >= 0 ? h_list_.Name(previous) : std::string();
  OHideChange();
  SelectLine(noted + status, previous);
}

void VisibilityPage::RemClick() {
  const RegRoot root = VisibilityRoot();
  const auto key = VisibilityKey();
  if (!key) return;
  const RecordedAction record("Remove from List", tta_.Text());
  RemoveValue(root, *key, tta_.Text());
  OHideChange();
}

void VisibilityPage::SelectLine(const std::string& line, int previous) {
  for (int row = 0; row < h_list_.RowCount(); ++row) {
    if (!base::EqualNoCase(h_list_.Line(row), line)) continue;
    h_list_.SetSelected(row);
    if (row != previous) HListClick();
    return;
  }
}

}  // namespace quillet::visibility
