#include "s/sound/filter/Equalizer.h"

#include <cmath>
#include <cstring>

#include "s/thread/EasyPooler.h"

namespace s::sound::filter {

namespace {

// One sample through one channel's state. Kept inline so that the stereo loop interleaves the
// two channels' dependency chains.
inline int16_t equalizeSample(int16_t sample, Equalizer::ChannelState& st, double lowCoef,
                              double highCoef, double tiny, double lowGain, double midGain,
                              double highGain) {
  const double x = sample < 0 ? sample / 32768.0 : sample / 32767.0;
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
  const double scaled = y >= 0 ? y * 32767.0 : y * 32768.0;
  if (scaled >= 32767.0) return 32767;
  if (scaled <= -32768.0) return -32768;
  return static_cast<int16_t>(scaled);
}

}  // namespace

Equalizer* Equalizer::create() { return thread::PoolOf<Equalizer>::acquire(); }

void Equalizer::release() { thread::PoolOf<Equalizer>::release(this); }

void Equalizer::reset() {
  enabled_ = true;
  tiny_ = kTiny;
  std::memset(state_, 0, sizeof state_);
  lowGain = midGain = highGain = 1.0;
  setBands(880, 5000);
  lowCoef_ = highCoef_ = 0;
}

void Equalizer::setBands(int32_t lowFreq, int32_t highFreq) {
  lowFreq_ = lowFreq;
  highFreq_ = highFreq;
  computeCoefficients(44100);
}

void Equalizer::computeCoefficients(int32_t sampleRate) {
  lowCoef_ = 2 * std::sin(kPi * lowFreq_ / sampleRate);
  highCoef_ = 2 * std::sin(kPi * highFreq_ / sampleRate);
}

void Equalizer::process(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
                        int32_t bitsPerSample) {
  if (bitsPerSample != 16 || sampleRate <= 0) return;
  computeCoefficients(sampleRate);
  const double lc = lowCoef_, hc = highCoef_, tiny = tiny_;
  const double lg = lowGain, mg = midGain, hg = highGain;
  auto* bytes = static_cast<uint8_t*>(buffer);
  // Work on local copies of the state so the compiler keeps it in registers.
  ChannelState left = state_[0];
  if (stereo) {
    ChannelState right = state_[1];
    const uint32_t frames = byteCount / 4;
    for (uint32_t i = 0; i < frames; ++i) {
      int16_t s[2];
      std::memcpy(s, bytes + 4 * i, 4);
      s[0] = equalizeSample(s[0], left, lc, hc, tiny, lg, mg, hg);
      s[1] = equalizeSample(s[1], right, lc, hc, tiny, lg, mg, hg);
      std::memcpy(bytes + 4 * i, s, 4);
    }
    state_[1] = right;
  } else {
    const uint32_t n = byteCount / 2;
    for (uint32_t i = 0; i < n; ++i) {
      int16_t s;
      std::memcpy(&s, bytes + 2 * i, 2);
      s = equalizeSample(s, left, lc, hc, tiny, lg, mg, hg);
      std::memcpy(bytes + 2 * i, &s, 2);
    }
  }
  state_[0] = left;
}

}  // namespace s::sound::filter
