#include "s/system/audio/win/PlayerBuffer.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "s/sound/IEncodedAudio.h"
#include "s/thread/win/Thread.h"

namespace s::system::audio::win {

PlayerBuffer::PlayerBuffer() : thread_(thread::win::Thread::create()) {
  thread_->setPriority(thread::win::Thread::kPriorityHighest);
  for (Block& block : blocks_) block.data = std::make_unique<uint8_t[]>(kBlockSize);
}

PlayerBuffer::~PlayerBuffer() {
  reset();
  thread_->release();
}

void PlayerBuffer::emptyBlocks() {
  for (Block& block : blocks_) {
    block.readPos.store(0, std::memory_order_relaxed);
    block.filled.store(0, std::memory_order_release);
  }
  readIndex_.store(0, std::memory_order_relaxed);
  writeIndex_.store(0, std::memory_order_relaxed);
}

void PlayerBuffer::signal() {
  { std::lock_guard hold(waitLock_); }
  changed_.notify_all();
}

void PlayerBuffer::waitForData(int ms) {
  waitUntil(ms, [this] {
    return flush_.load() || ended_.load() ||
           blocks_[readIndex_.load(std::memory_order_relaxed)].filled.load(std::memory_order_acquire) != 0;
  });
}

void PlayerBuffer::flush() {
  flush_.store(true, std::memory_order_release);
  // A fill task waiting for room or at the end starts over at once.
  signal();
}

void PlayerBuffer::stopFill() {
  stopRequest_.store(true);
  flush_.store(true);
  signal();
  if (running_.load()) thread_->waitIdleFor(kStopWaitMs);
}

void PlayerBuffer::attach(sound::IEncodedAudio* source) {
  stopFill();
  source_.store(source);
  flush_.store(false);
  ended_.store(false);
  emptyBlocks();
  running_.store(true);
  stopRequest_.store(false);
  thread_->runOnce(this);
}

void PlayerBuffer::reset() {
  stopFill();
  running_.store(false);
  source_.store(nullptr);
  ended_.store(false);
  flush_.store(false);
  emptyBlocks();
  bitsPerSample_ = 16;
}

void PlayerBuffer::run() {
  sound::IEncodedAudio* source = source_.load();
  while (!stopRequest_.load()) {
    if (flush_.load(std::memory_order_acquire)) {
      emptyBlocks();
      ended_.store(false);
      flush_.store(false, std::memory_order_release);
    } else if (ended_.load()) {
      // Nothing more to read until a seek flushes or the playback stops; both signal, so the
      // stop at the end of every song does not wait out a sleep.
      waitUntil(kFillWaitMs, [this] { return stopRequest_.load() || flush_.load(); });
      continue;
    }
    const int32_t index = writeIndex_.load(std::memory_order_relaxed);
    Block& block = blocks_[index];
    if (block.filled.load(std::memory_order_acquire) != 0) {
      waitUntil(kFillWaitMs, [&] {
        return stopRequest_.load() || flush_.load() || block.filled.load(std::memory_order_acquire) == 0;
      });
      continue;
    }
    uint32_t written = 0;
    bool end = false;
    while (written < kBlockSize) {
      thread::ObjLocker::Guard hold(lock_);
      if (flush_.load()) break;
      uint32_t count = 0;
      if (!source || !source->read(block.data.get() + written, kBlockSize - written, &count)) {
        end = true;
        break;
      }
      written += std::min(count, kBlockSize - written);
    }
    block.readPos.store(0, std::memory_order_relaxed);
    block.filled.store(written, std::memory_order_release);
    writeIndex_.store((index + 1) % kBlockCount, std::memory_order_relaxed);
    // Set after the block is handed over, so a reader that sees the end sees all data before it.
    if (end) ended_.store(true, std::memory_order_release);
    signal();
  }
  stopRequest_.store(true);
  running_.store(false);
}

bool PlayerBuffer::read(void* dst, uint32_t capacity, uint32_t* count) {
  *count = 0;
  if (flush_.load(std::memory_order_acquire)) return true;
  // Read before looking at the block: once the end is seen, every block before it is visible.
  const bool ended = ended_.load(std::memory_order_acquire);
  const int32_t index = readIndex_.load(std::memory_order_relaxed);
  Block& block = blocks_[index];
  const uint32_t filled = block.filled.load(std::memory_order_acquire);
  if (filled == 0) return !ended;
  const uint32_t pos = block.readPos.load(std::memory_order_relaxed);
  const uint32_t n = std::min({filled - pos, capacity, kMaxRead});
  std::memcpy(dst, block.data.get() + pos, n);
  *count = n;
  if (pos + n >= filled) {
    block.readPos.store(0, std::memory_order_relaxed);
    readIndex_.store((index + 1) % kBlockCount, std::memory_order_relaxed);
    block.filled.store(0, std::memory_order_release);
    signal();
  } else {
    block.readPos.store(pos + n, std::memory_order_relaxed);
  }
  return true;
}

}  // namespace s::system::audio::win
