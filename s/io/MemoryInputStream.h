#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "s/io/IInputStream.h"

namespace s::io {

// Bytes already in memory, read like a file. The bytes are borrowed: they must outlive the
// stream.
class MemoryInputStream final : public IInputStream {
 public:
  explicit MemoryInputStream(std::string_view bytes) : bytes_(bytes) {}

  bool read(void* dst, uint32_t capacity, uint32_t* got) override;
  int64_t getPosition() const override { return static_cast<int64_t>(at_); }
  bool seek(int64_t position) override;
  int64_t getSize() const override { return static_cast<int64_t>(bytes_.size()); }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

}  // namespace s::io
