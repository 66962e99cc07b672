// Joins the creator page to the main window's first tab.
#include <memory>
#include <string>

#include "app/pages.h"
#include "creator/creator_sheet.h"

namespace quillet::creator {
namespace {

class CreatorSheetPage : public app::SheetPage {
 public:
  CreatorSheetPage(ui::TTabSheet& sheet, const std::string& program_folder) : sheet_(sheet, program_folder) {}
  void LoadClsidList(const std::string& file_content) override { sheet_.Logic().LoadListFrom(file_content); }

 private:
  TCreatorSheet sheet_;
};

QUILLET_REGISTER_PAGE(kCreatorSheet, [](app::PageContext& c) -> std::unique_ptr<app::SheetPage> {
  return std::make_unique<CreatorSheetPage>(c.sheet, c.program_folder);
});

}  // namespace
}  // namespace quillet::creator
