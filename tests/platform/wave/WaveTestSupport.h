#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <cstring>
#include <vector>

#include "platform/wave/WaveOut.h"

namespace wavetest {

using Clock = std::chrono::steady_clock;

// A fresh folder per test, removed afterwards.
class TempDir {
 public:
  TempDir() {
    auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("sonvia-wave-") + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" +
                       info->name();
    for (char& c : name)
      if (c == '/') c = '_';
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::vector<std::uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Deterministic, non-repeating bytes, so a lost, doubled or reordered byte shows.
inline std::vector<std::uint8_t> pattern(std::size_t bytes, std::uint32_t seed = 1) {
  std::vector<std::uint8_t> data(bytes);
  std::uint32_t x = seed * 2654435761u + 12345;
  for (auto& b : data) {
    x = x * 1103515245u + 12345;
    b = static_cast<std::uint8_t>(x >> 16);
  }
  return data;
}

// Records completions in the order the device delivers them.
struct Completions {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<platform::wave::Header*> order;
  std::vector<bool> doneWhenCalled;

  static void callback(platform::wave::Header& header, void* instance) {
    auto* self = static_cast<Completions*>(instance);
    std::lock_guard lock(self->mutex);
    self->order.push_back(&header);
    self->doneWhenCalled.push_back(header.has(platform::wave::kHeaderDone) &&
                                   !header.has(platform::wave::kHeaderInQueue));
    self->changed.notify_all();
  }

  std::size_t count() {
    std::lock_guard lock(mutex);
    return order.size();
  }

  bool waitFor(std::size_t n, std::chrono::milliseconds limit = std::chrono::milliseconds(5000)) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, limit, [&] { return order.size() >= n; });
  }
};

// Buffers cut from one byte stream, each with its own header.
struct Buffers {
  std::vector<std::uint8_t> stream;
  std::vector<std::unique_ptr<platform::wave::Header>> headers;

  Buffers(std::vector<std::uint8_t> bytes, const std::vector<std::size_t>& sizes) : stream(std::move(bytes)) {
    std::size_t at = 0;
    for (std::size_t size : sizes) {
      auto header = std::make_unique<platform::wave::Header>();
      header->data = stream.data() + at;
      header->length = static_cast<std::uint32_t>(size);
      header->user = reinterpret_cast<void*>(headers.size());
      headers.push_back(std::move(header));
      at += size;
    }
  }

  void writeAll(platform::wave::WaveOut& out) {
    for (auto& header : headers) {
      ASSERT_EQ(out.prepare(*header), platform::wave::Result::Ok);
      ASSERT_EQ(out.write(*header), platform::wave::Result::Ok);
    }
  }
};

inline std::vector<std::size_t> sizesSummingTo(std::size_t total, std::size_t chunk) {
  std::vector<std::size_t> sizes;
  for (std::size_t at = 0; at < total; at += chunk) sizes.push_back(std::min(chunk, total - at));
  return sizes;
}

inline double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Feeds `stream` through a ring of 12 buffers of 8192 bytes, reusing a buffer once it is done:
// the way the player drives a device.
inline void playThroughRing(platform::wave::WaveOut& out, const std::vector<std::uint8_t>& stream,
                            Completions& completions) {
  constexpr std::size_t kRing = 12, kChunk = 8192;
  std::vector<std::vector<std::uint8_t>> blocks(kRing, std::vector<std::uint8_t>(kChunk));
  std::vector<platform::wave::Header> ring(kRing);
  std::size_t written = 0;
  for (std::size_t at = 0, i = 0; at < stream.size(); at += kChunk, ++i) {
    platform::wave::Header& h = ring[i % kRing];
    auto deadline = Clock::now() + std::chrono::seconds(5);
    while (h.has(platform::wave::kHeaderInQueue) && Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_FALSE(h.has(platform::wave::kHeaderInQueue)) << "buffer " << i << " never came back";
    if (h.has(platform::wave::kHeaderDone)) {
      ASSERT_EQ(out.unprepare(h), platform::wave::Result::Ok);
    }
    std::size_t n = std::min(kChunk, stream.size() - at);
    std::memcpy(blocks[i % kRing].data(), stream.data() + at, n);
    h.data = blocks[i % kRing].data();
    h.length = static_cast<std::uint32_t>(n);
    ASSERT_EQ(out.prepare(h), platform::wave::Result::Ok);
    ASSERT_EQ(out.write(h), platform::wave::Result::Ok);
    ++written;
  }
  ASSERT_TRUE(completions.waitFor(written));
}

}  // namespace wavetest
