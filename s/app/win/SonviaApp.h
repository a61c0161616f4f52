#pragma once

namespace s::app {
class IPlayerWindow;
}

namespace s::app::win {

// The program's start: prepares the application object, then does exactly one of three things:
// changes the file associations named after "-associate" or "-deassociate" and ends; hands its
// files to the running instance of this program (and raises its window) and ends; or becomes
// the running instance and runs the player until it is closed, then shuts down in order (stop
// taking later starts, then release the application object, which saves the settings).
class SonviaApp {
 public:
  static constexpr int kHandOverTimeoutMs = 3000;

  // Returns the process's exit status.
  static int initInstance(int argc, const char* const* argv, IPlayerWindow& player);
};

}  // namespace s::app::win
