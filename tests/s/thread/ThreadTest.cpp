#include "s/thread/win/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using s::thread::win::Thread;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct CountingTask : s::thread::ITask {
  std::atomic<int> runs{0};
  int workMs = 0;
  void run() override {
    if (workMs) std::this_thread::sleep_for(milliseconds(workMs));
    ++runs;
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
  task.workMs = 10;
  t.runForeverPeriodic(&task, 40);
  std::this_thread::sleep_for(milliseconds(190));
  t.stopAndWait();
  int runs = task.runs;
  // A run every 40 ms counted from its start: about 5 in 190 ms, not one per 50 ms.
  EXPECT_GE(runs, 3);
  EXPECT_LE(runs, 6);
  std::this_thread::sleep_for(milliseconds(60));
  EXPECT_EQ(task.runs, runs);  // nothing runs after it went idle
}

TEST(Thread, RequestedSleepDelaysTheNextRunUnlessARunOperationClearsIt) {
  Thread t;
  CountingTask task;
  t.requestSleep(80);
  t.wake();  // the thread starts its sleep now
  std::this_thread::sleep_for(milliseconds(10));
  auto began = Clock::now();
  t.runOnce(&task);
  t.waitIdle();
  EXPECT_GE(Clock::now() - began, milliseconds(60));
  EXPECT_EQ(task.runs, 1);

  t.requestSleep(500);  // still pending when the run operation comes: dropped
  began = Clock::now();
  t.runOnce(&task);
  t.waitIdle();
  EXPECT_LT(Clock::now() - began, milliseconds(300));
  EXPECT_EQ(task.runs, 2);
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
  EXPECT_LT(Clock::now() - began, milliseconds(1000));
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
  for (int i = 0; i < 200 && !stubborn.ended; ++i) std::this_thread::sleep_for(milliseconds(5));
  EXPECT_TRUE(stubborn.ended);
}

TEST(Thread, TerminateEndsAnIdleOrSleepingThreadPromptly) {
  auto* t = new Thread;
  CountingTask task;
  t->runForeverSleeping(&task, 10'000);
  std::this_thread::sleep_for(milliseconds(20));
  auto began = Clock::now();
  t->terminate();
  EXPECT_LT(Clock::now() - began, milliseconds(500));
  EXPECT_EQ(task.runs, 1);
  delete t;

  // A pooled thread comes back idle, its repeating stopped, and usable.
  Thread* pooled = Thread::create();
  CountingTask forever;
  forever.workMs = 1;
  pooled->runForever(&forever);
  std::this_thread::sleep_for(milliseconds(20));
  pooled->release();
  int stoppedAt = forever.runs;
  Thread* again = Thread::create();
  EXPECT_TRUE(again->isIdle());
  std::this_thread::sleep_for(milliseconds(20));
  EXPECT_EQ(forever.runs, stoppedAt);
  again->runOnce(&task);
  again->waitIdle();
  EXPECT_EQ(task.runs, 2);
  again->release();
}

}  // namespace
