#pragma once
#include <cstdint>
#include <memory>

#include "s/base/IObject.h"
#include "s/thread/ObjLocker.h"
#include "s/thread/Pooled.h"

namespace s::sound {
class IEncodedAudio;
}
namespace s::thread::win {
class Thread;
}

namespace s::system::audio::win {

// The read-ahead of one playback: its own thread decodes the source into three blocks of 256 KiB
// so that slow decoding or a slow disk never starves the device. The play thread takes the data
// out in chunks. Made per playback, never pooled.
//
// A source `read` may block for seconds (a network share, a disk spinning up), longer than anyone
// waits for the fill task to stop. The fill task then goes on alone, so everything it touches (the
// blocks, their flags, the lock and the source) lives in a state that the task shares: the buffer
// may be destroyed at any time, and the state goes with the last of the two.
class PlayerBuffer final : public base::IObject {
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

  // Starts filling from `source`, after stopping any earlier fill. The fill task shares the
  // source until it has really ended.
  void attach(std::shared_ptr<sound::IEncodedAudio> source);
  // Play thread: copies up to min(capacity, 8192) bytes; *count gets the number. False once the
  // source has ended and everything before the end has been taken.
  bool read(void* dst, uint32_t capacity, uint32_t* count);
  // Play thread: waits up to `ms` until read() has something to say (data, the end or a flush).
  void waitForData(int ms);
  // Makes the reader see nothing until the fill task has started over; the caller holds lock().
  void flush();
  // Held by the fill task around each source read, and by a seek.
  thread::ObjLocker& lock();
  // Always 16: the buffer hands out the source's bytes unchanged.
  int32_t bitsPerSample() const { return 16; }
  // Asks the fill task to end, without waiting for it.
  void requestStop();
  // Stops the fill task (waiting up to 1.5 s, then leaving it to end by itself) and forgets the
  // source. True when the task ended in time.
  bool reset();

  const char16_t* typeName() const override { return u"s_system_audio_win_PlayerBuffer"; }
  base::IObject* newInstance() const override { return new PlayerBuffer; }

 private:
  struct Fill;

  // Stops the fill task; false when it overran its wait and was left to end by itself.
  bool stopFill();

  thread::Pooled<thread::win::Thread> thread_;
  std::shared_ptr<Fill> fill_;
};

}  // namespace s::system::audio::win
