#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/io/IInputStream.h"
#include "s/thread/EasyPooler.h"
#include "s/thread/IPoolable.h"

namespace s::sound::mp3 {

// One MPEG audio frame header, with the Xing (or Info) header that the first frame of a file may
// carry. It also finds the first frame of a stream, which is how the MP3 source examines a file
// and lands after a seek.
class FrameHeader final : public base::IObject, public thread::IPoolable {
 public:
  static FrameHeader* create() { return thread::PoolOf<FrameHeader>::acquire(); }

  // Reads the header at the stream's position (and, for layer 3, probes for a Xing header);
  // true when the header is valid.
  bool parse(io::IInputStream& in);
  // Takes the fields of the four header bytes `word` (big-endian); false without the sync or
  // with the reserved version, when nothing is taken. isValid() then tells a usable header.
  bool decode(uint32_t word);
  // Finds the next frame from the stream's position: a valid header followed by a second valid
  // one of the same kind, or by the end of the file. On success this holds the first header and
  // the stream is at its first byte; on failure the stream is at the end of the file.
  bool search(io::IInputStream& in);
  bool isValid() const;

  int32_t sampleRate() const;
  // Looks the rate up in the table of this version; no match gives index 0.
  void setSampleRate(int32_t rate);
  int32_t bitRateKbps() const;
  // Looks the rate up in the table of this version and layer; no match gives index 0.
  void setBitRateKbps(int32_t kbps);
  int32_t samplesPerFrame() const;
  bool singleChannel() const { return mode == 3; }
  // 1.0, 2.0 or 2.5.
  double version() const { return mpeg25 ? 2.5 : (lsf ? 2.0 : 1.0); }

  const char16_t* typeName() const override { return u"s_sound_mp3_FrameHeader"; }
  IObject* newInstance() const override { return create(); }
  void release() override { thread::PoolOf<FrameHeader>::release(this); }
  void reset() override { *this = FrameHeader(); }

  FrameHeader() = default;
  FrameHeader(const FrameHeader&) = default;
  FrameHeader& operator=(const FrameHeader&) = default;

  int64_t position = 0;
  bool lsf = false;
  bool mpeg25 = false;
  int32_t layer = 3;
  bool crc = false;
  int32_t samplingIndex = 0;
  int32_t bitRateIndex = 11;
  bool padding = false;
  int32_t privateBit = 0;
  int32_t mode = 0;
  int32_t modeExtension = 0;
  bool copyFlag = false;
  bool homeFlag = false;
  int32_t emphasis = 0;
  int32_t frameLength = 0;
  bool xing = false;
  uint32_t xingFlags = 0;
  uint32_t xingFrames = 0;
  uint32_t xingBytes = 0;
  uint32_t xingScale = 0;
  uint8_t xingToc[100] = {};

 private:
  void readXing(io::IInputStream& in);
  bool sameStream(const FrameHeader& other) const;
};

}  // namespace s::sound::mp3
