#include "s/system/audio/win/PlayerInternal.h"

#include <chrono>

#include "platform/wave/WaveOut.h"
#include "s/thread/EasyPooler.h"
#include "s/thread/ITask.h"
#include "s/thread/win/Thread.h"

namespace s::system::audio::win {

using platform::wave::Header;
using platform::wave::WaveOut;

PlayerInternal* PlayerInternal::create() { return thread::PoolOf<PlayerInternal>::acquire(); }

void PlayerInternal::release() { thread::PoolOf<PlayerInternal>::release(this); }

PlayerInternal::PlayerInternal() : worker_(thread::win::Thread::create()) {
  worker_->setPriority(thread::win::Thread::kPriorityHighest);
  for (Entry& entry : entries_) {
    entry.data = std::make_unique<uint8_t[]>(kBufferSize);
    entry.header.data = entry.data.get();
    entry.header.user = this;
  }
}

PlayerInternal::~PlayerInternal() { reset(); }

bool PlayerInternal::open(const std::string& device, const platform::wave::Format& format, std::string& error) {
  std::unique_ptr<WaveOut> opened = WaveOut::open(device, format, &PlayerInternal::onDone, this, error);
  if (!opened) return false;
  std::lock_guard hold(handleLock_);
  handle_ = std::move(opened);
  return true;
}

bool PlayerInternal::isOpen() const { return handle() != nullptr; }

std::shared_ptr<WaveOut> PlayerInternal::handle() const {
  std::lock_guard hold(handleLock_);
  return handle_;
}

bool PlayerInternal::allFree() const {
  for (const Entry& entry : entries_)
    if (!entry.free.load()) return false;
  return true;
}

bool PlayerInternal::waitNextFree(int ms) {
  if (isNextFree()) return true;
  // Once the ring is full, wait for half of it rather than one buffer: buffers come back in the
  // order written, so when the sixth is free the five before it are too. On a device faster than
  // real time this saves thread switches per chunk; on a real one the ring still holds 6 chunks.
  const int32_t batchEnd = (nextWrite_.load(std::memory_order_relaxed) + kRefillBatch - 1) % kBufferCount;
  std::unique_lock hold(freedLock_);
  // Published before the buffer is looked at, and the completion frees before it looks here, so
  // one of the two always sees the other.
  waitingFor_.store(batchEnd);
  freed_.wait_for(hold, std::chrono::milliseconds(ms), [&] { return entries_[batchEnd].free.load(); });
  waitingFor_.store(kWaitsForNone);
  return isNextFree();
}

bool PlayerInternal::waitAllFree(int ms) {
  if (allFree()) return true;
  std::unique_lock hold(freedLock_);
  waitingFor_.store(kWaitsForAll);
  const bool all = freed_.wait_for(hold, std::chrono::milliseconds(ms), [this] { return allFree(); });
  waitingFor_.store(kWaitsForNone);
  return all;
}

bool PlayerInternal::queueNext(uint32_t n) {
  std::shared_ptr<WaveOut> out = handle();
  if (!out || n > kBufferSize) return false;
  const int32_t index = nextWrite_.load(std::memory_order_relaxed);
  Entry& entry = entries_[index];
  entry.free.store(false, std::memory_order_relaxed);
  Header& header = entry.header;
  if (header.has(platform::wave::kHeaderDone)) {
    out->unprepare(header);
    header.flags.store(0, std::memory_order_relaxed);
  }
  header.length = n;
  out->prepare(header);
  nextWrite_.store((index + 1) % kBufferCount, std::memory_order_relaxed);
  if (out->write(header) != platform::wave::Result::Ok) {
    // Nothing will complete it; counting it as played keeps the ring in step with the device.
    nextComplete_.store((nextComplete_.load() + 1) % kBufferCount);
    entry.free.store(true, std::memory_order_release);
    return false;
  }
  return true;
}

bool PlayerInternal::deviceBroken() const {
  std::shared_ptr<WaveOut> out = handle();
  return out && out->broken();
}

std::string PlayerInternal::deviceError() const {
  std::shared_ptr<WaveOut> out = handle();
  return out ? out->error() : std::string();
}

// Completions arrive in the order of writing, so the one expected next is the one that finished.
void PlayerInternal::onDone(Header& header, void* instance) {
  auto* self = static_cast<PlayerInternal*>(instance);
  if (!self || !header.user || !header.has(platform::wave::kHeaderDone)) return;
  // A device whose close overran may still complete buffers after the queue let go of it; by
  // then the ring may serve the next song and must not move.
  if (!self->handle()) return;
  const int32_t index = self->nextComplete_.load(std::memory_order_relaxed);
  self->entries_[index].free.store(true);
  self->nextComplete_.store((index + 1) % kBufferCount, std::memory_order_relaxed);
  const int32_t awaited = self->waitingFor_.load();
  if (awaited != index && awaited != kWaitsForAll) return;
  // Taken so that a waiter between its test and its sleep cannot miss this wake-up.
  { std::lock_guard hold(self->freedLock_); }
  self->freed_.notify_all();
}

// One blocking device call on the worker. It holds the device itself, so a call that overran its
// wait and was left behind never reaches the queue, which may be in use by the next song by then.
struct PlayerInternal::DeviceCall final : thread::ITask {
  DeviceCall(std::shared_ptr<WaveOut> device, Command call) : out(std::move(device)), command(call) {}
  void run() override {
    if (command == kClose) out->close();
    else out->reset();
  }
  std::shared_ptr<WaveOut> out;
  Command command;
};

bool PlayerInternal::runOnWorker(const std::shared_ptr<WaveOut>& out, Command command, int waitMs) {
  auto call = std::make_shared<DeviceCall>(out, command);
  worker_->runOnce(call.get(), call);
  return worker_->waitIdleFor(waitMs);
}

std::string PlayerInternal::closeDevice(bool letQueuedPlay) {
  std::shared_ptr<WaveOut> out = handle();
  if (!out) return {};
  // Nothing blocks in this wait (the device answers by completions), so it needs no worker.
  if (letQueuedPlay) waitAllFree(kDrainWaitMs);
  runOnWorker(out, kReset, kResetWaitMs);
  runOnWorker(out, kClose, kCloseWaitMs);
  {
    std::lock_guard hold(handleLock_);
    handle_.reset();
  }
  // Asked after closing, which is when a file device writes its header and learns of a full disk.
  return out->error();
}

void PlayerInternal::reset() {
  closeDevice();
  for (Entry& entry : entries_) {
    entry.free.store(true, std::memory_order_relaxed);
    entry.header.flags.store(0, std::memory_order_relaxed);
    entry.header.length = 0;
  }
  nextComplete_.store(0);
  nextWrite_.store(0);
}

}  // namespace s::system::audio::win
