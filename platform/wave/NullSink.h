#pragma once
#include "platform/wave/PacingClock.h"
#include "platform/wave/Sink.h"

namespace platform::wave {

// The "null" device: plays nothing, but takes exactly as long as a sound card would, so a player
// without sound hardware still runs at the song's pace.
class NullSink : public Sink {
 public:
  explicit NullSink(const Format& format);

  std::size_t write(const std::uint8_t* data, std::size_t bytes, bool final) override;
  std::uint64_t played() override { return clock_.played(); }
  std::chrono::microseconds waitHint(std::uint64_t target, bool wantsSpace) override;
  void pause() override { clock_.pause(); }
  void restart() override { clock_.restart(); }
  void drop() override { clock_.drop(); }

 private:
  PacingClock clock_;
};

}  // namespace platform::wave
