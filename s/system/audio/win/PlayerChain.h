#pragma once
#include <atomic>
#include <cstdint>

#include "platform/wave/Format.h"
#include "s/sound/Effect.h"
#include "s/thread/ObjLocker.h"

namespace s::system::audio::win {

// What every chunk of an engine goes through: the effect holder, the volume and the preset, and
// the engine lock under which a chunk is made. Shared by the engine and each of its playbacks, so
// that a play task that was given up on still finds them while it winds down, whatever became of
// the engine in the meantime.
class PlayerChain {
 public:
  PlayerChain();
  PlayerChain(const PlayerChain&) = delete;
  PlayerChain& operator=(const PlayerChain&) = delete;

  // The engine lock: held for making one chunk, by a seek, and around every change to the
  // filters' working state (pitch, reset), so that none frees what a chunk in the making uses.
  thread::ObjLocker& lock() { return lock_; }
  sound::Effect& effect() { return effect_; }

  // Written by the controlling thread, read by the play thread once per chunk.
  float volume() const { return volume_.load(std::memory_order_relaxed); }
  void setVolume(float volume) { volume_.store(volume, std::memory_order_relaxed); }
  float gain() const;
  int32_t preset() const { return preset_.load(std::memory_order_relaxed); }
  void setPreset(int32_t index) { preset_.store(index, std::memory_order_relaxed); }

  // The caller holds lock(). Readies every filter for a song of this format.
  void prepare(const platform::wave::Format& format);
  // The caller holds lock(). Runs n bytes in place through the filters and the gain, in the
  // engine's order.
  void process(uint8_t* chunk, uint32_t n, const platform::wave::Format& format);
  // The caller holds lock(). Volume 1, no preset, and the effect holder's own reset.
  void reset();

 private:
  thread::ObjLocker lock_;
  sound::Effect effect_;
  std::atomic<float> volume_{1.0f};
  std::atomic<int32_t> preset_{-1};
};

}  // namespace s::system::audio::win
