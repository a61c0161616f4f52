#pragma once

namespace s::thread {

// Work that runs on a thread of its own (see s::thread::win::Thread).
class ITask {
 public:
  virtual ~ITask() = default;
  virtual void run() = 0;
};

}  // namespace s::thread
