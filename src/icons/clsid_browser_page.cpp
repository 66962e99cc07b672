#include "icons/clsid_browser_page.h"

#include <string>
#include <vector>

#include "registry/registry_store.h"
#include "ui/platform.h"

namespace quillet::icons {

ClsidBrowserPage::ClsidBrowserPage(ui::IGrid& CList) : c_list_(CList) {
  c_list_.SetTitles("CLSID", "Caption");
}

void ClsidBrowserPage::GetCLSIDList() {
  NameList names;
  ListSubkeys(kClassesRoot, "CLSID", names);

  // Thousands of classes: the lines go to the grid in one piece, also the ones read before an
  // error, which then goes on to the caller.
  std::vector<std::string> lines;
  lines.reserve(names.size());
  RegistryStore store;
  store.SetRoot(kClassesRoot);
  try {
    for (const std::string& name : names) {
      if (name.empty() || name[0] != '{') continue;
      std::string caption;
      if (store.Open("CLSID\\" + name, false)) {
        caption = store.ReadText("");
        store.Close();
      }
      lines.push_back(name + "=" + caption);
    }
  } catch (...) {
    c_list_.AddLines(lines);
    throw;
  }
  c_list_.AddLines(lines);
}

void ClsidBrowserPage::Button6Click() {
  const int row = c_list_.Selected();
  ui::CurrentPlatform().SetClipboardText(row >= 0 ? c_list_.Name(row) : std::string());
}

void ClsidBrowserPage::Button8Click() {
  const int row = c_list_.Selected();
  ui::CurrentPlatform().SetClipboardText(row >= 0 ? c_list_.Value(row) : std::string());
}

}  // namespace quillet::icons
