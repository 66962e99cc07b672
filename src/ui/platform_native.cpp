// Off Windows there is no system to talk to: the portable core runs its tests with a fake platform
// put in place, and reaching for the built-in one is a programming error.
#include <stdexcept>

#include "ui/platform.h"

namespace quillet::ui {

Platform& BuiltInPlatform() {
  throw std::logic_error("no platform services in this build; put one in place first");
}

}  // namespace quillet::ui
