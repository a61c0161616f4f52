#pragma once
#include <atomic>
#include <cstdint>

namespace platform::wave {

// Bits of Header::flags.
enum HeaderFlag : std::uint32_t {
  kHeaderDone = 1,      // the device has finished with the buffer; set again by every completion
  kHeaderPrepared = 2,  // prepare() was called and unprepare() not yet
  kHeaderInQueue = 16,  // written and not yet completed; data must stay untouched
};

// One buffer handed to an open device. The caller owns the header and its data; from write() until
// the completion the device reads the data, so neither may change or go away in between.
struct Header {
  std::uint8_t* data = nullptr;
  std::uint32_t length = 0;
  // Set by the device from its own thread and polled by the writer, hence atomic.
  std::atomic<std::uint32_t> flags{0};
  void* user = nullptr;

  // Kept by the device while the buffer is queued.
  Header* next = nullptr;
  std::uint64_t endOffset = 0;

  bool has(std::uint32_t flag) const { return (flags.load(std::memory_order_acquire) & flag) != 0; }
};

// Completion callback: called once per written buffer, in the order of writing, on the device's own
// thread, after kHeaderDone is set. It may write, reset, pause or restart, and may even destroy the
// WaveOut; only close() is refused there, because a thread cannot wait for its own end.
using DoneCallback = void (*)(Header& header, void* instance);

}  // namespace platform::wave
