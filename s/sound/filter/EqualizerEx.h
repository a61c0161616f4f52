#pragma once
#include <atomic>
#include <cstdint>

#include "s/sound/IFilter.h"
#include "s/thread/ObjLocker.h"

namespace s::sound::filter {

// Ten-band peaking equaliser (cookbook biquads, designed for 44100 Hz whatever the real rate).
// At its defaults every band is flat, so it passes the signal through apart from the sample
// conversion. Settings and processing take the filter's own lock, since a settings dialog may
// change bands while the engine plays.
class EqualizerEx final : public IFilter {
 public:
  static constexpr int kBands = 10;
  static constexpr double kDesignRate = 44100.0;

  struct Biquad {
    float b0, b1, b2, a1, a2;  // normalised by a0
    double x1, x2, y1, y2;     // direct form I memory; double so ten flat bands stay exact
  };
  struct Band {
    float frequency;
    float bandwidth;  // octaves
    float gainDb;
    Biquad channel[2];  // left, right
  };

  static EqualizerEx* create();
  EqualizerEx() { reset(); }

  // Nothing to do: the bands are designed for 44100 Hz whatever the rate.
  bool prepare(bool, int32_t, int32_t) override { return true; }
  void process(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
               int32_t bitsPerSample) override;
  bool isEnabled() const override { return enabled_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }

  // Redesigns one band (0..9); false for an index out of range or a frequency outside
  // 0 < f < 22050 or a bandwidth that is not positive. The band's memory is kept.
  bool setBand(int index, float frequency, float bandwidthOctaves, float gainDb);
  const Band& band(int index) const { return bands_[index]; }

  void setOutputGain(float gain);
  float outputGain() const { return outputGain_; }
  // The two switches: run the bands at all, and apply the output gain.
  void setBandsOn(bool on);
  void setOutputGainOn(bool on);
  bool bandsOn() const { return bandsOn_; }
  bool outputGainOn() const { return outputGainOn_; }

  const char16_t* typeName() const override { return u"s_sound_filter_EqualizerEx"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  static void design(Band& band);

  thread::ObjLocker locker_;
  std::atomic<bool> enabled_{true};  // switched by the play process during playback
  float outputGain_ = 1.0f;
  bool bandsOn_ = true;
  bool outputGainOn_ = true;
  Band bands_[kBands] = {};
};

}  // namespace s::sound::filter
