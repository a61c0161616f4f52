#pragma once
#include <cstdint>

namespace s::system::audio {
class IPlayer;
}

namespace s::sound::gui::dialogs::player {

struct PlayState;

// Carries the window's sound switches (volume, mute, per-song boost, preset, standing filters,
// pitch) into one engine: all of them when a song starts, then only what changed, polled by the
// play thread.
class SoundSettings {
 public:
  // 0 when muted, else the volume factor raised by the song's boost (percent, so +50 at factor
  // 1 gives 1.5).
  static float volumeFor(bool muted, float factor, int32_t boostPercent);
  // Semitones as the engine's pitch amount: the percent of an octave.
  static float pitchAmount(int32_t semitones);

  // Everything, at the start of a song.
  void applyAll(const PlayState& state, system::audio::IPlayer& engine);
  // What changed since the last call (or applyAll).
  void applyChanges(const PlayState& state, system::audio::IPlayer& engine);
  // The volume last handed to the engine.
  float volume() const { return volume_; }

 private:
  void applyVolume(system::audio::IPlayer& engine);
  void applyEffects(system::audio::IPlayer& engine);

  bool muted_ = false;
  float factor_ = 0.0f;
  int32_t boost_ = 0;
  float volume_ = 0.0f;
  int32_t preset_ = -1;
  bool stereo_ = false, equalizer_ = false, soft_ = false;
  int32_t pitch_ = 0;
};

}  // namespace s::sound::gui::dialogs::player
