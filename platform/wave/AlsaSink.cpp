#include "platform/wave/AlsaSink.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cstring>

#include "platform/wave/AlsaMessages.h"

namespace platform::wave {

namespace {

// Long enough to ride out a sound server hiccup, short enough that a dead device is noticed.
constexpr auto kStallLimit = std::chrono::seconds(2);
constexpr unsigned kLatencyMicroseconds = 200000;

}  // namespace

std::unique_ptr<AlsaSink> AlsaSink::open(const std::string& name, const Format& format, std::string& error) {
  AlsaMessages::begin();
  snd_pcm_t* pcm = nullptr;
  int rc = snd_pcm_open(&pcm, name.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
  if (rc < 0) {
    error = AlsaMessages::describe("cannot open ALSA device \"" + name + "\"", rc);
    return nullptr;
  }
  snd_pcm_format_t sampleFormat = format.bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
  rc = snd_pcm_set_params(pcm, sampleFormat, SND_PCM_ACCESS_RW_INTERLEAVED, static_cast<unsigned>(format.channels),
                          static_cast<unsigned>(format.sampleRate), 1, kLatencyMicroseconds);
  if (rc < 0) {
    error = AlsaMessages::describe("ALSA device \"" + name + "\" refuses " + std::to_string(format.channels) +
                                       " channel(s), " + std::to_string(format.sampleRate) + " Hz, " +
                                       std::to_string(format.bitsPerSample) + " bits",
                                   rc);
    snd_pcm_close(pcm);
    return nullptr;
  }
  std::unique_ptr<AlsaSink> sink(new AlsaSink(pcm, name, format));
  snd_pcm_uframes_t bufferFrames = 0, periodFrames = 0;
  if (snd_pcm_get_params(pcm, &bufferFrames, &periodFrames) == 0) sink->periodFrames_ = periodFrames;
  snd_pcm_hw_params_t* params = nullptr;
  if (snd_pcm_hw_params_malloc(&params) == 0) {
    if (snd_pcm_hw_params_current(pcm, params) == 0) sink->canPause_ = snd_pcm_hw_params_can_pause(params) == 1;
    snd_pcm_hw_params_free(params);
  }
  AlsaMessages::take();
  return sink;
}

AlsaSink::AlsaSink(snd_pcm_t* pcm, std::string name, const Format& format)
    : pcm_(pcm), name_(std::move(name)), format_(format),
      blockAlign_(static_cast<std::size_t>(format.blockAlign())), lastProgress_(std::chrono::steady_clock::now()) {}

AlsaSink::~AlsaSink() {
  // Closing a running PCM discards what it still holds; the device has returned those buffers already.
  snd_pcm_close(pcm_);
}

void AlsaSink::fail(const std::string& what, int error) {
  if (!failure_.empty()) return;
  failure_ = "ALSA device \"" + name_ + "\": " + what;
  if (error < 0) failure_ += std::string(": ") + snd_strerror(error);
  // Whatever was still queued will never play; count it as played so that nothing waits for it.
  // From here on the device goes silent but keeps the song's pace, like the null device: racing
  // through the rest of a play list in seconds would be worse than silence.
  played_ = accepted_;
  carryBytes_ = 0;
  fallbackBase_ = accepted_;
  fallback_ = std::make_unique<PacingClock>(static_cast<std::uint64_t>(format_.bytesPerSecond()), true);
  if (paused_) fallback_->pause();
}

void AlsaSink::noteProgress() { lastProgress_ = std::chrono::steady_clock::now(); }

bool AlsaSink::recover(int error) {
  if (error == -EPIPE) {
    // An underrun: everything handed over has played.
    played_ = accepted_;
    error = snd_pcm_prepare(pcm_);
  } else if (error == -ESTRPIPE) {
    error = snd_pcm_resume(pcm_);
    if (error == -EAGAIN) return false;
    if (error < 0) error = snd_pcm_prepare(pcm_);
  }
  if (error < 0) {
    fail("cannot recover", error);
    return false;
  }
  return true;
}

long AlsaSink::writeFrames(const std::uint8_t* data, unsigned long frames) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    snd_pcm_sframes_t written = snd_pcm_writei(pcm_, data, frames);
    if (written >= 0) return written;
    if (written == -EAGAIN) return 0;
    if (written != -EPIPE && written != -ESTRPIPE) {
      fail("write failed", static_cast<int>(written));
      return 0;
    }
    if (!recover(static_cast<int>(written))) return 0;
  }
  return 0;
}

std::size_t AlsaSink::write(const std::uint8_t* data, std::size_t bytes, bool final) {
  if (fallback_) {
    fallback_->accept(bytes);
    accepted_ += bytes;
    return bytes;
  }
  std::size_t taken = 0;
  if (carryBytes_ > 0 && bytes > 0) {
    std::size_t missing = std::min(blockAlign_ - carryBytes_, bytes);
    std::memcpy(carry_ + carryBytes_, data, missing);
    if (carryBytes_ + missing < blockAlign_) {
      carryBytes_ += missing;
      taken = missing;
    } else if (writeFrames(carry_, 1) == 1) {
      carryBytes_ = 0;
      taken = missing;
    }
  }
  if (failure_.empty() && carryBytes_ == 0 && taken < bytes) {
    unsigned long frames = (bytes - taken) / blockAlign_;
    long written = frames > 0 ? writeFrames(data + taken, frames) : 0;
    taken += static_cast<std::size_t>(written) * blockAlign_;
    std::size_t rest = bytes - taken;
    if (static_cast<unsigned long>(written) == frames && rest > 0 && rest < blockAlign_) {
      std::memcpy(carry_, data + taken, rest);
      carryBytes_ = rest;
      taken = bytes;
    }
  }
  if (fallback_) {
    // Broke down during this write: what ALSA took before is lost with the rest.
    fallback_->accept(bytes);
    taken = bytes;
  }
  accepted_ += taken;
  if (taken > 0) noteProgress();
  // Below the start threshold a PCM waits for more; with nothing more to come it must start now.
  if (final && failure_.empty() && !paused_ && snd_pcm_state(pcm_) == SND_PCM_STATE_PREPARED &&
      accepted_ > played_) {
    int rc = snd_pcm_start(pcm_);
    if (rc < 0 && rc != -EBADFD) fail("cannot start", rc);
  }
  return taken;
}

std::uint64_t AlsaSink::played() {
  if (fallback_) return played_ = fallbackBase_ + fallback_->played();
  snd_pcm_state_t state = snd_pcm_state(pcm_);
  if (state == SND_PCM_STATE_XRUN) {
    recover(-EPIPE);
  } else if (state == SND_PCM_STATE_SUSPENDED) {
    recover(-ESTRPIPE);
  } else if (state == SND_PCM_STATE_DISCONNECTED) {
    fail("the device is gone", -ENODEV);
  } else {
    snd_pcm_sframes_t delay = 0;
    int rc = snd_pcm_delay(pcm_, &delay);
    if (rc == -EPIPE || rc == -ESTRPIPE) {
      recover(rc);
    } else if (rc == 0) {
      std::uint64_t pending = static_cast<std::uint64_t>(std::max<snd_pcm_sframes_t>(delay, 0)) * blockAlign_;
      std::uint64_t now = accepted_ > pending ? accepted_ - pending : 0;
      if (now > played_) {
        played_ = now;
        noteProgress();
      }
    }
  }
  return played_;
}

std::chrono::microseconds AlsaSink::waitHint(std::uint64_t target, bool wantsSpace) {
  using std::chrono::microseconds;
  if (fallback_) return fallback_->timeUntil(target > fallbackBase_ ? target - fallbackBase_ : 0);
  if (paused_) {
    noteProgress();
    return std::chrono::milliseconds(100);
  }
  bool waiting = wantsSpace || target > played_;
  if (waiting && std::chrono::steady_clock::now() - lastProgress_ > kStallLimit) {
    fail("stopped taking samples for " + std::to_string(kStallLimit.count()) + " s", 0);
    return microseconds(0);
  }
  auto rate = static_cast<std::uint64_t>(format_.sampleRate);
  if (wantsSpace) {
    std::uint64_t frames = std::max<std::uint64_t>(periodFrames_ / 2, 1);
    return microseconds(frames * 1000000 / rate);
  }
  if (target <= played_) return microseconds(0);
  std::uint64_t frames = (target - played_ + blockAlign_ - 1) / blockAlign_;
  return microseconds(frames * 1000000 / rate);
}

void AlsaSink::pause() {
  if (paused_) return;
  paused_ = true;
  if (fallback_) fallback_->pause();
  if (canPause_ && failure_.empty() && snd_pcm_state(pcm_) == SND_PCM_STATE_RUNNING)
    hardwarePaused_ = snd_pcm_pause(pcm_, 1) == 0;
  // Without hardware pause the PCM simply runs dry and is prepared again on restart.
}

void AlsaSink::restart() {
  if (!paused_) return;
  paused_ = false;
  if (fallback_) fallback_->restart();
  if (hardwarePaused_) {
    int rc = snd_pcm_pause(pcm_, 0);
    hardwarePaused_ = false;
    if (rc < 0) recover(-EPIPE);
  }
  noteProgress();
}

void AlsaSink::drop() {
  carryBytes_ = 0;
  played_ = accepted_;
  hardwarePaused_ = false;
  if (fallback_) {
    fallback_->drop();
    return;
  }
  snd_pcm_drop(pcm_);
  int rc = snd_pcm_prepare(pcm_);
  if (rc < 0) fail("cannot prepare after reset", rc);
  noteProgress();
}

}  // namespace platform::wave
