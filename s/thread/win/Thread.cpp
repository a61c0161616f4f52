#include "s/thread/win/Thread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "s/thread/EasyPooler.h"

namespace s::thread::win {

using Clock = std::chrono::steady_clock;

// Shared by the Thread object and its thread procedure(s); an abandoned procedure keeps it alive
// until it ends.
struct Thread::Params {
  std::mutex lock;
  std::condition_variable changed;  // wakes the procedure and those waiting for its exit
  // Guarded by `lock`:
  int pendingSleepMs = 0;
  ITask* task = nullptr;
  std::shared_ptr<void> keepAlive;  // owner of what `task` uses; see runOnce
  int64_t remaining = 0;  // runs left; -1 without end
  int intervalMode = kNoInterval;
  int intervalMs = 0;
  bool suspended = true;
  uint64_t generation = 0;  // the procedure whose generation matches owns the block
  // Polled without the lock:
  std::atomic<bool> alive{false};
  std::atomic<bool> idle{true};
  std::atomic<bool> terminateRequest{false};
  std::atomic<bool> exited{false};
  std::atomic<int> priority{0};
  std::atomic<int64_t> tid{0};
};

namespace {

// Windows priorities (-2..2, 15 for time-critical) to nice values. Raising priority needs
// privileges most users lack; then the thread simply keeps its default.
void applyPriority(int64_t tid, int priority) {
  if (tid <= 0) return;
  int nice = priority >= 15 ? -15 : priority <= -15 ? 15 : -priority * 4;
  setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice);
}

void procedure(std::shared_ptr<Thread::Params> p, uint64_t generation) {
  p->tid = static_cast<int64_t>(syscall(SYS_gettid));
  applyPriority(p->tid, p->priority);
  std::unique_lock<std::mutex> hold(p->lock);
  auto mine = [&] { return p->generation == generation; };
  p->alive = true;
  while (!p->terminateRequest && mine()) {
    if (p->suspended) {
      p->changed.wait(hold, [&] { return !p->suspended || p->terminateRequest || !mine(); });
      continue;
    }
    if (p->pendingSleepMs > 0) {
      int ms = p->pendingSleepMs;
      p->pendingSleepMs = 0;
      p->changed.wait_for(hold, std::chrono::milliseconds(ms),
                          [&] { return p->terminateRequest || !mine(); });
      continue;
    }
    if (p->remaining == 0) {
      if (p->keepAlive) {
        // Released without the lock: its owner's destructor may call back into this thread.
        std::shared_ptr<void> done = std::move(p->keepAlive);
        hold.unlock();
        done.reset();
        hold.lock();
        continue;
      }
      p->idle = true;
      p->suspended = true;  // an idle thread suspends itself until the next run operation
      p->changed.notify_all();
      continue;
    }
    if (p->remaining > 0) --p->remaining;
    ITask* task = p->task;
    std::shared_ptr<void> keep = p->remaining == 0 ? std::move(p->keepAlive) : p->keepAlive;
    int mode = p->intervalMode;
    int interval = p->intervalMs;
    hold.unlock();
    auto began = Clock::now();
    if (task) task->run();
    // Let go before the lock is taken again (the owner's destructor may use this thread) and
    // before the thread reports itself idle (whoever waits for idle may then drop the last owner).
    keep.reset();
    hold.lock();
    if (mode != Thread::kNoInterval && p->remaining != 0 && mine()) {
      auto until = mode == Thread::kSleepBetween ? Clock::now() + std::chrono::milliseconds(interval)
                                         : began + std::chrono::milliseconds(interval);
      p->changed.wait_until(hold, until, [&] {
        return p->terminateRequest || p->remaining == 0 || !mine();
      });
    }
  }
  if (mine()) {
    p->alive = false;
    p->exited = true;
    p->changed.notify_all();
  }
}

}  // namespace

Thread* Thread::create() { return PoolOf<Thread>::acquire(); }

void Thread::release() { PoolOf<Thread>::release(this); }

Thread::Thread() : params_(std::make_shared<Params>()) { launch(); }

Thread::~Thread() { terminate(); }

void Thread::launch() {
  uint64_t generation;
  {
    std::lock_guard<std::mutex> hold(params_->lock);
    generation = params_->generation;
    params_->exited = false;
    params_->alive = false;
  }
  thread_ = std::thread(procedure, params_, generation);
}

void Thread::start(ITask* task, int64_t count, int mode, int ms, std::shared_ptr<void> keepAlive) {
  {
    std::lock_guard<std::mutex> hold(params_->lock);
    params_->task = task;
    // The previous owner leaves with the local at the end of this function, outside the lock.
    std::swap(params_->keepAlive, keepAlive);
    params_->remaining = count;
    params_->intervalMode = mode;
    params_->intervalMs = ms < 0 ? 0 : ms;
    params_->pendingSleepMs = 0;
    params_->idle = count == 0;
    params_->exited = false;
    params_->suspended = false;
  }
  params_->changed.notify_all();
}

int64_t Thread::threadId() const { return params_->tid; }

bool Thread::isIdle() const { return params_->idle; }

// Looks again at least every kPollMs, and at once when the thread reports itself idle, so a
// short run costs its caller no poll interval.
bool Thread::pollIdleUntil(Clock::time_point deadline) {
  std::unique_lock<std::mutex> hold(params_->lock);
  auto next = std::min(deadline, Clock::now() + std::chrono::milliseconds(kPollMs));
  return params_->changed.wait_until(hold, next, [this] { return params_->idle.load(); });
}

void Thread::waitIdle() {
  while (!params_->idle) pollIdleUntil(Clock::time_point::max());
}

bool Thread::waitIdleFor(int ms) {
  auto deadline = Clock::now() + std::chrono::milliseconds(ms < 0 ? 0 : ms);
  while (!params_->idle) {
    if (Clock::now() >= deadline) {
      // Overran: abandon this thread to end by itself and carry on with a fresh one.
      {
        std::lock_guard<std::mutex> hold(params_->lock);
        ++params_->generation;
        params_->remaining = 0;
        params_->pendingSleepMs = 0;
        params_->suspended = true;
        params_->idle = true;
      }
      params_->changed.notify_all();
      // The abandoned run holds its own copy; a repeating one left one here as well.
      dropKeepAlive();
      if (thread_.joinable()) thread_.detach();
      ++abandoned_;
      launch();
      return false;
    }
    pollIdleUntil(deadline);
  }
  return true;
}

void Thread::stopRepeating() {
  {
    std::lock_guard<std::mutex> hold(params_->lock);
    params_->remaining = 0;
  }
  wake();
}

void Thread::stopAndWait() {
  stopRepeating();
  waitIdle();
}

void Thread::join() {
  if (!thread_.joinable()) return;
  std::unique_lock<std::mutex> hold(params_->lock);
  while (!params_->exited) {
    params_->suspended = false;
    params_->changed.notify_all();
    params_->changed.wait_for(hold, std::chrono::milliseconds(100));
  }
  hold.unlock();
  thread_.join();
}

void Thread::requestTerminate() {
  {
    std::lock_guard<std::mutex> hold(params_->lock);
    params_->terminateRequest = true;
  }
  params_->changed.notify_all();
}

void Thread::terminate() {
  requestTerminate();
  join();
}

void Thread::requestSleep(int ms) {
  std::lock_guard<std::mutex> hold(params_->lock);
  params_->pendingSleepMs = ms < 0 ? 0 : ms;
}

void Thread::wake() {
  {
    std::lock_guard<std::mutex> hold(params_->lock);
    params_->suspended = false;
  }
  params_->changed.notify_all();
}

void Thread::suspend() {
  std::lock_guard<std::mutex> hold(params_->lock);
  params_->suspended = true;
}

int Thread::getPriority() const { return params_->priority; }

void Thread::setPriority(int priority) {
  params_->priority = priority;
  applyPriority(params_->tid, priority);
}

void Thread::dropKeepAlive() {
  std::shared_ptr<void> done;
  std::lock_guard<std::mutex> hold(params_->lock);
  std::swap(done, params_->keepAlive);
  // `done` is destroyed after the guard: declared first, it dies last.
}

void Thread::reset() {
  stopRepeating();
  waitIdle();
  {
    std::lock_guard<std::mutex> hold(params_->lock);
    params_->task = nullptr;
    params_->pendingSleepMs = 0;
  }
  dropKeepAlive();
}

}  // namespace s::thread::win
