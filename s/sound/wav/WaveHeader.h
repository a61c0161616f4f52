#pragma once
#include <cstdint>
#include <string>

#include "s/base/IObject.h"
#include "s/io/IInputStream.h"

namespace s::sound::wav {

// The format and data location of a RIFF WAVE file, found by walking its chunks, so that a
// LIST chunk before "data" or an extended "fmt " chunk is read as well as the canonical 44-byte
// layout. Mono or stereo integer PCM of 8 to 32 bits and 32-bit floating point pass; the engine
// plays 8 and 16 bits, the source turns the others into 16.
class WaveHeader final : public base::IObject {
 public:
  static constexpr uint16_t kFormatPcm = 1;
  static constexpr uint16_t kFormatFloat = 3;
  static constexpr uint16_t kFormatExtensible = 0xFFFE;

  // The canonical defaults: 16-bit stereo at 44100 Hz, no data, right after a 44-byte header.
  WaveHeader() { clear(); }
  void clear();

  // Reads the header of the file that starts at `start`. `fileSize` (-1 when unknown) keeps the
  // data inside the file when its size field claims more than is there. On failure the format
  // keeps its defaults, the data is empty and error() says why.
  bool read(io::IInputStream& in, int64_t start, int64_t fileSize);

  uint16_t formatTag() const { return formatTag_; }
  uint16_t channels() const { return channels_; }
  uint32_t sampleRate() const { return sampleRate_; }
  uint16_t bitsPerSample() const { return bitsPerSample_; }
  // The samples are 32-bit floating point.
  bool isFloat() const { return isFloat_; }
  // The samples must be turned into 16-bit ones for the engine.
  bool needsConversion() const { return isFloat_ || bitsPerSample_ > 16; }
  // Absolute stream position of the first PCM byte.
  int64_t dataOffset() const { return dataOffset_; }
  int64_t dataSize() const { return dataSize_; }
  // Empty when the header was read and can be played.
  const std::string& error() const { return error_; }

  void setChannels(uint16_t channels) { channels_ = channels; }
  void setSampleRate(uint32_t rate) { sampleRate_ = rate; }
  void setBitsPerSample(uint16_t bits) { bitsPerSample_ = bits; }

  const char16_t* typeName() const override { return u"s_sound_wav_WaveHeader"; }
  IObject* newInstance() const override { return new WaveHeader; }

 private:
  bool fail(std::string reason);
  // The reason a format tag can't be played, empty when it can.
  std::string unsupportedReason(uint16_t tag) const;

  uint16_t formatTag_ = kFormatPcm;
  uint16_t channels_ = 2;
  uint32_t sampleRate_ = 44100;
  uint16_t bitsPerSample_ = 16;
  int64_t dataOffset_ = 44;
  int64_t dataSize_ = 0;
  bool isFloat_ = false;
  std::string error_;
};

}  // namespace s::sound::wav
