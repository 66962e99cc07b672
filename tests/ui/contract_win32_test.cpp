// The contract run against the Win32 controls.
#include <windows.h>

#include <memory>

#include "ui/comctrls.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"
#include "ui/widget_contract.h"

namespace quillet::testing {
namespace {

using namespace quillet::ui;

struct Win32Env {
  std::unique_ptr<TForm> form;
  TComboBox* combo;
  TEdit* edit;
  TListBox* list;
  TCheckBox* check;
  TCheckListBox* check_list;
  TGrid* grid;
  TEdit* updown_edit;
  TUpDown* updown;
  TLabel* label;
  TImage* image;

  Win32Env() {
    Application().Initialize();
    form = std::make_unique<TForm>(nullptr, "ContractForm");
    form->SetClientSize(600, 400);
    form->HandleNeeded();
    TForm& f = *form;
    combo = &Make<TComboBox>(f, &f, "Combo", {10, 10, 200, 21});
    edit = &Make<TEdit>(f, &f, "Edit", {10, 40, 200, 21});
    list = &Make<TListBox>(f, &f, "List", {10, 70, 200, 80});
    check = &Make<TCheckBox>(f, &f, "Check", {10, 160, 200, 17});
    check_list = &Make<TCheckListBox>(f, &f, "CheckList", {220, 10, 300, 100});
    grid = &Make<TGrid>(f, &f, "Grid", {220, 120, 300, 200});
    updown_edit = &Make<TEdit>(f, &f, "UpDownEdit", {10, 190, 60, 21});
    updown = &Make<TUpDown>(f, &f, "UpDown", {70, 190, 16, 21});
    updown->SetAssociate(updown_edit);
    label = &Make<TLabel>(f, &f, "Label", {10, 220, 200, 13});
    image = &Make<TImage>(f, &f, "Image", {10, 240, 32, 32});
  }

  IComboBox& Combo() { return *combo; }
  ITextField& Edit() { return *edit; }
  IListBox& ListBox() { return *list; }
  ICheckBox& CheckBox() { return *check; }
  ICheckList& CheckList() { return *check_list; }
  IGrid& Grid() { return *grid; }
  IUpDown& UpDown() { return *updown; }
  ILabel& Label() { return *label; }
  IIconView& IconView() { return *image; }
  void* SomeIcon() { return CopyIcon(LoadIcon(nullptr, IDI_APPLICATION)); }

  static void Type(HWND h, const std::string& s) {
    for (char c : s) SendMessageA(h, WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  static void KeyDown(HWND h, WPARAM vk) {
    SendMessageA(h, WM_KEYDOWN, vk, 1);
    SendMessageA(h, WM_KEYUP, vk, 0xC0000001);
  }
  void TypeIntoCombo(const std::string& s) { Type(combo->EditHandle(), s); }
  // The arrow key in the closed combo box steps to the next entry, as a user picks one.
  void PickInCombo(int i) {
    SendMessageA(combo->Handle(), CB_SETCURSEL, static_cast<WPARAM>(i - 1), 0);
    KeyDown(combo->EditHandle(), VK_DOWN);
  }
  void TypeIntoEdit(const std::string& s) { Type(edit->Handle(), s); }
  void UserSelectListItem(int i) {
    list->SetItemIndex(i - 1);
    KeyDown(list->Handle(), VK_DOWN);
  }
  void ClickCheckBox() { SendMessageA(check->Handle(), BM_CLICK, 0, 0); }
  void UserSelectGridRow(int r) {
    grid->SetSelected(r - 1);
    KeyDown(grid->Handle(), VK_DOWN);
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WidgetContract, Win32Env);

}  // namespace
}  // namespace quillet::testing
