#pragma once
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/ui/Message.h"

namespace platform::ui {
class MessageQueue;
class WindowSystem;
}  // namespace platform::ui

namespace platform::ui::desktop {

// The asking thread's side of a dialog that runs elsewhere (on GTK's thread). Made on the asking
// thread; finish() may come from any thread, at most once counts.
//
// A UI thread must not simply block here: another UI thread may be sending to one of its windows
// and wait for the answer, and its windows must go on painting. So it runs a nested loop over its
// own messages until the answer is in. finish() posts msg::kDialogEnded to `owner` through the
// asking thread's queue, which ends that loop's wait; the message itself is swallowed.
class ModalWait {
 public:
  ModalWait(WindowSystem& ws, Handle owner);
  ~ModalWait();

  void finish();
  // Returns true once finish() came. False when the wait was given up first: the asking
  // thread's loop was told to quit (the quit is passed on to the outer loop) or the owner window
  // went away. The caller then closes the dialog and answers "none".
  bool wait();

 private:
  bool waitDispatching();

  WindowSystem& ws_;
  Handle owner_;
  std::shared_ptr<MessageQueue> queue_;  // the asking thread's, or null for a plain thread
  std::mutex mutex_;
  std::condition_variable cv_;
  bool done_ = false;
};

}  // namespace platform::ui::desktop
