#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform::shell {

// The user's choice of program per file type: the "[Default Applications]" group of
// mimeapps.list in $XDG_CONFIG_HOME. Edits change that one key and keep every other line
// (comments, other groups, other types) as it was.
class MimeAppsList {
 public:
  static std::string userPath();

  // The raw value of `mimeType` in the group ("a.desktop;b.desktop;"), or nullopt when the
  // user has no entry for it.
  static std::optional<std::string> defaultIn(std::string_view text, std::string_view mimeType);
  // `text` with the entry set to `value`, or removed for nullopt (the group is made when
  // missing).
  static std::string withDefault(std::string_view text, std::string_view mimeType,
                                 const std::optional<std::string>& value);
  // The first desktop id of a raw value.
  static std::string firstId(std::string_view value);

  // Reads and rewrites the user's file (whole or not at all); false with `problem` on failure.
  static std::optional<std::string> readUserDefault(std::string_view mimeType);
  static bool setUserDefault(std::string_view mimeType, const std::optional<std::string>& value,
                             std::string& problem);
};

}  // namespace platform::shell
