#include "s/file/FileOutputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/text/Utf.h"
#include "s/thread/EasyPooler.h"

namespace s::file {

FileOutputStream* FileOutputStream::create() {
  return thread::PoolOf<FileOutputStream>::acquire();
}

void FileOutputStream::release() { thread::PoolOf<FileOutputStream>::release(this); }

FileOutputStream::~FileOutputStream() { close(); }

bool FileOutputStream::open(std::u16string_view path, Mode mode) {
  close();
  std::string name = platform::text::fileNameFromUtf16(path);
  int flags = O_WRONLY | O_CLOEXEC;
  if (mode == kCreateOrTruncate) flags |= O_CREAT | O_TRUNC;
  if (mode == kAppend) flags |= O_CREAT | O_APPEND;
  int fd = ::open(name.c_str(), flags, 0644);
  if (fd < 0) {
    error_ = errno;
    return false;
  }
  fd_ = fd;
  failed_ = false;
  error_ = 0;
  position_ = mode == kAppend ? static_cast<int64_t>(lseek(fd, 0, SEEK_END)) : 0;
  return true;
}

bool FileOutputStream::close() {
  if (fd_ < 0) return !failed_;
  bool ok = !failed_;
  if (::close(fd_) != 0) {
    error_ = errno;
    ok = false;
  }
  fd_ = -1;
  position_ = 0;
  failed_ = false;
  return ok;
}

const char* FileOutputStream::lastError() const { return error_ ? std::strerror(error_) : ""; }

bool FileOutputStream::write(const void* src, uint32_t count) {
  if (fd_ < 0) return false;
  auto* in = static_cast<const char*>(src);
  uint32_t done = 0;
  while (done < count) {
    ssize_t n = ::pwrite(fd_, in + done, count - done, position_ + done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = n < 0 ? errno : ENOSPC;
      failed_ = true;
      position_ += done;
      return false;
    }
    done += static_cast<uint32_t>(n);
  }
  position_ += done;
  return true;
}

bool FileOutputStream::flush() {
  if (fd_ < 0) return false;
  if (::fsync(fd_) != 0) {
    error_ = errno;
    failed_ = true;
    return false;
  }
  return !failed_;
}

bool FileOutputStream::seek(int64_t position) {
  if (fd_ < 0 || position < 0) return false;
  position_ = position;
  return true;
}

bool FileOutputStream::truncate(int64_t size) {
  if (fd_ < 0 || size < 0) return false;
  if (::ftruncate(fd_, size) != 0) {
    error_ = errno;
    return false;
  }
  return true;
}

}  // namespace s::file
