#include "s/sound/gui/dialogs/player/SoundSettings.h"

#include "s/sound/gui/dialogs/player/PlayState.h"
#include "s/system/audio/IPlayer.h"

namespace s::sound::gui::dialogs::player {

float SoundSettings::volumeFor(bool muted, float factor, int32_t boostPercent) {
  if (muted) return 0.0f;
  return factor * (1.0f + static_cast<float>(boostPercent) / 100.0f);
}

float SoundSettings::pitchAmount(int32_t semitones) {
  return static_cast<float>(semitones) * 100.0f / 12.0f;
}

void SoundSettings::applyVolume(system::audio::IPlayer& engine) {
  volume_ = volumeFor(muted_, factor_, boost_);
  engine.setVolume(volume_);
}

void SoundSettings::applyEffects(system::audio::IPlayer& engine) {
  // A preset plays alone; without one the soft flag chooses the vocal/instrument filter over
  // the stereo enhancer and the equalizer.
  const bool none = preset_ < 0;
  engine.setPreset(preset_);
  engine.setStereoEnhancerOn(none && !soft_ && stereo_);
  engine.setEqualizerOn(none && !soft_ && equalizer_);
  engine.setVocalInstrumentOn(none && soft_);
}

void SoundSettings::applyAll(const PlayState& state, system::audio::IPlayer& engine) {
  muted_ = state.muted;
  factor_ = state.volumeFactor;
  boost_ = state.individualVolume;
  applyVolume(engine);
  preset_ = state.presetIndex;
  stereo_ = state.stereoFlag;
  equalizer_ = state.equalizerFlag;
  soft_ = state.softFlag;
  applyEffects(engine);
  pitch_ = state.pitch;
  engine.setPitch(pitchAmount(pitch_));
}

void SoundSettings::applyChanges(const PlayState& state, system::audio::IPlayer& engine) {
  const bool muted = state.muted;
  const float factor = state.volumeFactor;
  const int32_t boost = state.individualVolume;
  if (muted != muted_ || factor != factor_ || boost != boost_) {
    muted_ = muted;
    factor_ = factor;
    boost_ = boost;
    applyVolume(engine);
  }
  const int32_t preset = state.presetIndex;
  const bool stereo = state.stereoFlag, equalizer = state.equalizerFlag, soft = state.softFlag;
  if (preset != preset_ || stereo != stereo_ || equalizer != equalizer_ || soft != soft_) {
    preset_ = preset;
    stereo_ = stereo;
    equalizer_ = equalizer;
    soft_ = soft;
    applyEffects(engine);
  }
  if (const int32_t pitch = state.pitch; pitch != pitch_) {
    pitch_ = pitch;
    engine.setPitch(pitchAmount(pitch_));
  }
}

}  // namespace s::sound::gui::dialogs::player
