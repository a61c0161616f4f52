#include "s/system/audio/win/PlayerBuffer.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

#include "s/sound/IEncodedAudio.h"
#include "s/thread/ITask.h"
#include "s/thread/win/Thread.h"

namespace s::system::audio::win {

// What the fill task touches, shared with it. A block's `filled` count is the hand-over: the fill
// task sets it after writing the data, the reader clears it after taking all of it.
struct PlayerBuffer::Fill final : thread::ITask {
  struct Block {
    std::atomic<uint32_t> filled{0};
    std::atomic<uint32_t> readPos{0};
    std::unique_ptr<uint8_t[]> data = std::make_unique<uint8_t[]>(kBlockSize);
  };

  thread::ObjLocker lock;
  std::mutex waitLock;
  std::condition_variable changed;
  std::atomic<bool> running{false};
  std::atomic<bool> stopRequest{true};
  std::atomic<bool> ended{false};
  std::atomic<bool> flush{false};
  std::array<Block, kBlockCount> blocks;
  std::atomic<int32_t> readIndex{0};
  std::atomic<int32_t> writeIndex{0};
  // Written by attach before the run starts, read by the run only.
  std::shared_ptr<sound::IEncodedAudio> source;

  void run() override;

  void emptyBlocks() {
    for (Block& block : blocks) {
      block.readPos.store(0, std::memory_order_relaxed);
      block.filled.store(0, std::memory_order_release);
    }
    readIndex.store(0, std::memory_order_relaxed);
    writeIndex.store(0, std::memory_order_relaxed);
  }

  // Wakes whichever thread waits for the other: a block was filled, emptied or the task must stop.
  void signal() {
    { std::lock_guard hold(waitLock); }
    changed.notify_all();
  }

  // Waits up to `ms` until `done` holds; signal() makes it look again.
  template <typename Done>
  void waitUntil(int ms, Done done) {
    std::unique_lock hold(waitLock);
    changed.wait_for(hold, std::chrono::milliseconds(ms), done);
  }

  // Fills one block from the source; false at the end of the source (or on a read error).
  bool fillBlock(Block& block, uint32_t& written) {
    while (written < kBlockSize) {
      thread::ObjLocker::Guard hold(lock);
      if (flush.load()) return true;
      uint32_t count = 0;
      if (!source->read(block.data.get() + written, kBlockSize - written, &count)) return false;
      written += std::min(count, kBlockSize - written);
    }
    return true;
  }
};

void PlayerBuffer::Fill::run() {
  while (!stopRequest.load()) {
    if (flush.load(std::memory_order_acquire)) {
      emptyBlocks();
      ended.store(false);
      flush.store(false, std::memory_order_release);
    } else if (ended.load()) {
      // Nothing more to read until a seek flushes or the playback stops; both signal, so the
      // stop at the end of every song does not wait out a sleep.
      waitUntil(kFillWaitMs, [this] { return stopRequest.load() || flush.load(); });
      continue;
    }
    const int32_t index = writeIndex.load(std::memory_order_relaxed);
    Block& block = blocks[index];
    if (block.filled.load(std::memory_order_acquire) != 0) {
      waitUntil(kFillWaitMs, [&] {
        return stopRequest.load() || flush.load() || block.filled.load(std::memory_order_acquire) == 0;
      });
      continue;
    }
    uint32_t written = 0;
    const bool end = !source || !fillBlock(block, written);
    block.readPos.store(0, std::memory_order_relaxed);
    block.filled.store(written, std::memory_order_release);
    writeIndex.store((index + 1) % kBlockCount, std::memory_order_relaxed);
    // Set after the block is handed over, so a reader that sees the end sees all data before it.
    if (end) ended.store(true, std::memory_order_release);
    signal();
  }
  stopRequest.store(true);
  running.store(false);
}

PlayerBuffer::PlayerBuffer() : thread_(thread::win::Thread::create()), fill_(std::make_shared<Fill>()) {
  thread_->setPriority(thread::win::Thread::kPriorityHighest);
}

PlayerBuffer::~PlayerBuffer() { stopFill(); }

thread::ObjLocker& PlayerBuffer::lock() { return fill_->lock; }

void PlayerBuffer::waitForData(int ms) {
  Fill& f = *fill_;
  f.waitUntil(ms, [&f] {
    return f.flush.load() || f.ended.load() ||
           f.blocks[f.readIndex.load(std::memory_order_relaxed)].filled.load(std::memory_order_acquire) != 0;
  });
}

void PlayerBuffer::flush() {
  fill_->flush.store(true, std::memory_order_release);
  // A fill task waiting for room or at the end starts over at once.
  fill_->signal();
}

void PlayerBuffer::requestStop() {
  Fill& f = *fill_;
  f.stopRequest.store(true);
  f.flush.store(true);
  f.signal();
}

bool PlayerBuffer::stopFill() {
  requestStop();
  Fill& f = *fill_;
  // Left to itself, the task keeps its state (and the source) until its read returns.
  if (f.running.load() && !thread_->waitIdleFor(kStopWaitMs)) return false;
  f.running.store(false);
  f.source.reset();
  f.ended.store(false);
  f.flush.store(false);
  f.emptyBlocks();
  return true;
}

bool PlayerBuffer::reset() {
  if (stopFill()) return true;
  fill_ = std::make_shared<Fill>();
  return false;
}

void PlayerBuffer::attach(std::shared_ptr<sound::IEncodedAudio> source) {
  reset();
  Fill& f = *fill_;
  f.source = std::move(source);
  f.running.store(true);
  f.stopRequest.store(false);
  thread_->runOnce(fill_.get(), fill_);
}

bool PlayerBuffer::read(void* dst, uint32_t capacity, uint32_t* count) {
  Fill& f = *fill_;
  *count = 0;
  if (f.flush.load(std::memory_order_acquire)) return true;
  // Read before looking at the block: once the end is seen, every block before it is visible.
  const bool ended = f.ended.load(std::memory_order_acquire);
  const int32_t index = f.readIndex.load(std::memory_order_relaxed);
  Fill::Block& block = f.blocks[index];
  const uint32_t filled = block.filled.load(std::memory_order_acquire);
  if (filled == 0) return !ended;
  const uint32_t pos = block.readPos.load(std::memory_order_relaxed);
  const uint32_t n = std::min({filled - pos, capacity, kMaxRead});
  std::memcpy(dst, block.data.get() + pos, n);
  *count = n;
  if (pos + n >= filled) {
    block.readPos.store(0, std::memory_order_relaxed);
    f.readIndex.store((index + 1) % kBlockCount, std::memory_order_relaxed);
    block.filled.store(0, std::memory_order_release);
    f.signal();
  } else {
    block.readPos.store(pos + n, std::memory_order_relaxed);
  }
  return true;
}

}  // namespace s::system::audio::win
