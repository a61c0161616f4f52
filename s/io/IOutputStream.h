#pragma once
#include <cstdint>

namespace s::io {

class IOutputStream {
 public:
  virtual ~IOutputStream() = default;
  // Writes all `count` bytes or returns false.
  virtual bool write(const void* src, uint32_t count) = 0;
  virtual bool flush() { return true; }
};

}  // namespace s::io
