#pragma once
#include <cstdint>
#include <string_view>

#include "s/base/IObject.h"
#include "s/io/IOutputStream.h"
#include "s/thread/IPoolable.h"

namespace s::file {

// Writes a file. flush() makes what was written durable (it reaches the disk), which is what
// every "write a temporary file, then move it over the real one" update relies on.
class FileOutputStream final : public base::IObject, public thread::IPoolable, public io::IOutputStream {
 public:
  enum Mode { kCreateOrTruncate, kAppend, kUpdate /* existing file, from its start */ };

  static FileOutputStream* create();
  FileOutputStream() = default;
  ~FileOutputStream() override;
  FileOutputStream(const FileOutputStream&) = delete;
  FileOutputStream& operator=(const FileOutputStream&) = delete;

  bool open(std::u16string_view path, Mode mode = kCreateOrTruncate);
  // Closes the file; false when an earlier write or the close itself failed.
  bool close();
  bool isOpen() const { return fd_ >= 0; }
  const char* lastError() const;

  bool write(const void* src, uint32_t count) override;
  bool flush() override;
  int64_t getPosition() const { return position_; }
  bool seek(int64_t position);
  bool truncate(int64_t size);

  const char16_t* typeName() const override { return u"s_file_FileOutputStream"; }
  IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override { close(); }

 private:
  int fd_ = -1;
  int64_t position_ = 0;
  int error_ = 0;
  bool failed_ = false;
};

}  // namespace s::file
