#include "platform/process/DeadlineIo.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace platform::process {

bool DeadlineIo::waitFor(int fd, short events, Deadline deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() < 0) return false;
    pollfd p{fd, events, 0};
    const int n = poll(&p, 1, static_cast<int>(left.count()) + 1);
    if (n > 0) return true;  // errors and hang-ups show in the following read or write
    if (n < 0 && errno != EINTR) return false;
  }
}

bool DeadlineIo::readExact(int fd, std::size_t size, std::string& out, Deadline deadline) {
  out.resize(size);
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = recv(fd, out.data() + got, size - got, 0);
    if (n > 0) {
      got += static_cast<std::size_t>(n);
    } else if (n == 0) {
      return false;
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (!waitFor(fd, POLLIN, deadline)) return false;
    } else if (errno != EINTR) {
      return false;
    }
  }
  return true;
}

bool DeadlineIo::writeAll(int fd, std::string_view data, Deadline deadline) {
  while (!data.empty()) {
    const ssize_t n = send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (n > 0) {
      data.remove_prefix(static_cast<std::size_t>(n));
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!waitFor(fd, POLLOUT, deadline)) return false;
    } else if (n < 0 && errno != EINTR) {
      return false;
    }
  }
  return true;
}

}  // namespace platform::process
