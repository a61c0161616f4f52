#include "s/sound/Effect.h"

#include "s/col/_array/ArrayP.h"
#include "s/sound/filter/Equalizer.h"
#include "s/sound/filter/EqualizerEx.h"
#include "s/sound/filter/Octave.h"
#include "s/sound/filter/StereoEnhancer.h"
#include "s/sound/filter/VocalInstrument.h"
#include "s/thread/EasyPooler.h"

namespace s::sound {

namespace {

struct EqualizerPreset {
  double low, mid, high;
  int32_t lowFreq, highFreq;
};

// Presets 2..10, in menu order.
constexpr EqualizerPreset kEqualizerPresets[9] = {
    {2.0, 1.0, 1.0, 1500, 5000},  // Bass Boost
    {0.0, 1.0, 1.0, 1500, 5000},  // Bass Suppress
    {2.0, 0.0, 0.0, 1500, 5000},  // Bass Only
    {1.0, 2.0, 1.0, 880, 5000},   // Middle Boost
    {1.0, 0.0, 1.0, 880, 5000},   // Middle Suppress
    {0.0, 2.0, 0.0, 880, 5000},   // Middle Only
    {1.0, 1.0, 2.0, 880, 5000},   // High Boost
    {1.0, 1.0, 0.0, 880, 5000},   // High Suppress
    {0.0, 0.0, 2.0, 880, 5000},   // High Only
};

}  // namespace

Effect* Effect::create() { return thread::PoolOf<Effect>::acquire(); }

void Effect::release() { thread::PoolOf<Effect>::release(this); }

Effect::Effect()
    : presets_(col::_array::ArrayP::create()),
      equalizerEx_(filter::EqualizerEx::create()),
      equalizer_(filter::Equalizer::create()),
      stereoEnhancer_(filter::StereoEnhancer::create()),
      vocalInstrument_(filter::VocalInstrument::create()),
      octave_(filter::Octave::create()) {
  equalizer_->setGains(1.0, 1.0, kOpenAirHighGain);
  equalizer_->setBands(880, 5000);
  stereoEnhancer_->width = kOpenAirWidth;
  stereoEnhancer_->attenuate = true;
  vocalInstrument_->instrumentMode = true;
  vocalInstrument_->levelCut = 10;
  vocalInstrument_->centreAmount = 10;
  vocalInstrument_->applyInstrumentRule(kInstrumentAmount);
  vocalInstrument_->finalLift = true;
  // Nothing runs until the engine switches it on.
  equalizerEx_->setEnabled(false);
  equalizer_->setEnabled(false);
  stereoEnhancer_->setEnabled(false);
  vocalInstrument_->setEnabled(false);
  octave_->setEnabled(false);
}

Effect::~Effect() {
  clearPresets();
  presets_->release();
  equalizerEx_->release();
  equalizer_->release();
  stereoEnhancer_->release();
  vocalInstrument_->release();
  octave_->release();
}

IFilter* Effect::makePreset(int32_t index) {
  if (index < 0 || index >= kPresetCount) return nullptr;
  IFilter* made;
  if (index < 2) {
    auto* vi = filter::VocalInstrument::create();
    vi->levelCut = 10;
    vi->centreAmount = 10;
    vi->finalLift = false;
    if (index == 0) {
      vi->instrumentMode = false;
      vi->bandEq.setGains(0, 2.0, 0);
      vi->bandEq.setBands(750, 7000);
    } else {
      vi->instrumentMode = true;
      vi->applyInstrumentRule(kInstrumentAmount);
    }
    made = vi;
  } else {
    const EqualizerPreset& p = kEqualizerPresets[index - 2];
    auto* eq = filter::Equalizer::create();
    eq->setGains(p.low, p.mid, p.high);
    eq->setBands(p.lowFreq, p.highFreq);
    made = eq;
  }
  made->setEnabled(false);
  return made;
}

void Effect::buildPresets() {
  clearPresets();
  for (int32_t i = 0; i < kPresetCount; ++i) addPreset(makePreset(i));
}

void Effect::addPreset(IFilter* preset) {
  if (preset) presets_->append(preset);
}

int32_t Effect::presetCount() const { return static_cast<int32_t>(presets_->size()); }

IFilter* Effect::preset(int32_t index) const {
  if (index < 0 || index >= presetCount()) return nullptr;
  return static_cast<IFilter*>(presets_->get(static_cast<std::size_t>(index)));
}

void Effect::clearPresets() {
  for (void* p : *presets_) static_cast<IFilter*>(p)->release();
  presets_->clear();
}

void Effect::prepare(bool stereo, int32_t sampleRate, int32_t bitsPerSample) {
  stereo_ = stereo;
  sampleRate_ = sampleRate;
  bitsPerSample_ = bitsPerSample;
  equalizerEx_->prepare(stereo, sampleRate, bitsPerSample);
  equalizer_->prepare(stereo, sampleRate, bitsPerSample);
  stereoEnhancer_->prepare(stereo, sampleRate, bitsPerSample);
  vocalInstrument_->prepare(stereo, sampleRate, bitsPerSample);
  for (void* p : *presets_) static_cast<IFilter*>(p)->prepare(stereo, sampleRate, bitsPerSample);
  if (octave_->isEnabled()) octave_->prepare(stereo, sampleRate, bitsPerSample);
}

void Effect::setPitch(float amount) {
  // Prepared before the switch goes on: the play thread must never see the shifter half made.
  if (amount != 0) octave_->prepare(stereo_, sampleRate_, bitsPerSample_);
  octave_->setPitch(amount);
  octave_->setEnabled(amount != 0 && octave_->isPrepared());
}

void Effect::processBeforeGain(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
                               int32_t bitsPerSample) {
  if (equalizerEx_->isEnabled())
    equalizerEx_->process(buffer, byteCount, stereo, sampleRate, bitsPerSample);
}

void Effect::processAfterGain(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
                              int32_t bitsPerSample, int32_t presetIndex) {
  if (stereoEnhancer_->isEnabled())
    stereoEnhancer_->process(buffer, byteCount, stereo, sampleRate, bitsPerSample);
  if (equalizer_->isEnabled())
    equalizer_->process(buffer, byteCount, stereo, sampleRate, bitsPerSample);
  if (vocalInstrument_->isEnabled())
    vocalInstrument_->process(buffer, byteCount, stereo, sampleRate, bitsPerSample);
  if (IFilter* p = preset(presetIndex)) p->process(buffer, byteCount, stereo, sampleRate, bitsPerSample);
  if (octave_->isEnabled()) octave_->process(buffer, byteCount, stereo, sampleRate, bitsPerSample);
}

void Effect::reset() {
  stereo_ = true;
  sampleRate_ = 44100;
  bitsPerSample_ = 16;
  equalizerEx_->reset();
  equalizerEx_->setEnabled(false);
  octave_->reset();
  octave_->setEnabled(false);
  // Made again rather than only switched off: a preset's filters carry history from the last
  // song, and an engine from the pool must sound like a new one.
  if (presetCount() > 0) buildPresets();
}

}  // namespace s::sound
