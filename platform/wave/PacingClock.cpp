#include "platform/wave/PacingClock.h"

#include <algorithm>

namespace platform::wave {

PacingClock::PacingClock(std::uint64_t bytesPerSecond, bool paced)
    : bytesPerSecond_(bytesPerSecond ? bytesPerSecond : 1), paced_(paced) {}

std::uint64_t PacingClock::playedAt(Clock::time_point now) const {
  if (!paced_) return accepted_;
  if (paused_) now = pausedAt_;
  auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(now - stretchStart_).count();
  if (elapsed <= 0) return std::min(accepted_, stretchStartBytes_);
  // 128-bit intermediate: hours of playback at high rates would overflow 64 bits in microseconds.
  auto due = static_cast<std::uint64_t>(static_cast<unsigned __int128>(elapsed) * bytesPerSecond_ / 1000000);
  return std::min(accepted_, stretchStartBytes_ + due);
}

void PacingClock::accept(std::uint64_t bytes) {
  if (bytes == 0) return;
  auto now = Clock::now();
  if (playedAt(now) >= accepted_) {
    stretchStart_ = paused_ ? pausedAt_ : now;
    stretchStartBytes_ = accepted_;
  }
  accepted_ += bytes;
}

std::uint64_t PacingClock::played() { return playedAt(Clock::now()); }

std::chrono::microseconds PacingClock::timeUntil(std::uint64_t target) {
  auto now = Clock::now();
  if (!paced_ || playedAt(now) >= target) return std::chrono::microseconds(0);
  if (paused_) return std::chrono::milliseconds(100);
  target = std::min(target, accepted_);
  auto dueUs = static_cast<std::int64_t>(
      (static_cast<unsigned __int128>(target - stretchStartBytes_) * 1000000 + bytesPerSecond_ - 1) /
      bytesPerSecond_);
  auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(now - stretchStart_).count();
  return std::chrono::microseconds(std::max<std::int64_t>(dueUs - elapsed, 0));
}

void PacingClock::pause() {
  if (paused_) return;
  paused_ = true;
  pausedAt_ = Clock::now();
}

void PacingClock::restart() {
  if (!paused_) return;
  paused_ = false;
  stretchStart_ += Clock::now() - pausedAt_;
}

void PacingClock::drop() {
  // What was dropped counts as played, so the next bytes start a fresh stretch.
  stretchStartBytes_ = accepted_;
  stretchStart_ = paused_ ? pausedAt_ : Clock::now();
}

}  // namespace platform::wave
