#include "registry/key_path.h"

namespace quillet {

std::vector<std::string_view> SplitKeyPath(std::string_view path) {
  std::vector<std::string_view> names;
  size_t i = 0;
  while (i < path.size()) {
    size_t end = path.find('\\', i);
    if (end == std::string_view::npos) end = path.size();
    if (end > i) names.push_back(path.substr(i, end - i));
    i = end + 1;
  }
  return names;
}

std::string NormalizeRegPath(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (std::string_view name : SplitKeyPath(path)) {
    if (!out.empty()) out += '\\';
    out += name;
  }
  return out;
}

}  // namespace quillet
