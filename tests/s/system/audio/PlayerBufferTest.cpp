#include "s/system/audio/win/PlayerBuffer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "tests/s/system/audio/TestSource.h"

using s::system::audio::win::PlayerBuffer;
using namespace enginetest;

namespace {

// Reads until the buffer reports the end, as the play thread does; gives up after `limitMs`.
std::vector<uint8_t> drain(PlayerBuffer& buffer, bool* ended, int limitMs = 5000) {
  std::vector<uint8_t> out;
  uint8_t chunk[8192];
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  *ended = false;
  while (std::chrono::steady_clock::now() < until) {
    uint32_t n = 0;
    const bool more = buffer.read(chunk, sizeof chunk, &n);
    EXPECT_LE(n, 8192u);
    out.insert(out.end(), chunk, chunk + n);
    if (!more) {
      *ended = true;
      break;
    }
    if (n == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return out;
}

bool waitUntilTrue(const std::atomic<bool>& flag, int limitMs) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!flag.load()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace

// Sizes around the block size, where a lost or doubled block boundary would show.
TEST(PlayerBuffer, HandsOutEverySourceByteInOrderAndThenTheEnd) {
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{262144}, std::size_t{262145},
                           std::size_t{3 * 262144 + 5000}, std::size_t{1000000}}) {
    SCOPED_TRACE(size);
    const auto pcm = pattern(size, static_cast<uint32_t>(size));
    PlayerBuffer buffer;
    buffer.attach(TestSource::shared(pcm, 44100, true, 16, 4000));
    bool ended = false;
    EXPECT_TRUE(drain(buffer, &ended) == pcm);
    EXPECT_TRUE(ended);
    uint32_t n = 1;
    EXPECT_FALSE(buffer.read(nullptr, 0, &n));
    EXPECT_EQ(n, 0u);
  }
}

TEST(PlayerBuffer, AFlushUnderItsLockRestartsFromTheSourcesNewPosition) {
  const auto pcm = pattern(2000000, 3);
  auto shared = TestSource::shared(pcm, 44100, true, 16);
  TestSource& source = *shared;
  PlayerBuffer buffer;
  buffer.attach(shared);
  uint8_t chunk[8192];
  uint32_t n = 0;
  do buffer.read(chunk, sizeof chunk, &n);
  while (n == 0);
  int64_t position = 0;
  {
    s::thread::ObjLocker::Guard hold(buffer.lock());
    buffer.flush();
    source.seekPercent(50, &position);
  }
  EXPECT_EQ(position, 1000000);
  bool ended = false;
  const auto rest = drain(buffer, &ended);
  EXPECT_TRUE(ended);
  EXPECT_TRUE(rest == std::vector<uint8_t>(pcm.begin() + 1000000, pcm.end()));
}

TEST(PlayerBuffer, ResetStopsTheFillAndAReattachStartsOver) {
  const auto pcm = pattern(900000, 5);
  PlayerBuffer buffer;
  buffer.attach(TestSource::shared(pcm, 44100, true, 16));
  EXPECT_TRUE(buffer.reset());
  uint32_t n = 1;
  uint8_t chunk[16];
  buffer.read(chunk, sizeof chunk, &n);
  EXPECT_EQ(n, 0u);
  const auto other = pattern(70000, 6);
  buffer.attach(TestSource::shared(other, 44100, true, 16));
  bool ended = false;
  EXPECT_TRUE(drain(buffer, &ended) == other);
}

// A read that hangs (a network share that stopped answering) outlasts the wait for the fill task:
// the buffer is then destroyed under it, and its owner lets go of the source. The hung read must
// find its block, its lock and its source still there when it returns.
TEST(PlayerBuffer, AFillTaskLeftInAHungReadKeepsItsBlocksAndSourceUntilItEnds) {
  const auto pcm = pattern(3 * 262144 + 1000, 7);
  std::atomic<bool> sourceGone{false};
  auto source = TestSource::shared(pcm, 44100, true, 16);
  source->reportDestructionTo(&sourceGone);
  TestSource& hung = *source;
  hung.holdReads(100000);
  {
    PlayerBuffer buffer;
    buffer.attach(std::move(source));
    ASSERT_TRUE(hung.waitForHungRead(5000));
    EXPECT_FALSE(buffer.reset());  // gave up after its 1.5 s
    // The buffer carries on with fresh state.
    uint32_t n = 1;
    uint8_t chunk[16];
    EXPECT_TRUE(buffer.read(chunk, sizeof chunk, &n));
    EXPECT_EQ(n, 0u);
  }
  EXPECT_FALSE(sourceGone.load());
  hung.letReadsGo();
  // The read returns into live memory, sees the stop, and the task lets go of the source last.
  EXPECT_TRUE(waitUntilTrue(sourceGone, 5000));
}
