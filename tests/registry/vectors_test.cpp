#include <gtest/gtest.h>

#include <memory>

#include "registry/memory_backend.h"
#include "registry/registry_store.h"
#include "registry/vectors.h"
#ifdef _WIN32
#include "registry/win32_backend.h"
#endif

namespace quillet::testing {
namespace {

enum class Target { Memory, System };

std::string TargetName(Target t) { return t == Target::Memory ? "Memory" : "System"; }

class RegistryVectorTest
    : public ::testing::TestWithParam<std::tuple<Target, size_t>> {};

TEST_P(RegistryVectorTest, AnswersAsTheRegistryDoes) {
  const auto [target, index] = GetParam();
  const RegistryVector& v = RegistryVectors()[index];
  std::unique_ptr<RegistryBackend> backend;
  if (target == Target::Memory) {
    backend = std::make_unique<MemoryBackend>();
  } else {
#ifdef _WIN32
    if (v.skip_on_wine_registry) GTEST_SKIP() << "Wine's registry answers differently here";
    backend = std::make_unique<Win32Backend>();
#endif
  }
  ScopedRegistry scope(*backend);
  const std::string base = std::string("QuilletVectors\\") + v.name;
  const std::string keys = (v.classes ? "Software\\Classes\\" : "Software\\") + base;
  for (RegRoot hive : {kLocalMachine, kCurrentUser}) {
    DeleteKeyAt(hive, keys);
    if (!v.classes) CreateKeyAt(hive, keys);
  }
  v.run(v.classes ? base : keys);
  DeleteKeyAt(kLocalMachine, keys);
  DeleteKeyAt(kCurrentUser, keys);
}

std::vector<Target> Targets() {
#ifdef _WIN32
  return {Target::Memory, Target::System};
#else
  return {Target::Memory};
#endif
}

INSTANTIATE_TEST_SUITE_P(
    All, RegistryVectorTest,
    ::testing::Combine(::testing::ValuesIn(Targets()),
                       ::testing::Range<size_t>(0, RegistryVectors().size())),
    [](const ::testing::TestParamInfo<std::tuple<Target, size_t>>& info) {
      return TargetName(std::get<0>(info.param)) + "_" +
             RegistryVectors()[std::get<1>(info.param)].name;
    });

}  // namespace
}  // namespace quillet::testing
