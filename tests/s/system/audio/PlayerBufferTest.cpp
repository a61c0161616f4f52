#include "s/system/audio/win/PlayerBuffer.h"

#include <gtest/gtest.h>

#include <chrono>
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

}  // namespace

// Sizes around the block size, where a lost or doubled block boundary would show.
TEST(PlayerBuffer, HandsOutEverySourceByteInOrderAndThenTheEnd) {
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{262144}, std::size_t{262145},
                           std::size_t{3 * 262144 + 5000}, std::size_t{1000000}}) {
    SCOPED_TRACE(size);
    const auto pcm = pattern(size, static_cast<uint32_t>(size));
    TestSource source(pcm, 44100, true, 16, 4000);
    PlayerBuffer buffer;
    buffer.attach(&source);
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
  TestSource source(pcm, 44100, true, 16);
  PlayerBuffer buffer;
  buffer.attach(&source);
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
  TestSource first(pcm, 44100, true, 16);
  PlayerBuffer buffer;
  buffer.attach(&first);
  buffer.reset();
  uint32_t n = 1;
  uint8_t chunk[16];
  buffer.read(chunk, sizeof chunk, &n);
  EXPECT_EQ(n, 0u);
  const auto other = pattern(70000, 6);
  TestSource second(other, 44100, true, 16);
  buffer.attach(&second);
  bool ended = false;
  EXPECT_TRUE(drain(buffer, &ended) == other);
}
