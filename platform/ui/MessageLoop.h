#pragma once
#include <atomic>
#include <chrono>
#include <optional>

#include "platform/ui/Message.h"

namespace platform::ui {

class WindowSystem;

// The message loop of every UI thread of one window system: posted messages first, then input
// (turned into messages by the InputRouter on the way), then due timers, then painting.
//
// Threads: each UI thread runs its own loop over its own queue and its own timers (kept in its
// per-thread state); nothing here is shared between threads except the clock.
class MessageLoop {
 public:
  using Clock = std::chrono::steady_clock;

  explicit MessageLoop(WindowSystem& ws) : ws_(ws) {}

  // The next message of the calling thread; with `wait` false, false when nothing is ready.
  bool next(Message& out, bool wait);
  void postQuit(int exitCode);

  bool setTimer(Handle w, unsigned id, unsigned milliseconds);
  bool killTimer(Handle w, unsigned id);
  void dropTimersOf(Handle w);

  // Timers run on the steady clock, or on a clock that only moves when told to, so that tests
  // can step auto-repeat and the like exactly.
  Clock::time_point now() const;
  void useManualClock();
  void advanceClock(std::chrono::milliseconds by);

 private:
  bool fireTimer(Message& out, std::optional<Clock::time_point>& nextDue);

  WindowSystem& ws_;
  std::atomic<bool> manual_{false};
  std::atomic<Clock::rep> manualNow_{0};
};

}  // namespace platform::ui
