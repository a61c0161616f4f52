#pragma once
#include <cstdint>

namespace s::io {

class IInputStream {
 public:
  virtual ~IInputStream() = default;
  // Copies up to `capacity` bytes to `dst` and stores how many in `*got` (may be null). Returns
  // false at the end of the data (nothing was read) or on an error.
  virtual bool read(void* dst, uint32_t capacity, uint32_t* got) = 0;
  virtual int64_t getPosition() const = 0;
  // Moves to an absolute byte position; false when it is out of range or the stream can't move.
  virtual bool seek(int64_t position) = 0;
  // Total size in bytes, -1 when unknown.
  virtual int64_t getSize() const = 0;
};

}  // namespace s::io
