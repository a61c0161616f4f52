#include "s/thread/win/Thread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using s::thread::win::Thread;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Polls `done` until it holds or a generous bound has passed; the bound only keeps a broken
// build from hanging, a loaded machine never comes near it.
bool waitFor(const std::function<bool()>& done, int ms = 10000) {
  const auto until = Clock::now() + milliseconds(ms);
  while (!done()) {
    if (Clock::now() > until) return false;
    std::this_thread::sleep_for(milliseconds(2));
  }
  return true;
}

struct CountingTask : s::thread::ITask {
  std::atomic<int> runs{0};
  int workMs = 0;
  std::mutex lock;
  std::vector<Clock::time_point> starts;
  std::function<void()> during;  // called inside the first run
  void run() override {
    {
      std::lock_guard hold(lock);
      starts.push_back(Clock::now());
    }
    if (during && runs == 0) during();
    if (workMs) std::this_thread::sleep_for(milliseconds(workMs));
    ++runs;
  }
  std::vector<milliseconds> intervals() {
    std::lock_guard hold(lock);
    std::vector<milliseconds> out;
    for (std::size_t i = 1; i < starts.size(); ++i)
      out.push_back(std::chrono::duration_cast<milliseconds>(starts[i] - starts[i - 1]));
    return out;
  }
};

// Runs until told to stop, as a task that overran its time-out must.
struct StubbornTask : s::thread::ITask {
  std::atomic<bool> stop{false}, ended{false};
  void run() override {
    while (!stop) std::this_thread::sleep_for(milliseconds(5));
    ended = true;
  }
};

TEST(Thread, RunModesRunTheTaskTheRightNumberOfTimes) {
  Thread t;
  CountingTask task;
  EXPECT_TRUE(t.isIdle());
  t.runOnce(&task);
  t.waitIdle();
  EXPECT_EQ(task.runs, 1);
  t.runTimes(&task, 5);
  t.waitIdle();
  EXPECT_EQ(task.runs, 6);
  t.runTimesSleeping(&task, 3, 30);
  auto began = Clock::now();
  t.waitIdle();
  EXPECT_EQ(task.runs, 9);
  EXPECT_GE(Clock::now() - began, milliseconds(55));  // two sleeps between three runs
  EXPECT_GT(t.threadId(), 0);
}

TEST(Thread, PeriodicRunsKeepTheirPeriodAndStopRepeatingEndsThem) {
  Thread t;
  CountingTask task;
  task.workMs = 30;
  t.runForeverPeriodic(&task, 40);
  ASSERT_TRUE(waitFor([&] { return task.runs >= 6; }));
  t.stopAndWait();
  const int runs = task.runs;
  // A run every 40 ms counted from its start, never sooner; with the 30 ms of work the runs of a
  // sleep between them would start 70 ms apart.
  std::vector<milliseconds> intervals = task.intervals();
  ASSERT_GE(intervals.size(), 5u);
  for (milliseconds interval : intervals) EXPECT_GE(interval.count(), 38);
  std::nth_element(intervals.begin(), intervals.begin() + intervals.size() / 2, intervals.end());
  EXPECT_LT(intervals[intervals.size() / 2].count(), 65);
  // Idle now: a run handed over afterwards is the next thing the thread does.
  CountingTask other;
  t.runOnce(&other);
  t.waitIdle();
  EXPECT_EQ(other.runs, 1);
  EXPECT_EQ(task.runs, runs);
}

TEST(Thread, RequestedSleepDelaysTheNextRunUnlessARunOperationClearsIt) {
  Thread t;
  CountingTask task;
  // Asked for from inside the first run, the sleep comes before the second.
  task.during = [&] { t.requestSleep(80); };
  t.runTimes(&task, 2);
  t.waitIdle();
  EXPECT_EQ(task.runs, 2);
  const std::vector<milliseconds> intervals = task.intervals();
  ASSERT_EQ(intervals.size(), 1u);
  EXPECT_GE(intervals[0].count(), 78);

  // Still pending when the run operation comes: dropped.
  CountingTask next;
  t.requestSleep(5000);
  const auto began = Clock::now();
  t.runOnce(&next);
  t.waitIdle();
  EXPECT_LT(Clock::now() - began, milliseconds(2500));
  EXPECT_EQ(next.runs, 1);
}

TEST(Thread, OverrunIsAbandonedAndAFreshThreadCarriesOn) {
  Thread t;
  t.setPriority(Thread::kPriorityHighest);  // may not be allowed; must not fail either way
  StubbornTask stubborn;
  t.runOnce(&stubborn);
  int64_t firstId = 0;
  for (int i = 0; i < 50 && !firstId; ++i) {
    firstId = t.threadId();
    std::this_thread::sleep_for(milliseconds(2));
  }
  auto began = Clock::now();
  EXPECT_FALSE(t.waitIdleFor(100));
  EXPECT_LT(Clock::now() - began, milliseconds(2000));
  EXPECT_EQ(t.abandonedCount(), 1);
  EXPECT_TRUE(t.isIdle());
  EXPECT_EQ(t.getPriority(), Thread::kPriorityHighest);

  // The fresh thread runs new work while the old one is still inside its run.
  CountingTask task;
  t.runOnce(&task);
  EXPECT_TRUE(t.waitIdleFor(2000));
  EXPECT_EQ(task.runs, 1);
  EXPECT_NE(t.threadId(), firstId);
  EXPECT_FALSE(stubborn.ended);
  // The abandoned thread ends by itself once it sees its stop request.
  stubborn.stop = true;
  EXPECT_TRUE(waitFor([&] { return stubborn.ended.load(); }));
}

TEST(Thread, ARunHoldsWhatItWasGivenToKeepAliveUntilItEndsAlsoWhenAbandoned) {
  Thread t;
  // A finished run lets go before the thread reports itself idle.
  auto quick = std::make_shared<CountingTask>();
  t.runOnce(quick.get(), quick);
  t.waitIdle();
  EXPECT_EQ(quick->runs, 1);
  EXPECT_EQ(quick.use_count(), 1);

  struct Owned : StubbornTask {
    std::atomic<bool>* gone = nullptr;
    ~Owned() override { *gone = true; }
  };
  std::atomic<bool> gone{false};
  auto stubborn = std::make_shared<Owned>();
  stubborn->gone = &gone;
  Owned* task = stubborn.get();
  t.runOnce(task, std::move(stubborn));
  EXPECT_FALSE(t.waitIdleFor(50));
  // Abandoned and let go of by everyone else: the run still owns its task.
  EXPECT_FALSE(gone.load());
  task->stop = true;
  EXPECT_TRUE(waitFor([&] { return gone.load(); }));
}

TEST(Thread, TerminateEndsAnIdleOrSleepingThreadPromptly) {
  auto* t = new Thread;
  CountingTask task;
  t->runForeverSleeping(&task, 10'000);
  ASSERT_TRUE(waitFor([&] { return task.runs == 1; }));
  auto began = Clock::now();
  t->terminate();
  // Well inside the ten seconds the thread would otherwise sleep.
  EXPECT_LT(Clock::now() - began, milliseconds(3000));
  EXPECT_EQ(task.runs, 1);
  delete t;

  // A pooled thread comes back idle, its repeating stopped, and usable.
  Thread* pooled = Thread::create();
  CountingTask forever;
  forever.workMs = 1;
  pooled->runForever(&forever);
  ASSERT_TRUE(waitFor([&] { return forever.runs > 0; }));
  pooled->release();
  int stoppedAt = forever.runs;
  Thread* again = Thread::create();
  EXPECT_TRUE(again->isIdle());
  again->runOnce(&task);
  again->waitIdle();
  EXPECT_EQ(task.runs, 2);
  // The thread runs one thing at a time: had the endless task gone on, it would still be at it.
  EXPECT_EQ(forever.runs, stoppedAt);
  again->release();
}

}  // namespace
