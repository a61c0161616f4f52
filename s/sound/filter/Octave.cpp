#include "s/sound/filter/Octave.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <new>

#include "s/sound/Sample.h"
#include "s/thread/EasyPooler.h"

namespace s::sound::filter {

namespace {

constexpr double kTwoPi = 2 * M_PI;
constexpr int32_t kBins = Octave::kHalf + 1;

// FFTW_ESTIMATE: measuring would stall the first pitch change by more than half a second for a
// few percent of speed, and would make the rounding of the output differ from run to run.
constexpr unsigned kPlanFlags = FFTW_ESTIMATE;

// FFTW's planner is not thread-safe (only executing plans is); engines may be built on any thread.
std::mutex& plannerMutex() {
  static std::mutex m;
  return m;
}

// The phase of (re, im) to within 3e-9 rad, well inside the float that keeps it. The library's
// atan2 cost more than the two transforms together; this one has no branches on the data (the
// bins' quadrants are random, so branches would mispredict half the time): the angle is folded
// into 0..pi/4, then into -pi/8..pi/8 around pi/4, where a Taylor series of degree 17 suffices.
inline double phaseOf(double im, double re) {
  constexpr double kTanPi8 = 0.41421356237309503;
  const double ax = std::fabs(re), ay = std::fabs(im);
  const double hi = ax > ay ? ax : ay;
  const double lo = ax > ay ? ay : ax;
  const double a = lo / (hi > 0 ? hi : 1.0);  // 0..1
  const double big = a > kTanPi8;
  const double t = big * ((a - 1) / (a + 1)) + (1 - big) * a;
  const double t2 = t * t;
  double p = 1.0 / 17;
  p = p * t2 - 1.0 / 15;
  p = p * t2 + 1.0 / 13;
  p = p * t2 - 1.0 / 11;
  p = p * t2 + 1.0 / 9;
  p = p * t2 - 1.0 / 7;
  p = p * t2 + 1.0 / 5;
  p = p * t2 - 1.0 / 3;
  p = p * t2 + 1.0;
  double r = big * (M_PI / 4) + t * p;        // atan(lo / hi), 0..pi/4
  const double steep = ay > ax;
  r = steep * (M_PI / 2) + (1 - 2 * steep) * r;  // 0..pi/2
  const double left = re < 0;
  r = left * M_PI + (1 - 2 * left) * r;          // 0..pi
  return std::copysign(r, im);
}

// The two per-sample loops of a frame; the arrays never overlap, which lets them vectorise.
inline void windowed(float* __restrict out, const float* __restrict in,
                     const float* __restrict window) {
  for (int32_t n = 0; n < Octave::kFrameSize; ++n) out[n] = in[n] * window[n];
}
inline void accumulate(float* __restrict accum, const float* __restrict window,
                       const float* __restrict in) {
  for (int32_t n = 0; n < Octave::kFrameSize; ++n) accum[n] += window[n] * in[n];
}

}  // namespace

// One channel's running state. The analysis and shifted spectra live here only for the duration
// of a frame, but they are per channel so that a frame never reads the other channel's values.
struct Octave::State {
  int32_t rover;
  float inFifo[kFrameSize];
  float outFifo[kStep];
  float outputAccum[kFrameSize];
  float lastPhase[kBins];
  float sumPhase[kBins];
  float synMagn[kBins];
  float synFreq[kBins];
};

// The frame's transforms. The input of each frame is real and only bins 0..half of the
// resynthesised spectrum are set, so a real-to-complex forward transform and a complex-to-real
// inverse give exactly the values (up to rounding) of the full complex transforms at half the cost.
struct Octave::Fft {
  float* time = nullptr;
  fftwf_complex* spectrum = nullptr;
  fftwf_plan forward = nullptr;
  fftwf_plan inverse = nullptr;

  bool make() {
    time = static_cast<float*>(fftwf_malloc(sizeof(float) * kFrameSize));
    spectrum = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * kBins));
    if (!time || !spectrum) return false;
    std::lock_guard<std::mutex> lock(plannerMutex());
    forward = fftwf_plan_dft_r2c_1d(kFrameSize, time, spectrum, kPlanFlags);
    inverse = fftwf_plan_dft_c2r_1d(kFrameSize, spectrum, time, kPlanFlags);
    return forward && inverse;
  }
  ~Fft() {
    {
      std::lock_guard<std::mutex> lock(plannerMutex());
      if (forward) fftwf_destroy_plan(forward);
      if (inverse) fftwf_destroy_plan(inverse);
    }
    fftwf_free(time);
    fftwf_free(spectrum);
  }
};

Octave* Octave::create() { return thread::PoolOf<Octave>::acquire(); }

void Octave::release() { thread::PoolOf<Octave>::release(this); }

Octave::~Octave() { reset(); }

void Octave::reset() {
  delete[] work_;
  delete[] window_;
  delete[] analysisWindow_;
  delete[] synthesisWindow_;
  delete[] cosSin_;
  delete left_;
  delete right_;
  delete fft_;
  work_ = nullptr;
  window_ = nullptr;
  analysisWindow_ = synthesisWindow_ = nullptr;
  cosSin_ = nullptr;
  left_ = right_ = nullptr;
  fft_ = nullptr;
  tablesReady_ = rightReady_ = false;
  pitch_ = 0;
  enabled_ = true;
}

float Octave::pitchFactor() const { return std::exp2(pitch_.load() / 100.0f); }

int32_t Octave::rover(int channel) const {
  const State* st = channel == 0 ? left_ : right_;
  return st ? st->rover : 0;
}

bool Octave::prepare(bool, int32_t, int32_t) {
  if (!tablesReady_) {
    work_ = new (std::nothrow) float[kWorkSamples];
    window_ = new (std::nothrow) double[kFrameSize];
    analysisWindow_ = new (std::nothrow) float[kFrameSize];
    synthesisWindow_ = new (std::nothrow) float[kFrameSize];
    cosSin_ = new (std::nothrow) float[2 * kTableSize];
    left_ = new (std::nothrow) State{};
    fft_ = new (std::nothrow) Fft;
    if (!work_ || !window_ || !analysisWindow_ || !synthesisWindow_ || !cosSin_ || !left_ || !fft_ || !fft_->make()) {
      reset();
      return false;
    }
    for (int32_t k = 0; k < kFrameSize; ++k) {
      window_[k] = 0.5 - 0.5 * std::cos(kTwoPi * k / kFrameSize);
      // The inverse transform yields twice the real part of the one-sided spectrum (see
      // processFrame), which cancels the 2 of the overlap-add scale 2 w / (half x oversampling).
      analysisWindow_[k] = static_cast<float>(window_[k]);
      synthesisWindow_[k] = static_cast<float>(window_[k] / (static_cast<double>(kHalf) * kOversampling));
    }
    for (int32_t i = 0; i < kTableSize; ++i) {
      cosSin_[2 * i] = static_cast<float>(std::cos(kTwoPi * i / kTableSize));
      cosSin_[2 * i + 1] = static_cast<float>(std::sin(kTwoPi * i / kTableSize));
    }
    tablesReady_ = true;
  }
  if (!rightReady_) {
    right_ = new (std::nothrow) State{};
    if (!right_) return false;
    rightReady_ = true;
  }
  return true;
}

void Octave::process(void* buffer, uint32_t byteCount, bool stereo, int32_t sampleRate,
                     int32_t bitsPerSample) {
  if (!isPrepared() || sampleRate <= 0 || (bitsPerSample != 16 && bitsPerSample != 8)) return;
  // A factor beyond the number of bins moves everything off the top (or onto bin 0); bounding it
  // keeps the phase arithmetic finite for any pitch value, however odd.
  double factor = pitchFactor();
  if (factor != factor) factor = 1;
  if (factor < 1.0 / kBins) factor = 1.0 / kBins;
  if (factor > kBins) factor = kBins;
  const double rate = sampleRate;
  const uint32_t bytesPerSample = static_cast<uint32_t>(bitsPerSample) / 8;
  const uint32_t channels = stereo ? 2 : 1;
  const uint32_t frameBytes = bytesPerSample * channels;
  const uint32_t perChannel = byteCount / frameBytes;
  auto* bytes = static_cast<uint8_t*>(buffer);
  for (uint32_t ch = 0; ch < channels; ++ch) {
    State& st = ch == 0 ? *left_ : *right_;
    for (uint32_t start = 0; start < perChannel; start += kWorkSamples) {
      const uint32_t count = perChannel - start < static_cast<uint32_t>(kWorkSamples)
                                 ? perChannel - start
                                 : static_cast<uint32_t>(kWorkSamples);
      uint8_t* first = bytes + static_cast<std::size_t>(start) * frameBytes + ch * bytesPerSample;
      if (bitsPerSample == 16) {
        for (uint32_t j = 0; j < count; ++j)
          work_[j] = static_cast<float>(Sample::load16(first + static_cast<std::size_t>(j) * frameBytes)) / 32768.0f;
      } else {
        for (uint32_t j = 0; j < count; ++j)
          work_[j] = static_cast<float>(Sample::load8(first + static_cast<std::size_t>(j) * frameBytes)) / 128.0f;
      }
      shift(st, work_, static_cast<int32_t>(count), factor, rate);
      if (bitsPerSample == 16) {
        for (uint32_t j = 0; j < count; ++j)
          Sample::store16(first + static_cast<std::size_t>(j) * frameBytes, Sample::toInt16(work_[j] * 32768.0f));
      } else {
        for (uint32_t j = 0; j < count; ++j)
          Sample::store8(first + static_cast<std::size_t>(j) * frameBytes, Sample::toCentred8(work_[j] * 128.0f));
      }
    }
  }
}

void Octave::shift(State& st, float* samples, int32_t count, double factor, double rate) {
  if (st.rover == 0) st.rover = kLatency;
  int32_t done = 0;
  while (done < count) {
    const int32_t take = std::min(kFrameSize - st.rover, count - done);
    std::memcpy(st.inFifo + st.rover, samples + done, sizeof(float) * static_cast<std::size_t>(take));
    std::memcpy(samples + done, st.outFifo + (st.rover - kLatency),
                sizeof(float) * static_cast<std::size_t>(take));
    st.rover += take;
    done += take;
    if (st.rover >= kFrameSize) {
      st.rover = kLatency;
      processFrame(st, factor, rate);
    }
  }
}

void Octave::processFrame(State& st, double factor, double rate) {
  float* time = fft_->time;
  fftwf_complex* spectrum = fft_->spectrum;
  windowed(time, st.inFifo, analysisWindow_);
  fftwf_execute(fft_->forward);

  const double freqPerBin = rate / kFrameSize;
  const double expected = kTwoPi * kStep / kFrameSize;
  std::memset(st.synMagn, 0, sizeof st.synMagn);
  std::memset(st.synFreq, 0, sizeof st.synFreq);
  for (int32_t k = 0; k < kBins; ++k) {
    const double re = spectrum[k][0], im = spectrum[k][1];
    const double magn = 2 * std::sqrt(re * re + im * im);
    const double phase = phaseOf(im, re);
    double d = phase - st.lastPhase[k];
    st.lastPhase[k] = static_cast<float>(phase);
    d -= k * expected;
    // Wrap the deviation into -pi..pi by an even number of half turns.
    long q = static_cast<long>(d / M_PI);
    const long odd = q & 1;
    q += q >= 0 ? odd : -odd;
    d -= M_PI * static_cast<double>(q);
    const float anaMagn = static_cast<float>(magn);
    const float anaFreq = static_cast<float>(freqPerBin * (k + kOversampling * d / kTwoPi));
    const double target = k * factor;
    if (target < kBins) {
      const int32_t i = static_cast<int32_t>(target);
      st.synMagn[i] += anaMagn;
      st.synFreq[i] = static_cast<float>(anaFreq * factor);
    }
  }

  for (int32_t k = 0; k < kBins; ++k) {
    double d = (st.synFreq[k] - k * freqPerBin) / freqPerBin;
    d = kTwoPi * d / kOversampling + k * expected;
    // The accumulated phase is kept within one turn: only its value modulo 2 pi matters, and a
    // float that grew without bound would lose all its fractional bits within minutes.
    double s = st.sumPhase[k] + d;
    const double turns = s * (1 / kTwoPi);
    int64_t whole = static_cast<int64_t>(turns);
    whole -= turns < static_cast<double>(whole);  // floor
    s -= kTwoPi * static_cast<double>(whole);
    st.sumPhase[k] = static_cast<float>(s);
    // The phase is not negative here, so the reduction modulo the table size is a mask.
    const int64_t j =
        static_cast<int64_t>(st.sumPhase[k] * (kTableSize / kTwoPi) + 0.5) & (kTableSize - 1);
    // Bins 0 and half count twice: the complex-to-real inverse doubles every other bin through
    // the mirrored half it assumes.
    const double m = (k == 0 || k == kHalf) ? 2.0 * st.synMagn[k] : st.synMagn[k];
    spectrum[k][0] = static_cast<float>(m * cosSin_[2 * j]);
    spectrum[k][1] = static_cast<float>(m * cosSin_[2 * j + 1]);
  }
  fftwf_execute(fft_->inverse);

  accumulate(st.outputAccum, synthesisWindow_, time);
  std::memcpy(st.outFifo, st.outputAccum, sizeof st.outFifo);
  std::memmove(st.outputAccum, st.outputAccum + kStep, sizeof(float) * kLatency);
  std::memset(st.outputAccum + kLatency, 0, sizeof(float) * kStep);
  std::memmove(st.inFifo, st.inFifo + kStep, sizeof(float) * kLatency);
}

}  // namespace s::sound::filter
