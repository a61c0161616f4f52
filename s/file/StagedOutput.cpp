#include "s/file/StagedOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "platform/text/Utf.h"

namespace s::file {

namespace {

// The file a chain of links ends at, the links' own folders taken into account; the path itself
// when it is no link. A chain longer than the system would follow is left as it is.
std::string linkTarget(std::string path) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat link;
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
    std::vector<char> text(static_cast<std::size_t>(link.st_size > 0 ? link.st_size : 255) + 1);
    const ssize_t n = readlink(path.c_str(), text.data(), text.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= text.size()) return path;
    std::string next(text.data(), static_cast<std::size_t>(n));
    if (next[0] != '/') {
      const std::size_t slash = path.rfind('/');
      if (slash != std::string::npos) next = path.substr(0, slash + 1) + next;
    }
    path = std::move(next);
  }
  return path;
}

// Makes a rename into `folder` survive a crash.
void syncFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

StagedOutput::StagedOutput(const std::string& target, const std::string& suffix) {
  prepare(target, suffix);
}

StagedOutput::StagedOutput(std::u16string_view target, std::u16string_view suffix) {
  prepare(platform::text::fileNameFromUtf16(target), platform::text::fileNameFromUtf16(suffix));
}

StagedOutput::~StagedOutput() {
  if (!finished_) discard();
}

void StagedOutput::prepare(const std::string& target, const std::string& suffix) {
  target_ = linkTarget(target);
  struct stat info;
  const bool present = stat(target_.c_str(), &info) == 0;
  existed_ = present && S_ISREG(info.st_mode);
  if (existed_) {
    mode_ = info.st_mode & 07777;
    owner_ = info.st_uid;
    group_ = info.st_gid;
  }
  writePath_ = present && !existed_ ? target_ : target_ + suffix;
}

std::u16string StagedOutput::writePathText() const {
  return platform::text::fileNameToUtf16(writePath_);
}

bool StagedOutput::commit() {
  finished_ = true;
  if (!staged()) return true;
  if (existed_) {
    chmod(writePath_.c_str(), mode_);
    // Only a privileged user can give a file away; anyone else writes their own files anyway.
    if (chown(writePath_.c_str(), owner_, group_) != 0) {
    }
  }
  if (std::rename(writePath_.c_str(), target_.c_str()) != 0) {
    std::remove(writePath_.c_str());
    return false;
  }
  syncFolderOf(target_);
  return true;
}

void StagedOutput::discard() {
  finished_ = true;
  if (staged()) std::remove(writePath_.c_str());
}

}  // namespace s::file
