#pragma once
// The "Visibility Manager" page's window, wired to VisibilityPage.

#include <memory>
#include <vector>

#include "registry/change_recorder.h"
#include "ui/comctrls.h"
#include "ui/sheet_page.h"
#include "ui/stdctrls.h"
#include "visibility/visibility_page.h"

namespace quillet::visibility {

class VisibilitySheet : public ui::SheetPage, public ChangeListener {
 public:
  VisibilitySheet(ui::TComponent& owner, ui::TTabSheet& sheet);
  ~VisibilitySheet() override;  // unhooks the controls, which outlive it
  VisibilitySheet(const VisibilitySheet&) = delete;
  VisibilitySheet& operator=(const VisibilitySheet&) = delete;

  VisibilityPage& Page() { return *page_; }
  void OHideChange(void* /*sender*/) override { page_->OHideChange(); }
  void Refresh(const std::vector<RegKeyRef>& changed) override { page_->Refresh(changed); }

  ui::TComboBox* US;
  ui::TComboBox* OHide;
  ui::TComboBox* HDO;
  ui::TEdit* TTA;
  ui::TEdit* CCap;
  ui::TButton* Button7;
  ui::TGrid* HList;
  ui::TButton* BHide;
  ui::TButton* BShow;
  ui::TButton* Rem;

 private:
  std::unique_ptr<VisibilityPage> page_;
};

}  // namespace quillet::visibility
