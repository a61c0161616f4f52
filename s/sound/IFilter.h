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
//
// `prepare` readies the filter for blocks of one format (coefficients for the rate, buffers and
// tables) and is called before the first `process` and again whenever the format changes, never
// while a `process` runs; `process` itself never allocates or recomputes. A filter that could not
// be prepared (no memory) returns false and leaves blocks unchanged.
class IFilter : public base::IObject, public thread::IPoolable {
 public:
  virtual bool prepare(bool stereo, int32_t sampleRate, int32_t bitsPerSample) = 0;
  virtual void process(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
                       int32_t bitsPerSample) = 0;
  virtual bool isEnabled() const = 0;
  virtual void setEnabled(bool enabled) = 0;
};

}  // namespace s::sound
