#pragma once
#include <string>
#include <string_view>

namespace platform::registry {

// Replaces every %NAME% whose NAME is set in the environment by its value. A name that is not
// set, and a lone "%", stay as they are, so an expandable setting survives a missing variable.
std::u16string expandEnvironment(std::u16string_view text);

}  // namespace platform::registry
