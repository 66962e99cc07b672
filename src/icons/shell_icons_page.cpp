#include "icons/shell_icons_page.h"

#include <algorithm>

#include "registry/history.h"
#include "registry/registry_store.h"

namespace quillet::icons {

namespace {

constexpr std::uint32_t kOfnHideReadOnly = 0x00000004;
constexpr std::uint32_t kOfnNoNetworkButton = 0x00020000;
constexpr std::uint32_t kOfnEnableSizing = 0x00800000;
constexpr std::uint32_t kOfnDontAddToRecent = 0x02000000;
constexpr std::uint32_t kOfnForceShowHidden = 0x10000000;

// One value of one key; empty when the key or the value is missing.
std::string ReadKeyText(RegRoot root, const char* key, const std::string& name) {
  RegistryStore store;
  store.SetRoot(root);
  if (!store.Open(key, false)) return std::string();
  return store.ReadText(name);
}

// Writes into an existing key only: the key is made at start-up, never here.
void WriteKeyText(RegRoot root, const char* key, const std::string& name, const std::string& text) {
  RegistryStore store;
  store.SetRoot(root);
  if (!store.Open(key, false)) throw ERegistryException("Failed to set data for '" + name + "'");
  store.WriteText(name, text);
}

}  // namespace

ui::FileDialogOptions IconFileDialogOptions() {
  ui::FileDialogOptions options;
  options.title = "Browse Icon";
  options.filter =
      "Application (*.exe)|*.exe|Control Panel File (*.cpl)|*.cpl|Cursor File (*.cur)|*.cur|"
      "Dynamic Link Library (*.dll)|*.dll|Icon File (*.ico)|*.ico|All Files (*.*)|*.*";
  options.filter_index = 5;
  options.default_ext = "ICO";
  options.flags = kOfnHideReadOnly | kOfnNoNetworkButton | kOfnEnableSizing | kOfnDontAddToRecent |
                  kOfnForceShowHidden;
  return options;
}

ShellIconsPage::ShellIconsPage(ui::ITextField& IcNum, ui::IUpDown& INP, ui::ILabel& lblInfo,
                               ui::ITextField& IsNum, ui::IUpDown& ISP, ui::ITextField& Location)
    : ic_num_(IcNum), inp_(INP), lbl_info_(lblInfo), is_num_(IsNum), isp_(ISP), location_(Location) {
  inp_.SetRange(0, kShellIconSlots - 1);
  inp_.SetPosition(0);
  ic_num_.SetText("0");
  isp_.SetRange(kIconSizeLow, kIconSizeHigh);
  isp_.SetPosition(kIconSizeStart);
  is_num_.SetText(DecimalText(kIconSizeStart));
}

void ShellIconsPage::SetInfo() {
  std::copy(ShellIconNames.begin(), ShellIconNames.end(), captions_.begin());
}

std::string ShellIconsPage::SlotCaption(int slot) const {
  return slot >= 0 && slot < kShellIconSlots ? captions_[static_cast<size_t>(slot)] : std::string();
}

void ShellIconsPage::ReadFirst() {
  location_.SetText(ReadKeyText(kLocalMachine, kShellIconsKey, "0"));

  ReadSize();
  lbl_info_.SetCaption(SlotCaption(inp_.Position()));
}

void ShellIconsPage::ReadSize() {
  // The size is optional on many machines: without one the control keeps its start value.
  const std::string stored = ReadKeyText(kCurrentUser, kWindowMetricsKey, kShellIconSizeValue);
  if (!stored.empty())
    isp_.SetPosition(std::clamp<int>(DecimalValue(stored), kIconSizeLow, kIconSizeHigh));
  is_num_.SetText(DecimalText(isp_.Position()));
}

void ShellIconsPage::Refresh(const std::vector<RegKeyRef>& changed) {
  if (AnyKeyMeets(changed, kLocalMachine, kShellIconsKey))
    location_.SetText(ReadKeyText(kLocalMachine, kShellIconsKey, ic_num_.Text()));
  if (AnyKeyMeets(changed, kCurrentUser, kWindowMetricsKey)) ReadSize();
}

void ShellIconsPage::INPClick() {
  const int slot = inp_.Position();
  const std::string name = DecimalText(std::max(slot, 0));
  if (ic_num_.Text() != name) ic_num_.SetText(name);
  // Read before showing anything, so that a failed read leaves both the location and the caption.
  const std::string location = ReadKeyText(kLocalMachine, kShellIconsKey, name);
  location_.SetText(location);
  lbl_info_.SetCaption(SlotCaption(slot));
}

void ShellIconsPage::BtnFindClick() {
  ui::FileDialogOptions options = IconFileDialogOptions();
  options.file_name = last_file_;
  std::string chosen;
  if (ui::CurrentPlatform().OpenFileDialog(dialog_owner_, options, chosen)) {
    last_file_ = chosen;
    location_.SetText(chosen);
  }
  location_.SetFocus();
}

void ShellIconsPage::BSI() {
  const RecordedAction record("Set Icon", "Slot " + ic_num_.Text());
  WriteKeyText(kLocalMachine, kShellIconsKey, ic_num_.Text(), location_.Text());
  SetIS();
}

void ShellIconsPage::SetIS() {
  WriteKeyText(kCurrentUser, kWindowMetricsKey, kShellIconSizeValue, DecimalText(isp_.Position()));
}

void ShellIconsPage::RebICDblClick() {
  // Where the tool is missing (older systems, Wine) nothing is shown: the cache simply stays.
  ui::CurrentPlatform().RunAndWait(kRebuildIconCacheCommand);
}

}  // namespace quillet::icons
