#pragma once
// How the four pages join the main window.
//
// A page lives in its own folder as a class built on its tab sheet: its constructor creates the
// page's controls with ui::Make<...>(sheet, &sheet, "Name", {left, top, width, height}) at
// places relative to the sheet, and wires their events to the page's handlers. It derives from
// SheetPage and overrides the start-up steps it owns; the others stay empty. Its Win32 library
// (quillet_<folder>_sheet) defines the page's factory declared below, and the main window lists
// the four factories in its page table, so a page that is not linked is a link error.
//
// Start-up calls, in this order and only on pages that override them: LoadClsidList with the
// bytes of CLSID.dat (only when it exists; start-up reads it, so a file that cannot be read ends
// start-up's protected block even before the first page is built), then, after the registry keys
// are made, SetInfo, ReadFirst, ReadCLSID and OHideChange. An exception ends start-up's protected
// block at that step; it is shown in the error box once the window is created. Each main window
// (the header icon opens more) builds its own pages.

#include <memory>
#include <string>
#include <vector>

#include "ui/comctrls.h"

namespace quillet::app {

class TQuilletFrm;

struct PageContext {
  TQuilletFrm& form;                  // the main window; its Handle() owns the page's dialogs
  ui::TTabSheet& sheet;               // where the controls go; it owns them
  const std::string& program_folder;  // the executable's folder with its trailing backslash
};

class SheetPage {
 public:
  virtual ~SheetPage() = default;
  virtual void LoadClsidList(const std::string& /*file_content*/) {}
  virtual void SetInfo() {}
  virtual void ReadFirst() {}
  virtual void ReadCLSID() {}
  virtual void OHideChange(void* /*sender*/) {}
};

using PageFactory = std::unique_ptr<SheetPage> (*)(PageContext&);

// Defined by the pages' libraries, one each.
std::unique_ptr<SheetPage> MakeCreatorPage(PageContext& context);
std::unique_ptr<SheetPage> MakeBuiltinPage(PageContext& context);
std::unique_ptr<SheetPage> MakeVisibilityPage(PageContext& context);
std::unique_ptr<SheetPage> MakeIconsPage(PageContext& context);

}  // namespace quillet::app
