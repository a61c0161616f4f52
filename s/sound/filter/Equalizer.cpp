#include "s/sound/filter/Equalizer.h"

#include <cmath>
#include <cstring>

#include "s/sound/Sample.h"
#include "s/thread/EasyPooler.h"

namespace s::sound::filter {

namespace {

// One sample through one channel's state. Kept inline so that the stereo loop interleaves the
// two channels' dependency chains.
inline int32_t equalizeSample(int32_t sample, Equalizer::ChannelState& st, double lowCoef,
                              double highCoef, double tiny, double lowGain, double midGain,
                              double highGain) {
  const double x = Sample::toUnit16(sample);
  double* p = st.lowPoles;
  p[0] += lowCoef * (x - p[0]) + tiny;
  p[1] += lowCoef * (p[0] - p[1]);
  p[2] += lowCoef * (p[1] - p[2]);
  p[3] += lowCoef * (p[2] - p[3]);
  const double low = p[3];
  double* q = st.highPoles;
  q[0] += highCoef * (x - q[0]) + tiny;
  q[1] += highCoef * (q[0] - q[1]);
  q[2] += highCoef * (q[1] - q[2]);
  q[3] += highCoef * (q[2] - q[3]);
  double* h = st.history;
  const double high = h[2] - q[3];
  const double mid = h[2] - (high + low);
  const double y = lowGain * low + midGain * mid + highGain * high;
  h[2] = h[1];
  h[1] = h[0];
  h[0] = x;
  return Sample::fromUnit16(y);
}

}  // namespace

Equalizer* Equalizer::create() { return thread::PoolOf<Equalizer>::acquire(); }

void Equalizer::release() { thread::PoolOf<Equalizer>::release(this); }

void Equalizer::reset() {
  enabled_ = true;
  tiny_ = kTiny;
  std::memset(state_, 0, sizeof state_);
  lowGain = midGain = highGain = 1.0;
  sampleRate_ = 44100;
  setBands(880, 5000);
}

void Equalizer::setBands(int32_t lowFreq, int32_t highFreq) {
  lowFreq_ = lowFreq;
  highFreq_ = highFreq;
  computeCoefficients();
}

void Equalizer::computeCoefficients() {
  lowCoef_ = 2 * std::sin(kPi * lowFreq_ / sampleRate_);
  highCoef_ = 2 * std::sin(kPi * highFreq_ / sampleRate_);
}

bool Equalizer::prepare(bool, int32_t sampleRate, int32_t) {
  if (sampleRate <= 0) return false;
  sampleRate_ = sampleRate;
  computeCoefficients();
  return true;
}

void Equalizer::process(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
                        int32_t bitsPerSample) {
  if (bitsPerSample != 16 || sampleRate <= 0) return;
  const double lc = lowCoef_, hc = highCoef_, tiny = tiny_;
  const double lg = lowGain, mg = midGain, hg = highGain;
  auto* bytes = static_cast<uint8_t*>(buffer);
  // Work on local copies of the state so the compiler keeps it in registers.
  ChannelState left = state_[0];
  if (stereo) {
    ChannelState right = state_[1];
    const uint32_t frames = byteCount / 4;
    for (uint32_t i = 0; i < frames; ++i) {
      uint8_t* frame = bytes + 4 * i;
      Sample::store16(frame, equalizeSample(Sample::load16(frame), left, lc, hc, tiny, lg, mg, hg));
      Sample::store16(frame + 2, equalizeSample(Sample::load16(frame + 2), right, lc, hc, tiny, lg, mg, hg));
    }
    state_[1] = right;
  } else {
    const uint32_t n = byteCount / 2;
    for (uint32_t i = 0; i < n; ++i)
      Sample::store16(bytes + 2 * i, equalizeSample(Sample::load16(bytes + 2 * i), left, lc, hc, tiny, lg, mg, hg));
  }
  state_[0] = left;
}

}  // namespace s::sound::filter
