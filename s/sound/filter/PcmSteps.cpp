#include "s/sound/filter/PcmSteps.h"

#include "s/sound/Sample.h"

namespace s::sound::filter {

namespace {

using sound::Sample;

// Truncation toward zero of a push that may lie far outside the sample range (odd settings); the
// bound keeps the conversion defined and is wider than any range the callers clamp to.
inline int32_t truncBounded(double product) {
  if (product > 1048576.0) return 1048576;
  if (product < -1048576.0) return -1048576;
  return static_cast<int32_t>(product);
}

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
    for (uint32_t i = 0; i < n; ++i) Sample::store16(p + 2 * i, Sample::toInt16(Sample::load16(p + 2 * i) * f));
  } else if (bitsPerSample == 8) {
    for (uint32_t i = 0; i < byteCount; ++i) Sample::store8(p + i, Sample::toCentred8(Sample::load8(p + i) * f));
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
      int32_t left = Sample::load16(f), right = Sample::load16(f + 2);
      widenFrame(left, right, k, -32768, 32767);
      Sample::store16(f, left);
      Sample::store16(f + 2, right);
    }
  } else if (bitsPerSample == 8) {
    const uint32_t frames = byteCount / 2;
    for (uint32_t i = 0; i < frames; ++i) {
      int32_t left = Sample::load8(p + 2 * i), right = Sample::load8(p + 2 * i + 1);
      widenFrame(left, right, k, -128, 127);
      Sample::store8(p + 2 * i, left);
      Sample::store8(p + 2 * i + 1, right);
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
    const int32_t left = Sample::load16(f), right = Sample::load16(f + 2);
    const int32_t mid = (left + right) >> 1;
    const int32_t e = truncBounded(static_cast<double>(left - mid) * m);
    // Up to amount 10 both results stay in range by construction; beyond it they would wrap.
    Sample::store16(f, Sample::clamp(left - e, -32768, 32767));
    Sample::store16(f + 2, Sample::clamp(right + e, -32768, 32767));
  }
}

void PcmSteps::attenuate(void* buffer, uint32_t byteCount, int32_t bitsPerSample) {
  if (bitsPerSample != 16) return;
  const double f = kAttenuation;
  auto* p = static_cast<uint8_t*>(buffer);
  const uint32_t n = byteCount / 2;
  for (uint32_t i = 0; i < n; ++i) Sample::store16(p + 2 * i, static_cast<int32_t>(Sample::load16(p + 2 * i) * f));
}

}  // namespace s::sound::filter
