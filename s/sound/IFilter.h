#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::sound {

// An in-place filter over a block of PCM: little-endian, interleaved left/right when stereo,
// 16-bit signed or 8-bit unsigned samples. The byte count never changes.
//
// `process` works whatever the switch says: the engine consults the switch of a standing filter
// before calling it, and runs the chosen preset whatever its switch is.
class IFilter : public base::IObject, public thread::IPoolable {
 public:
  virtual void process(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
                       int32_t bitsPerSample) = 0;
  virtual bool isEnabled() const = 0;
  virtual void setEnabled(bool enabled) = 0;
};

}  // namespace s::sound
