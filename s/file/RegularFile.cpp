#include "s/file/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace s::file {

int RegularFile::openForReading(const std::string& name, std::string* error) {
  auto fail = [error](const char* why) {
    if (error) *error = why;
    return -1;
  };
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return fail(std::strerror(errno));
  struct stat st;
  if (fstat(fd, &st) != 0) {
    const int code = errno;
    ::close(fd);
    return fail(std::strerror(code));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return fail(S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file");
  }
  // Reads of a regular file never wait anyway; the flag only had to keep the open from waiting.
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  if (error) error->clear();
  return fd;
}

}  // namespace s::file
