#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "s/sound/Effect.h"
#include "s/system/audio/IPlayer.h"
#include "s/thread/Pooled.h"

namespace s::thread::win {
class Thread;
}

namespace s::system::audio::win {

class Playback;
class PlayerChain;

// The playback engine. Its play thread pulls 8192-byte chunks from the read-ahead buffer, runs
// them through the effects and the volume, queues them on the device and reports each one to the
// callback; it cleans up by itself when the song has played out. Engines come from a pool, one
// per song.
//
// Threads and who writes what:
// - the controlling thread (the play process) makes every call of IPlayer and alone writes
//   device_, pitch_ and playback_ (which playback is the current one);
// - the engine's play thread runs the current Playback's task, which moves that playback's state
//   and position (see Playback.h);
// - the read-ahead's fill thread writes the read-ahead blocks (see PlayerBuffer.h);
// - the device's own thread completes buffers, which frees ring entries (see PlayerInternal.h).
// Volume, preset and the filter switches are single values in the chain, written by the
// controlling thread and read by the play thread once per chunk.
//
// Lock order, never taken the other way: the engine lock (PlayerChain::lock; making a chunk,
// seek, pitch and reset), then the read-ahead lock (around each source read, and by seek), then
// the source's own lock. The chunk callback runs without any of them, and stop takes none while
// it waits, so a callback that hangs costs stop its time-out and no more.
class Player final : public IPlayer {
 public:
  static constexpr int kStopWaitMs = 4000;

  static Player* create();
  Player();
  ~Player() override;
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  void setDevice(IDevice* device) override { device_ = device; }
  void play(std::shared_ptr<sound::IEncodedAudio> source, PlayCallback callback, void* user) override;
  void pause() override;
  void resume() override;
  void stop() override;
  void seek(float percent) override;
  float getVolume() const override;
  void setVolume(float volume) override;
  float getGain() const override;
  void setPreset(int32_t index) override;
  bool isEqualizerExOn() override;
  void setEqualizerExOn(bool on) override;
  sound::IFilter* getEqualizerEx() override;
  void setPitch(float pitch) override;
  bool isEqualizerOn() override;
  void setEqualizerOn(bool on) override;
  sound::IFilter* getEqualizer() override;
  bool isStereoEnhancerOn() override;
  void setStereoEnhancerOn(bool on) override;
  sound::IFilter* getStereoEnhancer() override;
  bool isVocalInstrumentOn() override;
  void setVocalInstrumentOn(bool on) override;
  sound::IFilter* getVocalInstrument() override;
  bool isActive() const override { return isActiveState(state()); }
  PlayerState state() const override;
  std::string lastError() const override;

  bool isPaused() const { return state() == PlayerState::kPaused; }
  int32_t getPreset() const;
  // PCM bytes of the current song handed to the device (moved by seek); 0 before the first chunk.
  int64_t bytesQueued() const;
  sound::Effect& effect();

  const char16_t* typeName() const override { return u"s_system_audio_win_Player"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  std::shared_ptr<PlayerChain> chain_;
  thread::Pooled<thread::win::Thread> thread_;
  IDevice* device_ = nullptr;  // not owned
  float pitch_ = 0.0f;
  std::shared_ptr<Playback> playback_;
};

}  // namespace s::system::audio::win
