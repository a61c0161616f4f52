#pragma once
#include <cstdint>

namespace s::sound::filter {

// The sample steps shared by the stereo and vocal filters. Each factor is formed once per call as
// a 32-bit float; the products are taken in double precision and truncated toward zero, so that
// 1000 x 0.9f gives 899, not the 900 that a float product would round to.
//
// 8-bit samples are unsigned with 128 as silence; the level step and the widening work on their
// distance from 128 and keep them in 0..255. A trailing partial frame (or odd byte) is left alone.
class PcmSteps {
 public:
  // Scales every sample by 1 - amount x 0.05 (amount 10 halves, -4 lifts by 1.2), clamped.
  static void levelStep(void* buffer, uint32_t byteCount, int32_t bitsPerSample, int32_t amount);
  // Pushes the two channels of every stereo frame apart by (L - mid) x width x 0.15, keeping
  // L + R and shortening the push so that neither channel leaves the sample range.
  static void widen(void* buffer, uint32_t byteCount, int32_t bitsPerSample, int32_t width);
  // Pulls the channels of every 16-bit stereo frame toward their mean by amount tenths.
  static void centreMix(void* buffer, uint32_t byteCount, int32_t bitsPerSample, int32_t amount);
  // Scales every 16-bit sample by 0.9f.
  static void attenuate(void* buffer, uint32_t byteCount, int32_t bitsPerSample);

  static float levelFactor(int32_t amount) { return 1.0f - static_cast<float>(amount) * 0.05f; }
  static float widthFactor(int32_t width) { return static_cast<float>(width) * 0.15f; }
  static float centreFactor(int32_t amount) { return static_cast<float>(amount) * 0.1f; }
  static constexpr float kAttenuation = 0.9f;
};

}  // namespace s::sound::filter
