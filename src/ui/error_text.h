#pragma once
#include <string>

namespace quillet::ui {

// The text the error box shows for an error: a full stop is added when the last byte sorts after
// "." (so "Access is denied." stays as it is, while "Failed to create key X" gains one).
std::string ErrorBoxText(const std::string& message);

}  // namespace quillet::ui
