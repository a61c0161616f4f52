#include "s/system/audio/win/Gain.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using s::system::audio::win::Gain;

namespace {

std::vector<int16_t> scaled16(std::vector<int16_t> samples, float gain) {
  Gain::apply(samples.data(), static_cast<uint32_t>(samples.size() * 2), 16, gain);
  return samples;
}

std::vector<uint8_t> scaled8(std::vector<uint8_t> samples, float gain) {
  Gain::apply(samples.data(), static_cast<uint32_t>(samples.size()), 8, gain);
  return samples;
}

}  // namespace

TEST(Gain, SixteenBitTruncatesTowardZeroAndClampsOnlyAboveOne) {
  const std::vector<int16_t> in{0, 1, 3, 7, -7, -3, 32767, -32768, 1001};
  EXPECT_EQ(scaled16(in, 1.0f), in);
  EXPECT_EQ(scaled16(in, 0.25f), (std::vector<int16_t>{0, 0, 0, 1, -1, 0, 8191, -8192, 250}));
  EXPECT_EQ(scaled16(in, 0.0f), (std::vector<int16_t>(in.size(), 0)));
  EXPECT_EQ(scaled16(in, 4.0f), (std::vector<int16_t>{0, 4, 12, 28, -28, -12, 32767, -32768, 4004}));
  EXPECT_EQ(scaled16({20000, -20000, 16383}, 2.25f), (std::vector<int16_t>{32767, -32768, 32767}));
}

TEST(Gain, EightBitRoundsHalvesAwayFromZeroAroundSilence) {
  const std::vector<uint8_t> in{128, 130, 126, 131, 125, 0, 255, 129};
  EXPECT_EQ(scaled8(in, 1.0f), in);
  // 130: 2 x 0.25 + 128 = 128.5 -> 129; 126: 127.5 -> 128; 131: 128.75 -> 129; 125: 127.25 -> 127
  EXPECT_EQ(scaled8(in, 0.25f), (std::vector<uint8_t>{128, 129, 128, 129, 127, 96, 160, 128}));
  EXPECT_EQ(scaled8(in, 0.0f), (std::vector<uint8_t>(in.size(), 128)));
  EXPECT_EQ(scaled8(in, 4.0f), (std::vector<uint8_t>{128, 136, 120, 140, 116, 0, 255, 132}));
}

TEST(Gain, ATrailingOddByteOfSixteenBitPcmIsLeftAlone) {
  uint8_t bytes[5] = {0x10, 0x00, 0x20, 0x00, 0x7f};
  Gain::apply(bytes, 5, 16, 0.5f);
  const uint8_t expected[5] = {0x08, 0x00, 0x10, 0x00, 0x7f};
  EXPECT_EQ(std::memcmp(bytes, expected, 5), 0);
}
