#pragma once
// What a page of the main window answers to: the start-up steps it owns.
//
// A page lives in its own folder as a class built on its tab sheet: its constructor creates the
// page's controls with ui::Make<...>(sheet, &sheet, "Name", {left, top, width, height}) at
// places relative to the sheet, and wires their events to the page's handlers. It derives from
// SheetPage and overrides the start-up steps it owns; the others stay empty. The main window
// builds its pages in the page control's order and knows them only through this interface.
//
// Start-up calls, in this order and only on pages that override them: LoadClsidList with the
// bytes of CLSID.dat (only when it exists; start-up reads it, so a file that cannot be read ends
// start-up's protected block even before the first page is built), then, after the registry keys
// are made, SetInfo, ReadFirst, ReadCLSID and OHideChange. An exception ends start-up's protected
// block at that step; it is shown in the error box once the window is created. Each main window
// (the header icon opens more) builds its own pages.

#include <string>

namespace quillet::ui {

class SheetPage {
 public:
  virtual ~SheetPage() = default;
  virtual void LoadClsidList(const std::string& /*file_content*/) {}
  virtual void SetInfo() {}
  virtual void ReadFirst() {}
  virtual void ReadCLSID() {}
  virtual void OHideChange(void* /*sender*/) {}
};

}  // namespace quillet::ui
