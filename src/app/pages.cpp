#include "app/pages.h"

namespace quillet::app {

namespace {
std::vector<PageFactory>& Table() {
  static std::vector<PageFactory> table(4);
  return table;
}
}  // namespace

bool RegisterPage(SheetIndex sheet, PageFactory factory) {
  Table().at(static_cast<size_t>(sheet)) = std::move(factory);
  return true;
}

const std::vector<PageFactory>& RegisteredPages() { return Table(); }

}  // namespace quillet::app
