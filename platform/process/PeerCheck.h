#pragma once
#include <sys/types.h>

#include <optional>
#include <string>

namespace platform::process {

// Who is at the other end of the instance socket. Files are handed only between processes of
// the same user: a socket of somebody else could hand us paths to open, or take ours.
class PeerCheck {
 public:
  // The user id of the process connected through the Unix socket `fd` (SO_PEERCRED).
  static std::optional<uid_t> peerUid(int fd);
  // Whether a peer may be trusted: known, and the same user as we are.
  static bool trusted(std::optional<uid_t> peer, uid_t ours) { return peer && *peer == ours; }
  // Whether the file at `path` is a socket that `ours` owns (checked before connecting, so
  // nothing is even sent to a socket somebody else left in our place).
  static bool socketFileIsOurs(const std::string& path, uid_t ours);
};

}  // namespace platform::process
