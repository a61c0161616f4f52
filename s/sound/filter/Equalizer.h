#pragma once
#include <atomic>
#include <cstdint>

#include "s/sound/IFilter.h"

namespace s::sound::filter {

// Three-band equaliser: two cascades of four one-pole low-passes split each channel into a low
// band (below lowFreq), a high band (the input three samples ago minus everything below highFreq)
// and the middle that remains; the bands are weighted and summed. With all gains 1.0 the output is
// the input delayed by three samples. State runs on from block to block; mono uses the left
// channel's state only. 8-bit data pass unchanged.
class Equalizer final : public IFilter {
 public:
  static constexpr double kTiny = 1.0 / 4294967295.0;
  static constexpr double kPi = 3.14159265359;

  struct ChannelState {
    double lowPoles[4];
    double highPoles[4];
    double history[3];  // newest first
  };

  static Equalizer* create();
  Equalizer() { reset(); }

  // Computes the coefficients for the rate (until then they are those for 44100 Hz).
  bool prepare(bool stereo, int32_t sampleRate, int32_t bitsPerSample) override;
  void process(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
               int32_t bitsPerSample) override;
  bool isEnabled() const override { return enabled_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }

  // Stores both crossovers and computes the coefficients for the prepared rate.
  void setBands(int32_t lowFreq, int32_t highFreq);
  void setGains(double low, double mid, double high) {
    lowGain = low;
    midGain = mid;
    highGain = high;
  }
  int32_t lowFreq() const { return lowFreq_; }
  int32_t highFreq() const { return highFreq_; }
  double lowCoef() const { return lowCoef_; }
  double highCoef() const { return highCoef_; }
  const ChannelState& leftState() const { return state_[0]; }
  const ChannelState& rightState() const { return state_[1]; }

  double lowGain = 1.0;
  double midGain = 1.0;
  double highGain = 1.0;

  const char16_t* typeName() const override { return u"s_sound_filter_Equalizer"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  void computeCoefficients();

  std::atomic<bool> enabled_{true};  // switched by the play process during playback
  double tiny_ = kTiny;
  double lowCoef_ = 0;
  double highCoef_ = 0;
  ChannelState state_[2] = {};
  int32_t lowFreq_ = 880;
  int32_t highFreq_ = 5000;
  int32_t sampleRate_ = 44100;
};

}  // namespace s::sound::filter
