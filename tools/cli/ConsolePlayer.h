#pragma once
#include <string>
#include <vector>

#include "tools/cli/EngineOptions.h"

namespace cli {

// The console player behind `sonvia-cli play` and `sonvia FILE...`: plays the files in order
// through the playback engine, one status line updated in place, keys when standard input is a
// terminal, and a clean stop on Ctrl-C.
class ConsolePlayer {
 public:
  static constexpr const char* kUsage =
      "play FILE... [--device NAME] [--effect NAME] [--pitch N] [--volume V]\n"
      "play: plays the files in order on the first audio device (or the one named: a device\n"
      "  name or product name, null, file:PATH); keys: space pause/resume, left/right seek 5 %,\n"
      "  up/down volume, n next, q quit";

  // Takes the arguments after the command name; false with the reason in `error` when they are
  // wrong.
  bool parse(int argc, char** argv, std::string& error);
  // Plays; the exit status: 0 when every file played, 1 when one was skipped or the device
  // failed, 130 after Ctrl-C.
  int run(const char* programName);

 private:
  std::vector<std::string> files_;
  std::string device_;
  EngineOptions options_;
};

}  // namespace cli
