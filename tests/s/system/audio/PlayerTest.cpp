#include "s/system/audio/win/Player.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <condition_variable>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <iterator>
#include <thread>
#include <vector>

#include "s/sound/Effect.h"
#include "s/system/audio/win/Device.h"
#include "s/system/audio/win/Gain.h"
#include "s/thread/Pooled.h"
#include "tests/s/system/audio/TestSinks.h"
#include "tests/s/system/audio/TestSource.h"
#include "tests/support/TempDir.h"

using s::system::audio::PlayerState;
using s::system::audio::win::Device;
using s::system::audio::win::Player;
using namespace enginetest;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::size_t kWaveHeader = 44;

using PlayerPtr = s::thread::Pooled<Player>;
PlayerPtr makePlayer() { return s::thread::holdPooled(Player::create()); }

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
std::vector<uint8_t> render(std::shared_ptr<TestSource> source, const std::function<void(Player&)>& setUp,
                            Calls* calls = nullptr) {
  testing_support::TempDir dir;
  Device device(-1, "file-fast:" + dir.file("out.wav"), "render");
  PlayerPtr player = makePlayer();
  player->setDevice(&device);
  if (setUp) setUp(*player);
  player->play(std::move(source), calls ? &Calls::callback : nullptr, calls);
  // A file written as fast as it is fed may be done before this thread looks again.
  EXPECT_TRUE(waitUntil([&] { return !player->isActive(); }, 10000));
  EXPECT_EQ(player->state(), PlayerState::kEnded);
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

TEST(Player, ADeviceThatBreaksDownMidSongEndsThePlaybackAtOnceAndSaysWhy) {
  addTestSinks();
  const auto pcm = pattern(44100 * 4 * 10, 15);  // 10 s at real-time pace
  Device device(-1, "breaking:24", "breaks after 24 buffers");
  PlayerPtr player = makePlayer();
  player->setDevice(&device);
  Calls calls;
  player->play(TestSource::shared(pcm, 44100, true, 16), &Calls::callback, &calls);
  // The device breaks about a second into the song; silence until its end would take ten.
  ASSERT_TRUE(waitUntil([&] { return player->state() == PlayerState::kFailed; }, 4000)) << calls.count;
  EXPECT_NE(player->lastError().find("the test card was pulled out"), std::string::npos) << player->lastError();
  EXPECT_TRUE(waitUntil([&] { return !player->isActive(); }, 1000));
  EXPECT_LT(calls.bytes, static_cast<int64_t>(pcm.size() / 2));
}

TEST(Player, PlayReturnsWhileTheDeviceTakesItsTimeToOpen) {
  addTestSinks();
  const auto pcm = pattern(60000, 16);
  testing_support::TempDir dir;
  Device device(-1, "gated:" + dir.file("late.wav"), "slow to open");
  PlayerPtr player = makePlayer();
  player->setDevice(&device);
  OpeningGate& gate = OpeningGate::instance();
  gate.close();
  player->play(TestSource::shared(pcm, 44100, true, 16), nullptr, nullptr);
  // Returned with the device still opening; the engine says so.
  EXPECT_EQ(player->state(), PlayerState::kOpening);
  EXPECT_TRUE(player->isActive());
  EXPECT_TRUE(waitUntil([&] { return gate.someoneWaits(); }, 5000));
  EXPECT_EQ(player->state(), PlayerState::kOpening);
  gate.release();
  ASSERT_TRUE(waitUntil([&] { return !player->isActive(); }, 10000));
  EXPECT_EQ(player->lastError(), "");
  EXPECT_TRUE(samplesOf(dir.file("late.wav")) == pcm);
}

namespace {
// A callback that hangs on its `hangAt`th call until let go, as a window that stopped answering
// its requests would.
struct HangingCallback {
  int hangAt = 3;
  std::atomic<int> calls{0};
  std::atomic<bool> hanging{false};
  std::mutex lock;
  std::condition_variable changed;
  bool letGo = false;

  static int32_t callback(const int16_t*, uint32_t, double, void* user) {
    auto* self = static_cast<HangingCallback*>(user);
    if (++self->calls != self->hangAt) return 0;
    std::unique_lock hold(self->lock);
    self->hanging = true;
    self->changed.wait_for(hold, std::chrono::seconds(60), [self] { return self->letGo; });
    self->hanging = false;
    return 0;
  }
  void release() {
    std::lock_guard hold(lock);
    letGo = true;
    changed.notify_all();
  }
};
}  // namespace

TEST(Player, StopGivesUpOnAHangingCallbackInTimeAndTheStaleTaskNeverTouchesTheNextSong) {
  const auto first = pattern(44100 * 4 * 10, 17);
  std::atomic<bool> firstGone{false};
  auto firstSource = TestSource::shared(first, 44100, true, 16);
  firstSource->reportDestructionTo(&firstGone);
  Device nullDevice(-1, "null", "null");
  PlayerPtr player = makePlayer();
  player->setDevice(&nullDevice);
  player->setPitch(50);
  HangingCallback hanging;
  player->play(std::move(firstSource), &HangingCallback::callback, &hanging);
  ASSERT_TRUE(waitUntil([&] { return hanging.hanging.load(); }, 5000));

  // Stop waits out its 4 s for the task, then closes the device itself: it must not wait for the
  // callback.
  auto stopping = std::async(std::launch::async, [&] { player->stop(); });
  const bool stopped = stopping.wait_for(std::chrono::seconds(15)) == std::future_status::ready;
  EXPECT_TRUE(stopped) << "stop waited for the hanging callback";
  if (!stopped) {
    hanging.release();
    stopping.wait();
    return;
  }
  EXPECT_FALSE(player->isActive());

  // The next song, through filters the engine resets under the stale task, plays whole.
  player->reset();
  testing_support::TempDir dir;
  Device file(-1, "file-fast:" + dir.file("next.wav"), "file");
  player->setDevice(&file);
  const auto second = pattern(8192 * 30 + 100, 18);
  Calls calls;
  player->play(TestSource::shared(second, 44100, true, 16), &Calls::callback, &calls);
  hanging.release();
  ASSERT_TRUE(waitUntil([&] { return !player->isActive(); }, 10000));
  EXPECT_EQ(player->lastError(), "");
  EXPECT_TRUE(samplesOf(dir.file("next.wav")) == second);
  EXPECT_EQ(calls.bytes, static_cast<int64_t>(second.size()));
  // The stale task ends by itself, letting go of its song last; it made no chunk after the stop.
  EXPECT_TRUE(waitUntil([&] { return firstGone.load(); }, 10000));
  EXPECT_EQ(hanging.calls, hanging.hangAt);
}

TEST(Player, StopsInTimeWhileAReadHangsAndKeepsTheSourceUntilTheReadReturns) {
  const auto pcm = pattern(44100 * 4 * 10, 19);
  std::atomic<bool> sourceGone{false};
  auto source = TestSource::shared(pcm, 44100, true, 16);
  source->reportDestructionTo(&sourceGone);
  TestSource& hung = *source;
  hung.holdReads(262144 + 1000);  // the second block hangs
  Device device(-1, "null", "null");
  PlayerPtr player = makePlayer();
  player->setDevice(&device);
  player->play(std::move(source), nullptr, nullptr);
  ASSERT_TRUE(hung.waitForHungRead(5000));
  auto stopping = std::async(std::launch::async, [&] { player->stop(); });
  const bool stopped = stopping.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
  EXPECT_TRUE(stopped);
  if (stopped) {
    EXPECT_FALSE(player->isActive());
    // The caller has let go; the hung read still holds the source.
    EXPECT_FALSE(sourceGone.load());
  }
  hung.letReadsGo();
  stopping.wait();
  EXPECT_TRUE(waitUntil([&] { return sourceGone.load(); }, 5000));
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
