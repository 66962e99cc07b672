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
}  // namespace quillet::icons

std::unique_ptr<quillet::app::SheetPage> quillet::app::MakeIconsPage(PageContext& c) {
  return std::make_unique<icons::IconsSheetPage>(c.sheet);
}
