// The engine when something around it goes wrong: a device that breaks down or is slow to open,
// a callback that hangs, a source whose read hangs.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

#include "s/system/audio/win/Player.h"
#include "tests/s/system/audio/PlayerTestSupport.h"
#include "tests/s/system/audio/TestSinks.h"

using namespace enginetest;

TEST(PlayerFaults, ADeviceThatBreaksDownMidSongEndsThePlaybackAtOnceAndSaysWhy) {
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

TEST(PlayerFaults, PlayReturnsWhileTheDeviceTakesItsTimeToOpen) {
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

TEST(PlayerFaults, StopGivesUpOnAHangingCallbackInTimeAndTheStaleTaskNeverTouchesTheNextSong) {
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

TEST(PlayerFaults, StopsInTimeWhileAReadHangsAndKeepsTheSourceUntilTheReadReturns) {
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

