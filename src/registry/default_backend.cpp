#include "registry/backend.h"

#ifdef _WIN32
#include "registry/win32_backend.h"
#else
#include "registry/memory_backend.h"
#endif

namespace quillet {

namespace {

RegistryBackend& BuiltIn() {
#ifdef _WIN32
  static Win32Backend backend;
#else
  static MemoryBackend backend;
#endif
  return backend;
}

RegistryBackend* g_current = nullptr;

}  // namespace

RegistryBackend& DefaultRegistry() { return g_current ? *g_current : BuiltIn(); }

void SetDefaultRegistry(RegistryBackend* backend) { g_current = backend; }

ScopedRegistry::ScopedRegistry(RegistryBackend& backend) : previous_(g_current) {
  g_current = &backend;
}

ScopedRegistry::~ScopedRegistry() { g_current = previous_; }

}  // namespace quillet
