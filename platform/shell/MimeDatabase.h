#pragma once
#include <string>
#include <string_view>

namespace platform::shell {

// The user's part of the shared MIME database ($XDG_DATA_HOME/mime): packages of our own types
// are put in, or taken out, and the database is rebuilt so that every program sees the change.
class MimeDatabase {
 public:
  static std::string userFolder();
  // Writes `packageXml` as packages/NAME.xml and rebuilds; false with `problem` on failure.
  static bool install(std::string_view name, std::string_view packageXml, std::string& problem);
  // Removes packages/NAME.xml and rebuilds; nothing to do is success.
  static bool remove(std::string_view name, std::string& problem);
  // The type of the file as the desktop's file managers see it (GIO: name, then contents).
  static std::string typeOfFile(const std::string& path);

 private:
  static bool rebuild(std::string& problem);
};

}  // namespace platform::shell
