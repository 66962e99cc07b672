// The cost of the history: each page action that writes the system registry, timed with the
// history recording against the same action with no history, in the same run, in turns. Two
// times with the history: on the action's own thread, which hands the record to the writer and
// goes on (what the user waits for), and until that record is on disk when something waits for it,
// as an undo does (left alone, the writer lets the window paint first and writes a moment later).
// Every key the actions touch is put back afterwards.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench_util.h"
#include "builtin/builtin_objects.h"
#include "builtin/registry_snapshot.h"
#include "creator/special_object.h"
#include "dialogs/donate_logic.h"
#include "registry/history.h"
#include "registry/registry_store.h"
#include "support/fake_pages.h"

using namespace quillet;
namespace fs = std::filesystem;

namespace {

constexpr const char* kId = "{C4EA7E57-0018-4000-8000-00000000BE7C}";
const std::string kExplorer = creator::kExplorerKey;
using testing::kAllPlaces;

// An object as a user keeps one, in every place, with a folder key Show Me takes away.
void MakeObject() {
  testing::MakeSampleObject(kId);
  WriteMachineText(creator::ClassKey(kId) + "\\ShellFolder", "Attributes", "0");
}

void RemoveObject() {
  DeleteKeyAt(kLocalMachine, creator::ClassKey(kId));
  for (const char* place : kAllPlaces) DeleteKeyAt(kLocalMachine, creator::PlaceKey(place, kId));
}

struct Action {
  const char* name;
  std::function<void()> prepare;  // not timed: the state the action changes
  std::function<void()> act;
};

// The Desktop's built-in objects all there or all gone, and the list ticked the other way.
void builtin(testing::FakePages& p, bool there) {
  for (int i = 0; i < p.DList.Count(); ++i) {
    const std::string key = std::string(builtin::kDesktopNameSpace) + "\\" + builtin::BuiltInObjectTable[i].clsid;
    there ? (void)CreateKeyAt(kLocalMachine, key) : (void)DeleteKeyAt(kLocalMachine, key);
    p.DList.SetChecked(i, !there);
  }
}

std::vector<Action> Actions(testing::FakePages& p) {
  auto object = [&p](bool desktop, bool my_computer) {
    p.RFCNum.SetText(kId);
    p.RFName.SetText("Bench");
    p.RFDesc.SetText("tip");
    p.RME.SetText("bye");
    p.STD.SetChecked(desktop);
    p.STMC.SetChecked(my_computer);
    p.STCP.SetChecked(false);
    p.STNN.SetChecked(false);
  };
  auto pick = [&p](const char* verb) {
    p.RFCNum.SetText(kId);
    p.creator_.ReadKeyName();
    p.List.SetItemIndex(p.List.FindExact(verb));
  };
  auto visible = [&p](int root, int flag) {
    WriteDword(root ? kLocalMachine : kCurrentUser, kExplorer + "HideDesktopIcons\\ClassicStartMenu", kId, flag);
    p.US.SetItemIndex(root);
    p.OHide.SetItemIndex(0);
    p.HDO.SetItemIndex(0);
    p.TTA.SetText(kId);
    p.visibility_.OHideChange();
  };
  return {
      {"create_save_new", [] { RemoveObject(); }, [&p, object] { object(true, false), p.creator_.CReg(); }},
      {"create_save_over", [] { RemoveObject(), MakeObject(); }, [&p, object] { object(false, true), p.creator_.CReg(); }},
      {"delete", [] { MakeObject(); }, [&p] { p.RFCNum.SetText(kId), p.creator_.DReg(); }},
      {"show_me", [] { MakeObject(); },
       [&p] { p.RFCNum.SetText(kId), p.creator_.VMClick(); }},
      {"add_verb", [] { RemoveObject(), MakeObject(); },
       [&p] { p.RFCNum.SetText(kId), p.ShellName.SetText("print"), p.RFCN.SetText("&Print"),
              p.RFPar.SetText("print.exe"), p.creator_.Button2Click(); }},
      {"replace_verb", [pick] { RemoveObject(), MakeObject(), pick("edit"); },
       [&p] { p.ShellName.SetText("run"), p.RFCN.SetText("&Run"), p.RFPar.SetText("run.exe"), p.creator_.Button1Click(); }},
      {"remove_verb", [pick] { RemoveObject(), MakeObject(), pick("edit"); }, [&p] { p.creator_.Button3Click(); }},
      {"set_default_verb", [pick] { MakeObject(), pick("open"); }, [&p] { p.creator_.Button5Click(); }},
      {"set_default_icon", [] { RemoveObject(), MakeObject(); },
       [&p, object] { object(true, true), p.RFDIcon.SetText("other.dll,3"), p.creator_.Button4Click(); }},
      // Every row the other way from the registry, each timing from the same state.
      {"apply_builtin_list_add", [&p] { builtin(p, false); }, [&p] { p.builtin_.Apply2Click(); }},
      {"apply_builtin_list_remove", [&p] { builtin(p, true); }, [&p] { p.builtin_.Apply2Click(); }},
      {"add_to_list_hide", [] { RemoveValue(kCurrentUser, kExplorer + "HideDesktopIcons\\ClassicStartMenu", kId); },
       [&p] { p.US.SetItemIndex(0), p.TTA.SetText(kId), p.visibility_.Button7Click(); }},
      {"hide", [visible] { visible(0, 0); }, [&p] { p.visibility_.BHideClick(); }},
      {"show", [visible] { visible(1, 1); }, [&p] { p.visibility_.BShowClick(); }},
      {"remove_from_list", [visible] { visible(0, 1); }, [&p] { p.visibility_.RemClick(); }},
      {"set_icon", [&p] { p.ISP.SetPosition(p.ISP.Position() == 40 ? 41 : 40); },
       [&p] { p.IcNum.SetText("7"), p.Location.SetText("bench.dll," + std::to_string(p.ISP.Position())), p.icons_.BSI(); }},
      {"donation_prompt_choice", [&p] { p.show_box_.SetChecked(!p.show_box_.Checked()); },
       [&p] { dialogs::DonateFormClose(3, p.show_box_); }},
  };
}

// Best times of each action with no history, with the history on the action's thread, and with
// the history until its record is on disk, in turns so that all three meet the same load. The
// writer is done before each timing begins.
void Measure(History& history, int rounds) {
  testing::FakePages pages;
  for (const Action& a : Actions(pages)) {
    // Once untimed, so that every timing finds what the first run leaves (the list file).
    a.prepare();
    a.act();
    double off = 1e9, on = 1e9, on_disk = 1e9;
    for (int i = 0; i < rounds; ++i) {
      a.prepare();
      off = std::min(off, bench::BestOf(1, a.act));
      a.prepare();
      {
        const ScopedHistory recording(history);
        on = std::min(on, bench::BestOf(1, a.act));
      }
      history.Flush();
      a.prepare();
      const ScopedHistory recording(history);
      on_disk = std::min(on_disk, bench::BestOf(1, [&] {
        a.act();
        history.Flush();
      }));
    }
    bench::Report((std::string("history_ui_thread_") + a.name).c_str(), on, off);
    bench::Report((std::string("history_until_record_on_disk_") + a.name).c_str(), on_disk, off);
  }
}

}  // namespace

int main() {
  const fs::path folder = fs::temp_directory_path() / "quillet-history-bench";
  fs::remove_all(folder);
  std::vector<std::unique_ptr<testing::KeySnapshot>> saved;
  for (const char* place : kAllPlaces)
    saved.push_back(std::make_unique<testing::KeySnapshot>(HKEY_LOCAL_MACHINE,
                                                           kExplorer + place + "\\NameSpace"));
  saved.push_back(std::make_unique<testing::KeySnapshot>(HKEY_LOCAL_MACHINE, creator::ClassKey(kId)));
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    saved.push_back(std::make_unique<testing::KeySnapshot>(root, kExplorer + "HideDesktopIcons"));
    saved.push_back(std::make_unique<testing::KeySnapshot>(root, kExplorer + "HideMyComputerIcons"));
  }
  saved.push_back(std::make_unique<testing::KeySnapshot>(HKEY_LOCAL_MACHINE, icons::kShellIconsKey));
  saved.push_back(std::make_unique<testing::KeySnapshot>(HKEY_CURRENT_USER, icons::kWindowMetricsKey));
  saved.push_back(std::make_unique<testing::KeySnapshot>(HKEY_CURRENT_USER, "Brask"));
  for (const char* place : kAllPlaces) CreateKeyAt(kLocalMachine, kExplorer + place + "\\NameSpace");
  CreateKeyAt(kLocalMachine, icons::kShellIconsKey);
  CreateKeyAt(kCurrentUser, icons::kWindowMetricsKey);
  {
    History history((folder / "History").string());
    Measure(history, 25);
  }
  saved.clear();
  fs::remove_all(folder);
  return 0;
}
