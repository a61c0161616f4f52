#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/ui/Backend.h"
#include "platform/ui/Message.h"

namespace platform::ui {

// The message queue of one UI thread: posted messages, input from the backend, and calls that
// other threads wait on (a send across threads). Created on first use by the thread that owns it.
class MessageQueue {
 public:
  using Clock = std::chrono::steady_clock;

  MessageQueue();
  ~MessageQueue();

  // The calling thread's queue, created when missing.
  static std::shared_ptr<MessageQueue> current();
  // The calling thread's queue or nullptr.
  static MessageQueue* currentIfAny();
  bool isCurrent() const { return std::this_thread::get_id() == owner_; }

  // Any thread. False once the owning thread has ended.
  bool post(const Message& m);
  bool postInput(InputEvent e);
  // Runs `work` on the owning thread and waits for it. While waiting, the caller's own queue
  // keeps serving calls made to it, so two UI threads that send to each other do not deadlock.
  bool call(const std::function<void()>& work);
  void wake();

  // Owning thread only.
  struct Item {
    Message message;
    std::unique_ptr<InputEvent> input;
  };
  bool take(Item& out);
  void serveCalls();
  // Returns when anything arrives, when woken, or at the deadline.
  void wait(std::optional<Clock::time_point> deadline);
  void shutdown();

 private:
  struct PendingCall;
  std::thread::id owner_;
  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<Item> items_;
  std::deque<std::shared_ptr<PendingCall>> calls_;
  bool woken_ = false;
  bool dead_ = false;
};

}  // namespace platform::ui
