#include "s/sound/mp3/FrameHeader.h"

#include <cstring>

#include "s/io/StreamReads.h"

namespace s::sound::mp3 {

namespace {

constexpr int32_t kRates[3][4] = {
    {44100, 48000, 32000, 0}, {22050, 24000, 16000, 0}, {11025, 12000, 8000, 0}};

constexpr int32_t kBitRates[5][16] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},  // MPEG-1 layer 1
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},     // MPEG-1 layer 2
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},      // MPEG-1 layer 3
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},     // MPEG-2 layer 1
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},          // MPEG-2 layers 2, 3
};

uint32_t be32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

}  // namespace

int32_t FrameHeader::sampleRate() const {
  if (samplingIndex < 0 || samplingIndex > 3) return 0;
  return kRates[mpeg25 ? 2 : (lsf ? 1 : 0)][samplingIndex];
}

void FrameHeader::setSampleRate(int32_t rate) {
  const int32_t* table = kRates[mpeg25 ? 2 : (lsf ? 1 : 0)];
  samplingIndex = 0;
  for (int i = 0; i < 3; ++i)
    if (table[i] == rate) samplingIndex = i;
}

static const int32_t* bitRateTable(const FrameHeader& h) {
  if (h.layer < 1 || h.layer > 3) return nullptr;
  if (!h.lsf) return kBitRates[h.layer - 1];
  return kBitRates[h.layer == 1 ? 3 : 4];
}

int32_t FrameHeader::bitRateKbps() const {
  const int32_t* table = bitRateTable(*this);
  if (!table || bitRateIndex < 0 || bitRateIndex > 15) return 0;
  return table[bitRateIndex];
}

void FrameHeader::setBitRateKbps(int32_t kbps) {
  const int32_t* table = bitRateTable(*this);
  bitRateIndex = 0;
  if (!table) return;
  for (int i = 1; i < 15; ++i)
    if (table[i] == kbps) bitRateIndex = i;
}

int32_t FrameHeader::samplesPerFrame() const {
  if (layer == 1) return 384;
  if (layer == 2) return 1152;
  return lsf ? 576 : 1152;
}

bool FrameHeader::isValid() const {
  return layer >= 1 && layer <= 3 && bitRateIndex >= 1 && bitRateIndex <= 14 &&
         samplingIndex >= 0 && samplingIndex <= 2 && frameLength != 0;
}

bool FrameHeader::decode(uint32_t h) {
  if ((h >> 21) != 0x7FF || ((h >> 19) & 3) == 1) return false;
  if (h & (1u << 20)) {
    lsf = !(h & (1u << 19));
    mpeg25 = false;
  } else {
    lsf = true;
    mpeg25 = true;
  }
  crc = !(h & (1u << 16));
  layer = 4 - static_cast<int32_t>((h >> 17) & 3);
  bitRateIndex = static_cast<int32_t>((h >> 12) & 15);
  samplingIndex = static_cast<int32_t>((h >> 10) & 3);
  padding = (h >> 9) & 1;
  privateBit = static_cast<int32_t>((h >> 8) & 1);
  mode = static_cast<int32_t>((h >> 6) & 3);
  modeExtension = static_cast<int32_t>((h >> 4) & 3);
  copyFlag = (h >> 3) & 1;
  homeFlag = (h >> 2) & 1;
  emphasis = static_cast<int32_t>(h & 3);

  const int32_t rate = sampleRate();
  const int32_t kbps = bitRateKbps();
  const int32_t pad = padding ? 1 : 0;
  frameLength = 0;
  if (rate > 0) {
    if (layer == 1)
      frameLength = (kbps * 12000 / rate + pad) * 4;
    else if (layer == 2)
      frameLength = kbps * 144000 / rate + pad;
    else if (layer == 3)
      frameLength = kbps * (lsf ? 72000 : 144000) / rate + pad;
  }
  return true;
}

bool FrameHeader::parse(io::IInputStream& in) {
  position = in.getPosition();
  uint8_t bytes[4];
  if (!io::readExactly(in, bytes, 4) || !decode(be32(bytes))) return false;

  xing = false;
  xingFlags = xingFrames = xingBytes = xingScale = 0;
  std::memset(xingToc, 0, sizeof xingToc);
  if (layer == 3) readXing(in);
  return isValid();
}

void FrameHeader::readXing(io::IInputStream& in) {
  // The Xing header sits right after the side information, whose size depends on the version
  // and the channel count.
  const int64_t offset = !lsf ? (singleChannel() ? 21 : 36) : (singleChannel() ? 13 : 21);
  uint8_t word[4];
  if (!in.seek(position + offset) || !io::readExactly(in, word, 4)) return;
  // LAME and ffmpeg write "Info" instead of "Xing" into the first frame of a constant-bit-rate
  // file; its counts are just as valid, and ignoring them gets the length of a file wrong
  // whenever that frame is larger than the audio frames.
  if (std::memcmp(word, "Xing", 4) != 0 && std::memcmp(word, "Info", 4) != 0) return;
  if (!io::readExactly(in, word, 4)) return;
  xing = true;
  xingFlags = be32(word);
  if ((xingFlags & 1) && io::readExactly(in, word, 4)) xingFrames = be32(word);
  if ((xingFlags & 2) && io::readExactly(in, word, 4)) xingBytes = be32(word);
  if ((xingFlags & 4) && !io::readExactly(in, xingToc, sizeof xingToc))
    std::memset(xingToc, 0, sizeof xingToc);
  if ((xingFlags & 8) && io::readExactly(in, word, 4)) xingScale = be32(word);
}

bool FrameHeader::sameStream(const FrameHeader& other) const {
  return version() == other.version() && layer == other.layer &&
         singleChannel() == other.singleChannel() && sampleRate() == other.sampleRate();
}

bool FrameHeader::search(io::IInputStream& in) {
  // Scans a block at a time for the next 0xFF instead of reading byte by byte: the stream may
  // be an unbuffered file, and junk or a large tag can be long.
  uint8_t block[4096];
  FrameHeader probe;
  int64_t from = in.getPosition();
  for (;;) {
    uint32_t got = 0;
    if (!in.seek(from) || !in.read(block, sizeof block, &got) || got == 0) {
      if (in.getSize() >= 0) in.seek(in.getSize());
      return false;
    }
    // A run of 0xFF bytes (damaged or padded files have long ones) is stepped over within the
    // block; only a candidate that can be a header is read from the stream.
    const uint8_t* hit = block;
    const uint8_t* const end = block + got;
    for (;;) {
      const std::size_t left = static_cast<std::size_t>(end - hit);
      hit = static_cast<const uint8_t*>(std::memchr(hit, 0xFF, left));
      if (!hit || end - hit < 4 || (probe.decode(be32(hit)) && probe.isValid())) break;
      ++hit;
    }
    if (!hit) {
      from += got;
      continue;
    }
    const int64_t candidate = from + (hit - block);
    from = candidate + 1;
    if (!in.seek(candidate) || !parse(in)) continue;

    uint8_t next = 0;
    uint32_t nextGot = 0;
    if (!in.seek(candidate + frameLength) || !in.read(&next, 1, &nextGot) || nextGot == 0) {
      in.seek(candidate);  // the file ends with this frame
      return true;
    }
    if (next != 0xFF) continue;
    FrameHeader second;
    if (!in.seek(candidate + frameLength) || !second.parse(in) || !sameStream(second)) continue;
    in.seek(candidate);
    return true;
  }
}

}  // namespace s::sound::mp3
