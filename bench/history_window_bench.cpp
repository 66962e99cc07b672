// The cost of the history as the user meets it: a click on a page's button of the real, skinned
// main window until the window has painted what changed, with the history recording against none,
// in turns in the same run, on the system registry. The record's writer is done before each
// click; it writes after the painting, as in the program. Every key the clicks touch is put back.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/history_menu.h"
#include "app/main_form.h"
#include "bench_util.h"
#include "builtin/builtin_objects.h"
#include "builtin/registry_snapshot.h"
#include "creator/special_object.h"
#include "registry/history.h"
#include "registry/registry_store.h"
#include "support/fake_platform.h"
#include "support/sample_object.h"
#include "support/skin_run.h"
#include "ui/stdctrls.h"
#include "visibility/visibility_page.h"

using namespace quillet;
namespace fs = std::filesystem;

namespace {

constexpr const char* kId = "{C4EA7E57-0018-4000-8000-00000000BE7D}";
const std::string kExplorer = creator::kExplorerKey;
using testing::kAllPlaces;

void MakeObject() {
  DeleteKeyAt(kLocalMachine, creator::ClassKey(kId));
  testing::MakeSampleObject(kId);
}

template <class T>
T& Control(ui::TTabSheet& sheet, const char* name) {
  return *dynamic_cast<T*>(sheet.FindComponent(name));
}

// A click as the button sends it, and the painting it calls for.
void Click(app::TQuilletFrm& form, ui::TTabSheet& sheet, const char* button) {
  const HWND b = Control<ui::TButton>(sheet, button).Handle();
  SendMessageA(GetParent(b), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED), reinterpret_cast<LPARAM>(b));
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The CLSID as typed: the text, then the notice the combo box gives for typing, which fills the page.
void Choose(ui::TTabSheet& sheet, const std::string& clsid) {
  auto& combo = Control<ui::TComboBox>(sheet, "RFCNum");
  combo.SetText(clsid);
  const HWND h = combo.Handle();
  SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_EDITCHANGE), reinterpret_cast<LPARAM>(h));
}

struct Action {
  const char* name;
  ui::TTabSheet* page;
  std::function<void()> prepare;
  const char* button;
};

}  // namespace

int main() {
  testing::FakePlatform platform;  // answers the confirmation of Delete
  testing::ScopedPlatform platform_scope(platform);
  std::vector<std::unique_ptr<testing::KeySnapshot>> saved;
  for (const char* place : kAllPlaces)
    saved.push_back(std::make_unique<testing::KeySnapshot>(HKEY_LOCAL_MACHINE, kExplorer + place + "\\NameSpace"));
  saved.push_back(std::make_unique<testing::KeySnapshot>(HKEY_LOCAL_MACHINE, creator::ClassKey(kId)));
  saved.push_back(std::make_unique<testing::KeySnapshot>(HKEY_CURRENT_USER, kExplorer + "HideDesktopIcons"));
  for (const char* place : kAllPlaces) CreateKeyAt(kLocalMachine, kExplorer + place + "\\NameSpace");

  ui::TApplication& app = ui::Application();
  app.Initialize();
  auto& form = app.CreateForm<app::TQuilletFrm>(&app.Root());
  form.Show();
  testing::PumpUntil([&] { return testing::AnswersSkinned(form.Handle()); });
  ui::TTabSheet &creator = *form.TabSheet1, &builtin = *form.TabSheet2, &visibility = *form.TabSheet3;

  auto object = [&](bool desktop, bool my_computer) {
    MakeObject();
    Choose(creator, kId);
    Control<ui::TEdit>(creator, "RFName").SetText("Bench");
    Control<ui::TEdit>(creator, "RME").SetText("bye");
    Control<ui::TCheckBox>(creator, "STD").SetChecked(desktop);
    Control<ui::TCheckBox>(creator, "STMC").SetChecked(my_computer);
  };
  auto verb = [&](const char* name) {
    object(true, true);
    auto& list = Control<ui::TListBox>(creator, "List");
    list.SetItemIndex(list.FindExact(name));
  };
  auto flag = [&](int value) {
    WriteDword(kCurrentUser, visibility::kClassicStartMenuKey, kId, value);
    Control<ui::TEdit>(visibility, "TTA").SetText(kId);
  };
  // The Desktop's built-in objects all there or all gone, and the list ticked the other way.
  auto builtins = [&](bool there) {
    auto& list = Control<ui::TCheckListBox>(builtin, "DList");
    for (int i = 0; i < list.Count(); ++i) {
      const std::string key = std::string(builtin::kDesktopNameSpace) + "\\" + builtin::BuiltInObjectTable[i].clsid;
      there ? (void)CreateKeyAt(kLocalMachine, key) : (void)DeleteKeyAt(kLocalMachine, key);
      list.SetChecked(i, !there);
    }
  };
  const Action actions[] = {
      {"create_save", &creator, [&] { object(false, true); }, "btnCreate"},
      {"add_verb", &creator,
       [&] {
         object(true, true);
         Control<ui::TEdit>(creator, "ShellName").SetText("print");
         Control<ui::TEdit>(creator, "RFCN").SetText("&Print");
       },
       "Button2"},
      {"remove_verb", &creator, [&] { verb("edit"); }, "Button3"},
      {"set_default_verb", &creator, [&] { verb("open"); }, "Button5"},
      {"set_default_icon", &creator,
       [&] { object(true, false), Control<ui::TEdit>(creator, "RFDIcon").SetText("other.dll,2"); }, "Button4"},
      {"delete", &creator, [&] { object(true, true); }, "Delete"},
      {"apply_builtin_list_add", &builtin, [&] { builtins(false); }, "Apply2"},
      {"apply_builtin_list_remove", &builtin, [&] { builtins(true); }, "Apply2"},
      {"hide", &visibility, [&] { flag(0); }, "BHide"},
      {"show", &visibility, [&] { flag(1); }, "BShow"},
      {"remove_from_list", &visibility, [&] { flag(1); }, "Rem"},
  };

  const fs::path folder = fs::temp_directory_path() / "quillet-history-window-bench";
  fs::remove_all(folder);
  {
    History history(folder.string());
    // As the program keeps its menus and hears from the writer.
    history.on_change = app::UpdateHistoryMenus;
    history.on_written = app::PostHistoryWritten;
    for (const Action& a : actions) {
      form.PageControl1->SetActivePage(a.page);
      testing::Pump(200);
      // Once untimed, so that both timings find what the first click leaves (the list file).
      a.prepare();
      Click(form, *a.page, a.button);
      double off = 1e9, on = 1e9;
      for (int i = 0; i < 15; ++i) {
        a.prepare();
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        off = std::min(off, bench::BestOf(1, [&] { Click(form, *a.page, a.button); }));
        a.prepare();
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        const ScopedHistory recording(history);
        on = std::min(on, bench::BestOf(1, [&] { Click(form, *a.page, a.button); }));
        history.Flush();
      }
      bench::Report((std::string("history_click_to_painted_") + a.name).c_str(), on, off);
    }
  }
  app.DestroyForms();
  saved.clear();
  fs::remove_all(folder);
  return 0;
}
