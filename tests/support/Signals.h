#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/wavefile/WaveFileWriter.h"

namespace testing_support {

// Interleaved 16-bit PCM of a sine at `hz`, amplitude `peak`, on every channel (the right channel
// shifted by a quarter period so the two can be told apart).
inline std::vector<int16_t> sine16(double hz, double seconds, uint32_t rate, int channels,
                                   double peak = 12000) {
  std::size_t frames = static_cast<std::size_t>(seconds * rate);
  std::vector<int16_t> pcm(frames * static_cast<std::size_t>(channels));
  const double step = 2 * M_PI * hz / rate;
  for (std::size_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      pcm[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] =
          static_cast<int16_t>(std::lround(peak * std::sin(step * static_cast<double>(i) + c * M_PI / 2)));
  return pcm;
}

// Writes a canonical 16-bit WAVE file; returns false on failure.
inline bool writeWave16(const std::string& path, const std::vector<int16_t>& pcm, uint32_t rate,
                        int channels) {
  platform::wavefile::WaveFileWriter w;
  return w.open(path, rate, static_cast<uint16_t>(channels), 16) &&
         w.write(pcm.data(), pcm.size() * 2) && w.close();
}

}  // namespace testing_support
