#pragma once
#include <memory>

#include "platform/wave/PacingClock.h"
#include "platform/wave/Sink.h"

typedef struct _snd_pcm snd_pcm_t;

namespace platform::wave {

// An ALSA playback PCM in non-blocking mode: the device thread never sits inside ALSA, and a PCM
// that stops taking samples is given up after a while instead of stalling playback forever.
class AlsaSink : public Sink {
 public:
  static std::unique_ptr<AlsaSink> open(const std::string& name, const Format& format, std::string& error);
  ~AlsaSink() override;

  std::size_t write(const std::uint8_t* data, std::size_t bytes, bool final) override;
  std::uint64_t played() override;
  std::chrono::microseconds waitHint(std::uint64_t target, bool wantsSpace) override;
  void pause() override;
  void restart() override;
  void drop() override;
  std::string failure() const override { return failure_; }

 private:
  AlsaSink(snd_pcm_t* pcm, std::string name, const Format& format);
  long writeFrames(const std::uint8_t* data, unsigned long frames);
  bool recover(int error);
  void fail(const std::string& what, int error);
  void noteProgress();

  snd_pcm_t* pcm_;
  std::string name_;
  Format format_;
  std::size_t blockAlign_;
  unsigned long periodFrames_ = 0;
  bool canPause_ = false;
  bool paused_ = false;
  bool hardwarePaused_ = false;
  // Bytes taken from the writer, and of those, the ones known to have left the speaker. A partial
  // frame at the end of a buffer waits in `carry_` for the rest of its bytes and counts as played:
  // a sound card can do nothing with half a frame either.
  std::uint64_t accepted_ = 0;
  std::uint64_t played_ = 0;
  std::uint8_t carry_[4] = {};
  std::size_t carryBytes_ = 0;
  std::chrono::steady_clock::time_point lastProgress_;
  std::string failure_;
  std::unique_ptr<PacingClock> fallback_;
  std::uint64_t fallbackBase_ = 0;
};

}  // namespace platform::wave
