#include "s/sound/filter/VocalInstrument.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "s/sound/filter/PcmSteps.h"
#include "s/thread/Pooled.h"
#include "tests/s/sound/filter/FilterTestSupport.h"

using s::sound::filter::PcmSteps;
using s::sound::filter::VocalInstrument;

namespace {

using VocalPtr = s::thread::Pooled<VocalInstrument>;

VocalPtr make() {
  VocalPtr v = s::thread::holdPooled(VocalInstrument::create());
  v->prepare(true, 44100, 16);
  return v;
}

// `expected` delayed by three samples per channel, within one unit.
void expectDelayedByThree(const std::vector<int16_t>& out, const std::vector<int16_t>& expected,
                          int channels, const char* what) {
  for (int c = 0; c < channels; ++c) {
    const auto y = filter_test::channel(out, channels, c);
    const auto x = filter_test::channel(expected, channels, c);
    for (std::size_t i = 3; i < x.size(); ++i)
      ASSERT_LE(std::abs(y[i] - x[i - 3]), 1) << what << ", channel " << c << ", sample " << i;
  }
}

}  // namespace

TEST(VocalInstrumentTest, FreshFilterHalvesWidensAndDelays) {
  VocalPtr v = make();
  const std::vector<int16_t> in = filter_test::mixedSignal(6000, 2);
  std::vector<int16_t> expected = in;
  const auto bytes = static_cast<uint32_t>(expected.size() * 2);
  for (uint32_t at = 0; at < bytes; at += 8192) {
    const uint32_t n = std::min(8192u, bytes - at);
    auto* block = reinterpret_cast<uint8_t*>(expected.data()) + at;
    PcmSteps::levelStep(block, n, 16, 10);
    PcmSteps::widen(block, n, 16, 10);
  }
  std::vector<int16_t> out = in;
  filter_test::runChunked(*v, out, true);
  expectDelayedByThree(out, expected, 2, "fresh filter");
}

TEST(VocalInstrumentTest, LevelCutZeroOnlyRunsTheBandEqualiser) {
  VocalPtr v = make();
  v->levelCut = 0;
  for (int channels : {1, 2}) {
    const std::vector<int16_t> in = filter_test::mixedSignal(3000, channels);
    std::vector<int16_t> out = in;
    filter_test::runChunked(*v, out, channels == 2);
    expectDelayedByThree(out, in, channels, channels == 2 ? "stereo" : "mono");
  }
}

TEST(VocalInstrumentTest, ModesUseTheirOwnSettingsOnly) {
  // Vocal mode with a flat band equaliser: half level, then both channels to the centre. The
  // final lift is ignored in vocal mode.
  VocalPtr vocal = make();
  vocal->instrumentMode = false;
  vocal->centreAmount = 10;
  vocal->finalLift = true;
  const std::vector<int16_t> in = filter_test::mixedSignal(3000, 2);
  std::vector<int16_t> expected = in, out = in;
  const auto bytes = static_cast<uint32_t>(in.size() * 2);
  PcmSteps::levelStep(expected.data(), bytes, 16, 10);
  PcmSteps::centreMix(expected.data(), bytes, 16, 10);
  vocal->process(out.data(), bytes, true, 44100, 16);
  expectDelayedByThree(out, expected, 2, "vocal");

  // Instrument mode ignores the centre amount and lifts at the end when asked.
  VocalPtr instrument = make();
  instrument->centreAmount = 10;
  instrument->finalLift = true;
  expected = in;
  out = in;
  PcmSteps::levelStep(expected.data(), bytes, 16, 10);
  PcmSteps::widen(expected.data(), bytes, 16, 10);
  instrument->process(out.data(), bytes, true, 44100, 16);
  for (std::size_t i = 0; i < out.size(); ++i) {
    // Undo the lift approximately and compare with the delayed expectation.
    if (i < 6) continue;
    const int base = expected[i - 6];
    ASSERT_LE(std::abs(out[i] - std::max(-32768, std::min(32767, static_cast<int>(base * 1.2)))), 2) << i;
  }
}

TEST(VocalInstrumentTest, InstrumentRuleAndEightBitData) {
  VocalPtr v = make();
  v->applyInstrumentRule(10);
  EXPECT_DOUBLE_EQ(v->bandEq.lowGain, 1.25);
  EXPECT_DOUBLE_EQ(v->bandEq.midGain, 0.0);
  EXPECT_DOUBLE_EQ(v->bandEq.highGain, 1.25);
  EXPECT_EQ(v->bandEq.lowFreq(), 750);
  EXPECT_EQ(v->bandEq.highFreq(), 7000);

  // 8-bit stereo: level step and widening about 128, no band equaliser.
  std::vector<uint8_t> pcm = {148, 128, 28, 228};
  v->process(pcm.data(), 4, true, 44100, 8);
  EXPECT_EQ(pcm, (std::vector<uint8_t>{145, 121, 3, 253}));
  EXPECT_EQ(v->bandEq.leftState().history[0], 0.0);
  v->instrumentMode = false;
  v->centreAmount = 10;
  pcm = {200, 100};
  v->process(pcm.data(), 2, true, 44100, 8);
  EXPECT_EQ(pcm, (std::vector<uint8_t>{164, 114}));

  v->reset();
  EXPECT_TRUE(v->instrumentMode);
  EXPECT_EQ(v->levelCut, 10);
  EXPECT_EQ(v->centreAmount, 0);
  EXPECT_FALSE(v->finalLift);
  EXPECT_DOUBLE_EQ(v->bandEq.highGain, 1.0);
  EXPECT_EQ(v->bandEq.lowFreq(), 880);
}
