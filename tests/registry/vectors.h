#pragma once
// One table of registry cases, run against every backend: the memory tree natively, and both the
// memory tree and the real registry under Wine, so the memory tree is held to the real answers.

#include <functional>
#include <string>
#include <vector>

#include "registry/backend.h"

namespace quillet::testing {

struct RegistryVector {
  const char* name;
  // Runs the case on the default backend below `base` (a fresh key path under HKEY_CURRENT_USER
  // and HKEY_LOCAL_MACHINE alike). Fails through gtest assertions.
  std::function<void(const std::string& base)> run;
  // Where Wine's registry answers differently from Windows, the case is kept off that target.
  bool skip_on_wine_registry = false;
  // The case works on HKEY_CLASSES_ROOT: `base` is then its path there, and the case's keys in
  // each hive are under Software\Classes\<base>.
  bool classes = false;
};

const std::vector<RegistryVector>& RegistryVectors();

}  // namespace quillet::testing
