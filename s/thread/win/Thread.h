#pragma once
#include <chrono>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "s/thread/IPoolable.h"
#include "s/thread/IThread.h"

namespace s::thread::win {

// Runs tasks on one dedicated thread. The thread waits, suspended, between runs; each run
// operation hands it a task, a run count and an interval mode and wakes it.
//
// A thread is never killed from outside (that is unsafe here). When a wait for it overruns, the
// thread is abandoned instead: it finishes its current run by itself (the task must notice its
// own stop request) and then ends, while a fresh thread takes over the same parameter block.
class Thread final : public IThread, public IPoolable {
 public:
  enum IntervalMode { kNoInterval = 0, kSleepBetween = 1, kFixedPeriod = 2 };
  // Windows-style priorities: 2 is "highest", used by the audio threads.
  static constexpr int kPriorityHighest = 2;
  static constexpr int kPollMs = 20;

  static Thread* create();
  Thread();
  ~Thread() override;
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  int64_t threadId() const override;
  void runOnce(ITask* task) override { start(task, 1, kNoInterval, 0); }
  // As runOnce, and the thread holds `keepAlive` for as long as it runs the task, also after a
  // wait for it overran: what an abandoned run can still reach must be owned by it. Pass the
  // task's own owner (the task itself, or the state it works on).
  void runOnce(ITask* task, std::shared_ptr<void> keepAlive) {
    start(task, 1, kNoInterval, 0, std::move(keepAlive));
  }
  void runTimes(ITask* task, int64_t count) override { start(task, count, kNoInterval, 0); }
  void runTimesSleeping(ITask* task, int64_t count, int ms) override {
    start(task, count, kSleepBetween, ms);
  }
  void runTimesPeriodic(ITask* task, int64_t count, int ms) override {
    start(task, count, kFixedPeriod, ms);
  }
  void runForever(ITask* task) override { start(task, -1, kNoInterval, 0); }
  void runForeverSleeping(ITask* task, int ms) override { start(task, -1, kSleepBetween, ms); }
  void runForeverPeriodic(ITask* task, int ms) override { start(task, -1, kFixedPeriod, ms); }
  bool isIdle() const override;
  void waitIdle() override;
  bool waitIdleFor(int ms) override;
  void stopRepeating() override;
  void stopAndWait() override;
  void join() override;
  void requestTerminate() override;
  void terminate() override;
  void requestSleep(int ms) override;
  void wake() override;
  void suspend() override;
  int getPriority() const override;
  void setPriority(int priority) override;

  // How many times a wait overran and a fresh thread took over (for diagnostics and tests).
  int abandonedCount() const { return abandoned_; }

  const char16_t* typeName() const override { return u"s_thread_win_Thread"; }
  IObject* newInstance() const override { return create(); }
  void release() override;
  // Stops repeating, waits for the current run and forgets the task.
  void reset() override;

  struct Params;

 private:
  bool pollIdleUntil(std::chrono::steady_clock::time_point deadline);
  void start(ITask* task, int64_t count, int mode, int ms, std::shared_ptr<void> keepAlive = {});
  // Drops the keep-alive of a finished or abandoned run, outside the lock: the last owner's
  // destructor may well use this thread object.
  void dropKeepAlive();
  void launch();

  std::shared_ptr<Params> params_;
  std::thread thread_;
  int abandoned_ = 0;
};

}  // namespace s::thread::win
