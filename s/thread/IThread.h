#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/ITask.h"

namespace s::thread {

// A thread that runs one task at a time, once, several times or without end, and can be waited
// for with a time-out.
class IThread : public base::IObject {
 public:
  virtual int64_t threadId() const = 0;
  virtual void runOnce(ITask* task) = 0;
  virtual void runTimes(ITask* task, int64_t count) = 0;
  virtual void runTimesSleeping(ITask* task, int64_t count, int ms) = 0;
  virtual void runTimesPeriodic(ITask* task, int64_t count, int ms) = 0;
  virtual void runForever(ITask* task) = 0;
  virtual void runForeverSleeping(ITask* task, int ms) = 0;
  virtual void runForeverPeriodic(ITask* task, int ms) = 0;
  virtual bool isIdle() const = 0;
  virtual void waitIdle() = 0;
  // True when the thread became idle in time; false when it overran and was replaced.
  virtual bool waitIdleFor(int ms) = 0;
  virtual void stopRepeating() = 0;
  virtual void stopAndWait() = 0;
  virtual void join() = 0;
  virtual void requestTerminate() = 0;
  virtual void terminate() = 0;
  virtual void requestSleep(int ms) = 0;
  virtual void wake() = 0;
  virtual void suspend() = 0;
  virtual int getPriority() const = 0;
  virtual void setPriority(int priority) = 0;
};

}  // namespace s::thread
