// The layers of src/ as the includes draw them: each folder includes only the folders below it,
// and no header reaches itself again through its includes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What each folder of src/ may include besides itself. The toolkit and the skin engine sit below
// the pages and the main window; the pages below the main window.
const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"base", {}},
    {"registry", {"base"}},
    {"ui", {"base"}},
    {"skin", {"base", "ui"}},
    {"creator", {"base", "registry", "ui"}},
    {"builtin", {"base", "registry", "ui"}},
    {"visibility", {"base", "registry", "ui"}},
    {"icons", {"base", "registry", "ui"}},
    {"dialogs", {"base", "registry", "ui"}},
    {"app", {"base", "registry", "ui", "skin", "creator", "builtin", "visibility", "icons", "dialogs"}},
};

// Every source file of src/ (paths relative to it) with the project headers it includes.
std::map<std::string, std::vector<std::string>> Includes() {
  static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::map<std::string, std::vector<std::string>> found;
  for (const auto& entry : fs::recursive_directory_iterator(QUILLET_SOURCE_DIR)) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
    auto& list = found[fs::relative(entry.path(), QUILLET_SOURCE_DIR).generic_string()];
    std::ifstream in(entry.path());
    std::smatch m;
    for (std::string line; std::getline(in, line);)
      if (std::regex_search(line, m, include)) list.push_back(m[1]);
  }
  return found;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find('/')); }

TEST(Layers, EachFolderIncludesOnlyTheFoldersBelowIt) {
  const auto includes = Includes();
  ASSERT_GT(includes.size(), 50u);
  for (const auto& [file, headers] : includes) {
    const std::string folder = FolderOf(file);
    const auto rule = kMayInclude.find(folder);
    if (rule == kMayInclude.end()) {
      if (file.find('/') != std::string::npos) ADD_FAILURE() << "folder " << folder << " has no place in the layers";
      continue;
    }
    for (const std::string& h : headers) {
      const std::string target = FolderOf(h);
      EXPECT_TRUE(target == folder || rule->second.count(target)) << file << " includes " << h;
    }
  }
}

TEST(Layers, NoHeaderIncludesItself) {
  const auto includes = Includes();
  enum class Mark { Open, Done };
  std::map<std::string, Mark> marks;
  std::vector<std::string> path;
  // Depth first; a header met again while still open closes a cycle.
  std::function<void(const std::string&)> visit = [&](const std::string& file) {
    marks[file] = Mark::Open;
    path.push_back(file);
    for (const std::string& h : includes.at(file)) {
      if (!includes.count(h)) continue;  // a system or generated header
      const auto seen = marks.find(h);
      if (seen == marks.end()) {
        visit(h);
      } else if (seen->second == Mark::Open) {
        std::string cycle;
        for (auto it = std::find(path.begin(), path.end(), h); it != path.end(); ++it) cycle += *it + " -> ";
        ADD_FAILURE() << "include cycle: " << cycle << h;
      }
    }
    path.pop_back();
    marks[file] = Mark::Done;
  };
  for (const auto& [file, headers] : includes)
    if (!marks.count(file)) visit(file);
}

}  // namespace
