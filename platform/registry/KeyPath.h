#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

// The form under which a key or value name is compared: every character upper-cased by the
// Unicode simple mapping, independent of the locale (a Turkish locale must not change which
// key "Software\Pruv" is).
std::string foldName(std::string_view utf8);

// Splits a key path at backslashes. Leading and trailing backslashes are ignored; an empty
// component in the middle ("a\\b") makes the path invalid and returns false.
bool splitKeyPath(std::string_view path, std::vector<std::string>& components);

}  // namespace platform::registry
