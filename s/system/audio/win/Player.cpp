#include "s/system/audio/win/Player.h"

#include <cmath>

#include "s/sound/IEncodedAudio.h"
#include "s/system/audio/IDevice.h"
#include "s/system/audio/win/Playback.h"
#include "s/system/audio/win/PlayerChain.h"
#include "s/thread/EasyPooler.h"
#include "s/thread/win/Thread.h"

namespace s::system::audio::win {

Player* Player::create() { return thread::PoolOf<Player>::acquire(); }

void Player::release() { thread::PoolOf<Player>::release(this); }

Player::Player() : chain_(std::make_shared<PlayerChain>()), thread_(thread::win::Thread::create()) {
  thread_->setPriority(thread::win::Thread::kPriorityHighest);
}

Player::~Player() { reset(); }

PlayerState Player::state() const { return playback_ ? playback_->state() : PlayerState::kIdle; }

std::string Player::lastError() const { return playback_ ? playback_->error() : std::string(); }

int64_t Player::bytesQueued() const { return playback_ ? playback_->bytesQueued() : 0; }

sound::Effect& Player::effect() { return chain_->effect(); }

void Player::play(std::shared_ptr<sound::IEncodedAudio> source, PlayCallback callback, void* user) {
  stop();
  auto playback = std::make_shared<Playback>(chain_, std::move(source), device_ ? device_->getName() : std::string(),
                                             callback, user);
  playback_ = playback;
  if (!isActiveState(playback->state())) return;
  playback->startReadAhead();
  // The device is opened by the task: a sound server may take seconds to answer.
  thread_->runOnce(playback.get(), playback);
}

void Player::pause() {
  if (playback_) playback_->pause();
}

void Player::resume() {
  if (playback_) playback_->resume();
}

void Player::stop() {
  if (!playback_) return;
  playback_->requestStop();
  // Also after a failure: the task may still be closing the device it lost.
  if (thread_->isIdle()) return;
  // An overrun leaves the task to end by itself, holding its own playback; it can no longer
  // reach the engine's next one.
  if (!thread_->waitIdleFor(kStopWaitMs)) playback_->abandon();
}

void Player::seek(float percent) {
  if (!isActive() || !std::isfinite(percent)) return;
  playback_->seek(std::fmin(std::fmax(percent, 0.0f), 100.0f));
}

float Player::getVolume() const { return chain_->volume(); }

void Player::setVolume(float volume) {
  if (std::isfinite(volume)) chain_->setVolume(std::fmax(volume, 0.0f));
}

float Player::getGain() const { return chain_->gain(); }

int32_t Player::getPreset() const { return chain_->preset(); }

void Player::setPreset(int32_t index) {
  chain_->setPreset(index >= 0 && index < sound::Effect::kPresetCount ? index : -1);
}

bool Player::isEqualizerExOn() { return effect().equalizerEx().isEnabled(); }
void Player::setEqualizerExOn(bool on) {
  if (effect().equalizerEx().isEnabled() != on) effect().equalizerEx().setEnabled(on);
}
sound::IFilter* Player::getEqualizerEx() { return &effect().equalizerEx(); }

void Player::setPitch(float pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  // Under the engine lock: the shifter's working state is made here, never under a chunk.
  thread::ObjLocker::Guard engine(chain_->lock());
  effect().setPitch(pitch);
}

bool Player::isEqualizerOn() { return effect().equalizer().isEnabled(); }
void Player::setEqualizerOn(bool on) {
  if (effect().equalizer().isEnabled() != on) effect().equalizer().setEnabled(on);
}
sound::IFilter* Player::getEqualizer() { return &effect().equalizer(); }

bool Player::isStereoEnhancerOn() { return effect().stereoEnhancer().isEnabled(); }
void Player::setStereoEnhancerOn(bool on) {
  if (effect().stereoEnhancer().isEnabled() != on) effect().stereoEnhancer().setEnabled(on);
}
sound::IFilter* Player::getStereoEnhancer() { return &effect().stereoEnhancer(); }

bool Player::isVocalInstrumentOn() { return effect().vocalInstrument().isEnabled(); }
void Player::setVocalInstrumentOn(bool on) {
  if (effect().vocalInstrument().isEnabled() != on) effect().vocalInstrument().setEnabled(on);
}
sound::IFilter* Player::getVocalInstrument() { return &effect().vocalInstrument(); }

void Player::reset() {
  stop();
  {
    // A task that was given up on looks at its state under this lock before it touches a
    // filter, and its state is no longer "playing": nothing is freed under it.
    thread::ObjLocker::Guard engine(chain_->lock());
    chain_->reset();
  }
  device_ = nullptr;
  pitch_ = 0.0f;
  playback_.reset();
}

}  // namespace s::system::audio::win
