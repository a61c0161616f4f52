#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace platform::wavefile {

// Writes a canonical PCM WAVE file (44-byte header, then the samples). The sizes in the header
// are written when the file is closed, so a file cut short by a crash is still readable up to
// its header's claim of zero data, never beyond.
class WaveFileWriter {
 public:
  WaveFileWriter() = default;
  ~WaveFileWriter();
  WaveFileWriter(const WaveFileWriter&) = delete;
  WaveFileWriter& operator=(const WaveFileWriter&) = delete;

  // The 44-byte header of a PCM file with `dataBytes` bytes of samples.
  static std::string header(uint32_t sampleRate, uint16_t channels, uint16_t bitsPerSample,
                            uint32_t dataBytes);

  bool open(const std::string& path, uint32_t sampleRate, uint16_t channels,
            uint16_t bitsPerSample);
  bool write(const void* data, std::size_t bytes);
  // Completes the header; false when any write failed or the data outgrew 4 GiB.
  bool close();
  bool isOpen() const { return file_ != nullptr; }
  uint64_t dataBytes() const { return dataBytes_; }

 private:
  std::FILE* file_ = nullptr;
  uint32_t sampleRate_ = 0;
  uint16_t channels_ = 0;
  uint16_t bits_ = 0;
  uint64_t dataBytes_ = 0;
  bool failed_ = false;
};

}  // namespace platform::wavefile
