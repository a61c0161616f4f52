#include "s/sound/Effect.h"

#include <gtest/gtest.h>

#include <memory>
#include <string_view>
#include <vector>

#include "s/sound/EffectChoice.h"
#include "s/sound/filter/Equalizer.h"
#include "s/sound/filter/EqualizerEx.h"
#include "s/sound/filter/Octave.h"
#include "s/sound/filter/StereoEnhancer.h"
#include "s/sound/filter/VocalInstrument.h"
#include "s/thread/Pooled.h"
#include "tests/s/sound/filter/FilterTestSupport.h"

using s::sound::Effect;
using s::sound::EffectChoice;
using s::sound::EffectSettings;
using namespace s::sound::filter;

namespace {

using s::thread::holdPooled;
using EffectPtr = s::thread::Pooled<Effect>;

EffectPtr builtHolder() {
  EffectPtr e = holdPooled(Effect::create());
  e->buildPresets();
  return e;
}

// One chunk through the holder as the engine runs it, with the engine's settings for `choice`.
void applyChoice(Effect& effect, const EffectSettings& s) {
  effect.stereoEnhancer().setEnabled(s.stereoEnhancerOn);
  effect.equalizer().setEnabled(s.equalizerOn);
  effect.vocalInstrument().setEnabled(s.vocalInstrumentOn);
  effect.setPitch(s.pitch);
}

void runChunks(Effect& effect, std::vector<int16_t>& pcm, bool stereo, int32_t preset) {
  auto* bytes = reinterpret_cast<uint8_t*>(pcm.data());
  const std::size_t total = pcm.size() * 2;
  effect.prepare(stereo, 44100, 16);
  for (std::size_t at = 0; at < total; at += 8192) {
    const auto n = static_cast<uint32_t>(std::min<std::size_t>(8192, total - at));
    effect.processBeforeGain(bytes + at, n, stereo, 44100, 16);
    effect.processAfterGain(bytes + at, n, stereo, 44100, 16, preset);
  }
}

EffectSettings settingsFor(int32_t command, int32_t semitones = 0) {
  EffectChoice c;
  EXPECT_TRUE(EffectChoice::fromCommand(command, &c));
  return c.settingsFor(semitones);
}

}  // namespace

TEST(EffectTest, StandingFiltersAreConfiguredAsBuilt) {
  EffectPtr e = holdPooled(Effect::create());
  EXPECT_TRUE(std::u16string_view(e->typeName()) == u"s_sound_Effect");
  const Equalizer& eq = e->equalizer();
  EXPECT_DOUBLE_EQ(eq.lowGain, 1.0);
  EXPECT_DOUBLE_EQ(eq.midGain, 1.0);
  EXPECT_DOUBLE_EQ(eq.highGain, 1.7);
  EXPECT_EQ(eq.lowFreq(), 880);
  EXPECT_EQ(eq.highFreq(), 5000);
  EXPECT_EQ(e->stereoEnhancer().width, 7);
  EXPECT_TRUE(e->stereoEnhancer().attenuate);
  const VocalInstrument& vi = e->vocalInstrument();
  EXPECT_TRUE(vi.instrumentMode);
  EXPECT_EQ(vi.levelCut, 10);
  EXPECT_EQ(vi.centreAmount, 10);
  EXPECT_TRUE(vi.finalLift);
  EXPECT_DOUBLE_EQ(vi.bandEq.lowGain, 1.25);
  EXPECT_DOUBLE_EQ(vi.bandEq.midGain, 0.0);
  EXPECT_DOUBLE_EQ(vi.bandEq.highGain, 1.25);
  EXPECT_EQ(vi.bandEq.lowFreq(), 750);
  EXPECT_EQ(vi.bandEq.highFreq(), 7000);
  EXPECT_EQ(e->octave().pitch(), 0.0f);
  EXPECT_FALSE(e->octave().isPrepared());
  EXPECT_EQ(e->presetCount(), 0);
  for (s::sound::IFilter* f : {static_cast<s::sound::IFilter*>(&e->equalizerEx()),
                               static_cast<s::sound::IFilter*>(&e->equalizer()),
                               static_cast<s::sound::IFilter*>(&e->stereoEnhancer()),
                               static_cast<s::sound::IFilter*>(&e->vocalInstrument()),
                               static_cast<s::sound::IFilter*>(&e->octave())})
    EXPECT_FALSE(f->isEnabled());
}

TEST(EffectTest, PresetListHoldsTheElevenPresetsSwitchedOff) {
  struct Expected {
    const char16_t* type;
    double low, mid, high;
    int32_t lowFreq, highFreq;
  };
  const Expected table[Effect::kPresetCount] = {
      {u"s_sound_filter_VocalInstrument", 0, 2.0, 0, 750, 7000},
      {u"s_sound_filter_VocalInstrument", 1.25, 0, 1.25, 750, 7000},
      {u"s_sound_filter_Equalizer", 2.0, 1.0, 1.0, 1500, 5000},
      {u"s_sound_filter_Equalizer", 0, 1.0, 1.0, 1500, 5000},
      {u"s_sound_filter_Equalizer", 2.0, 0, 0, 1500, 5000},
      {u"s_sound_filter_Equalizer", 1.0, 2.0, 1.0, 880, 5000},
      {u"s_sound_filter_Equalizer", 1.0, 0, 1.0, 880, 5000},
      {u"s_sound_filter_Equalizer", 0, 2.0, 0, 880, 5000},
      {u"s_sound_filter_Equalizer", 1.0, 1.0, 2.0, 880, 5000},
      {u"s_sound_filter_Equalizer", 1.0, 1.0, 0, 880, 5000},
      {u"s_sound_filter_Equalizer", 0, 0, 2.0, 880, 5000},
  };
  EffectPtr e = builtHolder();
  e->buildPresets();  // building again replaces, never appends
  ASSERT_EQ(e->presetCount(), Effect::kPresetCount);
  EXPECT_EQ(e->preset(-1), nullptr);
  EXPECT_EQ(e->preset(11), nullptr);
  for (int32_t i = 0; i < Effect::kPresetCount; ++i) {
    s::sound::IFilter* f = e->preset(i);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(std::u16string_view(f->typeName()) == table[i].type) << i;
    EXPECT_FALSE(f->isEnabled()) << i;
    const Equalizer* eq = dynamic_cast<Equalizer*>(f);
    if (auto* vi = dynamic_cast<VocalInstrument*>(f)) {
      EXPECT_EQ(vi->instrumentMode, i == 1);
      EXPECT_EQ(vi->levelCut, 10);
      EXPECT_EQ(vi->centreAmount, 10);
      EXPECT_FALSE(vi->finalLift);
      eq = &vi->bandEq;
    }
    ASSERT_NE(eq, nullptr) << i;
    EXPECT_DOUBLE_EQ(eq->lowGain, table[i].low) << i;
    EXPECT_DOUBLE_EQ(eq->midGain, table[i].mid) << i;
    EXPECT_DOUBLE_EQ(eq->highGain, table[i].high) << i;
    EXPECT_EQ(eq->lowFreq(), table[i].lowFreq) << i;
    EXPECT_EQ(eq->highFreq(), table[i].highFreq) << i;
  }
}

TEST(EffectTest, MenuChoicesBecomeEngineSettings) {
  struct Row {
    int32_t command;
    const char* text;
    int32_t textId;
    const char16_t* stored;
    int32_t preset;
    bool stereo, equalizer, vocal;
  };
  const Row rows[] = {
      {147, "Studio Original", 7001001, u"None", -1, false, false, false},
      {148, "Soft Breeze", 6801000, u"Soft", -1, false, false, true},
      {149, "Open Air", 6802000, u"Dynamic", -1, true, true, false},
      {150, "Vocal Main", 7100025, u"Others", 0, false, false, false},
      {154, "Bass Only", 7100400, u"Others", 4, false, false, false},
      {160, "High Only", 7101000, u"Others", 10, false, false, false},
  };
  for (const Row& r : rows) {
    EffectChoice c;
    ASSERT_TRUE(EffectChoice::fromCommand(r.command, &c)) << r.text;
    const EffectSettings s = c.settingsFor(0);
    EXPECT_EQ(s.presetIndex, r.preset) << r.text;
    EXPECT_EQ(s.stereoEnhancerOn, r.stereo) << r.text;
    EXPECT_EQ(s.equalizerOn, r.equalizer) << r.text;
    EXPECT_EQ(s.vocalInstrumentOn, r.vocal) << r.text;
    EXPECT_EQ(c.command(), r.command) << r.text;
    EXPECT_TRUE(std::u16string_view(c.storedName()) == r.stored) << r.text;
    EXPECT_EQ(EffectChoice::commandForText(r.text), r.command);
    EXPECT_STREQ(EffectChoice::englishText(r.command), r.text);
    EXPECT_EQ(EffectChoice::textId(r.command), r.textId);
  }
  EffectChoice c;
  EXPECT_FALSE(EffectChoice::fromCommand(146, &c));
  EXPECT_FALSE(EffectChoice::fromCommand(161, &c));
  EXPECT_EQ(EffectChoice::commandForText("open air"), 0);

  // A preset wins over the switches; soft wins over wide and bright.
  EffectChoice mixed;
  mixed.wide = mixed.bright = mixed.soft = true;
  EXPECT_EQ(mixed.settingsFor(0).vocalInstrumentOn, true);
  EXPECT_EQ(mixed.settingsFor(0).stereoEnhancerOn, false);
  mixed.presetIndex = 3;
  const EffectSettings s = mixed.settingsFor(0);
  EXPECT_FALSE(s.vocalInstrumentOn || s.stereoEnhancerOn || s.equalizerOn);

  // Only "Soft" and "Dynamic" come back at start; a stored preset gives "Studio Original".
  EXPECT_EQ(EffectChoice::fromStoredName(u"Soft").command(), 148);
  EXPECT_EQ(EffectChoice::fromStoredName(u"Dynamic").command(), 149);
  EXPECT_EQ(EffectChoice::fromStoredName(u"Others").command(), 147);
  EXPECT_EQ(EffectChoice::fromStoredName(u"garbage").command(), 147);

  EXPECT_EQ(EffectChoice::pitchAmount(12), 100.0f);
  EXPECT_NEAR(EffectChoice::pitchAmount(-1), -8.3333f, 1e-4);
  EXPECT_EQ(EffectChoice::pitchAmount(0), 0.0f);
  EXPECT_EQ(c.settingsFor(-12).pitch, -100.0f);
}

TEST(EffectTest, StudioOriginalWithoutPitchLeavesChunksUnchanged) {
  EffectPtr e = builtHolder();
  applyChoice(*e, settingsFor(EffectChoice::kStudioOriginal));
  const std::vector<int16_t> in = filter_test::mixedSignal(5000, 2);
  std::vector<int16_t> out = in;
  runChunks(*e, out, true, -1);
  EXPECT_EQ(out, in);
}

TEST(EffectTest, ChoicesRunTheirFilters) {
  const std::vector<int16_t> stereo = filter_test::mixedSignal(4000, 2);
  const std::vector<int16_t> mono = filter_test::mixedSignal(4000, 1);

  // "Open Air" on stereo: the standing stereo enhancer and then the standing equaliser.
  EffectPtr e = builtHolder();
  applyChoice(*e, settingsFor(EffectChoice::kOpenAir));
  std::vector<int16_t> out = stereo, expected = stereo;
  runChunks(*e, out, true, -1);
  auto se = holdPooled(StereoEnhancer::create());
  se->width = 7;
  se->attenuate = true;
  auto eq = holdPooled(Equalizer::create());
  eq->setGains(1.0, 1.0, 1.7);
  filter_test::runChunked(*se, expected, true);
  filter_test::runChunked(*eq, expected, true);
  EXPECT_EQ(out, expected);

  // "Open Air" on mono: the stereo filter does nothing, the equaliser carries on.
  out = mono;
  expected = mono;
  runChunks(*e, out, false, -1);
  filter_test::runChunked(*eq, expected, false);
  EXPECT_EQ(out, expected);

  // Switching to "Bass Only" turns both standing filters off and runs preset 4 alone.
  const EffectSettings bassOnly = settingsFor(154);
  applyChoice(*e, bassOnly);
  out = stereo;
  expected = stereo;
  runChunks(*e, out, true, bassOnly.presetIndex);
  auto bass = holdPooled(Equalizer::create());
  bass->setGains(2.0, 0, 0);
  bass->setBands(1500, 5000);
  filter_test::runChunked(*bass, expected, true);
  EXPECT_EQ(out, expected);
  EXPECT_FALSE(e->stereoEnhancer().isEnabled());
  EXPECT_FALSE(e->equalizer().isEnabled());
}

TEST(EffectTest, PitchPreparesBeforeSwitchingOnAndResetKeepsTheRightThings) {
  EffectPtr e = builtHolder();
  applyChoice(*e, settingsFor(EffectChoice::kSoftBreeze, 5));
  EXPECT_TRUE(e->octave().isPrepared());
  EXPECT_TRUE(e->octave().isEnabled());
  EXPECT_NEAR(e->octave().pitch(), 41.6667f, 1e-3);
  std::vector<int16_t> pcm = filter_test::mixedSignal(3000, 2);
  runChunks(*e, pcm, true, -1);
  EXPECT_NE(e->octave().rover(0), 0);

  e->setPitch(0);
  EXPECT_FALSE(e->octave().isEnabled());
  EXPECT_TRUE(e->octave().isPrepared());  // kept for the next non-zero pitch

  e->equalizerEx().setEnabled(true);
  e->equalizerEx().setOutputGain(0.5f);
  e->preset(3)->setEnabled(true);
  e->setPitch(100);
  e->reset();
  EXPECT_FALSE(e->equalizerEx().isEnabled());
  EXPECT_EQ(e->equalizerEx().outputGain(), 1.0f);
  EXPECT_FALSE(e->octave().isEnabled());
  EXPECT_FALSE(e->octave().isPrepared());
  EXPECT_EQ(e->octave().pitch(), 0.0f);
  EXPECT_FALSE(e->preset(3)->isEnabled());
  EXPECT_EQ(e->presetCount(), Effect::kPresetCount);
  // The other standing filters keep their settings and switches.
  EXPECT_TRUE(e->vocalInstrument().isEnabled());
  EXPECT_DOUBLE_EQ(e->equalizer().highGain, 1.7);
  EXPECT_EQ(e->stereoEnhancer().width, 7);
}

TEST(EffectTest, EqualizerExAtItsDefaultsPassesTheSignal) {
  auto holder = holdPooled(EqualizerEx::create());
  EqualizerEx* ex = holder.get();
  EXPECT_FLOAT_EQ(ex->band(0).frequency, 100.0f);
  EXPECT_FLOAT_EQ(ex->band(6).frequency, 6400.0f);
  EXPECT_FLOAT_EQ(ex->band(9).frequency, 16200.0f);
  EXPECT_FLOAT_EQ(ex->band(8).bandwidth, 0.16666f);
  const std::vector<int16_t> in = filter_test::mixedSignal(3000, 2);
  std::vector<int16_t> out = in;
  filter_test::runChunked(*ex, out, true);
  for (std::size_t i = 0; i < in.size(); ++i) ASSERT_LE(std::abs(out[i] - in[i]), 1) << i;
  // A 12 dB boost at 1600 Hz raises a 1600 Hz tone by about four times.
  ASSERT_TRUE(ex->setBand(4, 1600, 1, 12));
  EXPECT_FALSE(ex->setBand(10, 1600, 1, 12));
  EXPECT_FALSE(ex->setBand(0, 30000, 1, 0));
  std::vector<int16_t> tone(8820);
  for (std::size_t i = 0; i < tone.size(); ++i)
    tone[i] = static_cast<int16_t>(2000 * std::sin(2 * M_PI * 1600 * i / 44100.0));
  filter_test::runChunked(*ex, tone, false);
  EXPECT_NEAR(filter_test::peak(tone, 4000, tone.size()), 8000, 800);
  std::vector<uint8_t> eight = {0, 128, 255};
  ex->process(eight.data(), 3, false, 44100, 8);
  EXPECT_EQ(eight, (std::vector<uint8_t>{0, 128, 255}));
}
