#pragma once
#include <string>
#include <vector>

#include "platform/wave/DeviceInfo.h"

namespace platform::wave {

// The ALSA playback devices that can be opened right now: "default" first, then the others that
// ALSA's name hints list, in ALSA's order.
class AlsaDevices {
 public:
  // `problem` receives why "default" could not be opened (ALSA's own words), or stays empty.
  static std::vector<DeviceInfo> scan(std::string& problem);
  // Tries to open `name` for playback and closes it again; on failure says why.
  static bool probe(const std::string& name, std::string& problem);
};

}  // namespace platform::wave
