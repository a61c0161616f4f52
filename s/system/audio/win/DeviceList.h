#pragma once
#include <cstddef>
#include <string>

#include "s/system/audio/win/Device.h"

namespace s::system::audio::win {

// The output devices, built once per run on first use: the device chosen by SONVIA_AUDIO_DEVICE,
// the working ALSA devices, then "null", so there is always a first device to hand to an engine.
class DeviceList {
 public:
  static std::size_t outputCount();
  // Record `index`, or null outside the list. The records live as long as the program.
  static const Device* output(std::size_t index);
  // The record whose name or product name is `name`, or null.
  static const Device* find(const std::string& name);
  // Why no sound card could be opened, for the user; empty when one can.
  static std::string problem();
};

}  // namespace s::system::audio::win
