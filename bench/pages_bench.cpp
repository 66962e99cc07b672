// "Get CLSID List" over 10,000 classes into the real list view, and the visibility refill of a
// hide key with 1,000 values, each against the same reads made straight with advapi32 in the same
// run. Every key and value made here is removed again.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "bench_util.h"

#include "icons/clsid_browser_page.h"
#include "registry/registry_store.h"
#include "support/fake_widgets.h"
#include "support/many_classes.h"
#include "ui/comctrls.h"
#include "ui/forms.h"
#include "visibility/visibility_page.h"

using namespace quillet;

namespace {

constexpr int kClasses = 10000;
constexpr int kHideValues = 1000;
// The names and captions of HKEY_CLASSES_ROOT\CLSID, as lines, with nothing around the calls.
std::vector<std::string> BareClassList() {
  std::vector<std::string> lines;
  HKEY base = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID", 0, KEY_READ, &base) != ERROR_SUCCESS) return lines;
  DWORD count = 0, longest = 0;
  RegQueryInfoKeyA(base, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr);
  std::vector<std::string> names;
  names.reserve(count);
  std::vector<char> name(longest + 1);
  for (DWORD i = 0; i < count; ++i) {
    DWORD length = longest + 1;
    if (RegEnumKeyExA(base, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
      names.emplace_back(name.data(), length);
  }
  RegCloseKey(base);
  lines.reserve(names.size());
  std::vector<BYTE> data(256);
  for (const std::string& n : names) {
    if (n.empty() || n[0] != '{') continue;
    std::string caption;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ("CLSID\\" + n).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
      DWORD type = 0, size = static_cast<DWORD>(data.size());
      LONG r = RegQueryValueExA(key, nullptr, nullptr, &type, data.data(), &size);
      if (r == ERROR_MORE_DATA) {
        data.resize(size);
        r = RegQueryValueExA(key, nullptr, nullptr, &type, data.data(), &size);
      }
      if (r == ERROR_SUCCESS && size > 0)
        caption.assign(reinterpret_cast<char*>(data.data()), strnlen(reinterpret_cast<char*>(data.data()), size));
      RegCloseKey(key);
    }
    lines.push_back(n + "=" + caption);
  }
  return lines;
}

// The hide key's values read as the refill reads them.
std::vector<std::string> BareRefill() {
  std::vector<std::string> lines;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, visibility::kClassicStartMenuKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return lines;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name, type = 0, data = 0, size = sizeof data;
    if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    lines.push_back(std::string(name, length) + (type == REG_DWORD && data ? "=False" : "=True"));
  }
  RegCloseKey(key);
  return lines;
}

// Best times of the baseline and the measured work, run in turns so that both meet the same load.
std::pair<double, double> Paired(int rounds, const std::function<void()>& baseline,
                                 const std::function<void()>& measured) {
  double best_baseline = 1e9, best_measured = 1e9;
  for (int i = 0; i < rounds; ++i) {
    best_baseline = std::min(best_baseline, bench::BestOf(1, baseline));
    best_measured = std::min(best_measured, bench::BestOf(1, measured));
  }
  return {best_baseline, best_measured};
}

}  // namespace

int main() {
  ui::Application().Initialize();
  ui::TForm form(nullptr, "BenchForm");
  form.SetClientSize(700, 500);
  auto& grid = ui::Make<ui::TGrid>(form, &form, "CList", {0, 0, 700, 500});
  grid.HandleNeeded();
  icons::ClsidBrowserPage browser(grid);

  testing::RemoveManyClasses(kClasses);
  testing::MakeManyClasses(kClasses);
  const std::size_t expected = BareClassList().size();
  browser.GetCLSIDList();
  if (static_cast<std::size_t>(grid.RowCount()) != expected || expected < kClasses) {
    std::fprintf(stderr, "the class list did not read back (%d rows, %zu expected)\n", grid.RowCount(), expected);
    testing::RemoveManyClasses(kClasses);
    return 1;
  }
  volatile std::size_t sink = 0;
  auto bare_list = [&] { sink = sink + BareClassList().size(); };
  const auto [bare, fill] = Paired(5, bare_list, [&] {
    grid.Clear();
    browser.GetCLSIDList();
  });
  // The press again with two lists' worth already shown: the cost per row must not grow.
  grid.Clear();
  browser.GetCLSIDList();
  browser.GetCLSIDList();
  const auto [bare_again, again] = Paired(3, bare_list, [&] { browser.GetCLSIDList(); });
  std::printf("classes listed: %zu\n", expected);
  bench::Report("get_clsid_list_10000_classes", fill, bare);
  bench::Report("get_clsid_list_onto_20000_rows", again, bare_again);
  grid.Clear();
  testing::RemoveManyClasses(kClasses);

  // The refill of a hide key holding 1,000 values, half of them hidden.
  const bool had_key = KeyExistsAt(kCurrentUser, visibility::kClassicStartMenuKey);
  for (int i = 0; i < kHideValues; ++i) WriteDword(kCurrentUser, visibility::kClassicStartMenuKey, testing::ManyClassId(i), i % 2);
  testing::FakeComboBox us, o_hide, hdo;
  testing::FakeEdit tta, c_cap;
  auto& list = ui::Make<ui::TGrid>(form, &form, "HList", {0, 0, 700, 500});
  list.HandleNeeded();
  visibility::VisibilityPage page(us, o_hide, hdo, tta, c_cap, list);
  const auto [bare_refill, refill] =
      Paired(10, [&] { sink = sink + BareRefill().size(); }, [&] { page.OHideChange(); });
  const bool listed = list.RowCount() >= kHideValues;
  for (int i = 0; i < kHideValues; ++i) RemoveValue(kCurrentUser, visibility::kClassicStartMenuKey, testing::ManyClassId(i));
  if (!had_key) DeleteKeyAt(kCurrentUser, visibility::kClassicStartMenuKey);
  if (!listed) {
    std::fprintf(stderr, "the hide values did not read back\n");
    return 1;
  }
  bench::Report("visibility_refill_1000_values", refill, bare_refill);
  return 0;
}
