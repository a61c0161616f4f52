#pragma once
#include <string>

namespace s::file {

// Opens what a song or list path names for reading, only when it is a regular file (links
// followed). A FIFO would block the open until a writer comes and a device (/dev/zero, a
// terminal) never ends, so both are turned away before any byte is read; the open itself never
// waits for a writer.
class RegularFile {
 public:
  // A descriptor for reading (close-on-exec, blocking reads), or -1 with `error` (optional)
  // set to the reason in English ("No such file or directory", "not a regular file").
  static int openForReading(const std::string& name, std::string* error);
};

}  // namespace s::file
