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

QUILLET_REGISTER_PAGE(kBuiltinSheet, [](app::PageContext& c) -> std::unique_ptr<app::SheetPage> {
  return std::make_unique<BuiltInSheetPage>(c.sheet);
});

}  // namespace quillet::builtin
