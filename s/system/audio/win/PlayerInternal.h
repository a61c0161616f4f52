#pragma once
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/wave/Format.h"
#include "platform/wave/Header.h"
#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"
#include "s/thread/Pooled.h"

namespace platform::wave {
class WaveOut;
}
namespace s::thread::win {
class Thread;
}

namespace s::system::audio::win {

// The device queue of one playback: the open wave output and a ring of 12 buffers of 8192 bytes
// that the play thread fills in turn. Completions come back in the order of writing, so the ring
// only needs to know which buffer finishes next. Closing may block inside a driver; it runs on a
// worker thread with time-outs, and a device that overruns them is given up.
class PlayerInternal final : public base::IObject, public thread::IPoolable {
 public:
  static constexpr int kBufferCount = 12;
  static constexpr uint32_t kBufferSize = 8192;
  static constexpr int kRefillBatch = 6;
  // The device calls that may block inside a driver, run on the worker.
  enum Command : int32_t { kClose = 1, kReset = 6 };
  static constexpr int kDrainWaitMs = 1000;
  static constexpr int kResetWaitMs = 1500;
  static constexpr int kCloseWaitMs = 1500;

  static PlayerInternal* create();
  PlayerInternal();
  ~PlayerInternal() override;
  PlayerInternal(const PlayerInternal&) = delete;
  PlayerInternal& operator=(const PlayerInternal&) = delete;

  // Opens `device` for `format`. False, with the reason in `error`, when it cannot be opened.
  bool open(const std::string& device, const platform::wave::Format& format, std::string& error);
  bool isOpen() const;
  // Whether the buffer that the next queue() uses has come back from the device.
  bool isNextFree() const { return entries_[nextWrite_.load(std::memory_order_relaxed)].free.load(std::memory_order_acquire); }
  bool allFree() const;
  // Waits up to `ms` for the next buffer (or all of them) to come back; true when it has. A
  // completion wakes the wait at once, so a device faster than real time is fed at its pace.
  bool waitNextFree(int ms);
  bool waitAllFree(int ms);
  // The next buffer of the ring, to produce a chunk into while isNextFree(); queueNext(n) then
  // writes its first n bytes (at most 8192) to the device. Producing in place saves a copy of
  // every byte played.
  uint8_t* nextBuffer() { return entries_[nextWrite_.load(std::memory_order_relaxed)].data.get(); }
  bool queueNext(uint32_t n);
  // Whether the device broke down after opening, and why (empty while it works).
  bool deviceBroken() const;
  std::string deviceError() const;
  // The close sequence: lets the queued buffers play (up to 1 s; not for a device that broke
  // down, which would only pace silence), then resets and closes the device, each on the worker
  // thread with its time-out. Returns why the device failed, or empty.
  std::string closeDevice(bool letQueuedPlay = true);

  const char16_t* typeName() const override { return u"s_system_audio_win_PlayerInternal"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  // The close sequence, then the ring as new; the buffers stay allocated.
  void reset() override;

 private:
  struct Entry {
    std::atomic<bool> free{true};
    platform::wave::Header header;
    std::unique_ptr<uint8_t[]> data;
  };

  struct DeviceCall;

  static void onDone(platform::wave::Header& header, void* instance);
  std::shared_ptr<platform::wave::WaveOut> handle() const;
  bool runOnWorker(const std::shared_ptr<platform::wave::WaveOut>& out, Command command, int waitMs);

  mutable std::mutex handleLock_;  // guards handle_ itself; the device has its own locks
  std::shared_ptr<platform::wave::WaveOut> handle_;
  std::mutex freedLock_;
  std::condition_variable freed_;
  // The buffer whose completion the play thread waits for (kWaitsForAll: every buffer, none:
  // -1). A completion wakes the play thread only when it is that one, not for every buffer.
  static constexpr int32_t kWaitsForNone = -1;
  static constexpr int32_t kWaitsForAll = -2;
  std::atomic<int32_t> waitingFor_{kWaitsForNone};
  std::atomic<int32_t> nextComplete_{0};
  std::atomic<int32_t> nextWrite_{0};
  std::array<Entry, kBufferCount> entries_;
  thread::Pooled<thread::win::Thread> worker_;
};

}  // namespace s::system::audio::win
