#include "platform/shell/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace platform::shell {

std::optional<std::string> TextFile::read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool TextFile::makeFolders(const std::string& folder, std::string& problem) {
  for (std::size_t slash = 1; slash != std::string::npos;) {
    slash = folder.find('/', slash + 1);
    const std::string part = folder.substr(0, slash);
    if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
      problem = "cannot make " + part + ": " + std::strerror(errno);
      return false;
    }
  }
  return true;
}

bool TextFile::writeWhole(const std::string& path, std::string_view data, std::string& problem) {
  const std::string folder = path.substr(0, path.rfind('/'));
  if (!folder.empty() && !makeFolders(folder, problem)) return false;
  const std::string temp = path + ".sonvia-new";
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  bool ok = fd >= 0;
  for (std::string_view left = data; ok && !left.empty();) {
    const ssize_t n = write(fd, left.data(), left.size());
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) left.remove_prefix(static_cast<std::size_t>(n));
  }
  ok = ok && fsync(fd) == 0;
  if (fd >= 0) ok = close(fd) == 0 && ok;
  ok = ok && rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    problem = "cannot write " + path + ": " + std::strerror(errno);
    unlink(temp.c_str());
  }
  return ok;
}

}  // namespace platform::shell
