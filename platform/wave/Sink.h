#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/wave/Format.h"

namespace platform::wave {

// What a device does with the bytes: play them on ALSA, pace them silently, or store them in a file.
// Only the device's own thread calls a sink, so sinks need no locks. No call may block for long:
// the device thread must stay free to answer reset, pause and close.
class Sink {
 public:
  virtual ~Sink() = default;

  // Takes as many bytes as the sink can accept now and returns that count (the rest is offered again).
  // `final` says that nothing else is queued behind these bytes: whatever the sink holds back must
  // now start playing, however little it is.
  virtual std::size_t write(const std::uint8_t* data, std::size_t bytes, bool final) = 0;
  // Bytes that have been played so far; never more than were accepted.
  virtual std::uint64_t played() = 0;
  // How long the device thread may sleep before played() can reach `target`, or, when the sink
  // refused bytes, before it can take more.
  virtual std::chrono::microseconds waitHint(std::uint64_t target, bool wantsSpace) = 0;
  virtual void pause() = 0;
  virtual void restart() = 0;
  // Forgets what has not played yet; afterwards played() equals the bytes accepted.
  virtual void drop() = 0;
  // Non-empty once the sink has broken down; a broken sink goes on consuming silently, at its pace.
  virtual std::string failure() const { return {}; }
  // False for a sink that takes bytes as fast as they come (rendering into a file): its thread
  // then takes written buffers in batches instead of waking for each one.
  virtual bool realTime() const { return true; }

  // Opens the sink for a device name: "null", "file:PATH", "file-fast:PATH", a name with a prefix
  // given to addKind, or an ALSA PCM name. On failure returns null and says why in `error`.
  static std::unique_ptr<Sink> open(std::string_view device, const Format& format, std::string& error);

  // From now on, device names that start with `prefix` are opened by `factory`, which gets the
  // rest of the name. Tests make devices that break down, or take their time, on cue this way.
  using Factory = std::unique_ptr<Sink> (*)(std::string_view rest, const Format& format, std::string& error);
  static void addKind(std::string prefix, Factory factory);
};

}  // namespace platform::wave
