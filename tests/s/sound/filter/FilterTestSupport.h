#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "s/sound/IFilter.h"

namespace filter_test {

// Prepares `filter` for the format and runs `pcm` through it in blocks of `chunkBytes`, as the
// engine does.
inline void runChunked(s::sound::IFilter& filter, std::vector<int16_t>& pcm, bool stereo,
                       int32_t rate = 44100, uint32_t chunkBytes = 8192) {
  filter.prepare(stereo, rate, 16);
  auto* bytes = reinterpret_cast<uint8_t*>(pcm.data());
  const std::size_t total = pcm.size() * 2;
  for (std::size_t at = 0; at < total; at += chunkBytes) {
    const std::size_t n = total - at < chunkBytes ? total - at : chunkBytes;
    filter.process(bytes + at, static_cast<uint32_t>(n), stereo, rate, 16);
  }
}

// One channel of interleaved samples.
inline std::vector<int16_t> channel(const std::vector<int16_t>& pcm, int channels, int which) {
  std::vector<int16_t> out;
  for (std::size_t i = static_cast<std::size_t>(which); i < pcm.size(); i += static_cast<std::size_t>(channels))
    out.push_back(pcm[i]);
  return out;
}

// Frequency from the upward zero crossings of samples [from, to).
inline double zeroCrossingHz(const std::vector<int16_t>& s, std::size_t from, std::size_t to,
                             double rate) {
  std::size_t first = 0, last = 0, count = 0;
  for (std::size_t i = from + 1; i < to; ++i)
    if (s[i - 1] < 0 && s[i] >= 0) {
      if (count == 0) first = i;
      last = i;
      ++count;
    }
  if (count < 2) return 0;
  return (count - 1) * rate / static_cast<double>(last - first);
}

inline int peak(const std::vector<int16_t>& s, std::size_t from, std::size_t to) {
  int p = 0;
  for (std::size_t i = from; i < to; ++i) p = std::max(p, std::abs(static_cast<int>(s[i])));
  return p;
}

// Deterministic noise-and-tones test signal that also touches full scale now and then.
inline std::vector<int16_t> mixedSignal(std::size_t frames, int channels, uint32_t seed = 12345) {
  std::vector<int16_t> pcm(frames * static_cast<std::size_t>(channels));
  uint32_t r = seed;
  for (std::size_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c) {
      r = r * 1664525u + 1013904223u;
      const double noise = static_cast<double>(static_cast<int32_t>(r >> 16) - 32768) / 4.0;
      double v = 9000 * std::sin(2 * M_PI * 220 * i / 44100.0 + c) +
                 6000 * std::sin(2 * M_PI * 3100 * i / 44100.0) +
                 4000 * std::sin(2 * M_PI * (9000 + 800 * c) * i / 44100.0) + noise;
      if ((i / 2000) % 7 == 3) v *= 3;  // loud stretches that clip
      pcm[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] =
          static_cast<int16_t>(std::max(-32768.0, std::min(32767.0, v)));
    }
  return pcm;
}

}  // namespace filter_test
