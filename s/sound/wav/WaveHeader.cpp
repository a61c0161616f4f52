#include "s/sound/wav/WaveHeader.h"

#include <algorithm>
#include <cstring>

#include "s/io/StreamReads.h"

namespace s::sound::wav {

namespace {

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The tail shared by every standard sub-format GUID of an extensible format chunk; its first two
// bytes are the plain format tag.
constexpr uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                   0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

}  // namespace

void WaveHeader::clear() {
  formatTag_ = kFormatPcm;
  channels_ = 2;
  sampleRate_ = 44100;
  bitsPerSample_ = 16;
  dataOffset_ = 44;
  dataSize_ = 0;
  isFloat_ = false;
  error_.clear();
}

bool WaveHeader::fail(std::string reason) {
  formatTag_ = kFormatPcm;
  channels_ = 2;
  sampleRate_ = 44100;
  bitsPerSample_ = 16;
  dataSize_ = 0;
  isFloat_ = false;
  error_ = std::move(reason);
  return false;
}

std::string WaveHeader::unsupportedReason(uint16_t tag) const {
  static const std::string kPlayable =
      " (8-, 16-, 24- and 32-bit integer PCM and 32-bit floating point can be played)";
  switch (tag) {
    case kFormatPcm:
      if (bitsPerSample_ != 8 && bitsPerSample_ != 16 && bitsPerSample_ != 24 &&
          bitsPerSample_ != 32)
        return "unsupported WAVE format: " + std::to_string(bitsPerSample_) + "-bit PCM" + kPlayable;
      break;
    case kFormatFloat:
      if (bitsPerSample_ != 32)
        return "unsupported WAVE format: " + std::to_string(bitsPerSample_) +
               "-bit floating point" + kPlayable;
      break;
    case 2:
      return "unsupported WAVE format: ADPCM" + kPlayable;
    case 6:
      return "unsupported WAVE format: A-law" + kPlayable;
    case 7:
      return "unsupported WAVE format: mu-law" + kPlayable;
    default:
      return "unsupported WAVE format tag " + std::to_string(tag) + kPlayable;
  }
  if (channels_ != 1 && channels_ != 2)
    return "unsupported WAVE format: " + std::to_string(channels_) +
           " channels (only mono and stereo can be played)";
  if (sampleRate_ == 0) return "damaged WAVE file: sample rate 0";
  return {};
}

bool WaveHeader::read(io::IInputStream& in, int64_t start, int64_t fileSize) {
  clear();
  uint8_t riff[12];
  if (!io::readExactlyAt(in, start, riff, sizeof riff)) return fail("not a WAVE file: shorter than a header");
  if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
    return fail("not a WAVE file: no RIFF/WAVE header");

  bool haveFormat = false, haveData = false;
  uint16_t tag = 0;
  int64_t position = start + 12;
  while (!(haveFormat && haveData)) {
    uint8_t chunk[8];
    if (!io::readExactlyAt(in, position, chunk, sizeof chunk)) break;
    const uint32_t size = le32(chunk + 4);
    const int64_t body = position + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0 && !haveFormat) {
      if (size < 16) return fail("damaged WAVE file: format chunk of " + std::to_string(size) + " bytes");
      uint8_t fmt[40] = {};
      const uint32_t want = std::min<uint32_t>(size, sizeof fmt);
      if (!io::readExactlyAt(in, body, fmt, want)) return fail("damaged WAVE file: format chunk cut short");
      tag = le16(fmt);
      formatTag_ = tag;
      channels_ = le16(fmt + 2);
      sampleRate_ = le32(fmt + 4);
      bitsPerSample_ = le16(fmt + 14);
      if (tag == kFormatExtensible) {
        if (want < 40 || std::memcmp(fmt + 26, kGuidTail, sizeof kGuidTail) != 0)
          return fail("unsupported WAVE format: extensible with an unknown sub-format");
        tag = le16(fmt + 24);
      }
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0 && !haveData) {
      dataOffset_ = body;
      dataSize_ = size;
      haveData = true;
    }
    // Chunks are padded to an even length.
    position = body + size + (size & 1);
  }
  if (!haveFormat) return fail("damaged WAVE file: no format chunk");
  if (!haveData) return fail("damaged WAVE file: no data chunk");
  if (std::string reason = unsupportedReason(tag); !reason.empty()) return fail(reason);
  isFloat_ = tag == kFormatFloat;
  // A file cut short (or still being written) claims more data than it holds.
  if (fileSize >= 0) dataSize_ = std::max<int64_t>(0, std::min(dataSize_, fileSize - dataOffset_));
  return true;
}

}  // namespace s::sound::wav
