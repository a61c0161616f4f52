#pragma once
#include <string>

namespace platform::process {

// The desktop's start-up notification token of this start (XDG_ACTIVATION_TOKEN on Wayland,
// DESKTOP_STARTUP_ID on X11). A start that hands its files over passes the token on, so that
// the running window may come to the front past focus-stealing prevention; the token is taken
// out of the environment so that nothing this process starts uses it a second time.
class ActivationToken {
 public:
  static std::string take();
};

}  // namespace platform::process
