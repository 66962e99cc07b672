#pragma once
// A main window stand-in for the pages' Wine tests: a form of the main window's size with its
// page control and four sheets, message pumping, and a screenshot of what the screen shows.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "support/wait.h"
#include "ui/comctrls.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"

namespace quillet::testing {

class SheetHarness {
 public:
  SheetHarness() {
    ui::Application().Initialize();
    form = std::make_unique<ui::TForm>(nullptr, "QuilletFrm");
    form->SetCaption("Quillet");
    form->SetClientSize(711, 569);
    form->SetBounds({20, 20, form->Width(), form->Height()});
    pages = &ui::Make<ui::TPageControl>(*form, form.get(), "PageControl1", {0, 49, 713, 520});
    creator = &pages->AddPage("TabSheet1", "Special Object Creator");
    builtin = &pages->AddPage("TabSheet2", "Built in Special Object");
    visibility = &pages->AddPage("TabSheet3", "Visibility Manager");
    fourth = &pages->AddPage("TabSheet5", "Sheet [&4]");
    ui::Application().error_box_hook = [this](const std::string& text) { errors.push_back(text); };
  }
  ~SheetHarness() { ui::Application().error_box_hook = nullptr; }

  void Show(ui::TTabSheet* page) {
    pages->SetActivePage(page);
    form->Show();
    Pump();
  }
  // Handles the messages that showing and painting bring, until none is left.
  static void Pump() { Drain(); }
  // Where a control's window stands on its parent.
  static RECT PlaceOf(ui::TWinControl& c) {
    RECT r;
    GetWindowRect(c.Handle(), &r);
    MapWindowPoints(nullptr, GetParent(c.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  // Names of the windowed children of a parent in their z order, which is the tab order.
  static std::vector<std::string> ChildOrder(ui::TWinControl& parent) {
    std::vector<std::string> names;
    for (HWND h = GetWindow(parent.Handle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
      if (ui::TWinControl* c = ui::TWinControl::FromHandle(h)) names.push_back(c->Name());
    return names;
  }

  // With QUILLET_SHOTS set to a folder, saves the form as the screen shows it as <name>.bmp.
  void Shot(const std::string& name) {
    const char* folder = std::getenv("QUILLET_SHOTS");
    if (!folder || !*folder) return;
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Pump();
    RECT r;
    GetWindowRect(form->Handle(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    const int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * h);
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
      std::fwrite(&fh, sizeof fh, 1, f);
      std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
      std::fwrite(bits, static_cast<size_t>(stride * h), 1, f);
      std::fclose(f);
    }
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
  }

  std::unique_ptr<ui::TForm> form;
  ui::TPageControl* pages;
  ui::TTabSheet* creator;
  ui::TTabSheet* builtin;
  ui::TTabSheet* visibility;
  ui::TTabSheet* fourth;
  std::vector<std::string> errors;  // what the error box would have shown
};

// What a report list view shows, read from the control itself.
inline int ListViewRows(HWND list) {
  return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

inline std::string ListViewCell(HWND list, int row, int column) {
  char text[260] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

}  // namespace quillet::testing
