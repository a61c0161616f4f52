#include "platform/wave/Format.h"

namespace platform::wave {

namespace {
// Wider than any file we decode, narrow enough that rates and byte counts stay far from overflow.
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
}  // namespace

std::string Format::problem() const {
  if (channels != 1 && channels != 2)
    return "unsupported channel count " + std::to_string(channels) + " (only mono and stereo)";
  if (bitsPerSample != 8 && bitsPerSample != 16)
    return "unsupported sample width of " + std::to_string(bitsPerSample) + " bits (only 8 and 16)";
  if (sampleRate < kMinRate || sampleRate > kMaxRate)
    return "unsupported sample rate " + std::to_string(sampleRate) + " Hz";
  return {};
}

}  // namespace platform::wave
