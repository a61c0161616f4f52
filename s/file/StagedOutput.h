#pragma once
#include <string>

namespace s::file {

// Where a command writes a file it produces. A regular file (or one that does not exist yet) is
// written beside its target and renamed over it once complete, so a failure never leaves half a
// file where the user's file was, and the input may be the output. Anything else that already
// exists there (/dev/null, a terminal, a pipe) is written directly: renaming over it would
// replace the device with a plain file. A symbolic link is followed, so the link survives.
class StagedOutput {
 public:
  explicit StagedOutput(const std::string& target);

  const std::string& target() const { return target_; }
  // The path to open for writing.
  const std::string& writePath() const { return writePath_; }
  bool staged() const { return writePath_ != target_; }
  // Puts the written file in place; false (and the staged file removed) when the rename fails.
  bool commit();
  // Removes a staged file after a failed write; a direct target is left alone.
  void discard();

 private:
  std::string target_;
  std::string writePath_;
};

}  // namespace s::file
