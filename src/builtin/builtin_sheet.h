#pragma once
// The "Built in Special Object" page's window: four check lists in a two-by-two grid, each with
// its label, select buttons and apply button, wired to BuiltInPage.

#include <memory>
#include <vector>

#include "builtin/builtin_page.h"
#include "registry/change_recorder.h"
#include "ui/comctrls.h"
#include "ui/sheet_page.h"
#include "ui/stdctrls.h"

namespace quillet::builtin {

class BuiltInSheet : public ui::SheetPage, public ChangeListener {
 public:
  // Creates the controls on `sheet`; `owner` (the main window) owns them.
  BuiltInSheet(ui::TComponent& owner, ui::TTabSheet& sheet);
  ~BuiltInSheet() override;  // unhooks the controls, which outlive it
  BuiltInSheet(const BuiltInSheet&) = delete;
  BuiltInSheet& operator=(const BuiltInSheet&) = delete;

  BuiltInPage& Page() { return *page_; }
  void ReadCLSID() override { page_->ReadCLSID(); }
  void Refresh(const std::vector<RegKeyRef>& changed) override { page_->Refresh(changed); }

  struct Place {
    ui::TLabel* label;
    ui::TCheckListBox* list;
    ui::TButton* select_all;
    ui::TButton* select_none;
    ui::TButton* invert;
    ui::TButton* apply;
  };
  // In the page's order: My Computer, Desktop, My Network Place, Control Panel.
  Place places[4];

 private:
  std::unique_ptr<BuiltInPage> page_;
};

}  // namespace quillet::builtin
