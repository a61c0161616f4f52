#pragma once
#include <string>
#include <vector>

namespace platform::shell {

// Runs a helper program of the desktop (update-mime-database and the like) from an argument
// vector, never through a shell, and waits for it.
class Spawn {
 public:
  // True when it ran and exited with 0; otherwise `problem` says what happened.
  static bool run(const std::vector<std::string>& argv, std::string& problem);
  // Whether `program` is found on PATH.
  static bool available(const std::string& program);
};

}  // namespace platform::shell
