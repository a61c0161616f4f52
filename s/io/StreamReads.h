#pragma once
#include <cstdint>

#include "s/io/IInputStream.h"

namespace s::io {

// Reads exactly `count` bytes, repeating partial reads; false when the stream ends first.
inline bool readExactly(IInputStream& in, void* dst, uint32_t count) {
  auto* out = static_cast<uint8_t*>(dst);
  uint32_t have = 0;
  while (have < count) {
    uint32_t got = 0;
    if (!in.read(out + have, count - have, &got) || got == 0) return false;
    have += got;
  }
  return true;
}

// The same at an absolute position.
inline bool readExactlyAt(IInputStream& in, int64_t position, void* dst, uint32_t count) {
  return in.seek(position) && readExactly(in, dst, count);
}

}  // namespace s::io
