#include "s/sound/filter/EqualizerEx.h"

#include <cmath>
#include <cstring>

#include "s/sound/Sample.h"
#include "s/thread/EasyPooler.h"

namespace s::sound::filter {

EqualizerEx* EqualizerEx::create() { return thread::PoolOf<EqualizerEx>::acquire(); }

void EqualizerEx::release() { thread::PoolOf<EqualizerEx>::release(this); }

void EqualizerEx::reset() {
  thread::ObjLocker::Guard guard(locker_);
  enabled_ = true;
  outputGain_ = 1.0f;
  bandsOn_ = outputGainOn_ = true;
  static constexpr float kUpperCentres[3] = {12800.0f, 14400.0f, 16200.0f};
  for (int i = 0; i < kBands; ++i) {
    Band& b = bands_[i];
    std::memset(&b, 0, sizeof b);
    b.frequency = i < 7 ? 100.0f * static_cast<float>(1 << i) : kUpperCentres[i - 7];
    b.bandwidth = i < 7 ? 1.0f : 0.16666f;
    b.gainDb = 0.0f;
    design(b);
  }
}

void EqualizerEx::design(Band& band) {
  const double a = std::pow(10.0, band.gainDb / 40.0);
  const double w0 = 2 * M_PI * band.frequency / kDesignRate;
  const double sw = std::sin(w0), cw = std::cos(w0);
  const double alpha = sw * std::sinh(std::log(2.0) / 2 * band.bandwidth * w0 / sw);
  const double a0 = 1 + alpha / a;
  for (Biquad& q : band.channel) {
    q.b0 = static_cast<float>((1 + alpha * a) / a0);
    q.b1 = static_cast<float>(-2 * cw / a0);
    q.b2 = static_cast<float>((1 - alpha * a) / a0);
    q.a1 = static_cast<float>(-2 * cw / a0);
    q.a2 = static_cast<float>((1 - alpha / a) / a0);
  }
}

bool EqualizerEx::setBand(int index, float frequency, float bandwidthOctaves, float gainDb) {
  if (index < 0 || index >= kBands || !(frequency > 0) || !(frequency < kDesignRate / 2) ||
      !(bandwidthOctaves > 0) || !std::isfinite(gainDb))
    return false;
  thread::ObjLocker::Guard guard(locker_);
  Band& b = bands_[index];
  b.frequency = frequency;
  b.bandwidth = bandwidthOctaves;
  b.gainDb = gainDb;
  design(b);
  return true;
}

void EqualizerEx::setOutputGain(float gain) {
  thread::ObjLocker::Guard guard(locker_);
  outputGain_ = gain;
}

void EqualizerEx::setBandsOn(bool on) {
  thread::ObjLocker::Guard guard(locker_);
  bandsOn_ = on;
}

void EqualizerEx::setOutputGainOn(bool on) {
  thread::ObjLocker::Guard guard(locker_);
  outputGainOn_ = on;
}

void EqualizerEx::process(void* buffer, uint32_t byteCount, bool stereo, int32_t,
                          int32_t bitsPerSample) {
  if (bitsPerSample != 16) return;
  thread::ObjLocker::Guard guard(locker_);
  const int channels = stereo ? 2 : 1;
  const uint32_t n = byteCount / 2;
  const uint32_t usable = n - n % static_cast<uint32_t>(channels);
  const float gain = outputGainOn_ ? outputGain_ : 1.0f;
  auto* bytes = static_cast<uint8_t*>(buffer);
  for (uint32_t i = 0; i < usable; ++i) {
    const int c = static_cast<int>(i % static_cast<uint32_t>(channels));
    double v = Sample::toUnit16(Sample::load16(bytes + 2 * i));
    if (bandsOn_) {
      for (Band& b : bands_) {
        Biquad& q = b.channel[c];
        const double y = q.b0 * v + q.b1 * q.x1 + q.b2 * q.x2 - q.a1 * q.y1 - q.a2 * q.y2;
        q.x2 = q.x1;
        q.x1 = v;
        q.y2 = q.y1;
        q.y1 = y;
        v = y;
      }
    }
    Sample::store16(bytes + 2 * i, Sample::fromUnit16(v * gain));
  }
}

}  // namespace s::sound::filter
