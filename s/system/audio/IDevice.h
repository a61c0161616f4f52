#pragma once
#include <cstdint>
#include <string>

#include "s/base/IObject.h"

namespace s::system::audio {

// An output device as the player's menus and the engine know it.
class IDevice : public base::IObject {
 public:
  // The device's place in the output list; -1 for a device named directly (a file, say).
  virtual int32_t getId() const = 0;
  // What the wave output opens: an ALSA PCM name, "null", "file:PATH" or "file-fast:PATH".
  virtual const std::string& getName() const = 0;
  // What a user reads.
  virtual const std::string& getProductName() const = 0;
};

}  // namespace s::system::audio
