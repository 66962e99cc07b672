#include "builtin/builtin_page.h"

#include <algorithm>
#include <string>
#include <vector>

#include "builtin/builtin_objects.h"
#include "registry/history.h"
#include "registry/registry_store.h"

namespace quillet::builtin {

BuiltInPage::BuiltInPage(ui::ICheckList& MCList, ui::ICheckList& DList, ui::ICheckList& NetList,
                         ui::ICheckList& CPList)
    : mc_list_(MCList), d_list_(DList), net_list_(NetList), cp_list_(CPList) {
  std::vector<std::string> captions;
  for (const BuiltInObject& row : BuiltInObjectTable) captions.emplace_back(row.caption);
  for (ui::ICheckList* list : {&mc_list_, &d_list_, &net_list_, &cp_list_}) list->SetItems(captions);
}

void BuiltInPage::ReadCLSID() {
  ReadList(mc_list_, kMyComputerNameSpace);
  ReadList(net_list_, kNetworkNameSpace);
  ReadList(d_list_, kDesktopNameSpace);
  ReadList(cp_list_, kControlPanelNameSpace);
}

void BuiltInPage::Refresh(const std::vector<RegKeyRef>& changed) {
  const std::pair<ui::ICheckList*, const char*> lists[] = {
      {&mc_list_, kMyComputerNameSpace},
      {&net_list_, kNetworkNameSpace},
      {&d_list_, kDesktopNameSpace},
      {&cp_list_, kControlPanelNameSpace},
  };
  for (const auto& [list, location] : lists)
    if (AnyKeyMeets(changed, kLocalMachine, location)) ReadList(*list, location);
}

void BuiltInPage::ReadList(ui::ICheckList& list, const char* location) {
  const int count = std::min(list.Count(), kBuiltInObjectCount);
  for (int i = 0; i < count; ++i) {
    const std::string path = std::string(location) + "\\" + BuiltInObjectTable[i].clsid;
    list.SetChecked(i, KeyExistsAt(kLocalMachine, path));
  }
}

void BuiltInPage::SelectByTag(ui::ICheckList& list, int tag) {
  for (int i = 0; i < list.Count(); ++i) {
    switch (tag) {
      case kSelectAll: list.SetChecked(i, true); break;
      case kSelectNone: list.SetChecked(i, false); break;
      case kInvertSelection: list.SetChecked(i, !list.Checked(i)); break;
      default: return;
    }
  }
}

void BuiltInPage::Apply1Click() { ApplyList(mc_list_, kMyComputerNameSpace, "My Computer"); }
void BuiltInPage::Apply2Click() { ApplyList(d_list_, kDesktopNameSpace, "Desktop"); }
void BuiltInPage::Apply3Click() { ApplyList(net_list_, kNetworkNameSpace, "My Network Place"); }
void BuiltInPage::Apply4Click() { ApplyList(cp_list_, kControlPanelNameSpace, "Control Panel"); }

void BuiltInPage::ApplyList(const ui::ICheckList& list, const char* location, const char* place) {
  const RecordedAction record("Apply Changes", place);
  const int count = std::min(list.Count(), kBuiltInObjectCount);
  RegistryStore store;
  store.SetRoot(kLocalMachine);
  if (!store.Open(location, false)) {
    // With no key open, the CLSID paths would name keys at the top of HKEY_LOCAL_MACHINE. Touch
    // nothing, and report what a refused create would have reported: the first row to create.
    for (int i = 0; i < count; ++i)
      if (list.Checked(i))
        throw ERegistryException(std::string("Failed to create key ") + BuiltInObjectTable[i].clsid);
    return;
  }
  for (int i = 0; i < count; ++i) {
    const char* clsid = BuiltInObjectTable[i].clsid;
    if (list.Checked(i)) {
      if (!store.MakeKey(clsid))
        throw ERegistryException(std::string("Failed to create key ") + clsid);
    } else {
      store.EraseKey(clsid);  // a key that will not go is passed over
    }
  }
  store.Close();
}

}  // namespace quillet::builtin
