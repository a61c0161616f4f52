#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/wave/Format.h"
#include "s/system/audio/IPlayer.h"
#include "s/system/audio/PlayerState.h"
#include "s/thread/ITask.h"

namespace s::sound {
class IEncodedAudio;
}

namespace s::system::audio::win {

class PlayerBuffer;
class PlayerChain;
class PlayerInternal;

// One song through an engine: its source, read-ahead and device queue, its position and its
// state. Its play task (run) opens the device, feeds it chunk by chunk, lets the queue play out
// and closes everything again. The engine makes a new playback for every play(); a play task
// that overran its stop wait keeps its own playback alive and can only ever act on that one.
//
// Threads: the controlling thread (the caller of the engine) and the play task. The state moves
// only by the named transitions below, each a single atomic step, so the two never disagree.
// The engine lock (PlayerChain::lock) guards readAhead_, queue_, source_ and the making of a
// chunk; bytesQueued_ is written under it too. error_ has its own lock.
class Playback final : public thread::ITask {
 public:
  static constexpr uint32_t kChunkSize = 8192;
  static constexpr int kIdleSleepMs = 10;
  static constexpr int kDrainWaitMs = 2000;
  static constexpr int kDrainStepMs = 100;

  // A playback of `source` on the device named `device` (empty: the first of the device list).
  // Without a source it is failed from the start.
  Playback(std::shared_ptr<PlayerChain> chain, std::shared_ptr<sound::IEncodedAudio> source,
           std::string device, PlayCallback callback, void* user);
  ~Playback() override;
  Playback(const Playback&) = delete;
  Playback& operator=(const Playback&) = delete;

  // Controlling thread, before the task runs: the fill task starts decoding while the device
  // opens.
  void startReadAhead();

  PlayerState state() const { return state_.load(); }
  int64_t bytesQueued() const { return bytesQueued_.load(); }
  std::string error() const;

  // The transitions the controlling thread makes; each does nothing from any other state.
  void pause();        // playing -> paused
  void resume();       // paused -> playing
  void requestStop();  // opening, playing, paused or draining -> stopping
  // After the play task overran its stop wait: closes the device and lets go of the read-ahead
  // and the source here (the task keeps what it still holds until it ends), then ended.
  void abandon();
  // Moves the position (the engine lock, then the read-ahead lock); queued chunks still play.
  void seek(float percent);

  // The play task.
  void run() override;

 private:
  bool move(PlayerState from, PlayerState to);
  // Any active state -> failed, keeping the first reason.
  void fail(const std::string& reason);
  // Whatever the task leaves in opening, playing, paused, draining or stopping -> ended.
  void finish();

  std::shared_ptr<PlayerInternal> openDevice();
  void feed(PlayerInternal& queue, PlayerBuffer& readAhead);
  // The engine lock is held. Reads, processes and queues one chunk; its size, 0 for none.
  uint32_t makeChunk(PlayerInternal& queue, PlayerBuffer& readAhead, uint8_t* chunk);
  void drain(PlayerInternal& queue);
  // Once, by the task at its end or by abandon(): stops the read-ahead, closes the device.
  void releaseCompanions(bool letQueuedPlay);

  const std::shared_ptr<PlayerChain> chain_;
  const std::string device_;
  const PlayCallback callback_;
  void* const user_;
  // The song's format and size, read once at the start: the source guards them with the lock its
  // decoder holds for a whole read-ahead block, so asking per chunk kept the play thread and the
  // decoder waiting on each other.
  platform::wave::Format format_;
  int64_t dataSize_ = 0;

  std::atomic<PlayerState> state_{PlayerState::kOpening};
  std::atomic<int64_t> bytesQueued_{0};
  std::atomic<bool> companionsReleased_{false};
  std::shared_ptr<sound::IEncodedAudio> source_;
  std::shared_ptr<PlayerBuffer> readAhead_;
  std::shared_ptr<PlayerInternal> queue_;
  mutable std::mutex errorLock_;
  std::string error_;
};

}  // namespace s::system::audio::win
