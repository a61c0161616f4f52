#include "s/system/audio/win/Player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "s/sound/Effect.h"
#include "s/system/audio/win/Gain.h"
#include "tests/s/system/audio/PlayerTestSupport.h"

using namespace enginetest;


TEST(Player, DeliversEverySampleUntouchedAtVolumeOneAndReportsEachChunk) {
  struct Case {
    std::size_t bytes;
    bool stereo;
    int32_t bits;
  };
  for (const Case& c : {Case{300001 * 4, true, 16}, Case{8192 * 3, false, 16}, Case{100001, false, 8}}) {
    SCOPED_TRACE(c.bytes);
    const auto pcm = pattern(c.bytes, static_cast<uint32_t>(c.bytes));
    Calls calls;
    EXPECT_TRUE(render(TestSource::shared(pcm, 22050, c.stereo, c.bits), nullptr, &calls) == pcm);
    EXPECT_EQ(calls.bytes, static_cast<int64_t>(pcm.size()));
    EXPECT_GE(calls.count, static_cast<int>(pcm.size() / 8192));
    EXPECT_FALSE(calls.tooBig);
    EXPECT_FALSE(calls.backwards);
    // Counted before the call, so the first chunk already shows progress.
    EXPECT_GT(calls.first, 0.0);
    EXPECT_DOUBLE_EQ(calls.last, 100.0);
  }
}

TEST(Player, AppliesTheSquaredVolumeThenThePresetInChunksOf8192Bytes) {
  const auto pcm = pattern(8192 * 40 + 1000, 9);
  const int32_t preset = 3;
  const auto out = render(TestSource::shared(pcm, 44100, true, 16), [&](Player& p) {
    p.setVolume(0.5f);
    EXPECT_EQ(p.getGain(), 0.25f);
    p.setPreset(preset);
  });

  // The same chain by hand: gain, then the preset, chunk by chunk as the read-ahead hands them out.
  std::vector<uint8_t> expected = pcm;
  s::sound::Effect effect;
  effect.buildPresets();
  effect.prepare(true, 44100, 16);
  for (std::size_t at = 0; at < expected.size(); at += 8192) {
    const auto n = static_cast<uint32_t>(std::min<std::size_t>(8192, expected.size() - at));
    s::system::audio::win::Gain::apply(expected.data() + at, n, 16, 0.25f);
    effect.processAfterGain(expected.data() + at, n, true, 44100, 16, preset);
  }
  ASSERT_EQ(out.size(), expected.size());
  EXPECT_TRUE(out == expected);
}

TEST(Player, AnEngineFromThePoolSoundsLikeANewOne) {
  // The second render takes the engine the first one gave back, presets with their filter
  // history included.
  const auto pcm = pattern(8192 * 8, 21);
  const auto withPreset = [](Player& p) { p.setPreset(4); };
  const auto once = render(TestSource::shared(pcm, 44100, true, 16), withPreset);
  EXPECT_TRUE(render(TestSource::shared(pcm, 44100, true, 16), withPreset) == once);
}

TEST(Player, ADeviceThatCannotBeOpenedEndsThePlaybackAndSaysWhy) {
  const auto pcm = pattern(100000);
  Device device(-1, "file:/nonexistent-folder-of-sonvia/out.wav", "nowhere");
  PlayerPtr player = makePlayer();
  player->setDevice(&device);
  Calls calls;
  player->play(TestSource::shared(pcm, 44100, true, 16), &Calls::callback, &calls);
  ASSERT_TRUE(waitUntil([&] { return !player->isActive(); }, 5000));
  EXPECT_EQ(player->state(), PlayerState::kFailed);
  EXPECT_NE(player->lastError().find("cannot write /nonexistent-folder-of-sonvia/out.wav"), std::string::npos)
      << player->lastError();
  EXPECT_EQ(calls.count, 0);

  player->play(nullptr, nullptr, nullptr);
  EXPECT_EQ(player->state(), PlayerState::kFailed);
  EXPECT_EQ(player->lastError(), "there is no song to play");
  // The engine is usable again at once.
  EXPECT_FALSE(render(TestSource::shared(pcm, 44100, true, 16), nullptr).empty());
}

TEST(Player, OnAnIdleEngineTransportDoesNothing) {
  PlayerPtr player = makePlayer();
  EXPECT_EQ(player->state(), PlayerState::kIdle);
  player->pause();
  EXPECT_FALSE(player->isPaused());
  player->seek(50);
  EXPECT_EQ(player->bytesQueued(), 0);
  player->resume();
  player->stop();
  EXPECT_FALSE(player->isActive());
}

TEST(Player, PauseHoldsThePositionSeekMovesItAndStopEndsPlayback) {
  const auto pcm = pattern(44100 * 4 * 4, 11);  // 4 s at real-time pace
  auto shared = TestSource::shared(pcm, 44100, true, 16);
  TestSource& source = *shared;
  Device device(-1, "null", "null");
  PlayerPtr player = makePlayer();
  player->setDevice(&device);
  player->play(std::move(shared), nullptr, nullptr);
  ASSERT_TRUE(player->isActive()) << player->lastError();
  ASSERT_TRUE(waitUntil([&] { return player->bytesQueued() > 12 * 8192; }, 3000));
  EXPECT_EQ(player->state(), PlayerState::kPlaying);

  player->pause();
  EXPECT_EQ(player->state(), PlayerState::kPaused);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const int64_t held = player->bytesQueued();
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  EXPECT_EQ(player->bytesQueued(), held);

  player->seek(75);
  EXPECT_TRUE(player->isPaused());
  EXPECT_EQ(player->bytesQueued(), static_cast<int64_t>(pcm.size() * 3 / 4));
  EXPECT_EQ(source.seeks(), 1);

  player->resume();
  EXPECT_TRUE(waitUntil([&] { return player->bytesQueued() > static_cast<int64_t>(pcm.size() * 3 / 4); }, 2000));
  const auto before = Clock::now();
  player->stop();
  EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(1500));
  EXPECT_FALSE(player->isActive());
  EXPECT_EQ(player->state(), PlayerState::kEnded);
}

TEST(Player, TakesRealTimeOnTheNullDeviceAndStaysActiveUntilTheQueueHasPlayed) {
  const auto pcm = pattern(22050 * 2 * 1, 12);  // 1 s of 16-bit mono
  Device device(-1, "null", "null");
  PlayerPtr player = makePlayer();
  player->setDevice(&device);
  Calls calls;
  const auto began = Clock::now();
  player->play(TestSource::shared(pcm, 22050, false, 16), &Calls::callback, &calls);
  ASSERT_TRUE(waitUntil([&] { return calls.bytes == static_cast<int64_t>(pcm.size()); }, 3000));
  EXPECT_TRUE(player->isActive());
  ASSERT_TRUE(waitUntil([&] { return !player->isActive(); }, 3000));
  const auto took = Clock::now() - began;
  EXPECT_GE(took, std::chrono::milliseconds(950));
  EXPECT_LT(took, std::chrono::milliseconds(2000));
}

TEST(Player, PlayWhilePlayingStopsTheFirstSongAndPlaysTheSecondWholeFromItsStart) {
  const auto first = pattern(44100 * 4 * 3, 13);
  Device nullDevice(-1, "null", "null");
  testing_support::TempDir dir;
  Device file(-1, "file-fast:" + dir.file("second.wav"), "file");
  PlayerPtr player = makePlayer();
  player->setDevice(&nullDevice);
  player->play(TestSource::shared(first, 44100, true, 16), nullptr, nullptr);
  ASSERT_TRUE(waitUntil([&] { return player->bytesQueued() > 8 * 8192; }, 3000));

  const auto second = pattern(50000, 14);
  player->setDevice(&file);
  Calls calls;
  player->play(TestSource::shared(second, 44100, true, 16), &Calls::callback, &calls);
  ASSERT_TRUE(waitUntil([&] { return !player->isActive(); }, 5000));
  EXPECT_TRUE(samplesOf(dir.file("second.wav")) == second);
  // The position starts again at the new song's first chunk.
  EXPECT_DOUBLE_EQ(calls.first, 8192 * 100.0 / static_cast<double>(second.size()));
  EXPECT_DOUBLE_EQ(calls.last, 100.0);
  EXPECT_EQ(player->bytesQueued(), static_cast<int64_t>(second.size()));
}

TEST(Player, GoesBackToItsPoolWithDefaultsButKeepsTheStandingFilterSwitches) {
  PlayerPtr player = makePlayer();
  player->setVolume(0.3f);
  player->setPreset(4);
  player->setEqualizerExOn(true);
  player->setPitch(50);
  player->setStereoEnhancerOn(true);
  player->setPreset(11);
  EXPECT_EQ(player->getPreset(), -1);
  player->setPreset(4);
  player->reset();
  EXPECT_FLOAT_EQ(player->getVolume(), 1.0f);
  EXPECT_EQ(player->getPreset(), -1);
  EXPECT_FALSE(player->isEqualizerExOn());
  EXPECT_FALSE(player->effect().octave().isEnabled());
  EXPECT_TRUE(player->isStereoEnhancerOn());
  player->setStereoEnhancerOn(false);
}
