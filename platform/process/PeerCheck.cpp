#include "platform/process/PeerCheck.h"

#include <sys/socket.h>
#include <sys/stat.h>

namespace platform::process {

std::optional<uid_t> PeerCheck::peerUid(int fd) {
  ucred cred{};
  socklen_t size = sizeof cred;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0 || size != sizeof cred)
    return std::nullopt;
  return cred.uid;
}

bool PeerCheck::socketFileIsOurs(const std::string& path, uid_t ours) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ours;
}

}  // namespace platform::process
