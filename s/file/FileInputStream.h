#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "s/base/IObject.h"
#include "s/io/IInputStream.h"
#include "s/thread/IPoolable.h"

namespace s::file {

// Reads a file by 64-bit positions. Audio sources read through it.
class FileInputStream final : public base::IObject, public thread::IPoolable, public io::IInputStream {
 public:
  static FileInputStream* create();
  FileInputStream() = default;
  ~FileInputStream() override;
  FileInputStream(const FileInputStream&) = delete;
  FileInputStream& operator=(const FileInputStream&) = delete;

  // Opens `path` for reading (closing what was open); false when it is missing, unreadable or
  // not a regular file (links followed). The reason stays available through lastError().
  // Reads end at the size the file had when it was opened.
  bool open(std::u16string_view path);
  void close();
  bool isOpen() const { return fd_ >= 0; }
  // The system's message for the last failure, in English ("No such file or directory").
  const char* lastError() const;

  bool read(void* dst, uint32_t capacity, uint32_t* got) override;
  int64_t getPosition() const override { return position_; }
  bool seek(int64_t position) override;
  int64_t getSize() const override { return size_; }

  const char16_t* typeName() const override { return u"s_file_FileInputStream"; }
  IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override { close(); }

 private:
  int fd_ = -1;
  int64_t position_ = 0;
  int64_t size_ = -1;
  std::string error_;
};

}  // namespace s::file
