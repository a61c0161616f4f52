#include "platform/wave/WaveOut.h"

#include <chrono>
#include <system_error>

#include "platform/wave/DeviceList.h"

namespace platform::wave {

namespace {

using Lock = std::unique_lock<std::mutex>;

// A sound server that takes longer than this to open a stream is treated as absent.
constexpr auto kOpenLimit = std::chrono::seconds(3);
// The device thread answers within its longest sleep; this only guards against a driver that hangs.
constexpr auto kAnswerLimit = std::chrono::seconds(2);

// Gives every queued buffer back to its owner, without a callback: used only when the device thread
// is stuck or is the caller, and no callback can come from it in time.
void releaseQueue(OutputState& state) {
  for (Header* header = state.head; header;) {
    Header* next = header->next;
    header->next = nullptr;
    std::uint32_t flags = header->flags.load(std::memory_order_relaxed);
    header->flags.store((flags & ~std::uint32_t{kHeaderInQueue}) | kHeaderDone, std::memory_order_release);
    header = next;
  }
  state.head = state.tail = state.cursor = nullptr;
  state.cursorOffset = 0;
  state.abandoned = true;
}

}  // namespace

std::unique_ptr<WaveOut> WaveOut::open(std::string_view device, const Format& format, DoneCallback callback,
                                       void* instance, std::string& error) {
  std::string problem = format.problem();
  if (!problem.empty()) {
    error = "cannot open " + std::string(device) + ": " + problem;
    return nullptr;
  }
  auto state = std::make_shared<OutputState>();
  state->device = device;
  state->format = format;
  state->callback = callback;
  state->instance = instance;
  std::thread thread;
  try {
    thread = std::thread(runOutput, state);
  } catch (const std::system_error& failure) {
    error = "cannot open " + std::string(device) + ": no thread for the device (" + failure.what() + ")";
    return nullptr;
  }
  Lock lock(state->mutex);
  if (!state->answer.wait_for(lock, kOpenLimit, [&] { return state->opened || state->finished; })) {
    state->abandoned = true;
    lock.unlock();
    thread.detach();
    error = "output device " + std::string(device) + " did not answer within " +
            std::to_string(kOpenLimit.count()) + " s";
    return nullptr;
  }
  if (!state->opened) {
    error = state->openError;
    lock.unlock();
    thread.join();
    return nullptr;
  }
  lock.unlock();
  std::unique_ptr<WaveOut> out(new WaveOut(std::move(state), std::string(device), format));
  out->thread_ = std::move(thread);
  return out;
}

std::unique_ptr<WaveOut> WaveOut::open(std::size_t index, const Format& format, DoneCallback callback,
                                       void* instance, std::string& error) {
  DeviceInfo info;
  if (!DeviceList::get(index, info)) {
    error = "there is no output device number " + std::to_string(index);
    return nullptr;
  }
  return open(info.name, format, callback, instance, error);
}

WaveOut::WaveOut(std::shared_ptr<OutputState> state, std::string device, const Format& format)
    : state_(std::move(state)), device_(std::move(device)), format_(format) {}

WaveOut::~WaveOut() {
  if (close() != Result::WrongThread) return;
  // Destroyed from its own callback: the thread cannot be joined from inside itself, so it is told
  // to end without touching the caller's buffers again and left to finish on its own.
  Lock lock(state_->mutex);
  state_->closeRequested = true;
  releaseQueue(*state_);
  state_->wake.notify_one();
  lock.unlock();
  thread_.detach();
}

bool WaveOut::onDeviceThread() const {
  Lock lock(state_->mutex);
  return state_->threadId == std::this_thread::get_id();
}

Result WaveOut::prepare(Header& header) {
  if (!header.data && header.length > 0) return Result::InvalidHeader;
  if (header.has(kHeaderInQueue)) return Result::StillPlaying;
  header.flags.fetch_or(kHeaderPrepared, std::memory_order_acq_rel);
  return Result::Ok;
}

Result WaveOut::unprepare(Header& header) {
  if (header.has(kHeaderInQueue)) return Result::StillPlaying;
  header.flags.fetch_and(~std::uint32_t{kHeaderPrepared}, std::memory_order_acq_rel);
  return Result::Ok;
}

Result WaveOut::write(Header& header) {
  Lock lock(state_->mutex);
  if (state_->finished || state_->closeRequested) return Result::Closed;
  if (!header.data && header.length > 0) return Result::InvalidHeader;
  std::uint32_t flags = header.flags.load(std::memory_order_acquire);
  if ((flags & kHeaderPrepared) == 0) return Result::NotPrepared;
  if ((flags & kHeaderInQueue) != 0) return Result::StillPlaying;
  header.flags.store((flags & ~std::uint32_t{kHeaderDone}) | kHeaderInQueue, std::memory_order_release);
  header.next = nullptr;
  header.endOffset = 0;
  if (state_->tail) state_->tail->next = &header;
  else state_->head = &header;
  state_->tail = &header;
  if (!state_->cursor) {
    state_->cursor = &header;
    state_->cursorOffset = 0;
  }
  if (!state_->batchWrites || state_->idle || ++state_->unfedWrites >= kWriteBatch) state_->wake.notify_one();
  return Result::Ok;
}

Result WaveOut::reset() {
  bool fromCallback = onDeviceThread();
  Lock lock(state_->mutex);
  if (state_->finished || state_->closeRequested) return Result::Closed;
  std::uint64_t ticket = ++state_->resetsRequested;
  state_->wake.notify_one();
  if (fromCallback) return Result::Ok;
  bool answered = state_->answer.wait_for(lock, kAnswerLimit, [&] {
    return state_->resetsDone >= ticket || state_->finished;
  });
  return answered ? Result::Ok : Result::TimedOut;
}

Result WaveOut::pause() {
  Lock lock(state_->mutex);
  if (state_->finished || state_->closeRequested) return Result::Closed;
  state_->pauseWanted = true;
  state_->wake.notify_one();
  return Result::Ok;
}

Result WaveOut::restart() {
  Lock lock(state_->mutex);
  if (state_->finished || state_->closeRequested) return Result::Closed;
  state_->pauseWanted = false;
  state_->wake.notify_one();
  return Result::Ok;
}

Result WaveOut::close() {
  if (!thread_.joinable()) return Result::Ok;
  if (onDeviceThread()) return Result::WrongThread;
  Lock lock(state_->mutex);
  state_->closeRequested = true;
  state_->wake.notify_one();
  if (!state_->answer.wait_for(lock, kAnswerLimit, [&] { return state_->finished; })) {
    // The thread holds its own reference to the state and ends by itself once the driver lets go;
    // it only ever reads its own copy of the bytes, so the buffers can go back to their owner now.
    releaseQueue(*state_);
    lock.unlock();
    thread_.detach();
    return Result::TimedOut;
  }
  lock.unlock();
  thread_.join();
  return Result::Ok;
}

bool WaveOut::broken() const { return state_->failed.load(std::memory_order_acquire); }

std::string WaveOut::error() const {
  Lock lock(state_->mutex);
  return state_->failure;
}

}  // namespace platform::wave
