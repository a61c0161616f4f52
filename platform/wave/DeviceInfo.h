#pragma once
#include <string>

namespace platform::wave {

struct DeviceInfo {
  std::string name;         // what WaveOut::open takes: an ALSA PCM name, "null", "file:PATH", ...
  std::string productName;  // what a user reads in a device menu
};

}  // namespace platform::wave
