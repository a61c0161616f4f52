#include "s/system/audio/win/Playback.h"

#include <chrono>
#include <thread>

#include "s/sound/IEncodedAudio.h"
#include "s/system/audio/win/Device.h"
#include "s/system/audio/win/DeviceList.h"
#include "s/system/audio/win/PlayerBuffer.h"
#include "s/system/audio/win/PlayerChain.h"
#include "s/system/audio/win/PlayerInternal.h"
#include "s/thread/Pooled.h"

namespace s::system::audio::win {

namespace {
void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
const char* const kDeviceBroke = "the audio device stopped working: ";
}  // namespace

Playback::Playback(std::shared_ptr<PlayerChain> chain, std::shared_ptr<sound::IEncodedAudio> source,
                   std::string device, PlayCallback callback, void* user)
    : chain_(std::move(chain)), device_(std::move(device)), callback_(callback), user_(user),
      source_(std::move(source)) {
  if (!source_) {
    fail("there is no song to play");
    return;
  }
  // The PCM as the source hands it out, which for some WAVE files is narrower than the file's own.
  format_.channels = source_->outputStereo() ? 2 : 1;
  format_.sampleRate = source_->outputSampleRate();
  format_.bitsPerSample = source_->outputBitsPerSample();
  dataSize_ = source_->getDataSize();
}

Playback::~Playback() = default;

std::string Playback::error() const {
  std::lock_guard hold(errorLock_);
  return error_;
}

bool Playback::move(PlayerState from, PlayerState to) { return state_.compare_exchange_strong(from, to); }

void Playback::pause() { move(PlayerState::kPlaying, PlayerState::kPaused); }

void Playback::resume() { move(PlayerState::kPaused, PlayerState::kPlaying); }

void Playback::requestStop() {
  PlayerState now = state_.load();
  while (isActiveState(now) && now != PlayerState::kStopping)
    if (state_.compare_exchange_weak(now, PlayerState::kStopping)) return;
}

void Playback::fail(const std::string& reason) {
  // Under the error lock, so that whoever sees the failed state and then asks why gets the answer.
  std::lock_guard hold(errorLock_);
  PlayerState now = state_.load();
  while (isActiveState(now))
    if (state_.compare_exchange_weak(now, PlayerState::kFailed)) {
      error_ = reason;
      return;
    }
}

void Playback::finish() {
  PlayerState now = state_.load();
  while (isActiveState(now))
    if (state_.compare_exchange_weak(now, PlayerState::kEnded)) return;
}

void Playback::startReadAhead() {
  readAhead_ = std::make_shared<PlayerBuffer>();
  readAhead_->attach(source_);
}

void Playback::abandon() {
  releaseCompanions(true);
  finish();
}

void Playback::seek(float percent) {
  thread::ObjLocker::Guard engine(chain_->lock());
  if (!isActiveState(state()) || !readAhead_ || !source_) return;
  thread::ObjLocker::Guard reading(readAhead_->lock());
  readAhead_->flush();
  int64_t position = bytesQueued_.load();
  source_->seekPercent(percent, &position);
  bytesQueued_.store(position);
}

std::shared_ptr<PlayerInternal> Playback::openDevice() {
  std::string name = device_;
  if (name.empty())
    if (const Device* first = DeviceList::output(0)) name = first->getName();
  if (name.empty()) {
    fail("there is no audio device");
    return nullptr;
  }
  std::shared_ptr<PlayerInternal> queue = thread::sharePooled(PlayerInternal::create());
  std::string error;
  // A device that cannot be opened would never hand a buffer back; the playback ends here
  // instead of waiting for it forever.
  if (!queue->open(name, format_, error)) {
    fail(error);
    return nullptr;
  }
  thread::ObjLocker::Guard engine(chain_->lock());
  queue_ = queue;
  // Filters that depend on the rate are set for it before the first chunk.
  chain_->prepare(format_);
  return queue;
}

void Playback::run() {
  {
    std::shared_ptr<PlayerInternal> queue = openDevice();
    std::shared_ptr<PlayerBuffer> readAhead = readAhead_;
    if (queue && readAhead && move(PlayerState::kOpening, PlayerState::kPlaying)) {
      feed(*queue, *readAhead);
      if (state() == PlayerState::kDraining) drain(*queue);
    }
  }
  // A broken device would only pace silence; everything else may play what is queued.
  releaseCompanions(state() != PlayerState::kFailed);
  finish();
}

void Playback::feed(PlayerInternal& queue, PlayerBuffer& readAhead) {
  for (;;) {
    const PlayerState now = state();
    if (now != PlayerState::kPlaying && now != PlayerState::kPaused) return;
    // A device that broke down goes on taking buffers silently; only asking finds it out.
    if (queue.deviceBroken()) {
      fail(kDeviceBroke + queue.deviceError());
      return;
    }
    if (now == PlayerState::kPaused) {
      sleepMs(kIdleSleepMs);
      continue;
    }
    if (!queue.waitNextFree(kIdleSleepMs)) continue;
    // The next ring buffer is free, so the device no longer reads it: the chunk is made there.
    uint8_t* chunk = queue.nextBuffer();
    uint32_t n = 0;
    {
      thread::ObjLocker::Guard engine(chain_->lock());
      // Looked at again under the lock: once a stop has given up on this task, the task must not
      // touch the filters, which the engine may be resetting for its next song.
      if (state() == PlayerState::kPlaying) n = makeChunk(queue, readAhead, chunk);
    }
    if (n == 0) {
      if (state() == PlayerState::kPlaying) readAhead.waitForData(kIdleSleepMs);
      continue;
    }
    // Outside the lock: a callback that takes its time must not hold up stop or seek. The device
    // only reads the buffer, so the chunk can still be shown from it.
    if (callback_) {
      const int64_t queued = bytesQueued_.load();
      const double percent =
          dataSize_ > 0 ? static_cast<double>(queued) * 100.0 / static_cast<double>(dataSize_) : 0.0;
      callback_(reinterpret_cast<const int16_t*>(chunk), n, percent, user_);
    }
  }
}

uint32_t Playback::makeChunk(PlayerInternal& queue, PlayerBuffer& readAhead, uint8_t* chunk) {
  uint32_t n = 0;
  if (!readAhead.read(chunk, kChunkSize, &n)) move(PlayerState::kPlaying, PlayerState::kDraining);
  if (n == 0) return 0;
  chain_->process(chunk, n, format_);
  queue.queueNext(n);
  bytesQueued_.fetch_add(n);
  return n;
}

void Playback::drain(PlayerInternal& queue) {
  for (int waited = 0; waited < kDrainWaitMs && state() == PlayerState::kDraining; waited += kDrainStepMs)
    if (queue.waitAllFree(kDrainStepMs)) break;
}

void Playback::releaseCompanions(bool letQueuedPlay) {
  // The task and a stop that gave up waiting for it may both get here; one does the work.
  if (companionsReleased_.exchange(true)) return;
  std::shared_ptr<PlayerBuffer> readAhead;
  std::shared_ptr<PlayerInternal> queue;
  std::shared_ptr<sound::IEncodedAudio> source;
  {
    // Under the engine lock, so a seek never works on companions that are going away.
    thread::ObjLocker::Guard engine(chain_->lock());
    readAhead = std::move(readAhead_);
    queue = std::move(queue_);
    source = std::move(source_);
  }
  // A fill task stuck in a read holds the read-ahead and the source itself; it is only told.
  if (readAhead) readAhead->requestStop();
  readAhead.reset();
  if (queue) {
    const std::string broke = queue->closeDevice(letQueuedPlay);
    if (!broke.empty()) fail(kDeviceBroke + broke);
  }
}

}  // namespace s::system::audio::win
