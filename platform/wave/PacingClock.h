#pragma once
#include <chrono>
#include <cstdint>

namespace platform::wave {

// Plays bytes away at the format's byte rate without any hardware, for the null and file devices.
// Bytes accepted while the clock has run dry start a new stretch, so a late writer hears no burst.
class PacingClock {
 public:
  using Clock = std::chrono::steady_clock;

  PacingClock(std::uint64_t bytesPerSecond, bool paced);

  bool paced() const { return paced_; }
  void accept(std::uint64_t bytes);
  std::uint64_t played();
  std::chrono::microseconds timeUntil(std::uint64_t target);
  void pause();
  void restart();
  void drop();

 private:
  std::uint64_t playedAt(Clock::time_point now) const;

  std::uint64_t bytesPerSecond_;
  bool paced_;
  std::uint64_t accepted_ = 0;
  std::uint64_t stretchStartBytes_ = 0;
  Clock::time_point stretchStart_{};
  bool paused_ = false;
  Clock::time_point pausedAt_{};
};

}  // namespace platform::wave
