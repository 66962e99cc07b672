// The verbs of the object: "Shell Manager :" and "Shell List :".
#include "creator/clsid_list.h"
#include "creator/creator_page.h"
#include "creator/special_object.h"
#include "registry/history.h"
#include "registry/registry_store.h"

namespace quillet::creator {

namespace {

constexpr std::uint32_t kDialogFlags = 0x00000004u    // OFN_HIDEREADONLY
                                     | 0x00020000u    // OFN_NONETWORKBUTTON
                                     | 0x00800000u    // OFN_ENABLESIZING
                                     | 0x02000000u    // OFN_DONTADDTORECENT
                                     | 0x10000000u;   // OFN_FORCESHOWHIDDEN

}  // namespace

void CreatorPage::ReadKeyName() {
  NameList names;
  RegistryStore store;
  store.SetRoot(kLocalMachine);
  if (store.Open(ClassKey() + "\\Shell", false)) store.SubkeyNames(names);
  store.Close();
  c_.List.SetItems(names);
}

void CreatorPage::ListClick() {
  const int index = c_.List.ItemIndex();
  if (index < 0) return;
  const std::string verb = c_.List.Item(index);
  const std::string key = ClassKey() + "\\Shell\\" + verb;
  c_.ShellName.SetText(verb);
  c_.RFCN.SetText(ReadMachineText(key, ""));
  c_.RFPar.SetText(ReadMachineText(key + "\\Command", ""));
}

void CreatorPage::Button2Click() {
  const std::string verb = c_.ShellName.Text();
  const RecordedAction record("Add Verb", verb);
  // Without a key of their own, the paths would land on the CLSID container or the Shell key.
  if (!NamesNoKey(Clsid()) && !NamesNoKey(verb)) {
    const std::string key = ClassKey() + "\\Shell\\" + verb;
    CreateKeyAt(kLocalMachine, key);
    CreateKeyAt(kLocalMachine, key + "\\Command");
    WriteMachineText(key, "", c_.RFCN.Text());
    WriteMachineText(key + "\\Command", "", c_.RFPar.Text());
  }
  ReadKeyName();
  c_.List.SetItemIndex(c_.List.FindExact(c_.ShellName.Text()));
}

void CreatorPage::Button3Click() {
  const int index = c_.List.ItemIndex();
  if (index < 0) return;
  const RecordedAction record("Remove Verb", c_.List.Item(index));
  if (!NamesNoKey(Clsid())) DeleteKeyAt(kLocalMachine, ClassKey() + "\\Shell\\" + c_.List.Item(index));
  ReadKeyName();
}

void CreatorPage::Button1Click() {
  const RecordedAction record("Replace Verb", c_.ShellName.Text());
  Button3Click();
  Button2Click();
}

void CreatorPage::Button5Click() {
  const int index = c_.List.ItemIndex();
  if (index < 0 || NamesNoKey(Clsid())) return;
  const std::string verb = c_.List.Item(index);
  const RecordedAction record("Set Default Verb", verb);
  WriteMachineText(ClassKey() + "\\Shell", "", verb);
  c_.Def.SetCaption(verb);
}

void CreatorPage::Button12Click() {
  const std::string command = c_.RFPar.Text();
  if (TrimBlank(command).empty()) return;
  c_.RFPar.SetText("Rundll32 Shell32.dll,ShellExec_RunDLL " + command);
}

ui::FileDialogOptions CreatorPage::CommandDialogOptions() const {
  ui::FileDialogOptions o;
  o.title = "Browse";
  o.filter = "Application (*.exe)|*.exe; *.ex|All Files (*.*)|*.*";
  o.filter_index = 5;
  o.default_ext = "ICO";
  o.flags = kDialogFlags;
  o.file_name = command_dialog_file_;
  return o;
}

ui::FileDialogOptions CreatorPage::IconDialogOptions() const {
  ui::FileDialogOptions o;
  o.title = "Browse Icon";
  o.filter =
      "Application (*.exe)|*.exe|Control Panel File (*.cpl)|*.cpl|Cursor File (*.cur)|*.cur|"
      "Dynamic Link Library (*.dll)|*.dll|Icon File (*.ico)|*.ico|All Files (*.*)|*.*";
  o.filter_index = 5;
  o.default_ext = "ICO";
  o.flags = kDialogFlags;
  o.file_name = icon_dialog_file_;
  return o;
}

void CreatorPage::RFPClick() {
  std::string chosen;
  if (!ui::CurrentPlatform().OpenFileDialog(owner_, CommandDialogOptions(), chosen)) return;
  command_dialog_file_ = chosen;
  c_.RFPar.SetText(chosen);
}

void CreatorPage::ShellNameKeyPress(char& key) {
  if (key == ui::kKeyEnter) {
    c_.ShellName.SetText("Open");
    c_.RFCN.SetText("&Open");
  } else if (key == ui::kKeyEscape) {
    c_.ShellName.SetText("");
  }
}

}  // namespace quillet::creator
