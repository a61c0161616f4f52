#include "s/io/MemoryInputStream.h"

#include <algorithm>
#include <cstring>

namespace s::io {

bool MemoryInputStream::read(void* dst, uint32_t capacity, uint32_t* got) {
  const std::size_t n = std::min<std::size_t>(capacity, bytes_.size() - at_);
  if (got) *got = static_cast<uint32_t>(n);
  if (n == 0) return false;
  std::memcpy(dst, bytes_.data() + at_, n);
  at_ += n;
  return true;
}

bool MemoryInputStream::seek(int64_t position) {
  if (position < 0 || static_cast<uint64_t>(position) > bytes_.size()) return false;
  at_ = static_cast<std::size_t>(position);
  return true;
}

}  // namespace s::io
