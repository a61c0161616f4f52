#pragma once
#include <string>
#include <vector>

#include "s/app/console/EngineOptions.h"

namespace s::app::console {

// The console player behind `sonvia-cli play` and `sonvia FILE...`: plays the files in order
// through the playback engine, one status line updated in place, keys when standard input is a
// terminal, and a clean stop on Ctrl-C.
class ConsolePlayer {
 public:
  // The usage of `play`, each line starting with the command's name.
  static std::string usage();

  // Takes the arguments after the command name; false with the reason in `error` when they are
  // wrong.
  bool parse(int argc, char** argv, std::string& error);
  // Plays; the exit status: 0 when every file played, 1 when one was skipped or the device
  // failed, 130 after Ctrl-C.
  int run(const char* programName);

 private:
  // Puts the songs of each ".m3u", ".m3u8" or ".pls" list among the files in the list's place
  // and tells on standard error what a list passed over; false when a list could not be read.
  bool expandLists(const char* programName);

  std::vector<std::string> files_;
  std::string device_;
  EngineOptions options_;
};

}  // namespace s::app::console
