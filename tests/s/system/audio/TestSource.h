#pragma once
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "s/sound/IEncodedAudio.h"

namespace enginetest {

// A source over PCM held in memory, with the same locking as the real sources (read and seek
// serialise on its own lock). `readLimit` caps what one read delivers, to mimic a decoder.
//
// Like a file on a network share that stops answering, its reads can be made to hang: from
// holdReads() on, a read that has delivered `holdAfter` bytes in all waits inside the source's lock
// until letReadsGo(). `destroyed`, when given, is set by the destructor.
class TestSource final : public s::sound::IEncodedAudio {
 public:
  TestSource(std::vector<uint8_t> pcm, int32_t rate, bool stereo, int32_t bits, uint32_t readLimit = 4608)
      : pcm_(std::move(pcm)), rate_(rate), stereo_(stereo), bits_(bits), readLimit_(readLimit) {}
  ~TestSource() override {
    if (destroyed_) *destroyed_ = true;
  }

  static std::shared_ptr<TestSource> shared(std::vector<uint8_t> pcm, int32_t rate, bool stereo, int32_t bits,
                                            uint32_t readLimit = 4608) {
    return std::make_shared<TestSource>(std::move(pcm), rate, stereo, bits, readLimit);
  }

  void reportDestructionTo(std::atomic<bool>* destroyed) { destroyed_ = destroyed; }
  void holdReads(std::size_t holdAfter = 0) {
    std::lock_guard gate(gateLock_);
    holdAfter_ = holdAfter;
    holding_ = true;
  }
  void letReadsGo() {
    std::lock_guard gate(gateLock_);
    holding_ = false;
    gateChanged_.notify_all();
  }
  // Waits up to `ms` for a read to hang.
  bool waitForHungRead(int ms) {
    std::unique_lock gate(gateLock_);
    return gateChanged_.wait_for(gate, std::chrono::milliseconds(ms), [this] { return hung_ > 0; });
  }

  void setSampleRate(int32_t rate) override { rate_ = rate; }
  int32_t getSampleRate() override { return rate_; }
  void setStereo(bool stereo) override { stereo_ = stereo; }
  bool isStereo() override { return stereo_; }
  void setBitsPerSample(int32_t bits) override { bits_ = bits; }
  int32_t getBitsPerSample() override { return bits_; }
  int64_t getFileSize() override { return -1; }
  void setFileSize(int64_t) override {}
  int64_t getDataSize() override { return static_cast<int64_t>(pcm_.size()); }
  void seekPercent(float percent, int64_t* bytePosition) override {
    std::lock_guard hold(lock_);
    const int64_t align = (stereo_ ? 2 : 1) * bits_ / 8;
    int64_t at = static_cast<int64_t>(std::floor(static_cast<double>(percent) / 100.0 *
                                                 static_cast<double>(pcm_.size()) / align)) * align;
    position_ = static_cast<std::size_t>(std::clamp<int64_t>(at, 0, static_cast<int64_t>(pcm_.size())));
    ++seeks_;
    if (bytePosition) *bytePosition = static_cast<int64_t>(position_);
  }
  int32_t outputSampleRate() override { return rate_; }
  bool outputStereo() override { return stereo_; }
  int32_t outputBitsPerSample() override { return bits_; }
  bool read(void* dst, uint32_t capacity, uint32_t* count) override {
    std::lock_guard hold(lock_);
    {
      std::unique_lock gate(gateLock_);
      if (holding_ && position_ >= holdAfter_) {
        ++hung_;
        gateChanged_.notify_all();
        gateChanged_.wait(gate, [this] { return !holding_; });
      }
    }
    *count = 0;
    if (position_ >= pcm_.size()) return false;
    const std::size_t n = std::min<std::size_t>({capacity, readLimit_, pcm_.size() - position_});
    std::memcpy(dst, pcm_.data() + position_, n);
    position_ += n;
    *count = static_cast<uint32_t>(n);
    return true;
  }
  void setInputStream(s::io::IInputStream*, bool) override {}
  s::io::IInputStream* getInputStream() override { return nullptr; }
  void close() override {}
  void release() override {}
  void reset() override {}
  void readHeader() override {}
  s::sound::IInfo* createInfo(std::u16string_view) override { return nullptr; }
  void fillInfo(s::sound::IInfo*) override {}
  int32_t getDurationSeconds() override { return getDurationMs() / 1000; }
  int32_t getDurationMs() override {
    const int64_t perSecond = static_cast<int64_t>(rate_) * (stereo_ ? 2 : 1) * bits_ / 8;
    return static_cast<int32_t>(static_cast<int64_t>(pcm_.size()) * 1000 / perSecond);
  }
  const char16_t* typeName() const override { return u"enginetest_TestSource"; }
  s::base::IObject* newInstance() const override { return nullptr; }

  int seeks() {
    std::lock_guard hold(lock_);
    return seeks_;
  }

 private:
  std::mutex lock_;
  std::vector<uint8_t> pcm_;
  std::size_t position_ = 0;
  int32_t rate_;
  bool stereo_;
  int32_t bits_;
  uint32_t readLimit_;
  int seeks_ = 0;
  std::atomic<bool>* destroyed_ = nullptr;
  std::mutex gateLock_;
  std::condition_variable gateChanged_;
  bool holding_ = false;
  std::size_t holdAfter_ = 0;
  int hung_ = 0;
};

// Bytes that differ from their neighbours, so a lost, doubled or reordered chunk shows.
inline std::vector<uint8_t> pattern(std::size_t bytes, uint32_t seed = 1) {
  std::vector<uint8_t> data(bytes);
  uint32_t x = seed * 2654435761u + 12345;
  for (auto& b : data) {
    x = x * 1103515245u + 12345;
    b = static_cast<uint8_t>(x >> 16);
  }
  return data;
}

}  // namespace enginetest
