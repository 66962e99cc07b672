// The fill of the creator page for an object with 20 verbs registered in all four places, through
// the store over the system registry, against the same reads made straight with advapi32.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench_util.h"

#include "creator/creator_page.h"
#include "creator/special_object.h"
#include "registry/registry_store.h"
#include "support/fake_platform.h"
#include "support/fake_widgets.h"

using namespace quillet;
using namespace quillet::creator;

namespace {

constexpr const char* kId = "{C4EA7E57-00BE-4000-8000-00000000C4EA}";
constexpr int kVerbs = 20;

void MakeObject() {
  const std::string k = ClassKey(kId);
  WriteMachineText(k, "", "Bench Object");
  WriteMachineText(k, "InfoTip", "twenty verbs");
  WriteMachineText(k + "\\Shell", "", "verb07");
  for (int i = 0; i < kVerbs; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "verb%02d", i);
    WriteMachineText(k + "\\Shell\\" + name, "", std::string("&") + name);
    WriteMachineText(k + "\\Shell\\" + name + "\\Command", "", std::string(name) + ".exe %1");
  }
  WriteMachineText(k + "\\DefaultIcon", "", "shell32.dll,3");
  for (const char* place : {kMyComputer, kDesktop, kControlPanel, kNetworkNeighborhood})
    WriteMachineText(PlaceKey(place, kId), "Removal Message", "");
}

void RemoveObject() {
  DeleteKeyAt(kLocalMachine, ClassKey(kId));
  for (const char* place : {kMyComputer, kDesktop, kControlPanel, kNetworkNeighborhood})
    DeleteKeyAt(kLocalMachine, PlaceKey(place, kId));
}

// One query into a buffer big enough for these values: the least a reader can do.
std::string BareText(const std::string& path, const char* name) {
  HKEY key = nullptr;
  std::string out;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return out;
  char data[512];
  DWORD type = 0, size = sizeof data;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS)
    out.assign(data, strnlen(data, size));
  RegCloseKey(key);
  return out;
}

bool BareExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// The fill's reads, in its order, with nothing around them.
std::size_t BareFill() {
  const std::string k = ClassKey(kId);
  std::size_t seen = 0;
  seen += BareText(k, "").size();
  seen += BareText(k, "InfoTip").size();
  const std::string verb = BareText(k + "\\Shell", "");
  seen += BareText(k + "\\Shell\\" + verb, "").size();
  seen += BareText(k + "\\Shell\\" + verb + "\\Command", "").size();
  seen += BareText(k + "\\DefaultIcon", "").size();
  for (const char* place : {kDesktop, kControlPanel, kMyComputer, kNetworkNeighborhood})
    seen += BareExists(PlaceKey(place, kId));
  HKEY shell = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (k + "\\Shell").c_str(), 0, KEY_ALL_ACCESS, &shell) == ERROR_SUCCESS) {
    DWORD count = 0, longest = 0;
    RegQueryInfoKeyA(shell, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    std::vector<char> name(longest + 1);
    for (DWORD i = 0; i < count; ++i) {
      DWORD length = longest + 1;
      if (RegEnumKeyExA(shell, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
        seen += length;
    }
    RegCloseKey(shell);
  }
  return seen;
}

// Seconds per call over one round of `runs` calls.
double PerCall(const std::function<void()>& call, int runs) {
  return bench::BestOf(1, [&] {
    for (int i = 0; i < runs; ++i) call();
  }) / runs;
}

}  // namespace

int main() {
  testing::FakePlatform platform;
  testing::ScopedPlatform platform_scope(platform);
  testing::FakeComboBox RFCNum;
  testing::FakeEdit RFName, RFDesc, RME, ShellName, RFCN, RFPar, RFDIcon;
  testing::FakeCheckBox STMC, STD, STCP, STNN;
  testing::FakeListBox List;
  testing::FakeLabel Def;
  testing::FakeIconView AII;
  CreatorPage page({RFCNum, RFName, RFDesc, RME, STMC, STD, STCP, STNN, ShellName, RFCN, RFPar, List,
                    Def, RFDIcon, AII},
                   platform.Folder() + "\\");
  page.Wire();

  RemoveObject();
  MakeObject();
  RFCNum.SetText(kId);
  page.CNC();
  if (List.Count() != kVerbs || !STNN.Checked() || RFCN.Text() != "&verb07") {
    std::fprintf(stderr, "the object did not read back\n");
    return 1;
  }
  volatile std::size_t sink = 0;
  // Rounds of the two alternate, so both see the same state of the machine and the server.
  double bare = 1e9, fill = 1e9;
  for (int round = 0; round < 15; ++round) {
    bare = std::min(bare, PerCall([&] { sink = sink + BareFill(); }, 50));
    fill = std::min(fill, PerCall([&] { page.CNC(); }, 50));
  }
  // Typing the CLSID character by character: one fill per character, against 38 bare full fills.
  const double typing = bench::BestOf(15, [&] {
    RFCNum.SetText("");
    RFCNum.Type(kId);
  });
  RemoveObject();

  bench::Report("creator_fill_20_verbs_4_places", fill, bare);
  bench::Report("creator_typing_38_char_clsid", typing, 38 * bare);
  return 0;
}
