#pragma once
#include <cstdint>

#include "s/sound/IEncodedAudio.h"

namespace s::sound::mp3 {

// An MPEG audio source: what a frame header and a Xing header tell beyond the PCM format.
class IMp3 : public IEncodedAudio {
 public:
  // Sets the bit-rate index of the frame header to the table entry equal to `kbps`; no match
  // leaves index 0.
  virtual void setBitRateKbps(int32_t kbps) = 0;
  // The header's bit rate, or with a Xing header the average over the audio bytes; -1 when
  // unknown.
  virtual int32_t getBitRateKbps() = 0;
  // Bytes per frame (the average with a Xing header); -1 when unknown.
  virtual int32_t getFrameLength() = 0;
  // Number of frames, -1 when unknown.
  virtual int32_t getFrameCount() = 0;
};

}  // namespace s::sound::mp3
