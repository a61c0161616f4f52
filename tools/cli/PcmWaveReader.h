#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace cli {

// Reads the samples of a PCM WAVE file (8- or 16-bit, mono or stereo) by walking its RIFF
// chunks, so files with extra chunks before or after the samples read as well as canonical ones.
// A data chunk that claims more than the file holds is read up to the end of the file.
class PcmWaveReader {
 public:
  PcmWaveReader() = default;
  ~PcmWaveReader();
  PcmWaveReader(const PcmWaveReader&) = delete;
  PcmWaveReader& operator=(const PcmWaveReader&) = delete;

  // False with a reason in error() when the file cannot be read or is not such a file.
  bool open(const std::string& path);
  // Up to `capacity` bytes of samples; 0 at the end. A read failure sets error().
  std::size_t read(void* dst, std::size_t capacity);
  const std::string& error() const { return error_; }

  uint32_t sampleRate() const { return sampleRate_; }
  uint16_t channels() const { return channels_; }
  uint16_t bitsPerSample() const { return bits_; }
  uint16_t blockAlign() const { return blockAlign_; }
  uint64_t dataBytes() const { return dataBytes_; }
  bool truncated() const { return truncated_; }

 private:
  bool fail(const std::string& why);
  bool parseFormat(const uint8_t* fmt, uint32_t size);

  std::FILE* file_ = nullptr;
  std::string error_;
  uint32_t sampleRate_ = 0;
  uint16_t channels_ = 0;
  uint16_t bits_ = 0;
  uint16_t blockAlign_ = 0;
  uint64_t dataBytes_ = 0;
  uint64_t remaining_ = 0;
  bool truncated_ = false;
};

}  // namespace cli
