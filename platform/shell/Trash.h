#pragma once
#include <string>

namespace platform::shell {

// Moves files to the user's trash (the freedesktop trash, through GIO), where the file manager
// can put them back.
class Trash {
 public:
  // False with `problem` when the file could not be trashed (a file system without a trash,
  // no rights); the file is then left where it was, never deleted instead.
  static bool moveToTrash(const std::string& path, std::string& problem);
};

}  // namespace platform::shell
