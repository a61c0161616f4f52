#pragma once
#include <string>
#include <string_view>
#include <sys/types.h>

namespace s::file {

// The one way the program replaces a file it writes (documents, play lists, tags, command
// outputs). A regular file (or one that does not exist yet) is written beside its target and
// renamed over it once complete, so a failure never leaves half a file where the user's file
// was, and the input may be the output. The replacement keeps the old file's permissions (and
// its owner where the system lets us). A symbolic link is followed to the file it names, also
// when that file does not exist yet, so the link survives. Anything else that already exists
// there (/dev/null, a terminal, a pipe) is written directly: renaming over it would replace the
// device with a plain file.
//
// A staged file that was neither committed nor discarded is removed when the object goes.
class StagedOutput {
 public:
  // `suffix` names the staged file: target + suffix, in the target's folder.
  explicit StagedOutput(const std::string& target, const std::string& suffix = ".part");
  explicit StagedOutput(std::u16string_view target, std::u16string_view suffix = u".part");
  ~StagedOutput();
  StagedOutput(const StagedOutput&) = delete;
  StagedOutput& operator=(const StagedOutput&) = delete;

  // The file that is finally written: the path given, or the file its links lead to.
  const std::string& target() const { return target_; }
  // The path to open for writing.
  const std::string& writePath() const { return writePath_; }
  std::u16string writePathText() const;
  bool staged() const { return writePath_ != target_; }
  // Puts the written file in place with the old file's permissions and makes the rename
  // durable; false (and the staged file removed) when the rename fails.
  bool commit();
  // Removes a staged file after a failed write; a direct target is left alone.
  void discard();

 private:
  void prepare(const std::string& target, const std::string& suffix);

  std::string target_;
  std::string writePath_;
  bool existed_ = false;  // the target was a regular file: its mode and owner are kept
  mode_t mode_ = 0;
  uid_t owner_ = 0;
  gid_t group_ = 0;
  bool finished_ = false;
};

}  // namespace s::file
