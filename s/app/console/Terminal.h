#pragma once
#include <atomic>
#include <string>

namespace s::app::console {

// The console player's terminal: single keys without echo while standard input is a terminal
// (restored on every way out, Ctrl-C included), and the interrupt and termination signals turned
// into a flag the player polls.
class Terminal {
 public:
  enum Key { kNone, kPauseResume, kSeekBack, kSeekForward, kVolumeUp, kVolumeDown, kNext, kQuit };

  Terminal();
  ~Terminal();
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  bool hasKeys() const { return raw_; }
  static bool stdoutIsTerminal();
  // Waits up to `ms` for a key; kNone when none came (or there is no terminal).
  Key nextKey(int ms);
  static bool interrupted();

 private:
  bool raw_ = false;
  std::string pending_;  // bytes of an escape sequence read so far
};

}  // namespace s::app::console
