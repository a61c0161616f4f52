#include "platform/ui/desktop/ModalWait.h"

#include <chrono>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui::desktop {

ModalWait::ModalWait(WindowSystem& ws, Handle owner) : ws_(ws), owner_(owner) {
  if (MessageQueue::currentIfAny()) queue_ = MessageQueue::current();
}

ModalWait::~ModalWait() = default;

void ModalWait::finish() {
  {
    std::lock_guard lock(mutex_);
    if (done_) return;
    done_ = true;
  }
  cv_.notify_all();
  if (queue_) {
    if (owner_ != kNoWindow) queue_->post({owner_, msg::kDialogEnded, 0, 0});
    queue_->wake();
  }
}

bool ModalWait::wait() {
  if (queue_) return waitDispatching();
  std::unique_lock lock(mutex_);
  cv_.wait(lock, [&] { return done_; });
  return true;
}

bool ModalWait::waitDispatching() {
  auto finished = [&] {
    std::lock_guard lock(mutex_);
    return done_;
  };
  while (!finished()) {
    Message m;
    if (owner_ != kNoWindow && ws_.exists(owner_)) {
      // The answer's kDialogEnded is sure to arrive at this queue while the owner exists.
      if (!ws_.getMessage(m)) {
        ws_.postQuit(static_cast<int>(m.wParam));
        return false;
      }
    } else if (owner_ != kNoWindow) {
      return false;  // the owner was destroyed while its dialog was open
    } else if (!ws_.peekMessage(m)) {
      // Without an owner there is no window to post the wake-up to; finish() wakes the queue,
      // and the bound only keeps this thread's timers firing.
      queue_->wait(std::chrono::steady_clock::now() + std::chrono::milliseconds(10));
      continue;
    } else if (m.code == msg::kQuit) {
      return false;  // peekMessage has passed the quit on already
    }
    if (m.code == msg::kDialogEnded) continue;
    ws_.dispatch(m);
  }
  return true;
}

}  // namespace platform::ui::desktop
