#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/wave/DeviceInfo.h"

namespace platform::wave {

// The output devices in the order a player should try them: the device named by
// SONVIA_AUDIO_DEVICE, then the ALSA devices that open ("default" first), then "null", so there is
// always a first device even on a machine without sound. Read once, on first use.
class DeviceList {
 public:
  static std::size_t count();
  static bool get(std::size_t index, DeviceInfo& out);
  static std::vector<DeviceInfo> all();
  // Why no ALSA device could be opened, in ALSA's words, for the program to show; empty when one can.
  static std::string problem();
  // Reads ALSA and SONVIA_AUDIO_DEVICE again.
  static void rescan();
  // The name a device shows for a device name that is not in ALSA's hints.
  static std::string productNameFor(const std::string& name);
};

}  // namespace platform::wave
