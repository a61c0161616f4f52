// Budgets, in x real time for 44.1 kHz 16-bit stereo fed in 8192-byte chunks: Equalizer >= 400,
// StereoEnhancer >= 2000, VocalInstrument >= 300, Octave at +5 semitones >= 80, the whole
// "Open Air" + pitch chain >= 60.
//
// Timings on a shared machine drift; for steady figures count instructions instead:
//   SONVIA_BENCH_ITERATIONS=20 valgrind --tool=callgrind --toggle-collect=filter_bench_one_second
//     build/release/bench/filter_bench --benchmark_filter=Octave
// and divide the instructions collected by the iterations (each is one second of audio).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "s/sound/Effect.h"
#include "s/sound/EffectChoice.h"

namespace {

constexpr int32_t kRate = 44100;
constexpr uint32_t kChunk = 8192;
constexpr std::size_t kSecondBytes = kRate * 4;

// One second of music-like stereo: a few tones and some noise at moderate level.
const std::vector<uint8_t>& oneSecond() {
  static const std::vector<uint8_t> pcm = [] {
    std::vector<uint8_t> bytes(kSecondBytes);
    uint32_t r = 1;
    for (std::size_t i = 0; i < kRate; ++i)
      for (int c = 0; c < 2; ++c) {
        r = r * 1664525u + 1013904223u;
        const double v = 6000 * std::sin(2 * M_PI * 220 * i / kRate + c) +
                         3000 * std::sin(2 * M_PI * 1760 * i / kRate) +
                         2000 * std::sin(2 * M_PI * (6000 + 500 * c) * i / kRate) +
                         static_cast<double>(static_cast<int32_t>(r >> 16) - 32768) / 16;
        const auto s = static_cast<int16_t>(v);
        std::memcpy(&bytes[(i * 2 + static_cast<std::size_t>(c)) * 2], &s, 2);
      }
    return bytes;
  }();
  return pcm;
}

using ChunkFn = void (*)(void* context, uint8_t* chunk, uint32_t bytes);

}  // namespace

// One second of audio, chunk by chunk, copied into a chunk buffer as the engine's play thread
// does. A plain C name, so that callgrind can collect inside it alone.
extern "C" __attribute__((noinline)) void filter_bench_one_second(ChunkFn fn, void* context,
                                                                   uint8_t* chunk) {
  const std::vector<uint8_t>& pcm = oneSecond();
  for (std::size_t at = 0; at < pcm.size(); at += kChunk) {
    const auto n = static_cast<uint32_t>(std::min<std::size_t>(kChunk, pcm.size() - at));
    std::memcpy(chunk, pcm.data() + at, n);
    fn(context, chunk, n);
  }
}

namespace {

void runSeconds(benchmark::State& state, ChunkFn fn, void* context) {
  std::vector<uint8_t> chunk(kChunk);
  oneSecond();  // made before any measuring
  for (auto _ : state) {
    filter_bench_one_second(fn, context, chunk.data());
    benchmark::DoNotOptimize(chunk.data());
  }
  state.counters["x_real_time"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void throughFilter(void* context, uint8_t* chunk, uint32_t bytes) {
  static_cast<s::sound::IFilter*>(context)->process(chunk, bytes, true, kRate, 16);
}

struct Chain {
  s::sound::Effect effect;
  s::sound::EffectSettings settings;
};

void throughChain(void* context, uint8_t* chunk, uint32_t bytes) {
  auto* chain = static_cast<Chain*>(context);
  chain->effect.processBeforeGain(chunk, bytes, true, kRate, 16);
  chain->effect.processAfterGain(chunk, bytes, true, kRate, 16, chain->settings.presetIndex);
}

void Equalizer(benchmark::State& state) {
  s::sound::Effect effect;  // the standing "Open Air" equaliser: 1.0, 1.0, 1.7
  runSeconds(state, throughFilter, &effect.equalizer());
}

void StereoEnhancer(benchmark::State& state) {
  s::sound::Effect effect;  // width 7, attenuation on
  runSeconds(state, throughFilter, &effect.stereoEnhancer());
}

void VocalInstrument(benchmark::State& state) {
  s::sound::Effect effect;  // the standing "Soft Breeze" filter
  runSeconds(state, throughFilter, &effect.vocalInstrument());
}

void EqualizerEx(benchmark::State& state) {
  s::sound::Effect effect;
  runSeconds(state, throughFilter, &effect.equalizerEx());
}

void Octave(benchmark::State& state) {
  s::sound::Effect effect;
  effect.setPitch(s::sound::EffectChoice::pitchAmount(static_cast<int32_t>(state.range(0))));
  runSeconds(state, throughFilter, &effect.octave());
}

void OpenAirWithPitch(benchmark::State& state) {
  auto chain = std::make_unique<Chain>();
  s::sound::EffectChoice choice;
  s::sound::EffectChoice::fromCommand(s::sound::EffectChoice::kOpenAir, &choice);
  chain->settings = choice.settingsFor(5);
  chain->effect.buildPresets();
  chain->effect.stereoEnhancer().setEnabled(chain->settings.stereoEnhancerOn);
  chain->effect.equalizer().setEnabled(chain->settings.equalizerOn);
  chain->effect.vocalInstrument().setEnabled(chain->settings.vocalInstrumentOn);
  chain->effect.setPitch(chain->settings.pitch);
  runSeconds(state, throughChain, chain.get());
}

// A fixed iteration count (for callgrind) when SONVIA_BENCH_ITERATIONS is set.
benchmark::internal::Benchmark* configured(benchmark::internal::Benchmark* b) {
  b->UseRealTime()->Unit(benchmark::kMillisecond);
  if (const char* n = std::getenv("SONVIA_BENCH_ITERATIONS")) b->Iterations(std::atoi(n) > 0 ? std::atoi(n) : 1);
  return b;
}

[[maybe_unused]] const auto* kRegistered = [] {
  configured(benchmark::RegisterBenchmark("Equalizer", Equalizer));
  configured(benchmark::RegisterBenchmark("StereoEnhancer", StereoEnhancer));
  configured(benchmark::RegisterBenchmark("VocalInstrument", VocalInstrument));
  configured(benchmark::RegisterBenchmark("EqualizerEx", EqualizerEx));
  configured(benchmark::RegisterBenchmark("Octave", Octave))->Arg(5)->Arg(-12);
  return configured(benchmark::RegisterBenchmark("OpenAirWithPitch", OpenAirWithPitch));
}();

}  // namespace
