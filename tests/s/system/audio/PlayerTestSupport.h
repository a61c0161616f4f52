#pragma once
// What the engine tests share: a pooled engine, bounded waits, the samples of a WAVE file, a
// callback that records what it saw, and a render into a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "s/system/audio/win/Device.h"
#include "s/system/audio/win/Player.h"
#include "s/thread/Pooled.h"
#include "tests/s/system/audio/TestSource.h"
#include "tests/support/TempDir.h"

namespace enginetest {

using Clock = std::chrono::steady_clock;
using s::system::audio::PlayerState;
using s::system::audio::win::Device;
using s::system::audio::win::Player;

inline constexpr std::size_t kWaveHeader = 44;

using PlayerPtr = s::thread::Pooled<Player>;
inline PlayerPtr makePlayer() { return s::thread::holdPooled(Player::create()); }

inline bool waitUntil(const std::function<bool()>& condition, int ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(ms);
  while (!condition()) {
    if (Clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

inline std::vector<uint8_t> samplesOf(const std::string& path) {
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
inline std::vector<uint8_t> render(std::shared_ptr<TestSource> source, const std::function<void(Player&)>& setUp,
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

}  // namespace enginetest
