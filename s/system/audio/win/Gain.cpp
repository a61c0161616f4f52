#include "s/system/audio/win/Gain.h"

#include <cmath>
#include <cstring>

namespace s::system::audio::win {

void Gain::apply(void* buffer, uint32_t byteCount, int32_t bitsPerSample, float gain) {
  if (gain == 1.0f || byteCount == 0) return;
  const bool clamp = gain > 1.0f;
  auto* bytes = static_cast<uint8_t*>(buffer);
  if (bitsPerSample == 8) {
    for (uint32_t i = 0; i < byteCount; ++i) {
      float y = static_cast<float>(static_cast<int32_t>(bytes[i]) - 128) * gain + 128.0f;
      if (clamp) y = std::fmin(std::fmax(y, 0.0f), 255.0f);
      bytes[i] = static_cast<uint8_t>(std::lround(y));
    }
    return;
  }
  const uint32_t samples = byteCount / 2;
  for (uint32_t i = 0; i < samples; ++i) {
    int16_t s;
    std::memcpy(&s, bytes + 2 * i, 2);
    float y = static_cast<float>(s) * gain;
    if (clamp) y = std::fmin(std::fmax(y, -32768.0f), 32767.0f);
    s = static_cast<int16_t>(std::trunc(y));
    std::memcpy(bytes + 2 * i, &s, 2);
  }
}

}  // namespace s::system::audio::win
