#include "app/startup.h"

#include <exception>

#include "dialogs/maker.h"
#include "registry/registry_store.h"
#include "ui/platform.h"

namespace quillet::app {


namespace {
const char* const kMachineKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ControlPanel",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ControlPanel\\NameSpace",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\NetworkNeighborhood",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\NetworkNeighborhood\\NameSpace",
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths",
};
const char* const kUserKeys[] = {
    "Control Panel",
    "Control Panel\\Desktop",
    "Control Panel\\Desktop\\WindowMetrics",
};
}  // namespace

std::string ProgramFolderOf(const std::string& exe_path) {
  auto slash = exe_path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : exe_path.substr(0, slash + 1);
}

void UpdateReg() {
  RegistryStore store;
  store.SetRoot(kLocalMachine);
  for (const char* key : kMachineKeys) store.MakeKey(key);
  store.SetRoot(kCurrentUser);
  for (const char* key : kUserKeys) store.MakeKey(key);
  store.Close();
}

bool DonationPromptDue(const std::string& stored) { return stored.empty() || stored == "1"; }

void FormCreate(StartupSteps& steps, void* sender, std::string& program_folder) {
  ui::Platform& platform = ui::CurrentPlatform();
  std::exception_ptr error;
  try {
    steps.HideFourthTab();
    program_folder = ProgramFolderOf(platform.ProgramPath());
    const std::string list_file = program_folder + "CLSID.dat";
    if (platform.FileExists(list_file)) steps.LoadClsidList(platform.ReadWholeFile(list_file));
    UpdateReg();
    steps.SetInfo();
    steps.ReadFirst();
    steps.ReadCLSID();
    steps.OHideChange(sender);
  } catch (...) {
    error = std::current_exception();
  }
  try {
    RegisterText(kCurrentUser, kBraskKey, kSupportValue, platform.ProgramPath());
    steps.SetCreditLine(dialogs::kCreditLine);
    if (DonationPromptDue(ReadUserText(kSupportKey, kSupportValue))) steps.ShowDonationPrompt();
  } catch (...) {
    error = std::current_exception();
  }
  if (error) std::rethrow_exception(error);
}

}  // namespace quillet::app
