#include "ui/platform.h"

#include <stdexcept>

namespace quillet::ui {

Platform& BuiltInPlatform();  // the system's, defined per build

namespace {
Platform* g_current = nullptr;
}

Platform& CurrentPlatform() { return g_current ? *g_current : BuiltInPlatform(); }

void SetCurrentPlatform(Platform* platform) { g_current = platform; }

}  // namespace quillet::ui
