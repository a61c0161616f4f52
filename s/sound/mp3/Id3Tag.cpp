#include "s/sound/mp3/Id3Tag.h"

#include <cstring>

#include "s/io/StreamReads.h"

namespace s::sound::mp3 {

void Id3Tag::detect(io::IInputStream& in, int64_t start, int64_t fileSize) {
  reset();
  uint8_t magic[3];
  if (io::readExactlyAt(in, start, magic, 3) && std::memcmp(magic, "ID3", 3) == 0) {
    kind_ = kVersion2;
    position_ = start;
    return;
  }
  if (fileSize >= 129 && io::readExactlyAt(in, fileSize - 128, magic, 3) &&
      std::memcmp(magic, "TAG", 3) == 0) {
    kind_ = kVersion1;
    position_ = fileSize - 128;
  }
}

int64_t Id3Tag::version2Size(io::IInputStream& in, int64_t start) {
  uint8_t h[10];
  if (!io::readExactlyAt(in, start, h, sizeof h) || std::memcmp(h, "ID3", 3) != 0) return 0;
  // The size is four 7-bit bytes; a set high bit means this is no tag header.
  if (h[3] == 0xFF || h[4] == 0xFF || ((h[6] | h[7] | h[8] | h[9]) & 0x80)) return 0;
  const int64_t body = (int64_t{h[6]} << 21) | (int64_t{h[7]} << 14) | (int64_t{h[8]} << 7) | h[9];
  const bool footer = h[3] >= 4 && (h[5] & 0x10);
  return 10 + body + (footer ? 10 : 0);
}

}  // namespace s::sound::mp3
