#include "s/system/audio/win/Player.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <iterator>
#include <thread>
#include <vector>

#include "s/sound/Effect.h"
#include "s/system/audio/win/Device.h"
#include "s/system/audio/win/Gain.h"
#include "tests/s/system/audio/TestSource.h"
#include "tests/support/TempDir.h"

using s::system::audio::win::Device;
using s::system::audio::win::Player;
using namespace enginetest;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::size_t kWaveHeader = 44;

struct PlayerDeleter {
  void operator()(Player* p) const { p->release(); }
};
using PlayerPtr = std::unique_ptr<Player, PlayerDeleter>;

bool waitUntil(const std::function<bool()>& condition, int ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(ms);
  while (!condition()) {
    if (Clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

std::vector<uint8_t> samplesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (bytes.size() < kWaveHeader) return {};
  // The data size from the header: an odd-sized data chunk is followed by a pad byte.
  const std::size_t size = bytes[40] | bytes[41] << 8 | bytes[42] << 16 | static_cast<std::size_t>(bytes[43]) << 24;
  return {bytes.begin() + kWaveHeader, bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), kWaveHeader + size))};
}

// What the callback saw, chunk by chunk.
struct Calls {
  std::atomic<int> count{0};
  std::atomic<int64_t> bytes{0};
  std::atomic<bool> tooBig{false};
  std::atomic<bool> backwards{false};
  std::atomic<double> first{-1};
  std::atomic<double> last{-1};

  static int32_t callback(const int16_t*, uint32_t n, double percent, void* user) {
    auto* self = static_cast<Calls*>(user);
    if (n > 8192) self->tooBig = true;
    if (percent < self->last) self->backwards = true;
    if (self->count++ == 0) self->first = percent;
    self->last = percent;
    self->bytes += n;
    return 0;
  }
};

// Plays `source` through a fresh engine into a file written as fast as the engine feeds it.
std::vector<uint8_t> render(TestSource& source, const std::function<void(Player&)>& setUp, Calls* calls = nullptr) {
  testing_support::TempDir dir;
  Device device(-1, "file-fast:" + dir.file("out.wav"), "render");
  PlayerPtr player(Player::create());
  player->setDevice(&device);
  if (setUp) setUp(*player);
  player->play(&source, calls ? &Calls::callback : nullptr, calls);
  EXPECT_TRUE(player->isActive()) << player->lastError();
  EXPECT_TRUE(waitUntil([&] { return !player->isActive(); }, 10000));
  EXPECT_EQ(player->lastError(), "");
  return samplesOf(dir.file("out.wav"));
}

}  // namespace

TEST(Player, DeliversEverySampleUntouchedAtVolumeOneAndReportsEachChunk) {
  struct Case {
    std::size_t bytes;
    bool stereo;
    int32_t bits;
  };
  for (const Case& c : {Case{300001 * 4, true, 16}, Case{8192 * 3, false, 16}, Case{100001, false, 8}}) {
    SCOPED_TRACE(c.bytes);
    const auto pcm = pattern(c.bytes, static_cast<uint32_t>(c.bytes));
    TestSource source(pcm, 22050, c.stereo, c.bits);
    Calls calls;
    EXPECT_TRUE(render(source, nullptr, &calls) == pcm);
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
  TestSource source(pcm, 44100, true, 16);
  const int32_t preset = 3;
  const auto out = render(source, [&](Player& p) {
    p.setVolume(0.5f);
    EXPECT_EQ(p.getGain(), 0.25f);
    p.setPreset(preset);
  });

  // The same chain by hand: gain, then the preset, chunk by chunk as the read-ahead hands them out.
  std::vector<uint8_t> expected = pcm;
  s::sound::Effect effect;
  effect.buildPresets();
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
  TestSource first(pcm, 44100, true, 16);
  const auto withPreset = [](Player& p) { p.setPreset(4); };
  const auto once = render(first, withPreset);
  TestSource second(pcm, 44100, true, 16);
  EXPECT_TRUE(render(second, withPreset) == once);
}

TEST(Player, ADeviceThatCannotBeOpenedEndsThePlaybackAtOnceAndSaysWhy) {
  const auto pcm = pattern(100000);
  TestSource source(pcm, 44100, true, 16);
  Device device(-1, "file:/nonexistent-folder-of-sonvia/out.wav", "nowhere");
  PlayerPtr player(Player::create());
  player->setDevice(&device);
  Calls calls;
  player->play(&source, &Calls::callback, &calls);
  EXPECT_FALSE(player->isActive());
  EXPECT_NE(player->lastError().find("cannot write /nonexistent-folder-of-sonvia/out.wav"), std::string::npos)
      << player->lastError();
  EXPECT_EQ(calls.count, 0);
  // The engine is usable again at once.
  EXPECT_FALSE(render(source, nullptr).empty());
}

TEST(Player, OnAnIdleEngineTransportDoesNothing) {
  PlayerPtr player(Player::create());
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
  TestSource source(pcm, 44100, true, 16);
  Device device(-1, "null", "null");
  PlayerPtr player(Player::create());
  player->setDevice(&device);
  player->play(&source, nullptr, nullptr);
  ASSERT_TRUE(player->isActive()) << player->lastError();
  ASSERT_TRUE(waitUntil([&] { return player->bytesQueued() > 12 * 8192; }, 3000));

  player->pause();
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
}

TEST(Player, TakesRealTimeOnTheNullDeviceAndStaysActiveUntilTheQueueHasPlayed) {
  const auto pcm = pattern(22050 * 2 * 1, 12);  // 1 s of 16-bit mono
  TestSource source(pcm, 22050, false, 16);
  Device device(-1, "null", "null");
  PlayerPtr player(Player::create());
  player->setDevice(&device);
  Calls calls;
  const auto began = Clock::now();
  player->play(&source, &Calls::callback, &calls);
  ASSERT_TRUE(waitUntil([&] { return calls.bytes == static_cast<int64_t>(pcm.size()); }, 3000));
  EXPECT_TRUE(player->isActive());
  ASSERT_TRUE(waitUntil([&] { return !player->isActive(); }, 3000));
  const auto took = Clock::now() - began;
  EXPECT_GE(took, std::chrono::milliseconds(950));
  EXPECT_LT(took, std::chrono::milliseconds(2000));
}

TEST(Player, PlayWhilePlayingStopsTheFirstSongAndPlaysTheSecondWhole) {
  const auto first = pattern(44100 * 4 * 3, 13);
  TestSource firstSource(first, 44100, true, 16);
  Device nullDevice(-1, "null", "null");
  testing_support::TempDir dir;
  Device file(-1, "file-fast:" + dir.file("second.wav"), "file");
  PlayerPtr player(Player::create());
  player->setDevice(&nullDevice);
  player->play(&firstSource, nullptr, nullptr);
  ASSERT_TRUE(waitUntil([&] { return player->bytesQueued() > 0; }, 3000));

  const auto second = pattern(50000, 14);
  TestSource secondSource(second, 44100, true, 16);
  player->setDevice(&file);
  player->play(&secondSource, nullptr, nullptr);
  ASSERT_TRUE(waitUntil([&] { return !player->isActive(); }, 5000));
  EXPECT_TRUE(samplesOf(dir.file("second.wav")) == second);
}

TEST(Player, GoesBackToItsPoolWithDefaultsButKeepsTheStandingFilterSwitches) {
  Player* player = Player::create();
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
  player->release();
}
