#include "platform/process/InstanceListener.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

#include "platform/process/DeadlineIo.h"
#include "platform/process/PeerCheck.h"

namespace platform::process {

namespace {
constexpr auto kPerStart = std::chrono::milliseconds(1000);
}

InstanceListener::InstanceListener(UniqueFd listening, uid_t uid, Handler handler)
    : listening_(std::move(listening)),
      wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      uid_(uid),
      handler_(std::move(handler)) {
  thread_ = std::thread([this] { loop(); });
}

InstanceListener::~InstanceListener() { stop(); }

void InstanceListener::stop() {
  if (!thread_.joinable()) return;
  const std::uint64_t one = 1;
  if (write(wake_.get(), &one, sizeof one) < 0) {
    // An eventfd only refuses when its counter is full, and then it is signalled already.
  }
  thread_.join();
  listening_.reset();
}

void InstanceListener::loop() {
  for (;;) {
    pollfd fds[2] = {{listening_.get(), POLLIN, 0}, {wake_.get(), POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents) return;
    if (!(fds[0].revents & POLLIN)) continue;
    UniqueFd connection(accept4(listening_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (connection.valid()) serve(connection.get());
  }
}

void InstanceListener::serve(int connection) {
  // Somebody else's process gets no answer at all and learns nothing.
  if (!PeerCheck::trusted(PeerCheck::peerUid(connection), uid_)) return;
  const auto deadline = std::chrono::steady_clock::now() + kPerStart;
  std::string header, payload;
  if (!DeadlineIo::readExact(connection, InstanceRequest::kHeaderSize, header, deadline)) return;
  const auto length = InstanceRequest::payloadLength(header);
  std::optional<InstanceRequest> request;
  if (length && DeadlineIo::readExact(connection, *length, payload, deadline))
    request = InstanceRequest::decode(payload);
  const InstanceReply reply = request ? handler_(*request) : InstanceReply::kMalformed;
  const char byte = static_cast<char>(reply);
  DeadlineIo::writeAll(connection, std::string_view(&byte, 1), deadline);
}

}  // namespace platform::process
