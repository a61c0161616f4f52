#include "s/file/StagedOutput.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace s::file {

StagedOutput::StagedOutput(const std::string& target) : target_(target) {
  struct stat link;
  if (lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(target.c_str(), nullptr), &std::free);
    if (resolved) target_ = resolved.get();
  }
  struct stat info;
  const bool direct = stat(target_.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
  writePath_ = direct ? target_ : target_ + ".part";
}

bool StagedOutput::commit() {
  if (!staged()) return true;
  if (std::rename(writePath_.c_str(), target_.c_str()) == 0) return true;
  std::remove(writePath_.c_str());
  return false;
}

void StagedOutput::discard() {
  if (staged()) std::remove(writePath_.c_str());
}

}  // namespace s::file
