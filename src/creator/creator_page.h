#pragma once
// The "Special Object Creator" page: one special object at a time, named by the CLSID in RFCNum.
// The logic reads and sets its controls through the widget interfaces, reaches the registry
// through the store and the system through the platform services; the Win32 page creates the
// controls and wires its buttons to the handlers below. Errors leave a handler as exceptions.

#include <string>
#include <vector>

#include "registry/change_recorder.h"
#include "ui/platform.h"
#include "ui/widgets.h"

namespace quillet::creator {

struct CreatorControls {
  ui::IComboBox& RFCNum;
  ui::ITextField& RFName;
  ui::ITextField& RFDesc;
  ui::ITextField& RME;
  ui::ICheckBox& STMC;
  ui::ICheckBox& STD;
  ui::ICheckBox& STCP;
  ui::ICheckBox& STNN;
  ui::ITextField& ShellName;
  ui::ITextField& RFCN;
  ui::ITextField& RFPar;
  ui::IListBox& List;
  ui::ILabel& Def;
  ui::ITextField& RFDIcon;
  ui::IIconView& AII;
};

class CreatorPage {
 public:
  // `program_folder` ends with its separator; CLSID.dat lies there.
  CreatorPage(const CreatorControls& controls, std::string program_folder);
  CreatorPage(const CreatorPage&) = delete;
  CreatorPage& operator=(const CreatorPage&) = delete;

  // Hooks the change, key and selection events of the controls to their handlers.
  void Wire();
  // Owner window of the dialogs (an HWND on Windows).
  void SetOwner(void* owner) { owner_ = owner; }

  std::string ListFilePath() const { return program_folder_ + "CLSID.dat"; }

  // CLSID list.
  void LoadList();  // start-up: from CLSID.dat when it exists
  // The list replaced by the lines of a list file's content; the typed text stays.
  void LoadListFrom(const std::string& content);
  void SaveList();
  void CNC();           // fill the page from the registry
  void GenClick();      // "Generate"
  void Button10Click();  // "Scan"
  void Button11Click();  // "X"
  void Button13Click();  // "*"
  void RFDIconKeyPress(ui::ITextField& field, char& key);

  // Create, delete, show.
  void CReg();
  void DReg();
  void VMClick();
  // After an undo or redo: fills the page again when it shows a key that changed.
  void Refresh(const std::vector<RegKeyRef>& changed);

  // Verbs.
  void ReadKeyName();
  void ListClick();
  void Button2Click();   // "Add"
  void Button3Click();   // "Remove"
  void Button1Click();   // "Replace"
  void Button5Click();   // "Set as Default"
  void Button12Click();  // "+"
  void RFPClick();       // "..." for the command
  void ShellNameKeyPress(char& key);

  // Default icon.
  void ReadIcon();
  void FDIClick();     // "..." for the icon
  void Button4Click();  // "Set as Default Icon"

  // The settings of the two file dialogs, as shown.
  ui::FileDialogOptions CommandDialogOptions() const;
  ui::FileDialogOptions IconDialogOptions() const;

 private:
  std::string Clsid() const;
  std::string ClassKey() const;
  // The list replaced by the file's lines; the typed text stays.
  void ReplaceListFromFile();
  // Registers the object in each ticked place and unregisters it from the others.
  void UpdatePlaces(const std::string& clsid);

  CreatorControls c_;
  std::string program_folder_;
  void* owner_ = nullptr;
  // Each dialog starts from the file picked in it last.
  std::string command_dialog_file_;
  std::string icon_dialog_file_;
};

}  // namespace quillet::creator
