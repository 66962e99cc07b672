#pragma once
// How the four pages join the main window.
//
// A page lives in its own folder as a class built on its tab sheet: its constructor creates the
// page's controls with ui::Make<...>(sheet, &sheet, "Name", {left, top, width, height}) at
// places relative to the sheet, and wires their events to the page's handlers. It derives from
// SheetPage and overrides the start-up steps it owns; the others stay empty. One line in a .cpp
// of the page's Win32 library registers it:
//
//   QUILLET_REGISTER_PAGE(kCreatorSheet, [](PageContext& c) {
//     return std::make_unique<CreatorSheetPage>(c.sheet, c.program_folder);
//   });
//
// The library must be called quillet_<folder>_sheet (quillet_creator_sheet,
// quillet_builtin_sheet, quillet_visibility_sheet, quillet_icons_sheet); the program links it
// whole when the target exists, so the registration needs no other reference.
//
// Start-up calls, in this order and only on pages that override them: LoadClsidList with the
// bytes of CLSID.dat (only when it exists; start-up reads it, so a file that cannot be read ends
// start-up's protected block even before the first page is built), then, after the registry keys are made, SetInfo, ReadFirst, ReadCLSID and
// OHideChange. An exception ends start-up's protected block at that step; it is shown in the
// error box once the window is created. Each main window (the header icon opens more) builds its
// own pages.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/comctrls.h"

namespace quillet::app {

class TQuilletFrm;

enum SheetIndex { kCreatorSheet = 0, kBuiltinSheet = 1, kVisibilitySheet = 2, kIconsSheet = 3 };

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

using PageFactory = std::function<std::unique_ptr<SheetPage>(PageContext&)>;

// Returns true so that it can initialise a static; a later registration for a sheet replaces
// an earlier one.
bool RegisterPage(SheetIndex sheet, PageFactory factory);
// The registered factories by sheet, for the main window.
const std::vector<PageFactory>& RegisteredPages();

#define QUILLET_REGISTER_PAGE_JOIN2(a, b) a##b
#define QUILLET_REGISTER_PAGE_JOIN(a, b) QUILLET_REGISTER_PAGE_JOIN2(a, b)
#define QUILLET_REGISTER_PAGE(sheet, factory)                                                  \
  static const bool QUILLET_REGISTER_PAGE_JOIN(quillet_page_registered_, __LINE__) =           \
      ::quillet::app::RegisterPage(::quillet::app::sheet, factory)

}  // namespace quillet::app
