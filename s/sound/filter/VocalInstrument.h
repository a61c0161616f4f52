#pragma once
#include <atomic>
#include <cstdint>

#include "s/sound/IFilter.h"
#include "s/sound/filter/Equalizer.h"

namespace s::sound::filter {

// A level step, a stereo step and a band equaliser in one. Vocal mode pulls both channels toward
// their centre and keeps the band the equaliser favours; instrument mode widens the image by the
// same amount as the level cut, shapes the bands and may lift the level again at the end.
class VocalInstrument final : public IFilter {
 public:
  static constexpr int32_t kFinalLiftAmount = -4;  // level factor 1.2

  static VocalInstrument* create();
  VocalInstrument() { reset(); }

  bool prepare(bool stereo, int32_t sampleRate, int32_t bitsPerSample) override {
    return bandEq.prepare(stereo, sampleRate, bitsPerSample);
  }
  void process(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
               int32_t bitsPerSample) override;
  bool isEnabled() const override { return enabled_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }

  // Low and high gain 1 + amount x 0.025, mid gain 0, crossovers 750 Hz and 7000 Hz.
  void applyInstrumentRule(int32_t amount);

  // Called directly, whatever its own switch says.
  Equalizer bandEq;
  bool instrumentMode = true;
  int32_t levelCut = 10;      // level factor 1 - levelCut x 0.05; in instrument mode also the width
  int32_t centreAmount = 0;   // vocal mode: tenths of the way to the centre
  bool finalLift = false;     // instrument mode: x 1.2 at the end

  const char16_t* typeName() const override { return u"s_sound_filter_VocalInstrument"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  std::atomic<bool> enabled_{true};  // switched by the play process during playback
};

}  // namespace s::sound::filter
