// The CLSID.dat loader on any bytes: the list it reads, saved and read again, is the same list.
#include <cstdlib>
#include <string>

#include "creator/clsid_list.h"

using namespace quillet::creator;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto entries = ParseClsidList(std::string(reinterpret_cast<const char*>(data), size));
  if (ParseClsidList(FormatClsidList(entries)) != entries) std::abort();
  return 0;
}
