#include "s/system/audio/win/Gain.h"

#include <cmath>

#include "s/sound/Sample.h"

namespace s::system::audio::win {

using sound::Sample;

void Gain::apply(void* buffer, uint32_t byteCount, int32_t bitsPerSample, float gain) {
  if (gain == 1.0f || byteCount == 0) return;
  auto* bytes = static_cast<uint8_t*>(buffer);
  // A gain below 1 keeps every sample in range, so the clamping in the conversions never acts.
  if (bitsPerSample == 8) {
    for (uint32_t i = 0; i < byteCount; ++i) {
      const float y = static_cast<float>(Sample::load8(bytes + i)) * gain;
      // Rounded, unlike the filters, halves away from zero, on the unsigned value.
      bytes[i] = static_cast<uint8_t>(std::lround(std::fmin(std::fmax(y + 128.0f, 0.0f), 255.0f)));
    }
    return;
  }
  const uint32_t samples = byteCount / 2;
  for (uint32_t i = 0; i < samples; ++i)
    Sample::store16(bytes + 2 * i, Sample::toInt16(static_cast<float>(Sample::load16(bytes + 2 * i)) * gain));
}

}  // namespace s::system::audio::win
