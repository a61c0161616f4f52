#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "platform/wave/Format.h"
#include "platform/wave/OutputState.h"
#include "platform/wave/Header.h"
#include "platform/wave/Result.h"

namespace platform::wave {

// An open output device. Buffers are prepared, written and come back through the completion
// callback in the order they were written, on a thread that belongs to the device. Every operation
// returns within a bounded time: ALSA is driven in non-blocking mode, and a device that cannot be
// opened, stops taking samples or hangs inside its driver is reported or given up, never waited on.
class WaveOut {
 public:
  // Opens a device by name: a name from DeviceList, "null", "file:PATH", "file-fast:PATH" or any
  // ALSA PCM name. Returns null, with the reason in `error`, when the format or the device is
  // unusable. `callback` may be null.
  static std::unique_ptr<WaveOut> open(std::string_view device, const Format& format, DoneCallback callback,
                                       void* instance, std::string& error);
  // Opens entry `index` of DeviceList.
  static std::unique_ptr<WaveOut> open(std::size_t index, const Format& format, DoneCallback callback,
                                       void* instance, std::string& error);
  ~WaveOut();
  WaveOut(const WaveOut&) = delete;
  WaveOut& operator=(const WaveOut&) = delete;

  Result prepare(Header& header);
  Result unprepare(Header& header);
  // Queues the buffer behind those already written; clears kHeaderDone and sets kHeaderInQueue.
  Result write(Header& header);
  // Returns every queued buffer as done (callbacks included) before returning; the pause state stays.
  // Called from the completion callback, it takes effect as soon as that callback returns.
  Result reset();
  // Holds playback where it is (the queue stays), until restart().
  Result pause();
  Result restart();
  // Returns the buffers still queued as done, then releases the device. Also done by the destructor,
  // which may run inside the device's own callback (close() itself may not). When the device is
  // stuck in its driver, close() gives it up after two seconds: the buffers are marked done without
  // callbacks and TimedOut is returned.
  Result close();

  const std::string& deviceName() const { return device_; }
  const Format& format() const { return format_; }
  // Why the device broke down after it was opened (a vanished sound card, a full disk), or empty.
  // A broken device goes on completing buffers, silently and at real-time pace, so a player never
  // hangs on it.
  std::string error() const;
  // Whether error() has anything to say; cheap enough to ask for every buffer.
  bool broken() const;

 private:
  WaveOut(std::shared_ptr<OutputState> state, std::string device, const Format& format);
  bool onDeviceThread() const;

  std::shared_ptr<OutputState> state_;
  std::thread thread_;
  std::string device_;
  Format format_;
};

}  // namespace platform::wave
