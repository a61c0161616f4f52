#include "s/gui/win/UIThread.h"

#include <chrono>
#include <system_error>

namespace s::gui::win {

UIThread::~UIThread() {
  if (thread_.joinable()) join(5000);
}

bool UIThread::start(Creator create, Loop loop) {
  std::shared_ptr<State> state = state_;
  std::unique_lock lock(state->mutex);
  if (state->phase != Phase::kIdle) return state->phase == Phase::kRunning;
  state->phase = Phase::kStarting;
  auto failure = std::make_shared<std::string>();
  try {
    thread_ = std::thread([state, failure, create = std::move(create), loop = std::move(loop)] {
      std::string why = create();
      {
        std::lock_guard inner(state->mutex);
        *failure = why;
        state->phase = why.empty() ? Phase::kRunning : Phase::kFailed;
      }
      state->cv.notify_all();
      if (why.empty()) loop();
      {
        std::lock_guard inner(state->mutex);
        state->phase = Phase::kEnded;
      }
      state->cv.notify_all();
    });
  } catch (const std::system_error& e) {
    state->phase = Phase::kFailed;
    error_ = std::string("the interface thread did not start: ") + e.what();
    return false;
  }
  id_ = thread_.get_id();
  state->cv.wait(lock, [&] { return state->phase != Phase::kStarting; });
  error_ = *failure;
  return error_.empty();
}

bool UIThread::isRunning() const {
  std::lock_guard lock(state_->mutex);
  return state_->phase == Phase::kRunning;
}

bool UIThread::join(int timeoutMs) {
  if (!thread_.joinable()) return true;
  if (isOwnThread()) {
    // Destroyed from its own thread: the loop ends after this call returns.
    thread_.detach();
    return false;
  }
  std::unique_lock lock(state_->mutex);
  bool ended = state_->cv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                   [&] { return state_->phase == Phase::kEnded; });
  lock.unlock();
  if (ended) {
    thread_.join();
    return true;
  }
  thread_.detach();
  return false;
}

}  // namespace s::gui::win
