#pragma once
#include <atomic>
#include <cstdint>

#include "s/sound/IFilter.h"

namespace s::sound::filter {

// Pitch shifter: a phase vocoder over 2048-sample Hann frames with 4x overlap. Each frame is
// analysed into magnitude and true frequency per bin, the bins are moved by the pitch factor and
// the frame is resynthesised and overlap-added. Output lags input by 1536 samples per channel.
//
// Everything it needs (tables, both channel states, the FFT plans) is made by `prepare`, the same
// for every format; after that `process` never allocates, and before it `process` changes nothing. The channel states run on from block to block and survive pitch
// changes; only `reset` clears them.
class Octave final : public IFilter {
 public:
  static constexpr int32_t kFrameSize = 2048;
  static constexpr int32_t kOversampling = 4;
  static constexpr int32_t kStep = kFrameSize / kOversampling;  // 512
  static constexpr int32_t kLatency = kFrameSize - kStep;        // 1536
  static constexpr int32_t kHalf = kFrameSize / 2;               // bins 0..1024
  static constexpr int32_t kTableSize = 131072;
  static constexpr int32_t kWorkSamples = 8192;

  static Octave* create();
  Octave() = default;
  ~Octave() override;
  Octave(const Octave&) = delete;
  Octave& operator=(const Octave&) = delete;

  void process(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
               int32_t bitsPerSample) override;
  bool isEnabled() const override { return enabled_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }

  // Makes the tables, both channel states and the FFT plans if they do not exist yet; false only
  // when memory or an FFT plan could not be had (process then leaves blocks unchanged).
  bool prepare(bool stereo, int32_t sampleRate, int32_t bitsPerSample) override;
  bool isPrepared() const { return tablesReady_ && rightReady_; }

  // Semitones x 100 / 12; the pitch factor is 2^(pitch / 100).
  float pitch() const { return pitch_; }
  void setPitch(float pitch) { pitch_ = pitch; }
  float pitchFactor() const;

  // Input FIFO position of a channel (0 left, 1 right): 0 before its first sample.
  int32_t rover(int channel) const;

  const char16_t* typeName() const override { return u"s_sound_filter_Octave"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  // Frees every buffer and plan; the next prepare starts from silence.
  void reset() override;

 private:
  struct State;
  struct Fft;

  void shift(State& st, float* samples, int32_t count, double factor, double rate);
  void processFrame(State& st, double factor, double rate);

  // Written by the play process, read by the engine's play thread once per block.
  std::atomic<bool> enabled_{true};
  std::atomic<float> pitch_{0};
  float* work_ = nullptr;       // one channel's samples of the current block
  double* window_ = nullptr;    // Hann window
  // Single-precision copies for the two per-sample loops of a frame, which then vectorise: the
  // analysis window, and the window with the overlap-add scale folded in.
  float* analysisWindow_ = nullptr;
  float* synthesisWindow_ = nullptr;
  float* cosSin_ = nullptr;     // cos and sin of 2 pi i / kTableSize, interleaved
  // Read by both the play process (through prepare) and the play thread.
  std::atomic<bool> tablesReady_{false};
  State* left_ = nullptr;
  std::atomic<bool> rightReady_{false};
  State* right_ = nullptr;
  Fft* fft_ = nullptr;
};

}  // namespace s::sound::filter
