#pragma once
// What the main window does while it is being created, and the registry keys it makes sure of.
// Portable, so that the order of the steps and their failures are tested without windows.

#include <string>

namespace quillet::app {

// The number this program gives the donation prompt, and the value name it stands for.
inline constexpr int kDialogNumber = 3;
inline constexpr char kBraskKey[] = "Brask";
inline constexpr char kSupportKey[] = "Brask\\Support";
inline constexpr char kSupportValue[] = "03";

// The calls start-up makes into the window and its pages. A page that has not been built yet
// leaves its steps doing nothing.
class StartupSteps {
 public:
  virtual ~StartupSteps() = default;
  virtual void HideFourthTab() = 0;
  // With the bytes of CLSID.dat; only called when the file exists and could be read.
  virtual void LoadClsidList(const std::string& file_content) = 0;
  virtual void SetInfo() = 0;
  virtual void ReadFirst() = 0;
  virtual void ReadCLSID() = 0;
  virtual void OHideChange(void* sender) = 0;
  virtual void SetCreditLine(const std::string& text) = 0;
  virtual void ShowDonationPrompt() = 0;  // as the "Donate" button does, modal
};

// The folder of an executable path with its trailing backslash ("C:\a\b.exe" -> "C:\a\").
std::string ProgramFolderOf(const std::string& exe_path);

// Creates the keys the pages rely on, in a fixed order; the first failure ends it.
void UpdateReg();

// The main window's creation handler. `program_folder` receives the executable's folder. Steps 1
// to 8 stop at their first error; the closing steps (registration, credit line, donation
// decision) run all the same. At most one error leaves: the closing steps' own, or else the
// earlier one.
void FormCreate(StartupSteps& steps, void* sender, std::string& program_folder);

// Whether the stored choice asks for the prompt at start: "1" or nothing does.
bool DonationPromptDue(const std::string& stored);

}  // namespace quillet::app
