#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/sound/IFilter.h"
#include "s/sound/filter/Equalizer.h"
#include "s/sound/filter/EqualizerEx.h"
#include "s/sound/filter/Octave.h"
#include "s/sound/filter/StereoEnhancer.h"
#include "s/sound/filter/VocalInstrument.h"
#include "s/thread/IPoolable.h"

namespace s::col::_array {
class ArrayP;
}

namespace s::sound {

// The effect holder of one playback engine: five standing filters, each taken from its pool and
// configured once when the holder is built, and the list of preset filters that the engine fills
// through buildPresets(). The engine decides which filters run; the holder runs them in its fixed
// order through processBeforeGain() and processAfterGain(), on the engine's play thread only.
class Effect final : public base::IObject, public thread::IPoolable {
 public:
  static constexpr int32_t kPresetCount = 11;
  static constexpr int32_t kOpenAirWidth = 7;
  static constexpr double kOpenAirHighGain = 1 + 7 * 0.1;
  static constexpr int32_t kInstrumentAmount = 10;

  static Effect* create();
  Effect();
  ~Effect() override;
  Effect(const Effect&) = delete;
  Effect& operator=(const Effect&) = delete;

  filter::EqualizerEx& equalizerEx() { return *equalizerEx_; }
  filter::Equalizer& equalizer() { return *equalizer_; }
  filter::StereoEnhancer& stereoEnhancer() { return *stereoEnhancer_; }
  filter::VocalInstrument& vocalInstrument() { return *vocalInstrument_; }
  filter::Octave& octave() { return *octave_; }

  // Replaces the preset list with the eleven presets, each configured and switched off.
  void buildPresets();
  // A freshly configured preset filter for `index` (0..10), switched off; null outside. The
  // caller owns it (release()).
  static IFilter* makePreset(int32_t index);
  // Takes ownership of `preset` and appends it to the list.
  void addPreset(IFilter* preset);
  int32_t presetCount() const;
  // The preset at `index`, or null when there is none.
  IFilter* preset(int32_t index) const;

  // Readies every filter for a song of this format (the pitch shifter only once it is wanted).
  // Never while a chunk is processed.
  void prepare(bool stereo, int32_t sampleRate, int32_t bitsPerSample);
  // Pitch amount = semitones x 100 / 12. A non-zero amount prepares the shifter before it is
  // switched on, so its first block never allocates; 0 switches it off.
  void setPitch(float amount);

  // The filters of one chunk that come before the engine's gain: the EqualizerEx, if enabled.
  void processBeforeGain(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
                         int32_t bitsPerSample);
  // The filters after the gain: stereo enhancer, equaliser and vocal/instrument filter when
  // enabled, the preset at presetIndex (-1: none) whatever its switch, then the pitch shifter when
  // enabled.
  void processAfterGain(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
                        int32_t bitsPerSample, int32_t presetIndex);

  const char16_t* typeName() const override { return u"s_sound_Effect"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  // As when its engine goes back to the pool: the EqualizerEx and the pitch shifter return to
  // their defaults, switched off, and every preset is switched off; the other standing filters
  // keep their settings, switches and state.
  void reset() override;

 private:
  void clearPresets();

  col::_array::ArrayP* presets_;
  filter::EqualizerEx* equalizerEx_;
  filter::Equalizer* equalizer_;
  filter::StereoEnhancer* stereoEnhancer_;
  filter::VocalInstrument* vocalInstrument_;
  filter::Octave* octave_;
  // The format of the last prepare, for the shifter when the pitch changes later.
  bool stereo_ = true;
  int32_t sampleRate_ = 44100;
  int32_t bitsPerSample_ = 16;
};

}  // namespace s::sound
