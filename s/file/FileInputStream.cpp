#include "s/file/FileInputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/text/Utf.h"
#include "s/file/RegularFile.h"
#include "s/thread/EasyPooler.h"

namespace s::file {

FileInputStream* FileInputStream::create() { return thread::PoolOf<FileInputStream>::acquire(); }

void FileInputStream::release() { thread::PoolOf<FileInputStream>::release(this); }

FileInputStream::~FileInputStream() { close(); }

bool FileInputStream::open(std::u16string_view path) {
  close();
  const int fd = RegularFile::openForReading(platform::text::fileNameFromUtf16(path), &error_);
  if (fd < 0) return false;
  struct stat st;
  if (fstat(fd, &st) != 0) {
    error_ = std::strerror(errno);
    ::close(fd);
    return false;
  }
  fd_ = fd;
  size_ = static_cast<int64_t>(st.st_size);
  position_ = 0;
  return true;
}

void FileInputStream::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  position_ = 0;
  size_ = -1;
}

const char* FileInputStream::lastError() const { return error_.c_str(); }

bool FileInputStream::read(void* dst, uint32_t capacity, uint32_t* got) {
  if (got) *got = 0;
  if (fd_ < 0) return false;
  uint32_t total = 0;
  auto* out = static_cast<char*>(dst);
  // No more than the file held when it was opened: a file that keeps growing (a log, a
  // recording in progress) would otherwise never end.
  if (position_ >= size_) return false;
  if (static_cast<uint64_t>(size_ - position_) < capacity)
    capacity = static_cast<uint32_t>(size_ - position_);
  while (total < capacity) {
    ssize_t n = ::pread(fd_, out + total, capacity - total, position_ + total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error_ = std::strerror(errno);
      break;
    }
    if (n == 0) break;
    total += static_cast<uint32_t>(n);
  }
  position_ += total;
  if (got) *got = total;
  return total > 0;
}

bool FileInputStream::seek(int64_t position) {
  if (fd_ < 0 || position < 0) return false;
  position_ = position;
  return true;
}

}  // namespace s::file
