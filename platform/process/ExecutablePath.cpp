#include "platform/process/ExecutablePath.h"

#include <unistd.h>

#include <string_view>
#include <vector>

namespace platform::process {

std::string ExecutablePath::current() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    // readlink cuts silently; only an answer shorter than the buffer is known to be whole.
    if (static_cast<std::size_t>(n) < buffer.size())
      return withoutDeletedMark(std::string(buffer.data(), static_cast<std::size_t>(n)));
    buffer.resize(buffer.size() * 2);
  }
}

std::string ExecutablePath::withoutDeletedMark(std::string linkText) {
  constexpr std::string_view kMark = " (deleted)";
  if (linkText.size() > kMark.size() &&
      std::string_view(linkText).substr(linkText.size() - kMark.size()) == kMark)
    linkText.resize(linkText.size() - kMark.size());
  return linkText;
}

}  // namespace platform::process
