#include "s/sound/filter/Octave.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "s/thread/Pooled.h"
#include "tests/s/sound/filter/FilterTestSupport.h"
#include "tests/support/Signals.h"

using s::sound::filter::Octave;

namespace {

using OctavePtr = s::thread::Pooled<Octave>;

OctavePtr shifter(int semitones) {
  OctavePtr o = s::thread::holdPooled(Octave::create());
  o->setPitch(static_cast<float>(semitones) * 100.0f / 12.0f);
  return o;
}

}  // namespace

TEST(OctaveTest, OctaveUpAndDownMoveA440Sine) {
  struct Case {
    int semitones;
    double expectHz;
  };
  for (const Case c : {Case{12, 880.0}, Case{-12, 220.0}, Case{5, 440.0 * std::pow(2.0, 5 / 12.0)}}) {
    std::vector<int16_t> pcm = testing_support::sine16(440, 1.0, 44100, 1, 12000);
    OctavePtr o = shifter(c.semitones);
    filter_test::runChunked(*o, pcm, false);
    // Nothing but the FIFO's silence comes out before the first frame has been resynthesised.
    EXPECT_EQ(filter_test::peak(pcm, 0, Octave::kStep), 0);
    const double hz = filter_test::zeroCrossingHz(pcm, 4096, pcm.size(), 44100);
    EXPECT_NEAR(hz, c.expectHz, c.expectHz * 0.01) << c.semitones << " semitones";
    EXPECT_GT(filter_test::peak(pcm, 4096, pcm.size()), 5000) << c.semitones << " semitones";
  }
}

TEST(OctaveTest, StereoShiftsBothChannelsAndEightBitStaysCentred) {
  std::vector<int16_t> pcm = testing_support::sine16(440, 0.5, 44100, 2, 12000);
  filter_test::runChunked(*shifter(12), pcm, true);
  for (int c = 0; c < 2; ++c) {
    const auto ch = filter_test::channel(pcm, 2, c);
    EXPECT_NEAR(filter_test::zeroCrossingHz(ch, 4096, ch.size(), 44100), 880, 9) << c;
  }

  // 8-bit mono: 128 is silence, so the shifted tone must cross 128 at the new rate.
  const std::vector<int16_t> wide = testing_support::sine16(440, 0.5, 44100, 1, 100);
  std::vector<uint8_t> bytes(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) bytes[i] = static_cast<uint8_t>(wide[i] + 128);
  OctavePtr o = shifter(12);
  ASSERT_TRUE(o->prepare(false, 44100, 8));
  for (std::size_t at = 0; at < bytes.size(); at += 8192)
    o->process(bytes.data() + at, static_cast<uint32_t>(std::min<std::size_t>(8192, bytes.size() - at)),
               false, 44100, 8);
  std::vector<int16_t> centred(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) centred[i] = static_cast<int16_t>(bytes[i] - 128);
  EXPECT_EQ(bytes[0], 128);
  EXPECT_NEAR(filter_test::zeroCrossingHz(centred, 4096, centred.size(), 44100), 880, 9);
}

TEST(OctaveTest, ResultDoesNotDependOnHowTheStreamIsCut) {
  const std::vector<int16_t> in = filter_test::mixedSignal(20000, 1);
  std::vector<int16_t> whole = in;
  OctavePtr one = shifter(5);
  ASSERT_TRUE(one->prepare(false, 44100, 16));
  one->process(whole.data(), static_cast<uint32_t>(whole.size() * 2), false, 44100, 16);
  // 8193 samples: a full work buffer and then one more; the others cut frames at odd places.
  for (uint32_t chunkBytes : {8193u * 2, 8192u, 2u, 1000u}) {
    std::vector<int16_t> pieces = in;
    filter_test::runChunked(*shifter(5), pieces, false, 44100, chunkBytes);
    EXPECT_EQ(pieces, whole) << "chunk " << chunkBytes;
  }
}

TEST(OctaveTest, MonoSongsLeaveTheRightStateAlone) {
  const std::vector<int16_t> s1 = filter_test::mixedSignal(6000, 2, 1);
  const std::vector<int16_t> mono = filter_test::mixedSignal(5000, 1, 2);
  const std::vector<int16_t> s2 = filter_test::mixedSignal(6000, 2, 3);

  OctavePtr alternating = shifter(-3), stereoOnly = shifter(-3);
  std::vector<int16_t> a1 = s1, m = mono, a2 = s2, b1 = s1, b2 = s2;
  filter_test::runChunked(*alternating, a1, true);
  const int32_t rightRover = alternating->rover(1);
  filter_test::runChunked(*alternating, m, false);
  EXPECT_EQ(alternating->rover(1), rightRover);
  filter_test::runChunked(*alternating, a2, true);
  filter_test::runChunked(*stereoOnly, b1, true);
  filter_test::runChunked(*stereoOnly, b2, true);
  EXPECT_EQ(filter_test::channel(a2, 2, 1), filter_test::channel(b2, 2, 1));
  EXPECT_NE(filter_test::channel(a2, 2, 0), filter_test::channel(b2, 2, 0));
}

TEST(OctaveTest, LoudInputIsClampedNotWrapped) {
  // Shifting down folds pairs of bins onto one, which can push a full-scale tone past the limits.
  std::vector<int16_t> pcm = testing_support::sine16(1000, 0.5, 44100, 1, 32767);
  filter_test::runChunked(*shifter(-12), pcm, false);
  int16_t lo = 0, hi = 0;
  for (int16_t v : pcm) {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  EXPECT_EQ(hi, 32767);
  EXPECT_EQ(lo, -32768);
  // A wrapped sample would jump across zero between neighbours that both sit near a limit.
  for (std::size_t i = 1; i < pcm.size(); ++i)
    ASSERT_LT(std::abs(pcm[i] - pcm[i - 1]), 30000) << i;
}

TEST(OctaveTest, ResetFreesEverythingAndStartsFromSilence) {
  OctavePtr o = shifter(7);
  EXPECT_FALSE(o->isPrepared());
  EXPECT_TRUE(o->prepare(true, 44100, 16));
  EXPECT_TRUE(o->isPrepared());
  std::vector<int16_t> first = testing_support::sine16(300, 0.2, 44100, 2, 8000);
  filter_test::runChunked(*o, first, true);
  EXPECT_NE(o->rover(0), 0);
  o->setEnabled(false);
  o->reset();
  EXPECT_FALSE(o->isPrepared());
  EXPECT_EQ(o->rover(0), 0);
  EXPECT_EQ(o->pitch(), 0.0f);
  EXPECT_TRUE(o->isEnabled());
  // At pitch 0 the shifter still runs its frames (the engine switches it off instead), and a
  // fresh start is silent for the first step.
  std::vector<int16_t> second = testing_support::sine16(300, 0.2, 44100, 2, 8000);
  filter_test::runChunked(*o, second, true);
  EXPECT_EQ(filter_test::peak(second, 0, 2 * Octave::kStep), 0);
  EXPECT_NEAR(filter_test::zeroCrossingHz(filter_test::channel(second, 2, 0), 4096, 8820, 44100), 300, 4);
}

TEST(OctaveTest, OddSettingsAndEmptyBlocksAreHarmless) {
  const std::vector<int16_t> in = filter_test::mixedSignal(5000, 2);
  auto shifted = [&](float pitch) {
    OctavePtr o = shifter(0);
    o->setPitch(pitch);
    std::vector<int16_t> pcm = in;
    filter_test::runChunked(*o, pcm, true);
    return pcm;
  };
  // Far above any menu value every bin but the lowest leaves the spectrum: what remains is weak.
  EXPECT_LT(filter_test::peak(shifted(1e9f), 0, in.size()), 20000);
  EXPECT_LT(filter_test::peak(shifted(5000.0f), 0, in.size()), 20000);
  // Far below, everything folds onto the lowest bin and clamps; no pitch counts as none.
  shifted(-1e9f);
  EXPECT_EQ(shifted(std::numeric_limits<float>::quiet_NaN()), shifted(0.0f));

  OctavePtr o = shifter(3);
  std::vector<int16_t> pcm = in;
  // Unprepared, the shifter changes nothing and makes nothing.
  o->process(pcm.data(), 8192, true, 44100, 16);
  EXPECT_EQ(pcm, in);
  EXPECT_FALSE(o->isPrepared());
  ASSERT_TRUE(o->prepare(true, 44100, 16));
  o->process(pcm.data(), 0, true, 44100, 16);
  o->process(pcm.data(), 3, true, 44100, 16);     // less than one frame
  o->process(pcm.data(), 8192, true, 0, 16);      // no rate
  o->process(pcm.data(), 8192, true, 44100, 24);  // unsupported width
  EXPECT_EQ(pcm, in);
  EXPECT_TRUE(o->isPrepared());
  EXPECT_EQ(o->rover(0), 0);  // no sample taken yet
}
