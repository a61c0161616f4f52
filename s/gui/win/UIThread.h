#pragma once
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace s::gui::win {

// The interface thread of one top-level window: it creates the window's native windows, then
// runs their message loop until the loop quits. Starting waits until the windows exist or their
// creation failed; it never waits on a thread that cannot come up.
class UIThread {
 public:
  // Creates the windows on the new thread; returns an empty string on success, else what failed.
  using Creator = std::function<std::string()>;
  // Runs the message loop on the new thread until it quits.
  using Loop = std::function<void()>;

  UIThread() = default;
  ~UIThread();
  UIThread(const UIThread&) = delete;
  UIThread& operator=(const UIThread&) = delete;

  // False (with error() saying why) when the windows could not be created.
  bool start(Creator create, Loop loop);
  const std::string& error() const { return error_; }
  bool isRunning() const;
  bool isOwnThread() const { return std::this_thread::get_id() == id_; }
  // Waits up to `timeoutMs` for the loop to end. A thread that does not end in time is left to
  // itself (detached): nothing safe can stop it from outside. False then.
  bool join(int timeoutMs);

 private:
  enum class Phase { kIdle, kStarting, kRunning, kFailed, kEnded };
  // Shared with the thread, which may outlive this object when it had to be left to itself.
  struct State {
    std::mutex mutex;
    std::condition_variable cv;
    Phase phase = Phase::kIdle;
  };
  std::shared_ptr<State> state_ = std::make_shared<State>();
  std::string error_;
  std::thread thread_;
  std::thread::id id_;
};

}  // namespace s::gui::win
