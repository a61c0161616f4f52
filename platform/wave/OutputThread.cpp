#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/wave/OutputState.h"
#include "platform/wave/Sink.h"

namespace platform::wave {

namespace {

using Lock = std::unique_lock<std::mutex>;
using std::chrono::microseconds;

// Sleeps are bounded so that a sink's poor estimate costs a wake-up, never a stall.
constexpr microseconds kShortestWait(1000);
constexpr microseconds kLongestWait(100000);
// Buffers are copied here before the sink sees them, so a buffer whose owner has given up on the
// device (after a close that timed out) is never read outside the lock.
constexpr std::size_t kStagingBytes = 16384;

class OutputThread {
 public:
  OutputThread(OutputState& state, Sink& sink) : s_(state), sink_(sink), staging_(kStagingBytes) {}

  void run(Lock& lock) {
    bool batchWaited = false;
    while (!s_.closeRequested && !s_.abandoned) {
      if (s_.resetsRequested != s_.resetsDone) {
        std::uint64_t requested = s_.resetsRequested;
        drop(lock);
        returnAll(lock);
        s_.resetsDone = requested;
        s_.answer.notify_all();
        continue;
      }
      if (s_.pauseWanted != paused_) {
        paused_ = s_.pauseWanted;
        lock.unlock();
        paused_ ? sink_.pause() : sink_.restart();
        lock.lock();
        continue;
      }
      bool wantsSpace = false;
      bool progress = !paused_ && feed(lock, wantsSpace);
      progress = complete(lock) || progress;
      if (progress) batchWaited = false;
      if (progress || s_.closeRequested || s_.resetsRequested != s_.resetsDone || s_.pauseWanted != paused_)
        continue;
      // A buffer written while the lock was let go is fed at once.
      if (!paused_ && s_.cursor && !wantsSpace) continue;
      if (!s_.head) {
        // A renderer's writer is usually in the middle of a batch; only when none has come after a
        // short wait does the thread sleep until the next write. The wait lets the lock go, so
        // every request (close, reset, pause) is looked at again before that sleep: a close that
        // came just as the wait timed out would otherwise never be seen.
        if (s_.batchWrites && !batchWaited) {
          s_.wake.wait_for(lock, kBatchWait);
          batchWaited = true;
          continue;
        }
        batchWaited = false;
        s_.idle = true;
        s_.wake.wait(lock);
        s_.idle = false;
        continue;
      }
      std::uint64_t target = s_.head == s_.cursor ? accepted_ + 1 : s_.head->endOffset;
      auto hint = sink_.waitHint(target, wantsSpace);
      s_.wake.wait_for(lock, std::clamp(hint, kShortestWait, kLongestWait));
    }
    if (played_ < accepted_) drop(lock);
    returnAll(lock);
  }

 private:
  // Copies queued bytes into the staging area and offers them to the sink.
  bool feed(Lock& lock, bool& wantsSpace) {
    s_.unfedWrites = 0;
    if (begin_ > 0) {
      std::memmove(staging_.data(), staging_.data() + begin_, end_ - begin_);
      end_ -= begin_;
      begin_ = 0;
    }
    while (s_.cursor && end_ < staging_.size()) {
      Header& header = *s_.cursor;
      std::size_t n = std::min<std::size_t>(header.length - s_.cursorOffset, staging_.size() - end_);
      if (n > 0) std::memcpy(staging_.data() + end_, header.data + s_.cursorOffset, n);
      end_ += n;
      s_.cursorOffset += static_cast<std::uint32_t>(n);
      if (s_.cursorOffset == header.length) {
        header.endOffset = accepted_ + (end_ - begin_);
        s_.cursor = header.next;
        s_.cursorOffset = 0;
      }
    }
    bool final = s_.cursor == nullptr;
    std::size_t pending = end_ - begin_;
    if (pending == 0 && !(final && s_.head)) return false;
    lock.unlock();
    std::size_t took = sink_.write(staging_.data() + begin_, pending, final);
    lock.lock();
    begin_ += took;
    accepted_ += took;
    wantsSpace = took < pending;
    return took > 0;
  }

  // Completes, in order, the buffers the sink has finished playing.
  bool complete(Lock& lock) {
    lock.unlock();
    played_ = sink_.played();
    // The first failure is the one reported; once there is one, the sink is not asked again.
    std::string failure = s_.failed.load(std::memory_order_relaxed) ? std::string() : sink_.failure();
    lock.lock();
    if (!failure.empty() && s_.failure.empty()) {
      s_.failure = failure;
      s_.failed.store(true, std::memory_order_release);
    }
    bool progress = false;
    // Abandonment is checked first: from then on the caller may free the buffers at any moment.
    while (!s_.abandoned && s_.resetsRequested == s_.resetsDone && s_.head && s_.head != s_.cursor &&
           s_.head->endOffset <= played_) {
      Header* header = s_.head;
      s_.head = header->next;
      if (!s_.head) s_.tail = nullptr;
      finish(lock, *header);
      progress = true;
    }
    return progress;
  }

  void drop(Lock& lock) {
    lock.unlock();
    sink_.drop();
    played_ = accepted_;
    lock.lock();
    begin_ = end_ = 0;
  }

  void returnAll(Lock& lock) {
    Header* header = s_.head;
    s_.head = s_.tail = s_.cursor = nullptr;
    s_.cursorOffset = 0;
    while (header && !s_.abandoned) {
      Header* next = header->next;
      finish(lock, *header);
      header = next;
    }
  }

  void finish(Lock& lock, Header& header) {
    header.next = nullptr;
    std::uint32_t flags = header.flags.load(std::memory_order_relaxed);
    header.flags.store((flags & ~std::uint32_t{kHeaderInQueue}) | kHeaderDone, std::memory_order_release);
    if (!s_.callback) return;
    lock.unlock();
    s_.callback(header, s_.instance);
    lock.lock();
  }

  OutputState& s_;
  Sink& sink_;
  std::vector<std::uint8_t> staging_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::uint64_t accepted_ = 0;
  std::uint64_t played_ = 0;
  bool paused_ = false;
};

}  // namespace

void runOutput(std::shared_ptr<OutputState> state) {
  // As high as the engine's own threads (nice -8, where the user may raise priorities): a device
  // thread that waits behind other programs stalls the engine feeding it.
  setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), -8);
  std::string error;
  std::unique_ptr<Sink> sink = Sink::open(state->device, state->format, error);
  Lock lock(state->mutex);
  state->threadId = std::this_thread::get_id();
  if (!sink) {
    state->openError = error.empty() ? "cannot open " + state->device : error;
  } else {
    state->opened = true;
    state->batchWrites = !sink->realTime();
    state->answer.notify_all();
    OutputThread(*state, *sink).run(lock);
    lock.unlock();
    sink.reset();
    lock.lock();
  }
  state->finished = true;
  state->answer.notify_all();
}

}  // namespace platform::wave
