#pragma once
// The class list of the fourth page: every class under HKEY_CLASSES_ROOT\CLSID with its caption,
// and copies of either cell to the clipboard.

#include "ui/widgets.h"

namespace quillet::icons {

class ClsidBrowserPage {
 public:
  explicit ClsidBrowserPage(ui::IGrid& CList);
  ClsidBrowserPage(const ClsidBrowserPage&) = delete;
  ClsidBrowserPage& operator=(const ClsidBrowserPage&) = delete;

  // Appends; what the list held before stays above.
  void GetCLSIDList();
  void Button9Click() { GetCLSIDList(); }
  void Button6Click();  // "Copy CLSI&D"
  void Button8Click();  // "Copy &Caption"

 private:
  ui::IGrid& c_list_;
};

}  // namespace quillet::icons
