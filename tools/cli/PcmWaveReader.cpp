#include "tools/cli/PcmWaveReader.h"

#include <cerrno>
#include <cstring>

namespace cli {

namespace {

uint32_t le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;

}  // namespace

PcmWaveReader::~PcmWaveReader() {
  if (file_) std::fclose(file_);
}

bool PcmWaveReader::fail(const std::string& why) {
  error_ = why;
  if (file_) std::fclose(file_);
  file_ = nullptr;
  return false;
}

bool PcmWaveReader::parseFormat(const uint8_t* fmt, uint32_t size) {
  if (size < 16) return fail("its format chunk is too short");
  uint16_t tag = le16(fmt);
  // The extensible form names its real format in the first two bytes of the sub-format GUID.
  if (tag == kFormatExtensible && size >= 26) tag = le16(fmt + 24);
  channels_ = le16(fmt + 2);
  sampleRate_ = le32(fmt + 4);
  blockAlign_ = le16(fmt + 12);
  bits_ = le16(fmt + 14);
  if (tag != kFormatPcm) return fail("it is not PCM (format " + std::to_string(tag) + ")");
  if (channels_ != 1 && channels_ != 2)
    return fail("it has " + std::to_string(channels_) + " channels (1 or 2 are supported)");
  if (bits_ != 8 && bits_ != 16)
    return fail("it has " + std::to_string(bits_) + "-bit samples (8 or 16 are supported)");
  if (sampleRate_ == 0 || sampleRate_ > 1000000) return fail("its sample rate is not usable");
  if (blockAlign_ != channels_ * bits_ / 8) return fail("its block alignment does not match");
  return true;
}

bool PcmWaveReader::open(const std::string& path) {
  if (file_) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) return fail(std::strerror(errno));
  uint8_t riff[12];
  if (std::fread(riff, 1, 12, file_) != 12 || std::memcmp(riff, "RIFF", 4) != 0 ||
      std::memcmp(riff + 8, "WAVE", 4) != 0)
    return fail("it is not a RIFF WAVE file");
  std::fseek(file_, 0, SEEK_END);
  const long fileSize = std::ftell(file_);
  std::fseek(file_, 12, SEEK_SET);
  long position = 12;
  bool haveFormat = false;
  long dataStart = -1;
  uint64_t dataSize = 0;
  while (position + 8 <= fileSize && !(haveFormat && dataStart >= 0)) {
    uint8_t head[8];
    if (std::fseek(file_, position, SEEK_SET) != 0 || std::fread(head, 1, 8, file_) != 8) break;
    const uint32_t size = le32(head + 4);
    if (std::memcmp(head, "fmt ", 4) == 0) {
      uint8_t fmt[64] = {};
      const uint32_t take = size < sizeof fmt ? size : static_cast<uint32_t>(sizeof fmt);
      if (std::fread(fmt, 1, take, file_) != take) return fail("its format chunk is cut short");
      if (!parseFormat(fmt, size)) return false;
      haveFormat = true;
    } else if (std::memcmp(head, "data", 4) == 0) {
      dataStart = position + 8;
      dataSize = size;
    }
    // Chunks are padded to an even size.
    position += 8 + static_cast<long>(size) + static_cast<long>(size & 1);
  }
  if (!haveFormat) return fail("it has no format chunk");
  if (dataStart < 0) return fail("it has no data chunk");
  const uint64_t available = static_cast<uint64_t>(fileSize - dataStart);
  if (dataSize > available) {
    truncated_ = true;
    dataSize = available;
  }
  dataBytes_ = remaining_ = dataSize;
  if (std::fseek(file_, dataStart, SEEK_SET) != 0) return fail(std::strerror(errno));
  return true;
}

std::size_t PcmWaveReader::read(void* dst, std::size_t capacity) {
  if (!file_ || remaining_ == 0) return 0;
  const std::size_t want = capacity < remaining_ ? capacity : static_cast<std::size_t>(remaining_);
  const std::size_t got = std::fread(dst, 1, want, file_);
  if (got < want && std::ferror(file_)) error_ = std::strerror(errno);
  remaining_ -= got;
  if (got < want) remaining_ = 0;
  return got;
}

}  // namespace cli
