#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace platform::shell {

// The program's desktop entry "sonvia.desktop" in the user's applications folder: what file
// managers and menus start, with the icon, and the file types it is the program for.
class DesktopEntry {
 public:
  static constexpr const char* kId = "sonvia.desktop";
  static constexpr const char* kIconName = "sonvia";

  static std::string userPath();
  // The entry's text; empty when the program's path cannot be written in an Exec line (a
  // newline in it). `mimeTypes` may be empty.
  static std::string text(std::string_view programPath, const std::vector<std::string>& mimeTypes);
  // One argument of an Exec line, quoted when it needs to be and escaped for the entry's string
  // syntax, so that the desktop hands the program exactly these bytes.
  static std::string execArgument(std::string_view argument);
  // The program path of an entry's Exec line as a desktop would start it (empty when none).
  static std::string programOf(std::string_view entryText);
};

}  // namespace platform::shell
