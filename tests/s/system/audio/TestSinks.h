#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/wave/FileSink.h"
#include "platform/wave/PacingClock.h"
#include "platform/wave/Sink.h"

namespace enginetest {

// "breaking:N": plays at real-time pace like the null device and breaks down once it has taken N
// buffers of 8192 bytes; then, like a sound card that vanished, it goes on taking bytes silently.
class BreakingSink final : public platform::wave::Sink {
 public:
  BreakingSink(const platform::wave::Format& format, std::uint64_t buffers)
      : clock_(static_cast<std::uint64_t>(format.bytesPerSecond()), true), limit_(buffers * 8192) {}
  std::size_t write(const std::uint8_t*, std::size_t bytes, bool) override {
    clock_.accept(bytes);
    taken_ += bytes;
    return bytes;
  }
  std::uint64_t played() override { return clock_.played(); }
  std::chrono::microseconds waitHint(std::uint64_t target, bool) override { return clock_.timeUntil(target); }
  void pause() override { clock_.pause(); }
  void restart() override { clock_.restart(); }
  void drop() override { clock_.drop(); }
  std::string failure() const override { return taken_ >= limit_ ? "the test card was pulled out" : ""; }

 private:
  platform::wave::PacingClock clock_;
  std::uint64_t limit_;
  std::uint64_t taken_ = 0;
};

// "gated:PATH": a file written as fast as it is fed, whose opening waits until the gate opens,
// like a sound server that takes its time to answer.
struct OpeningGate {
  std::mutex lock;
  std::condition_variable changed;
  bool open = true;
  bool waiting = false;

  static OpeningGate& instance() {
    static OpeningGate gate;
    return gate;
  }
  void close() {
    std::lock_guard hold(lock);
    open = false;
  }
  void release() {
    std::lock_guard hold(lock);
    open = true;
    changed.notify_all();
  }
  bool someoneWaits() {
    std::lock_guard hold(lock);
    return waiting;
  }
};

inline std::unique_ptr<platform::wave::Sink> openBreaking(std::string_view rest, const platform::wave::Format& format,
                                                          std::string&) {
  return std::make_unique<BreakingSink>(format, std::stoull(std::string(rest)));
}

inline std::unique_ptr<platform::wave::Sink> openGated(std::string_view rest, const platform::wave::Format& format,
                                                       std::string& error) {
  OpeningGate& gate = OpeningGate::instance();
  {
    std::unique_lock hold(gate.lock);
    gate.waiting = true;
    // Bounded, so that a test that fails cannot hang the suite.
    gate.changed.wait_for(hold, std::chrono::seconds(30), [&] { return gate.open; });
    gate.waiting = false;
  }
  return platform::wave::FileSink::create(std::string(rest), format, false, error);
}

inline void addTestSinks() {
  static std::once_flag once;
  std::call_once(once, [] {
    platform::wave::Sink::addKind("breaking:", &openBreaking);
    platform::wave::Sink::addKind("gated:", &openGated);
  });
}

}  // namespace enginetest
