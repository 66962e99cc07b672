// The CLSID box: its list and CLSID.dat, the fill, and the buttons around it.
#include <cstdio>

#include "creator/clsid_list.h"
#include "creator/creator_page.h"
#include "creator/special_object.h"
#include "registry/registry_store.h"

namespace quillet::creator {

void CreatorPage::ReplaceListFromFile() { LoadListFrom(ui::CurrentPlatform().ReadWholeFile(ListFilePath())); }

void CreatorPage::LoadListFrom(const std::string& content) {
  const std::string text = c_.RFCNum.Text();
  c_.RFCNum.SetItems(ParseClsidList(content));
  // A combo box may clear its edit text with its entries; the typed CLSID is still the one meant.
  if (c_.RFCNum.Text() != text) c_.RFCNum.SetText(text);
}

void CreatorPage::LoadList() {
  if (ui::CurrentPlatform().FileExists(ListFilePath())) ReplaceListFromFile();
}

void CreatorPage::SaveList() {
  ui::CurrentPlatform().WriteWholeFile(ListFilePath(), FormatClsidList(c_.RFCNum.Items()));
}

void CreatorPage::CNC() {
  c_.RME.SetText("");
  const std::string clsid = Clsid();
  if (clsid.empty()) return;

  const std::string key = creator::ClassKey(clsid);
  c_.RFName.SetText(ReadMachineText(key, ""));
  c_.RFDesc.SetText(ReadMachineText(key, "InfoTip"));
  const std::string verb = ReadMachineText(key + "\\Shell", "");
  c_.Def.SetCaption(verb);
  c_.ShellName.SetText(verb);
  if (verb.empty()) {
    c_.RFCN.SetText("");
    c_.RFPar.SetText("");
  } else {
    c_.RFCN.SetText(ReadMachineText(key + "\\Shell\\" + verb, ""));
    c_.RFPar.SetText(ReadMachineText(key + "\\Shell\\" + verb + "\\Command\\", ""));
  }
  c_.RFDIcon.SetText(ReadMachineText(key + "\\DefaultIcon", ""));

  c_.STD.SetChecked(KeyExistsAt(kLocalMachine, PlaceKey(kDesktop, clsid)));
  c_.STCP.SetChecked(KeyExistsAt(kLocalMachine, PlaceKey(kControlPanel, clsid)));
  c_.STMC.SetChecked(KeyExistsAt(kLocalMachine, PlaceKey(kMyComputer, clsid)));
  c_.STNN.SetChecked(KeyExistsAt(kLocalMachine, PlaceKey(kNetworkNeighborhood, clsid)));

  ReadKeyName();
  ReadIcon();
}

void CreatorPage::GenClick() {
  ui::Platform& platform = ui::CurrentPlatform();
  // A counter of 0 means the machine has none; the tick count stands in.
  const std::int64_t counter = platform.PerformanceCounter();
  Lcg random(counter != 0 ? static_cast<std::uint32_t>(counter) : platform.TickCount());
  c_.RFCNum.SetText(RandomClsid(random));
  CNC();
}

void CreatorPage::Button10Click() {
  static constexpr const char* kPlaces[] = {
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace",
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace",
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ControlPanel\\NameSpace",
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\NetworkNeighborhood\\NameSpace",
  };
  NameList found;
  for (const char* place : kPlaces) {
    NameList names;
    ListSubkeys(kLocalMachine, place, names);
    found.insert(found.end(), names.begin(), names.end());
  }
  for (const auto& name : found)
    if (!name.empty() && name[0] == '{' && c_.RFCNum.FindExact(name) < 0) c_.RFCNum.Add(name);
  SaveList();
}

void CreatorPage::Button11Click() {
  const std::string clsid = Clsid();
  if (TrimBlank(clsid).empty()) return;
  const int index = c_.RFCNum.FindExact(clsid);
  if (index >= 0) c_.RFCNum.Delete(index);
  SaveList();
  // No key is named by a single space, so the fill empties every field.
  c_.RFCNum.SetText(" ");
  CNC();
  c_.RFCNum.SetText("");
}

void CreatorPage::Button13Click() {
  ui::Platform& platform = ui::CurrentPlatform();
  const std::string path = ListFilePath();
  if (!platform.FileExists(path)) return;
  if (!platform.RunAndWait("Notepad.exe " + path)) {
    const std::uint32_t code = platform.LastSystemError();
    char head[64];
    std::snprintf(head, sizeof head, "System Error.  Code: %d.", static_cast<int>(code));
    throw std::runtime_error(std::string(head) + "\r\n" + platform.SystemErrorText(code));
  }
  ReplaceListFromFile();
  CNC();
}

void CreatorPage::RFDIconKeyPress(ui::ITextField& field, char& key) {
  if (key == ui::kKeyEscape) field.SetText("");
}

}  // namespace quillet::creator
