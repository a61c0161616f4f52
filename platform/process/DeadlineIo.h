#pragma once
#include <chrono>
#include <string>
#include <string_view>

namespace platform::process {

// Whole reads and writes on a non-blocking socket that give up at a deadline, so that neither
// side of the instance socket can be held up for ever by a peer that stops talking.
class DeadlineIo {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  // Reads exactly `size` bytes into `out`; false on end of stream, error or deadline.
  static bool readExact(int fd, std::size_t size, std::string& out, Deadline deadline);
  static bool writeAll(int fd, std::string_view data, Deadline deadline);
  // Waits until `fd` is readable (or `events` happen); false at the deadline or on error.
  static bool waitFor(int fd, short events, Deadline deadline);
};

}  // namespace platform::process
