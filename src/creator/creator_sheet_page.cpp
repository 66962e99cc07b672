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

}  // namespace
}  // namespace quillet::creator

std::unique_ptr<quillet::app::SheetPage> quillet::app::MakeCreatorPage(PageContext& c) {
  return std::make_unique<creator::CreatorSheetPage>(c.sheet, c.program_folder);
}
