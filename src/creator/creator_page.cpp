#include "creator/creator_page.h"

#include <utility>

#include "creator/special_object.h"
#include "registry/history.h"
#include "registry/registry_store.h"

namespace quillet::creator {

CreatorPage::CreatorPage(const CreatorControls& controls, std::string program_folder)
    : c_(controls), program_folder_(std::move(program_folder)) {}

void CreatorPage::Wire() {
  c_.RFCNum.SetOnChange([this] { CNC(); });
  for (ui::ITextField* field : {&c_.RFName, &c_.RFDesc, &c_.RME, &c_.RFCN, &c_.RFPar, &c_.RFDIcon})
    field->SetOnKeyPress([this, field](char& key) { RFDIconKeyPress(*field, key); });
  c_.ShellName.SetOnKeyPress([this](char& key) { ShellNameKeyPress(key); });
  c_.List.SetOnClick([this] { ListClick(); });
}

std::string CreatorPage::Clsid() const { return c_.RFCNum.Text(); }

std::string CreatorPage::ClassKey() const { return creator::ClassKey(Clsid()); }

void CreatorPage::UpdatePlaces(const std::string& clsid) {
  const std::pair<const char*, ui::ICheckBox*> places[] = {
      {kMyComputer, &c_.STMC},
      {kDesktop, &c_.STD},
      {kControlPanel, &c_.STCP},
      {kNetworkNeighborhood, &c_.STNN},
  };
  for (const auto& [place, box] : places) {
    const std::string key = PlaceKey(place, clsid);
    if (box->Checked()) {
      CreateKeyAt(kLocalMachine, key);
      WriteMachineText(key, "Removal Message", c_.RME.Text());
    } else {
      DeleteKeyAt(kLocalMachine, key);
    }
  }
}

void CreatorPage::Refresh(const std::vector<RegKeyRef>& changed) {
  const std::string clsid = Clsid();
  if (NamesNoKey(clsid)) return;
  bool shown = AnyKeyMeets(changed, kLocalMachine, creator::ClassKey(clsid));
  for (const char* place : {kMyComputer, kDesktop, kControlPanel, kNetworkNeighborhood})
    shown = shown || AnyKeyMeets(changed, kLocalMachine, PlaceKey(place, clsid));
  if (shown) CNC();
}

void CreatorPage::CReg() {
  const RecordedAction record("Create / Save", Clsid());
  if (ui::CurrentPlatform().FileExists(ListFilePath())) ReplaceListFromFile();
  const std::string clsid = Clsid();
  if (c_.RFCNum.FindExact(clsid) < 0) c_.RFCNum.Add(clsid);
  SaveList();

  if (!NamesNoKey(clsid) && !c_.RFName.Text().empty()) {
    const std::string key = creator::ClassKey(clsid);
    CreateKeyAt(kLocalMachine, key);
    CreateKeyAt(kLocalMachine, key + "\\Shell");
    WriteMachineText(key, "", c_.RFName.Text());
    WriteMachineText(key, "InfoTip", c_.RFDesc.Text());
    UpdatePlaces(clsid);
  }
  ReadKeyName();
}

void CreatorPage::DReg() {
  const std::string clsid = Clsid();
  if (NamesNoKey(clsid)) return;

  const std::string text = "Are you sure to Delete \"" + c_.RFName.Text() + " - " + clsid +
                           "\"\r\rThis will Delete it PERMANENTLY !";
  if (ui::CurrentPlatform().Confirm(text, "Confirm") != ui::Confirmation::Yes) return;
  const RecordedAction record("Delete", clsid);

  DeleteKeyAt(kLocalMachine, creator::ClassKey(clsid));
  for (const char* place : {kControlPanel, kNetworkNeighborhood, kDesktop, kMyComputer})
    DeleteKeyAt(kLocalMachine, PlaceKey(place, clsid));

  // Only an entry picked from the drop-down goes: a typed CLSID may be one the list does not own.
  if (c_.RFCNum.ItemIndex() >= 0) {
    const int index = c_.RFCNum.FindExact(clsid);
    if (index >= 0) c_.RFCNum.Delete(index);
    // The box keeps showing the CLSID whatever the control does with its text on a deletion.
    if (c_.RFCNum.Text() != clsid) c_.RFCNum.SetText(clsid);
  }
  SaveList();
  CNC();
}

void CreatorPage::VMClick() {
  const std::string clsid = Clsid();
  if (NamesNoKey(clsid)) return;
  const RecordedAction record("Show Me", clsid);

  DeleteKeyAt(kLocalMachine, "SOFTWARE\\Classes\\CLSID\\" + clsid + "\\ShellFolder");
  static constexpr const char* kHideKeys[] = {
      "HideDesktopIcons\\ClassicStartMenu",
      "HideDesktopIcons\\NewStartPanel",
      "HideMyComputerIcons",
  };
  for (RegRoot root : {kCurrentUser, kLocalMachine})
    for (const char* hide : kHideKeys) RemoveValue(root, std::string(kExplorerKey) + hide, clsid);
}

}  // namespace quillet::creator
