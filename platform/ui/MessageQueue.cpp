#include "platform/ui/MessageQueue.h"

#include <atomic>

namespace platform::ui {

struct MessageQueue::PendingCall {
  std::function<void()> work;
  std::atomic<bool> done{false};
  std::shared_ptr<MessageQueue> caller;  // woken when done; nullptr for a thread without a queue
  std::mutex mutex;
  std::condition_variable cv;

  void finish() {
    {
      std::lock_guard lock(mutex);
      done = true;
    }
    cv.notify_all();
    if (caller) caller->wake();
  }
};

namespace {

// Owns the thread's queue and shuts it down when the thread ends, so that threads still waiting
// on a send to it are released.
struct QueueHolder {
  std::shared_ptr<MessageQueue> queue;
  ~QueueHolder() {
    if (queue) queue->shutdown();
  }
};
thread_local QueueHolder tlsQueue;

}  // namespace

MessageQueue::MessageQueue() : owner_(std::this_thread::get_id()) {}

MessageQueue::~MessageQueue() { shutdown(); }

std::shared_ptr<MessageQueue> MessageQueue::current() {
  if (!tlsQueue.queue) tlsQueue.queue = std::make_shared<MessageQueue>();
  return tlsQueue.queue;
}

MessageQueue* MessageQueue::currentIfAny() { return tlsQueue.queue.get(); }

bool MessageQueue::post(const Message& m) {
  {
    std::lock_guard lock(mutex_);
    if (dead_) return false;
    items_.push_back({m, nullptr});
  }
  cv_.notify_all();
  return true;
}

bool MessageQueue::postInput(InputEvent e) {
  {
    std::lock_guard lock(mutex_);
    if (dead_) return false;
    items_.push_back({Message{}, std::make_unique<InputEvent>(std::move(e))});
  }
  cv_.notify_all();
  return true;
}

bool MessageQueue::call(const std::function<void()>& work) {
  if (isCurrent()) {
    work();
    return true;
  }
  auto pending = std::make_shared<PendingCall>();
  pending->work = work;
  MessageQueue* mine = currentIfAny();
  if (mine) pending->caller = tlsQueue.queue;
  {
    std::lock_guard lock(mutex_);
    if (dead_) return false;
    calls_.push_back(pending);
  }
  cv_.notify_all();
  if (mine) {
    while (!pending->done) {
      mine->serveCalls();
      if (!pending->done) mine->wait(std::nullopt);
    }
  } else {
    std::unique_lock lock(pending->mutex);
    pending->cv.wait(lock, [&] { return pending->done.load(); });
  }
  return true;
}

void MessageQueue::wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
  }
  cv_.notify_all();
}

bool MessageQueue::take(Item& out) {
  std::lock_guard lock(mutex_);
  if (items_.empty()) return false;
  out = std::move(items_.front());
  items_.pop_front();
  return true;
}

void MessageQueue::serveCalls() {
  for (;;) {
    std::shared_ptr<PendingCall> next;
    {
      std::lock_guard lock(mutex_);
      if (calls_.empty()) return;
      next = std::move(calls_.front());
      calls_.pop_front();
    }
    next->work();
    next->finish();
  }
}

void MessageQueue::wait(std::optional<Clock::time_point> deadline) {
  std::unique_lock lock(mutex_);
  auto ready = [&] { return woken_ || dead_ || !items_.empty() || !calls_.empty(); };
  if (deadline) cv_.wait_until(lock, *deadline, ready);
  else cv_.wait(lock, ready);
  woken_ = false;
}

void MessageQueue::shutdown() {
  std::deque<std::shared_ptr<PendingCall>> orphans;
  {
    std::lock_guard lock(mutex_);
    dead_ = true;
    orphans.swap(calls_);
    items_.clear();
  }
  cv_.notify_all();
  for (auto& c : orphans) c->finish();
}

}  // namespace platform::ui
