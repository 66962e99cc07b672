// `quillet-skin`: look into, take apart and put together skin files.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quillet::skintool {

// Runs one command ("info FILE", "unpack FILE DIR", "pack DIR FILE"); returns the exit code. The
// gallery is the Windows program's own; here it is only refused.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quillet::skintool
