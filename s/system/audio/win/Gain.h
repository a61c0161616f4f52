#pragma once
#include <cstdint>

namespace s::system::audio::win {

// The volume stage of the engine. A gain of exactly 1 leaves the samples untouched.
// 16-bit samples are scaled and truncated toward zero (a trailing odd byte is left alone);
// 8-bit samples (128 = silence) are scaled around 128 and rounded, halves away from zero.
// Only a gain above 1 can leave the sample range, so only then are results clamped.
class Gain {
 public:
  static void apply(void* buffer, uint32_t byteCount, int32_t bitsPerSample, float gain);
};

}  // namespace s::system::audio::win
