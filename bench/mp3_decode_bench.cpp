// Budget: decoding a 5-minute 128 kbit/s stereo MP3 through the Mp3 source in 8192-byte reads
// runs at no less than 0.9 times the throughput of libmpg123 decoding the same file on its own.
// Both report "x_realtime" (seconds of audio decoded per second). Timings on a shared machine
// drift; for a steady comparison count instructions of the two decode functions:
//   valgrind --tool=callgrind --toggle-collect='*decodeThroughSource*'
//     build/release/bench/mp3_decode_bench --benchmark_filter=Source --benchmark_min_time=0.01
// (and the same with '*decodeWithLibmpg123*' and --benchmark_filter=Libmpg123).
#include <benchmark/benchmark.h>
#include <mpg123.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/SourceFactory.h"

namespace {

constexpr double kSeconds = 300;

// The test song, made once per run with sox and LAME in a temporary folder.
const std::string& songPath() {
  static const std::string path = [] {
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("sonvia-bench-" + std::to_string(getpid())))
            .string();
    std::filesystem::create_directories(folder);
    const std::string wav = folder + "/song.wav", mp3 = folder + "/song.mp3";
    const std::string make = "sox -n -r 44100 -c 2 -b 16 '" + wav + "' synth " +
                             std::to_string(kSeconds) +
                             " sine 220-880 pinknoise vol 0.5 >/dev/null 2>&1 && lame --quiet -b 128 '" +
                             wav + "' '" + mp3 + "' >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) return std::string();
    std::filesystem::remove(wav);
    std::atexit([] { std::filesystem::remove_all(std::filesystem::path(songPath()).parent_path()); });
    return mp3;
  }();
  return path;
}

__attribute__((noinline)) uint64_t decodeThroughSource(const std::string& path) {
  s::sound::IEncodedAudio* source =
      s::sound::SourceFactory::open(platform::text::fileNameToUtf16(path));
  if (!source) return 0;
  std::vector<uint8_t> chunk(8192);
  uint32_t count = 0;
  uint64_t total = 0;
  while (source->read(chunk.data(), 8192, &count)) total += count;
  source->release();
  return total;
}

// libmpg123 as an application would use it on its own: open the file, read 8192 bytes at a time.
__attribute__((noinline)) uint64_t decodeWithLibmpg123(const std::string& path) {
  mpg123_handle* mh = mpg123_new(nullptr, nullptr);
  mpg123_param(mh, MPG123_FLAGS, MPG123_QUIET, 0);
  mpg123_format_none(mh);
  mpg123_format(mh, 44100, MPG123_STEREO, MPG123_ENC_SIGNED_16);
  uint64_t total = 0;
  if (mpg123_open(mh, path.c_str()) == MPG123_OK) {
    std::vector<unsigned char> chunk(8192);
    size_t done = 0;
    for (;;) {
      const int rc = mpg123_read(mh, chunk.data(), chunk.size(), &done);
      total += done;
      if (rc != MPG123_OK && rc != MPG123_NEW_FORMAT) break;
    }
    mpg123_close(mh);
  }
  mpg123_delete(mh);
  return total;
}

void run(benchmark::State& state, uint64_t (*decode)(const std::string&)) {
  const std::string& path = songPath();
  if (path.empty()) {
    state.SkipWithError("cannot make the test song (sox and lame are needed)");
    return;
  }
  for (auto _ : state) {
    const uint64_t bytes = decode(path);
    benchmark::DoNotOptimize(bytes);
    if (bytes < 44100ull * 4 * 299) state.SkipWithError("the song did not decode whole");
  }
  state.counters["x_realtime"] =
      benchmark::Counter(kSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void Mp3Source(benchmark::State& state) { run(state, decodeThroughSource); }
void Libmpg123Alone(benchmark::State& state) { run(state, decodeWithLibmpg123); }

}  // namespace

BENCHMARK(Mp3Source)->Unit(benchmark::kMillisecond);
BENCHMARK(Libmpg123Alone)->Unit(benchmark::kMillisecond);
