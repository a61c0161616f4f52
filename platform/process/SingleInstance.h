#pragma once
#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>

#include "platform/process/InstanceAddress.h"
#include "platform/process/InstanceListener.h"
#include "platform/process/InstanceRequest.h"
#include "platform/process/UniqueFd.h"

namespace platform::process {

// One running instance per user and program file.
//
// The instance is whoever holds the lock file (flock, held for the life of the process or until
// close()); only the holder binds the socket, and it removes whatever is at the socket's path
// first, since a socket left there without a holder is stale. So two starts at once can never
// both become the instance, and a killed instance never blocks the next start. A start that
// finds the lock held hands its request over the socket and waits for the answer; while the
// instance is still starting or already ending, the start tries again, until the time-out.
class SingleInstance {
 public:
  enum class Outcome {
    kInstance,    // this process holds the place and listens; the handler takes later starts
    kHandedOver,  // the running instance accepted the request
    kNoAnswer,    // an instance holds the place but took nothing within the time-out
    kUnavailable  // no single instance can be had here: `problem` says why (no private
                  // runtime folder, a socket or lock of another user)
  };
  struct Result {
    Outcome outcome;
    std::string problem;
  };

  explicit SingleInstance(InstanceAddress address, uid_t uid = getuid());
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  Result start(const InstanceRequest& request, InstanceListener::Handler handler,
               std::chrono::milliseconds timeout);
  bool isInstance() const { return lock_.valid(); }
  // Stops taking starts, removes the socket and gives the lock up; starts that were waiting
  // are told to try again and become the instance themselves.
  void close();

 private:
  enum class Attempt { kAccepted, kTryAgain, kRefused };
  enum class Lock { kTaken, kHeld, kFailed };
  Lock takeLock(std::string& problem);
  bool listen(InstanceListener::Handler handler, std::string& problem);
  Attempt handOver(const std::string& frame, std::chrono::steady_clock::time_point deadline,
                   std::string& problem);

  InstanceAddress address_;
  uid_t uid_;
  UniqueFd lock_;
  std::unique_ptr<InstanceListener> listener_;
};

}  // namespace platform::process
