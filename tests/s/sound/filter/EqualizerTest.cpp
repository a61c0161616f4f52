#include "s/sound/filter/Equalizer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "s/thread/Pooled.h"
#include "tests/s/sound/filter/FilterTestSupport.h"
#include "tests/support/Signals.h"

using s::sound::filter::Equalizer;

namespace {

using EqualizerPtr = s::thread::Pooled<Equalizer>;

EqualizerPtr make(double low, double mid, double high, int32_t lowFreq = 880,
                  int32_t highFreq = 5000) {
  EqualizerPtr e = s::thread::holdPooled(Equalizer::create());
  e->setGains(low, mid, high);
  e->setBands(lowFreq, highFreq);
  return e;
}

}  // namespace

TEST(EqualizerTest, FlatGainsDelayByThreeSamplesWithinOneUnit) {
  for (int channels : {1, 2}) {
    const std::vector<int16_t> in = filter_test::mixedSignal(10000, channels);
    std::vector<int16_t> out = in;
    EqualizerPtr eq = make(1.0, 1.0, 1.0);
    filter_test::runChunked(*eq, out, channels == 2);
    for (int c = 0; c < channels; ++c) {
      const auto x = filter_test::channel(in, channels, c);
      const auto y = filter_test::channel(out, channels, c);
      for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(y[i], 0) << "channels " << channels;
      for (std::size_t i = 3; i < x.size(); ++i)
        ASSERT_LE(std::abs(y[i] - x[i - 3]), 1) << "channels " << channels << " sample " << i;
    }
  }
}

TEST(EqualizerTest, HighOnlySilencesLowToneAndDoublesHighTone) {
  // Far below the low crossover almost nothing is left.
  std::vector<int16_t> low = testing_support::sine16(100, 0.5, 44100, 1, 10000);
  filter_test::runChunked(*make(0, 0, 2.0), low, false);
  EXPECT_LT(filter_test::peak(low, 2000, low.size()), 500);

  std::vector<int16_t> high = testing_support::sine16(10000, 0.5, 44100, 1, 10000);
  filter_test::runChunked(*make(0, 0, 2.0), high, false);
  const int p = filter_test::peak(high, 2000, high.size());
  EXPECT_GT(p, 17000);
  EXPECT_LT(p, 26000);  // the high band overshoots a little just above the crossover

  // Near full scale the doubling clamps instead of wrapping.
  std::vector<int16_t> loud = testing_support::sine16(10000, 0.2, 44100, 2, 30000);
  filter_test::runChunked(*make(0, 0, 2.0), loud, true);
  int16_t lo = 0, hi = 0;
  for (std::size_t i = 400; i < loud.size(); ++i) {
    lo = std::min(lo, loud[i]);
    hi = std::max(hi, loud[i]);
  }
  EXPECT_EQ(hi, 32767);
  EXPECT_EQ(lo, -32768);
}

TEST(EqualizerTest, FullScaleWithGainTwoClampsWithoutWrapping) {
  // A full-scale square wave: every sample of the doubled output sits at a limit of the same sign
  // as the input three samples earlier, once the cascades have settled.
  std::vector<int16_t> pcm(4000);
  for (std::size_t i = 0; i < pcm.size(); ++i) pcm[i] = (i / 200) % 2 ? -32768 : 32767;
  const std::vector<int16_t> in = pcm;
  filter_test::runChunked(*make(2.0, 2.0, 2.0), pcm, false);
  for (std::size_t i = 3; i < pcm.size(); ++i)
    if (i % 200 > 10) {
      ASSERT_EQ(pcm[i], in[i - 3]) << i;
    }
}

TEST(EqualizerTest, EightBitDataPassUnchanged) {
  std::vector<uint8_t> pcm = {0, 1, 127, 128, 129, 200, 255, 17};
  const auto before = pcm;
  EqualizerPtr eq = make(2.0, 0, 2.0);
  eq->process(pcm.data(), static_cast<uint32_t>(pcm.size()), true, 44100, 8);
  EXPECT_EQ(pcm, before);
  EXPECT_EQ(eq->leftState().history[0], 0.0);
}

TEST(EqualizerTest, MonoUsesOnlyTheLeftStateAcrossSongs) {
  const std::vector<int16_t> stereoA = filter_test::mixedSignal(3000, 2, 1);
  const std::vector<int16_t> mono = filter_test::mixedSignal(3000, 1, 2);
  const std::vector<int16_t> stereoB = filter_test::mixedSignal(3000, 2, 3);

  // Stereo, mono, stereo again through one equaliser...
  EqualizerPtr eq = make(1.5, 0.5, 1.2);
  std::vector<int16_t> a = stereoA, m = mono, b = stereoB;
  filter_test::runChunked(*eq, a, true);
  filter_test::runChunked(*eq, m, false);
  filter_test::runChunked(*eq, b, true);

  // ...leaves the right channel exactly as if the mono song had never played,
  EqualizerPtr stereoOnly = make(1.5, 0.5, 1.2);
  std::vector<int16_t> a2 = stereoA, b2 = stereoB;
  filter_test::runChunked(*stereoOnly, a2, true);
  filter_test::runChunked(*stereoOnly, b2, true);
  EXPECT_EQ(filter_test::channel(b, 2, 1), filter_test::channel(b2, 2, 1));
  EXPECT_NE(filter_test::channel(b, 2, 0), filter_test::channel(b2, 2, 0));

  // ...while the left channel carries on from the mono song's left state.
  EqualizerPtr leftOnly = make(1.5, 0.5, 1.2);
  std::vector<int16_t> l1 = filter_test::channel(stereoA, 2, 0), l2 = mono,
                       l3 = filter_test::channel(stereoB, 2, 0);
  filter_test::runChunked(*leftOnly, l1, false);
  filter_test::runChunked(*leftOnly, l2, false);
  filter_test::runChunked(*leftOnly, l3, false);
  EXPECT_EQ(m, l2);
  EXPECT_EQ(filter_test::channel(b, 2, 0), l3);
}

TEST(EqualizerTest, StateRunsOnAcrossChunksOfAnySize) {
  const std::vector<int16_t> in = filter_test::mixedSignal(9000, 2);
  std::vector<int16_t> whole = in;
  EqualizerPtr once = make(2.0, 0.3, 1.7);
  once->prepare(true, 48000, 16);
  once->process(whole.data(), static_cast<uint32_t>(whole.size() * 2), true, 48000, 16);
  for (uint32_t chunk : {4u, 100u, 8192u}) {
    std::vector<int16_t> pieces = in;
    filter_test::runChunked(*make(2.0, 0.3, 1.7), pieces, true, 48000, chunk);
    EXPECT_EQ(pieces, whole) << "chunk " << chunk;
  }
}

TEST(EqualizerTest, CoefficientsFollowTheRateAndResetRestoresDefaults) {
  EqualizerPtr eq = make(0.5, 1.5, 2.0, 1500, 7000);
  EXPECT_DOUBLE_EQ(eq->lowCoef(), 2 * std::sin(3.14159265359 * 1500 / 44100));
  EXPECT_TRUE(eq->prepare(false, 22050, 16));
  EXPECT_DOUBLE_EQ(eq->highCoef(), 2 * std::sin(3.14159265359 * 7000 / 22050));
  // New bands take the prepared rate.
  eq->setBands(1000, 6000);
  EXPECT_DOUBLE_EQ(eq->lowCoef(), 2 * std::sin(3.14159265359 * 1000 / 22050));
  eq->setEnabled(false);
  eq->reset();
  EXPECT_TRUE(eq->isEnabled());
  EXPECT_EQ(eq->lowGain, 1.0);
  EXPECT_EQ(eq->midGain, 1.0);
  EXPECT_EQ(eq->highGain, 1.0);
  EXPECT_EQ(eq->lowFreq(), 880);
  EXPECT_EQ(eq->highFreq(), 5000);
  EXPECT_EQ(eq->leftState().history[0], 0.0);
  EXPECT_EQ(eq->leftState().lowPoles[0], 0.0);
  EXPECT_DOUBLE_EQ(eq->highCoef(), 2 * std::sin(3.14159265359 * 5000 / 44100));
}
