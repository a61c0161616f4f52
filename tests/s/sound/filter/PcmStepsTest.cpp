#include "s/sound/filter/PcmSteps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "s/sound/filter/StereoEnhancer.h"
#include "s/thread/Pooled.h"

using s::sound::filter::PcmSteps;
using s::sound::filter::StereoEnhancer;

namespace {

enum class Step { Widen, WidenAttenuate, Level, Centre };

struct WorkedExample {
  const char* what;
  Step step;
  int32_t amount;
  std::vector<int16_t> in;
  std::vector<int16_t> out;
};

void apply(const WorkedExample& e, std::vector<int16_t>& pcm) {
  const auto bytes = static_cast<uint32_t>(pcm.size() * 2);
  switch (e.step) {
    case Step::Widen:
    case Step::WidenAttenuate: {
      auto f = s::thread::holdPooled(StereoEnhancer::create());
      f->width = e.amount;
      f->attenuate = e.step == Step::WidenAttenuate;
      f->process(pcm.data(), bytes, true, 44100, 16);
      break;
    }
    case Step::Level: PcmSteps::levelStep(pcm.data(), bytes, 16, e.amount); break;
    case Step::Centre: PcmSteps::centreMix(pcm.data(), bytes, 16, e.amount); break;
  }
}

}  // namespace

TEST(PcmStepsTest, WorkedExamples) {
  const std::vector<WorkedExample> examples = {
      {"width 10 pushes (1000, 0) apart", Step::Widen, 10, {1000, 0}, {1750, -750}},
      {"width 7 pushes (1000, 0) apart", Step::Widen, 7, {1000, 0}, {1525, -525}},
      {"equal channels stay", Step::Widen, 10, {1000, 1000, -5, -5}, {1000, 1000, -5, -5}},
      {"full-scale frame stays", Step::Widen, 10, {32767, -32768}, {32767, -32768}},
      {"push shortened at both limits", Step::Widen, 10, {-20000, 20000}, {-32767, 32767}},
      {"push shortened at the top", Step::Widen, 10, {30000, 0}, {32767, -2767}},
      {"width 0 does nothing", Step::Widen, 0, {1000, 0}, {1000, 0}},
      {"negative width does nothing", Step::Widen, -3, {1000, 0}, {1000, 0}},
      {"attenuation of equal channels", Step::WidenAttenuate, 7, {1000, 1000}, {899, 899}},
      {"attenuation of negative channels", Step::WidenAttenuate, 7, {-1001, -1001}, {-900, -900}},
      {"attenuation without widening", Step::WidenAttenuate, 0, {1000, -1000}, {899, -899}},
      {"level 10 halves toward zero", Step::Level, 10, {1001, -1001}, {500, -500}},
      {"level -4 lifts and clamps", Step::Level, -4, {1000, 30000, -30000}, {1200, 32767, -32768}},
      {"level 0 leaves samples", Step::Level, 0, {1001, -32768}, {1001, -32768}},
      {"centre 10 gives the mean", Step::Centre, 10, {1001, 0}, {500, 501}},
      {"centre 10 on opposite signs", Step::Centre, 10, {-7, 8}, {0, 1}},
      {"centre 5 pulls halfway", Step::Centre, 5, {1000, 0}, {750, 250}},
      {"centre 0 does nothing", Step::Centre, 0, {1001, 0}, {1001, 0}},
  };
  for (const WorkedExample& e : examples) {
    std::vector<int16_t> pcm = e.in;
    apply(e, pcm);
    EXPECT_EQ(pcm, e.out) << e.what;
  }
}

TEST(PcmStepsTest, PartialFramesAndOddBytesAreLeftAlone) {
  // Three 16-bit samples: one whole frame and a trailing half frame, then a trailing odd byte.
  uint8_t block[7];
  const int16_t samples[3] = {1000, 0, 1000};
  std::memcpy(block, samples, 6);
  block[6] = 0x7f;
  PcmSteps::widen(block, 7, 16, 10);
  PcmSteps::centreMix(block, 7, 16, 10);
  int16_t out[3];
  std::memcpy(out, block, 6);
  EXPECT_EQ(out[2], 1000);
  EXPECT_EQ(block[6], 0x7f);
  PcmSteps::levelStep(block, 7, 16, 10);
  PcmSteps::attenuate(block, 7, 16);
  std::memcpy(out, block, 6);
  EXPECT_EQ(out[2], 449);  // 1000 -> 500 -> 449 (0.9f is just below 0.9)
  EXPECT_EQ(block[6], 0x7f);
}

TEST(PcmStepsTest, EightBitDataWorkAbout128AndStayInRange) {
  struct Case {
    const char* what;
    Step step;
    int32_t amount;
    std::vector<uint8_t> in, out;
  };
  const std::vector<Case> cases = {
      {"level 10 halves the distance from 128", Step::Level, 10, {228, 28, 128}, {178, 78, 128}},
      {"level -4 lifts and clamps to 0..255", Step::Level, -4, {255, 0, 138}, {255, 0, 140}},
      {"widening about 128", Step::Widen, 10, {148, 128}, {163, 113}},
      {"widening kept within 0..255", Step::Widen, 10, {0, 255}, {0, 255}},
      {"widening shortened at the top", Step::Widen, 10, {250, 128}, {255, 123}},
      {"centre mixing skips 8-bit data", Step::Centre, 10, {200, 100}, {200, 100}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> pcm = c.in;
    const auto n = static_cast<uint32_t>(pcm.size());
    if (c.step == Step::Level) PcmSteps::levelStep(pcm.data(), n, 8, c.amount);
    if (c.step == Step::Widen) PcmSteps::widen(pcm.data(), n, 8, c.amount);
    if (c.step == Step::Centre) PcmSteps::centreMix(pcm.data(), n, 8, c.amount);
    EXPECT_EQ(pcm, c.out) << c.what;
  }
  std::vector<uint8_t> pcm = {200, 100};
  PcmSteps::attenuate(pcm.data(), 2, 8);
  EXPECT_EQ(pcm, (std::vector<uint8_t>{200, 100}));
}

TEST(StereoEnhancerTest, MonoPassesUnchangedEvenWithAttenuation) {
  auto f = s::thread::holdPooled(StereoEnhancer::create());
  f->attenuate = true;
  std::vector<int16_t> pcm = {1000, -1000, 32767, -32768};
  f->process(pcm.data(), 8, false, 44100, 16);
  EXPECT_EQ(pcm, (std::vector<int16_t>{1000, -1000, 32767, -32768}));
}

TEST(StereoEnhancerTest, PoolResetRestoresDefaults) {
  auto f = s::thread::holdPooled(StereoEnhancer::create());
  f->width = 3;
  f->attenuate = true;
  f->setEnabled(false);
  f->reset();
  EXPECT_EQ(f->width, 10);
  EXPECT_FALSE(f->attenuate);
  EXPECT_TRUE(f->isEnabled());
  EXPECT_TRUE(std::u16string_view(f->typeName()) == u"s_sound_filter_StereoEnhancer");
}
