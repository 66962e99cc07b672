#pragma once
// The fourth page's window: the class list in its group box, and inside it the shell icon group,
// wired to ClsidBrowserPage and ShellIconsPage.

#include <memory>
#include <vector>

#include "icons/clsid_browser_page.h"
#include "icons/shell_icons_page.h"
#include "registry/change_recorder.h"
#include "ui/comctrls.h"
#include "ui/sheet_page.h"
#include "ui/stdctrls.h"

namespace quillet::icons {

class IconsSheet : public ui::SheetPage, public ChangeListener {
 public:
  // The shell icon group is created invisible.
  IconsSheet(ui::TComponent& owner, ui::TTabSheet& sheet);
  ~IconsSheet() override;  // unhooks the controls, which outlive it
  IconsSheet(const IconsSheet&) = delete;
  IconsSheet& operator=(const IconsSheet&) = delete;

  ClsidBrowserPage& Browser() { return *browser_; }
  ShellIconsPage& Icons() { return *icons_; }
  void SetInfo() override { icons_->SetInfo(); }
  void ReadFirst() override { icons_->ReadFirst(); }
  void Refresh(const std::vector<RegKeyRef>& changed) override { icons_->Refresh(changed); }

  ui::TGroupBox* GroupBox1;
  ui::TGrid* CList;
  ui::TButton* Button9;
  ui::TButton* Button6;
  ui::TButton* Button8;
  ui::TGroupBox* SetGroup;
  ui::TEdit* IcNum;
  ui::TUpDown* INP;
  ui::TLabel* lblInfo;
  ui::TEdit* IsNum;
  ui::TUpDown* ISP;
  ui::TEdit* Location;
  ui::TButton* BtnFind;
  ui::TButton* SI;
  ui::TImage* RebIC;

 private:
  // Whoever replaced the group's handler after us (the skin engine) keeps ours in its chain.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::unique_ptr<ClsidBrowserPage> browser_;
  std::unique_ptr<ShellIconsPage> icons_;
};

}  // namespace quillet::icons
