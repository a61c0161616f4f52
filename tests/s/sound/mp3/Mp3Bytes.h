#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

#include "s/col/_array/ArrayU08.h"

namespace testing_support {

// Hand-made MPEG audio headers and frames, for the parsing arithmetic.
struct HeaderBits {
  uint32_t version = 3;  // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5, 1 reserved
  uint32_t layer = 1;    // 3 layer 1, 2 layer 2, 1 layer 3, 0 reserved
  uint32_t bitRate = 9;
  uint32_t sampling = 0;
  uint32_t padding = 0;
  uint32_t mode = 0;
};

inline std::vector<uint8_t> headerBytes(const HeaderBits& b) {
  const uint32_t h = 0xFFE00000u | (b.version << 19) | (b.layer << 17) | (1u << 16) |
                     (b.bitRate << 12) | (b.sampling << 10) | (b.padding << 9) | (b.mode << 6);
  return {static_cast<uint8_t>(h >> 24), static_cast<uint8_t>(h >> 16), static_cast<uint8_t>(h >> 8),
          static_cast<uint8_t>(h)};
}

// A frame of `length` bytes: the header, then zeros.
inline std::vector<uint8_t> frame(const HeaderBits& b, std::size_t length) {
  std::vector<uint8_t> f = headerBytes(b);
  f.resize(length, 0);
  return f;
}

inline void append(std::vector<uint8_t>& to, const std::vector<uint8_t>& what) {
  to.insert(to.end(), what.begin(), what.end());
}

inline void putBe32(std::vector<uint8_t>& to, std::size_t at, uint32_t v) {
  to[at] = static_cast<uint8_t>(v >> 24);
  to[at + 1] = static_cast<uint8_t>(v >> 16);
  to[at + 2] = static_cast<uint8_t>(v >> 8);
  to[at + 3] = static_cast<uint8_t>(v);
}

inline s::col::_array::ArrayU08* streamOver(const std::vector<uint8_t>& bytes) {
  auto* array = s::col::_array::ArrayU08::create();
  array->copyFromRaw(bytes.data(), bytes.size());
  return array;
}

}  // namespace testing_support
