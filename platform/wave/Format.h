#pragma once
#include <string>

namespace platform::wave {

// Interleaved little-endian PCM: 8-bit unsigned or 16-bit signed samples, mono or stereo.
struct Format {
  int channels = 2;
  int sampleRate = 44100;
  int bitsPerSample = 16;

  int blockAlign() const { return channels * bitsPerSample / 8; }
  int bytesPerSecond() const { return sampleRate * blockAlign(); }

  // Empty when the format can be played; otherwise what is wrong with it, for the user.
  std::string problem() const;
};

}  // namespace platform::wave
