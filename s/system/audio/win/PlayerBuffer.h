#pragma once
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cstdint>
#include <memory>

#include "s/base/IObject.h"
#include "s/thread/ITask.h"
#include "s/thread/ObjLocker.h"

namespace s::sound {
class IEncodedAudio;
}
namespace s::thread::win {
class Thread;
}

namespace s::system::audio::win {

// The read-ahead of one playback: its own thread decodes the source into three blocks of 256 KiB
// so that slow decoding or a slow disk never starves the device. The play thread takes the data
// out in chunks. A block's `filled` count is the hand-over: the fill task sets it after writing
// the data, the reader clears it after taking all of it. Made per playback, never pooled.
class PlayerBuffer final : public base::IObject, public thread::ITask {
 public:
  static constexpr int kBlockCount = 3;
  static constexpr uint32_t kBlockSize = 262144;
  static constexpr uint32_t kMaxRead = 8192;
  static constexpr int kStopWaitMs = 1500;
  // Every change the fill task waits for (a block emptied, a flush, a stop) signals it, so its
  // waits only need a bound as a safeguard; a short bound would wake it a hundred times a
  // second for nothing while a song plays in real time.
  static constexpr int kFillWaitMs = 100;

  PlayerBuffer();
  ~PlayerBuffer() override;
  PlayerBuffer(const PlayerBuffer&) = delete;
  PlayerBuffer& operator=(const PlayerBuffer&) = delete;

  // Starts filling from `source` (not owned), after stopping any earlier fill.
  void attach(sound::IEncodedAudio* source);
  // Play thread: copies up to min(capacity, 8192) bytes; *count gets the number. False once the
  // source has ended and everything before the end has been taken.
  bool read(void* dst, uint32_t capacity, uint32_t* count);
  // Play thread: waits up to `ms` until read() has something to say (data, the end or a flush).
  void waitForData(int ms);
  // Makes the reader see nothing until the fill task has started over; the caller holds lock().
  void flush();
  thread::ObjLocker& lock() { return lock_; }
  int32_t bitsPerSample() const { return bitsPerSample_; }
  // Stops the fill task and forgets the source.
  void reset();

  void run() override;

  const char16_t* typeName() const override { return u"s_system_audio_win_PlayerBuffer"; }
  base::IObject* newInstance() const override { return new PlayerBuffer; }

 private:
  struct Block {
    std::atomic<uint32_t> filled{0};
    std::atomic<uint32_t> readPos{0};
    std::unique_ptr<uint8_t[]> data;
  };

  void emptyBlocks();
  void stopFill();
  // Wakes whichever thread waits for the other: a block was filled, emptied or the task must stop.
  void signal();
  // Waits up to `ms` until `done` holds; signal() makes it look again.
  template <typename Done>
  void waitUntil(int ms, Done done) {
    std::unique_lock hold(waitLock_);
    changed_.wait_for(hold, std::chrono::milliseconds(ms), done);
  }

  thread::ObjLocker lock_;
  std::mutex waitLock_;
  std::condition_variable changed_;
  thread::win::Thread* thread_;
  std::atomic<bool> running_{false};
  std::atomic<bool> stopRequest_{true};
  std::atomic<sound::IEncodedAudio*> source_{nullptr};
  int32_t bitsPerSample_ = 16;
  std::atomic<bool> ended_{false};
  std::atomic<bool> flush_{false};
  std::array<Block, kBlockCount> blocks_;
  std::atomic<int32_t> readIndex_{0};
  std::atomic<int32_t> writeIndex_{0};
};

}  // namespace s::system::audio::win
