// Joins the page to the main window.
#include <memory>

#include "app/pages.h"
#include "builtin/builtin_sheet.h"

namespace quillet::builtin {
namespace {

class BuiltInSheetPage : public app::SheetPage {
 public:
  explicit BuiltInSheetPage(ui::TTabSheet& sheet) : sheet_(sheet, sheet) {}
  void ReadCLSID() override { sheet_.Page().ReadCLSID(); }

 private:
  BuiltInSheet sheet_;
};

}  // namespace
}  // namespace quillet::builtin

std::unique_ptr<quillet::app::SheetPage> quillet::app::MakeBuiltinPage(PageContext& c) {
  return std::make_unique<builtin::BuiltInSheetPage>(c.sheet);
}
