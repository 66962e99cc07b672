#pragma once
// Registry key paths: key names between backslashes. Empty names (from doubled, leading or
// trailing backslashes) are skipped, as the registry's own calls skip them.

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// The key names of a path, in order; they point into `path`.
std::vector<std::string_view> SplitKeyPath(std::string_view path);

// Drops empty components: "a\\\\b\\" becomes "a\\b".
std::string NormalizeRegPath(std::string_view path);

}  // namespace quillet
