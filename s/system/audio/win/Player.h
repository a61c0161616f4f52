#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "s/sound/Effect.h"
#include "s/system/audio/IPlayer.h"
#include "s/thread/ITask.h"
#include "s/thread/ObjLocker.h"

namespace s::thread::win {
class Thread;
}

namespace s::system::audio::win {

class PlayerBuffer;
class PlayerInternal;

// The playback engine. Its play thread pulls 8192-byte chunks from the read-ahead buffer, runs
// them through the effects and the volume, queues them on the device and reports each one to the
// callback; it cleans up by itself when the song has played out. Engines come from a pool, one
// per song.
class Player final : public IPlayer, public thread::ITask {
 public:
  static constexpr uint32_t kChunkSize = 8192;
  static constexpr int kIdleSleepMs = 10;
  static constexpr int kDrainWaitMs = 2000;
  static constexpr int kDrainStepMs = 100;
  static constexpr int kStopWaitMs = 4000;

  static Player* create();
  Player();
  ~Player() override;
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  void setDevice(IDevice* device) override { device_.store(device); }
  void play(sound::IEncodedAudio* source, PlayCallback callback, void* user) override;
  void pause() override;
  void resume() override;
  void stop() override;
  void seek(float percent) override;
  float getVolume() const override { return volume_.load(); }
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
  bool isActive() const override { return queue_.load() != nullptr; }
  std::string lastError() const override;

  bool isPaused() const { return paused_.load(); }
  int32_t getPreset() const { return presetIndex_.load(); }
  int64_t bytesQueued() const { return bytesQueued_.load(); }
  sound::Effect& effect() { return effect_; }

  // The play task.
  void run() override;

  const char16_t* typeName() const override { return u"s_system_audio_win_Player"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  uint32_t produceChunk(PlayerBuffer* readAhead, uint8_t* chunk);
  void releaseCompanions();
  void setError(std::string error);

  thread::ObjLocker lock_;
  thread::win::Thread* thread_;
  std::atomic<bool> playing_{false};
  std::atomic<bool> stopRequest_{true};
  std::atomic<PlayerInternal*> queue_{nullptr};
  std::atomic<bool> queueClaimed_{false};
  std::atomic<PlayerBuffer*> readAhead_{nullptr};
  std::atomic<IDevice*> device_{nullptr};
  sound::Effect effect_;
  std::atomic<bool> paused_{false};
  std::atomic<bool> sourceEnded_{false};
  std::atomic<float> volume_{1.0f};
  std::atomic<int32_t> presetIndex_{-1};
  std::atomic<float> pitch_{0.0f};
  std::atomic<sound::IEncodedAudio*> source_{nullptr};
  std::atomic<int32_t> bitsPerSample_{16};
  // The song's format, read once when it starts: the source guards these with the lock its decoder
  // holds for a whole read-ahead block, so asking per chunk kept the play thread and the decoder
  // waiting on each other.
  std::atomic<bool> stereo_{true};
  std::atomic<int32_t> sampleRate_{44100};
  std::atomic<int64_t> dataSize_{0};
  std::atomic<int64_t> bytesQueued_{0};
  std::atomic<PlayCallback> callback_{nullptr};
  std::atomic<void*> callbackUser_{nullptr};
  mutable std::mutex errorLock_;
  std::string error_;
};

}  // namespace s::system::audio::win
