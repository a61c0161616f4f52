#pragma once

namespace s::gui::win {

class Window;

// The end of the desktop session (SIGTERM, SIGHUP): every live window runs its normal close
// sequence on its own thread, so that what closing saves is saved. The signal handler only
// writes to a pipe; a watcher thread reads it and asks the windows to close.
class SessionEnd {
 public:
  // Installs the handlers once for the process; every window does on construction. A second
  // signal, or one that comes while no window lives, ends the process as it would have without.
  static void install();
  // Windows register while they live.
  static void add(Window* window);
  static void remove(Window* window);
  // Asks every live window to end as at the end of the session (what the watcher does); false
  // when there was none.
  static bool endAll();
};

}  // namespace s::gui::win
