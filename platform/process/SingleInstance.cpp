#include "platform/process/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/process/DeadlineIo.h"
#include "platform/process/PeerCheck.h"

namespace platform::process {

namespace {

constexpr auto kRetryPause = std::chrono::milliseconds(2);

sockaddr_un socketAddress(const std::string& path) {
  sockaddr_un a{};
  a.sun_family = AF_UNIX;
  std::memcpy(a.sun_path, path.c_str(), path.size() + 1);  // the length is checked by the address
  return a;
}

std::string reason(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

SingleInstance::SingleInstance(InstanceAddress address, uid_t uid)
    : address_(std::move(address)), uid_(uid) {}

SingleInstance::~SingleInstance() { close(); }

SingleInstance::Lock SingleInstance::takeLock(std::string& problem) {
  UniqueFd fd(open(address_.lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
  struct stat st;
  if (!fd.valid() || fstat(fd.get(), &st) != 0) {
    problem = reason("cannot open", address_.lockPath);
    return Lock::kFailed;
  }
  if (!S_ISREG(st.st_mode) || st.st_uid != uid_) {
    problem = "the lock file " + address_.lockPath + " belongs to another user";
    return Lock::kFailed;
  }
  if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK || errno == EINTR) return Lock::kHeld;
    problem = reason("cannot lock", address_.lockPath);
    return Lock::kFailed;
  }
  lock_ = std::move(fd);
  return Lock::kTaken;
}

bool SingleInstance::listen(InstanceListener::Handler handler, std::string& problem) {
  UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  // Holding the lock makes whatever is at the path a leftover of a process that is gone.
  unlink(address_.socketPath.c_str());
  const sockaddr_un a = socketAddress(address_.socketPath);
  if (!fd.valid() || bind(fd.get(), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 ||
      chmod(address_.socketPath.c_str(), 0600) != 0 || ::listen(fd.get(), SOMAXCONN) != 0) {
    problem = reason("cannot listen on", address_.socketPath);
    unlink(address_.socketPath.c_str());
    lock_.reset();
    return false;
  }
  listener_ = std::make_unique<InstanceListener>(std::move(fd), uid_, std::move(handler));
  return true;
}

SingleInstance::Attempt SingleInstance::handOver(const std::string& frame,
                                                 std::chrono::steady_clock::time_point deadline,
                                                 std::string& problem) {
  struct stat st;
  if (lstat(address_.socketPath.c_str(), &st) != 0) return Attempt::kTryAgain;  // not bound yet
  if (!PeerCheck::socketFileIsOurs(address_.socketPath, uid_)) {
    problem = "the instance socket " + address_.socketPath + " belongs to another user";
    return Attempt::kRefused;
  }
  UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  const sockaddr_un a = socketAddress(address_.socketPath);
  if (!fd.valid() || connect(fd.get(), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0)
    return Attempt::kTryAgain;  // refused while the instance starts or ends; backlog full
  if (!PeerCheck::trusted(PeerCheck::peerUid(fd.get()), uid_)) {
    problem = "the process at " + address_.socketPath + " belongs to another user";
    return Attempt::kRefused;
  }
  std::string answer;
  if (!DeadlineIo::writeAll(fd.get(), frame, deadline) ||
      !DeadlineIo::readExact(fd.get(), 1, answer, deadline))
    return Attempt::kTryAgain;  // closed unanswered: an instance that was ending
  switch (static_cast<InstanceReply>(answer[0])) {
    case InstanceReply::kAccepted: return Attempt::kAccepted;
    case InstanceReply::kClosing: return Attempt::kTryAgain;
    default:
      problem = "the running instance did not understand the request";
      return Attempt::kRefused;
  }
}

SingleInstance::Result SingleInstance::start(const InstanceRequest& request,
                                             InstanceListener::Handler handler,
                                             std::chrono::milliseconds timeout) {
  if (!address_.usable()) return {Outcome::kUnavailable, address_.problem};
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  const std::string frame = request.encode();
  std::string problem;
  for (;;) {
    switch (takeLock(problem)) {
      case Lock::kTaken:
        if (listen(handler, problem)) return {Outcome::kInstance, {}};
        return {Outcome::kUnavailable, problem};
      case Lock::kFailed: return {Outcome::kUnavailable, problem};
      case Lock::kHeld: break;
    }
    switch (handOver(frame, deadline, problem)) {
      case Attempt::kAccepted: return {Outcome::kHandedOver, {}};
      case Attempt::kRefused: return {Outcome::kUnavailable, problem};
      case Attempt::kTryAgain: break;
    }
    if (std::chrono::steady_clock::now() >= deadline)
      return {Outcome::kNoAnswer,
              "the running instance did not answer within " +
                  std::to_string(timeout.count()) + " ms"};
    std::this_thread::sleep_for(kRetryPause);
  }
}

void SingleInstance::close() {
  if (listener_) listener_->stop();
  listener_.reset();
  if (lock_.valid()) unlink(address_.socketPath.c_str());
  lock_.reset();
}

}  // namespace platform::process
