#include "platform/process/InstanceAddress.h"

#include <sys/stat.h>
#include <sys/un.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform::process {

namespace {

std::uint64_t fnv1a(const std::string& text) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

}  // namespace

std::string InstanceAddress::checkedRuntimeFolder(const std::string& candidate, uid_t uid,
                                                  std::string& problem) {
  if (candidate.empty() || candidate[0] != '/') {
    problem = "the runtime folder '" + candidate + "' is not an absolute path";
    return {};
  }
  struct stat st;
  if (lstat(candidate.c_str(), &st) != 0) {
    problem = "cannot use the runtime folder " + candidate + ": " + std::strerror(errno);
    return {};
  }
  // Anyone who could write here could put a socket of their own in our place.
  if (!S_ISDIR(st.st_mode) || st.st_uid != uid || (st.st_mode & (S_IWGRP | S_IWOTH))) {
    problem = "the runtime folder " + candidate + " is not a private folder of this user";
    return {};
  }
  return candidate;
}

InstanceAddress InstanceAddress::forProgram(const std::string& programPath, uid_t uid) {
  InstanceAddress address;
  std::string folder;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) folder = checkedRuntimeFolder(runtime, uid, address.problem);
  if (folder.empty()) {
    const std::string fallback = "/tmp/sonvia-runtime-" + std::to_string(uid);
    if (mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST) {
      address.problem = "cannot make " + fallback + ": " + std::strerror(errno);
      return address;
    }
    address.problem.clear();
    folder = checkedRuntimeFolder(fallback, uid, address.problem);
    if (folder.empty()) return address;
  }
  char name[64];
  std::snprintf(name, sizeof name, "/sonvia-%u-%016llx", static_cast<unsigned>(uid),
                static_cast<unsigned long long>(fnv1a(programPath)));
  address.socketPath = folder + name + ".socket";
  address.lockPath = folder + name + ".lock";
  if (address.socketPath.size() >= sizeof(sockaddr_un::sun_path))
    address.problem = "the runtime folder's path is too long for a socket: " + folder;
  return address;
}

}  // namespace platform::process
