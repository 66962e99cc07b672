// Joins the page to the main window.
#include <memory>

#include "app/pages.h"
#include "visibility/visibility_sheet.h"

namespace quillet::visibility {
namespace {

class VisibilitySheetPage : public app::SheetPage {
 public:
  explicit VisibilitySheetPage(ui::TTabSheet& sheet) : sheet_(sheet, sheet) {}
  void OHideChange(void*) override { sheet_.Page().OHideChange(); }

 private:
  VisibilitySheet sheet_;
};

}  // namespace

QUILLET_REGISTER_PAGE(kVisibilitySheet, [](app::PageContext& c) -> std::unique_ptr<app::SheetPage> {
  return std::make_unique<VisibilitySheetPage>(c.sheet);
});

}  // namespace quillet::visibility
