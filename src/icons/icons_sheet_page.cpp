// Joins the page to the main window.
#include <memory>

#include "app/pages.h"
#include "icons/icons_sheet.h"

namespace quillet::icons {
namespace {

class IconsSheetPage : public app::SheetPage {
 public:
  explicit IconsSheetPage(ui::TTabSheet& sheet) : sheet_(sheet, sheet) {}
  void SetInfo() override { sheet_.Icons().SetInfo(); }
  void ReadFirst() override { sheet_.Icons().ReadFirst(); }

 private:
  IconsSheet sheet_;
};

}  // namespace

QUILLET_REGISTER_PAGE(kIconsSheet, [](app::PageContext& c) -> std::unique_ptr<app::SheetPage> {
  return std::make_unique<IconsSheetPage>(c.sheet);
});

}  // namespace quillet::icons
