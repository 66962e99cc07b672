// What the program says when an exception escapes everything. libstdc++'s own handler demangles
// the exception's type name, and the demangler alone would be a tenth of the program; the mangled
// name tells a developer the same.
#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <typeinfo>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  const std::type_info* type = abi::__cxa_current_exception_type();
  if (type == nullptr) {
    std::fputs("terminate called without an active exception\n", stderr);
    std::abort();
  }
  std::fputs("terminate called after throwing an instance of '", stderr);
  std::fputs(type->name(), stderr);
  std::fputs("'\n", stderr);
  try {
    throw;
  } catch (const std::exception& e) {
    std::fputs("  what():  ", stderr);
    std::fputs(e.what(), stderr);
    std::fputs("\n", stderr);
  } catch (...) {
  }
  std::abort();
}

}  // namespace __gnu_cxx
