#include "s/sound/filter/PcmSteps.h"

#include <cstring>

namespace s::sound::filter {

namespace {

// Samples are read and written through memcpy: blocks come from byte buffers of any alignment.
inline int32_t load16(const uint8_t* p) {
  int16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
inline void store16(uint8_t* p, int32_t v) {
  int16_t s = static_cast<int16_t>(v);
  std::memcpy(p, &s, 2);
}

// Truncation toward zero of a product that may lie far outside the sample range (odd settings);
// the bound keeps the conversion defined and is wider than any range the callers clamp to.
inline int32_t truncBounded(double product) {
  if (product > 1048576.0) return 1048576;
  if (product < -1048576.0) return -1048576;
  return static_cast<int32_t>(product);
}

inline int32_t clampTo(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The widening of one frame within lo..hi; `k` already formed as a float.
inline void widenFrame(int32_t& left, int32_t& right, double k, int32_t lo, int32_t hi) {
  const int32_t mid = (left + right) >> 1;
  int32_t d = truncBounded(static_cast<double>(left - mid) * k);
  if (d > 0) {
    if (d > hi - left) d = hi - left;
    if (d > right - lo) d = right - lo;
  } else {
    if (-d > left - lo) d = lo - left;
    if (-d > hi - right) d = right - hi;
  }
  left += d;
  right -= d;
}

}  // namespace

void PcmSteps::levelStep(void* buffer, uint32_t byteCount, int32_t bitsPerSample, int32_t amount) {
  if (amount == 0) return;
  const double f = levelFactor(amount);
  auto* p = static_cast<uint8_t*>(buffer);
  if (bitsPerSample == 16) {
    const uint32_t n = byteCount / 2;
    for (uint32_t i = 0; i < n; ++i)
      store16(p + 2 * i, clampTo(truncBounded(load16(p + 2 * i) * f), -32768, 32767));
  } else if (bitsPerSample == 8) {
    for (uint32_t i = 0; i < byteCount; ++i)
      p[i] = static_cast<uint8_t>(clampTo(truncBounded((p[i] - 128) * f), -128, 127) + 128);
  }
}

void PcmSteps::widen(void* buffer, uint32_t byteCount, int32_t bitsPerSample, int32_t width) {
  if (width <= 0) return;
  const double k = widthFactor(width);
  auto* p = static_cast<uint8_t*>(buffer);
  if (bitsPerSample == 16) {
    const uint32_t frames = byteCount / 4;
    for (uint32_t i = 0; i < frames; ++i) {
      uint8_t* f = p + 4 * i;
      int32_t left = load16(f), right = load16(f + 2);
      widenFrame(left, right, k, -32768, 32767);
      store16(f, left);
      store16(f + 2, right);
    }
  } else if (bitsPerSample == 8) {
    const uint32_t frames = byteCount / 2;
    for (uint32_t i = 0; i < frames; ++i) {
      int32_t left = p[2 * i] - 128, right = p[2 * i + 1] - 128;
      widenFrame(left, right, k, -128, 127);
      p[2 * i] = static_cast<uint8_t>(left + 128);
      p[2 * i + 1] = static_cast<uint8_t>(right + 128);
    }
  }
}

void PcmSteps::centreMix(void* buffer, uint32_t byteCount, int32_t bitsPerSample, int32_t amount) {
  if (amount <= 0 || bitsPerSample != 16) return;
  const double m = centreFactor(amount);
  auto* p = static_cast<uint8_t*>(buffer);
  const uint32_t frames = byteCount / 4;
  for (uint32_t i = 0; i < frames; ++i) {
    uint8_t* f = p + 4 * i;
    const int32_t left = load16(f), right = load16(f + 2);
    const int32_t mid = (left + right) >> 1;
    const int32_t e = truncBounded(static_cast<double>(left - mid) * m);
    // Up to amount 10 both results stay in range by construction; beyond it they would wrap.
    store16(f, clampTo(left - e, -32768, 32767));
    store16(f + 2, clampTo(right + e, -32768, 32767));
  }
}

void PcmSteps::attenuate(void* buffer, uint32_t byteCount, int32_t bitsPerSample) {
  if (bitsPerSample != 16) return;
  const double f = kAttenuation;
  auto* p = static_cast<uint8_t*>(buffer);
  const uint32_t n = byteCount / 2;
  for (uint32_t i = 0; i < n; ++i) store16(p + 2 * i, static_cast<int32_t>(load16(p + 2 * i) * f));
}

}  // namespace s::sound::filter
