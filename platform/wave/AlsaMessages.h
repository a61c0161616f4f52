#pragma once
#include <string>

namespace platform::wave {

// ALSA prints its own diagnostics to stderr, where a GUI user never sees them. We catch them
// instead: the first message since begin() on this thread usually names the real cause ("cannot
// find card '0'"), which snd_strerror alone does not.
class AlsaMessages {
 public:
  static void begin();
  static std::string take();
  // "cannot open ALSA device "NAME": <strerror> (<first message>)"
  static std::string describe(const std::string& what, int error);
};

}  // namespace platform::wave
