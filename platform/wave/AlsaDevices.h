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
  // Tries to open `name` for playback of 44100 Hz 16-bit stereo and closes it again; on failure,
  // or when the device does not answer within a few seconds, says why.
  static bool probe(const std::string& name, std::string& problem);
};

}  // namespace platform::wave
