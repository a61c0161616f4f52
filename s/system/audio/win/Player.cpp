#include "s/system/audio/win/Player.h"

#include <chrono>
#include <cmath>
#include <thread>

#include "platform/wave/Format.h"
#include "s/sound/IEncodedAudio.h"
#include "s/system/audio/IDevice.h"
#include "s/system/audio/win/DeviceList.h"
#include "s/system/audio/win/Gain.h"
#include "s/system/audio/win/PlayerBuffer.h"
#include "s/system/audio/win/PlayerInternal.h"
#include "s/thread/EasyPooler.h"
#include "s/thread/win/Thread.h"

namespace s::system::audio::win {

namespace {
void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
}  // namespace

Player* Player::create() { return thread::PoolOf<Player>::acquire(); }

void Player::release() { thread::PoolOf<Player>::release(this); }

Player::Player() : thread_(thread::win::Thread::create()) {
  effect_.buildPresets();
  thread_->setPriority(thread::win::Thread::kPriorityHighest);
}

Player::~Player() {
  reset();
  thread_->release();
}

void Player::setError(std::string error) {
  std::lock_guard hold(errorLock_);
  error_ = std::move(error);
}

std::string Player::lastError() const {
  std::lock_guard hold(errorLock_);
  return error_;
}

void Player::play(sound::IEncodedAudio* source, PlayCallback callback, void* user) {
  stop();
  setError({});
  if (!source) {
    setError("there is no song to play");
    return;
  }
  callback_.store(callback);
  callbackUser_.store(user);
  source_.store(source);
  // The PCM as the source hands it out, which for some WAVE files is narrower than the file's own.
  const int32_t bits = source->outputBitsPerSample();
  bitsPerSample_.store(bits);
  stereo_.store(source->outputStereo());
  sampleRate_.store(source->outputSampleRate());
  dataSize_.store(source->getDataSize());

  IDevice* device = device_.load();
  if (!device) device = const_cast<Device*>(DeviceList::output(0));
  platform::wave::Format format;
  format.channels = stereo_.load() ? 2 : 1;
  format.sampleRate = sampleRate_.load();
  format.bitsPerSample = bits;
  PlayerInternal* queue = PlayerInternal::create();
  std::string error;
  // A device that cannot be opened would never hand a buffer back; the playback ends here
  // instead of waiting for it forever.
  if (!device || !queue->open(device->getName(), format, error)) {
    setError(device ? error : "there is no audio device");
    queue->release();
    source_.store(nullptr);
    return;
  }

  auto* readAhead = new PlayerBuffer;
  readAhead->attach(source);
  readAhead_.store(readAhead);
  paused_.store(false);
  sourceEnded_.store(false);
  stopRequest_.store(false);
  playing_.store(true);
  queueClaimed_.store(false);
  queue_.store(queue);
  thread_->runOnce(this);
}

void Player::pause() {
  if (isActive()) paused_.store(true);
}

void Player::resume() {
  if (isActive()) paused_.store(false);
}

void Player::stop() {
  if (!isActive()) return;
  stopRequest_.store(true);
  paused_.store(true);
  thread_->waitIdleFor(kStopWaitMs);
  playing_.store(false);
  paused_.store(false);
  sourceEnded_.store(false);
  releaseCompanions();
}

void Player::seek(float percent) {
  if (!isActive()) return;
  if (!std::isfinite(percent)) return;
  percent = std::fmin(std::fmax(percent, 0.0f), 100.0f);
  thread::ObjLocker::Guard engine(lock_);
  PlayerBuffer* readAhead = readAhead_.load();
  sound::IEncodedAudio* source = source_.load();
  if (!readAhead || !source) return;
  thread::ObjLocker::Guard reading(readAhead->lock());
  readAhead->flush();
  const bool wasPaused = paused_.load();
  if (!wasPaused) paused_.store(true);
  int64_t position = bytesQueued_.load();
  source->seekPercent(percent, &position);
  bytesQueued_.store(position);
  if (!wasPaused) paused_.store(false);
}

void Player::setVolume(float volume) {
  if (std::isfinite(volume)) volume_.store(std::fmax(volume, 0.0f));
}

float Player::getGain() const {
  const float volume = volume_.load();
  return volume * volume;
}

void Player::setPreset(int32_t index) {
  presetIndex_.store(index >= 0 && index < sound::Effect::kPresetCount ? index : -1);
}

bool Player::isEqualizerExOn() { return effect_.equalizerEx().isEnabled(); }
void Player::setEqualizerExOn(bool on) {
  if (effect_.equalizerEx().isEnabled() != on) effect_.equalizerEx().setEnabled(on);
}
sound::IFilter* Player::getEqualizerEx() { return &effect_.equalizerEx(); }

void Player::setPitch(float pitch) {
  if (pitch == pitch_.load()) return;
  pitch_.store(pitch);
  effect_.setPitch(pitch);
}

bool Player::isEqualizerOn() { return effect_.equalizer().isEnabled(); }
void Player::setEqualizerOn(bool on) {
  if (effect_.equalizer().isEnabled() != on) effect_.equalizer().setEnabled(on);
}
sound::IFilter* Player::getEqualizer() { return &effect_.equalizer(); }

bool Player::isStereoEnhancerOn() { return effect_.stereoEnhancer().isEnabled(); }
void Player::setStereoEnhancerOn(bool on) {
  if (effect_.stereoEnhancer().isEnabled() != on) effect_.stereoEnhancer().setEnabled(on);
}
sound::IFilter* Player::getStereoEnhancer() { return &effect_.stereoEnhancer(); }

bool Player::isVocalInstrumentOn() { return effect_.vocalInstrument().isEnabled(); }
void Player::setVocalInstrumentOn(bool on) {
  if (effect_.vocalInstrument().isEnabled() != on) effect_.vocalInstrument().setEnabled(on);
}
sound::IFilter* Player::getVocalInstrument() { return &effect_.vocalInstrument(); }

uint32_t Player::produceChunk(PlayerBuffer* readAhead, uint8_t* chunk) {
  uint32_t n = 0;
  if (!readAhead->read(chunk, kChunkSize, &n)) sourceEnded_.store(true);
  if (n == 0) return 0;
  const bool stereo = stereo_.load();
  const int32_t rate = sampleRate_.load();
  const int32_t bits = bitsPerSample_.load();
  effect_.processBeforeGain(chunk, n, stereo, rate, bits);
  Gain::apply(chunk, n, bits, getGain());
  effect_.processAfterGain(chunk, n, stereo, rate, bits, presetIndex_.load());
  return n;
}

void Player::run() {
  PlayerInternal* queue = queue_.load();
  while (queue && !stopRequest_.load()) {
    if (sourceEnded_.load()) break;
    if (paused_.load()) {
      sleepMs(kIdleSleepMs);
      continue;
    }
    if (!queue->waitNextFree(kIdleSleepMs)) continue;
    lock_.lock();
    PlayerBuffer* readAhead = readAhead_.load();
    // The next ring buffer is free, so the device no longer reads it: the chunk is made there.
    uint8_t* chunk = queue->nextBuffer();
    const uint32_t n = readAhead ? produceChunk(readAhead, chunk) : 0;
    if (n == 0) {
      lock_.unlock();
      // At the end there is nothing to wait for: the drain below starts at once.
      if (sourceEnded_.load()) continue;
      if (readAhead) readAhead->waitForData(kIdleSleepMs);
      else sleepMs(kIdleSleepMs);
      continue;
    }
    queue->queueNext(n);
    const int64_t queued = bytesQueued_.fetch_add(n) + n;
    if (PlayCallback callback = callback_.load()) {
      const int64_t size = dataSize_.load();
      const double percent = size > 0 ? static_cast<double>(queued) * 100.0 / static_cast<double>(size) : 0.0;
      // The device only reads the buffer, so the chunk can still be shown from it.
      callback(reinterpret_cast<const int16_t*>(chunk), n, percent, callbackUser_.load());
    }
    lock_.unlock();
  }
  if (queue && !stopRequest_.load()) {
    for (int waited = 0; waited < kDrainWaitMs && !stopRequest_.load(); waited += kDrainStepMs)
      if (queue->waitAllFree(kDrainStepMs)) break;
  }
  playing_.store(false);
  paused_.store(false);
  releaseCompanions();
}

void Player::releaseCompanions() {
  PlayerBuffer* readAhead = nullptr;
  {
    // Under the engine lock, so a seek never works on a read-ahead buffer that is going away.
    thread::ObjLocker::Guard engine(lock_);
    readAhead = readAhead_.exchange(nullptr);
  }
  delete readAhead;
  PlayerInternal* queue = queue_.load();
  // The play task and a stop that gave up waiting for it may both get here; one closes.
  if (queue && !queueClaimed_.exchange(true)) {
    const std::string broke = queue->closeDevice();
    if (!broke.empty()) setError("the audio device stopped working: " + broke);
    queue->release();
    queue_.store(nullptr);
  }
}

void Player::reset() {
  stop();
  device_.store(nullptr);
  volume_.store(1.0f);
  presetIndex_.store(-1);
  pitch_.store(0.0f);
  source_.store(nullptr);
  bitsPerSample_.store(16);
  stereo_.store(true);
  sampleRate_.store(44100);
  dataSize_.store(0);
  bytesQueued_.store(0);
  callback_.store(nullptr);
  callbackUser_.store(nullptr);
  paused_.store(false);
  sourceEnded_.store(false);
  stopRequest_.store(true);
  playing_.store(false);
  setError({});
  effect_.reset();
}

}  // namespace s::system::audio::win
