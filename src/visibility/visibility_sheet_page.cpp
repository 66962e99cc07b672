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
}  // namespace quillet::visibility

std::unique_ptr<quillet::app::SheetPage> quillet::app::MakeVisibilityPage(PageContext& c) {
  return std::make_unique<visibility::VisibilitySheetPage>(c.sheet);
}
