#pragma once
#include <sys/types.h>

#include <functional>
#include <thread>

#include "platform/process/InstanceRequest.h"
#include "platform/process/UniqueFd.h"

namespace platform::process {

// The running instance's side of the socket: a thread that takes one later start at a time, in
// the order they connected, checks that it is the same user, reads its request and answers with
// what the handler says. A start that stops talking is dropped after a second, so it cannot
// hold up the ones behind it.
class InstanceListener {
 public:
  // Runs on the listener's thread.
  using Handler = std::function<InstanceReply(const InstanceRequest&)>;

  InstanceListener(UniqueFd listening, uid_t uid, Handler handler);
  ~InstanceListener();
  InstanceListener(const InstanceListener&) = delete;
  InstanceListener& operator=(const InstanceListener&) = delete;

  // Returns once the thread has ended; connections still waiting are closed unanswered, which
  // tells their starts to try again.
  void stop();

 private:
  void loop();
  void serve(int connection);

  UniqueFd listening_;
  UniqueFd wake_;  // an eventfd that stop() signals
  uid_t uid_;
  Handler handler_;
  std::thread thread_;
};

}  // namespace platform::process
