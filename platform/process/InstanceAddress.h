#pragma once
#include <sys/types.h>

#include <string>

namespace platform::process {

// Where the running instance of one program file listens for later starts of the same user: a
// socket and the lock file whose holder owns it, both in the user's runtime folder. The names
// carry the user id and a hash of the program's path, so two copies of the program never meet.
struct InstanceAddress {
  std::string socketPath;
  std::string lockPath;
  // Why no address could be made (no usable runtime folder, a path too long for a socket);
  // empty when the address is usable.
  std::string problem;

  bool usable() const { return problem.empty(); }

  // $XDG_RUNTIME_DIR when it is an absolute folder owned by `uid` that nobody else may write;
  // otherwise a private folder /tmp/sonvia-runtime-UID made or checked the same way.
  static InstanceAddress forProgram(const std::string& programPath, uid_t uid);
  // The folder rule alone, for a given candidate; empty with `problem` set when it is unfit.
  static std::string checkedRuntimeFolder(const std::string& candidate, uid_t uid,
                                          std::string& problem);
};

}  // namespace platform::process
