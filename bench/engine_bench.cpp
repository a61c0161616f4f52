// Budget: rendering a 5-minute 128 kbit/s MP3 through the engine without effects reaches at least
// 0.85 x the throughput of decoding it alone (compare bytes_per_second of the two benchmarks).
// The CPU cost of real-time playback is measured by scripts/engine-cpu (at most 2 % of one core).
//
// On a shared machine wall-clock throughput drifts with the load; cpu_ms_per_song (every thread of
// the process) shows the engine's own cost next to the decoder's.
//
// The MP3 is made once per run with sox and lame in a temporary folder.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/text/Utf.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/SourceFactory.h"
#include "s/system/audio/win/Device.h"
#include "s/system/audio/win/Player.h"
#include "s/thread/Pooled.h"

namespace {

class SongFile {
 public:
  SongFile() {
    dir_ = std::filesystem::temp_directory_path() / ("sonvia-engine-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
    mp3_ = (dir_ / "five-minutes.mp3").string();
    const std::string wav = (dir_ / "five-minutes.wav").string();
    const std::string make = "sox -n -r 44100 -c 2 -b 16 '" + wav +
                             "' synth 300 sine 220 sine 330 tremolo 3 40 >/dev/null 2>&1 && lame --quiet -b 128 '" +
                             wav + "' '" + mp3_ + "' >/dev/null 2>&1";
    ok_ = std::system(make.c_str()) == 0;
    std::filesystem::remove(wav);
  }
  ~SongFile() { std::filesystem::remove_all(dir_); }
  bool ok() const { return ok_; }
  const std::string& mp3() const { return mp3_; }

 private:
  std::filesystem::path dir_;
  std::string mp3_;
  bool ok_ = false;
};

const SongFile& song() {
  static SongFile file;
  return file;
}

// CPU time of the whole process (every thread), in ms.
double processCpuMs() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

s::sound::IEncodedAudio* openSong() {
  return s::sound::SourceFactory::open(platform::text::fileNameToUtf16(song().mp3()));
}

void BM_DecodeAlone(benchmark::State& state) {
  if (!song().ok()) return state.SkipWithError("sox or lame failed");
  std::vector<uint8_t> chunk(8192);
  int64_t bytes = 0;
  const double cpuBefore = processCpuMs();
  for (auto _ : state) {
    s::sound::IEncodedAudio* source = openSong();
    uint32_t n = 0;
    while (source->read(chunk.data(), 8192, &n)) bytes += n;
    source->release();
  }
  state.SetBytesProcessed(bytes);
  state.counters["cpu_ms_per_song"] = (processCpuMs() - cpuBefore) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DecodeAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_RenderThroughEngine(benchmark::State& state) {
  if (!song().ok()) return state.SkipWithError("sox or lame failed");
  // Written to /dev/null: the budget is about the engine against the decoder, not about the disk
  // (with a real file both sides pay the same writes; see `sonvia-cli decode` against `render`).
  s::system::audio::win::Device device(-1, "file-fast:/dev/null", "render");
  int64_t bytes = 0;
  const double cpuBefore = processCpuMs();
  for (auto _ : state) {
    auto* player = s::system::audio::win::Player::create();
    player->setDevice(&device);
    player->play(s::thread::sharePooled(openSong()), nullptr, nullptr);
    // As often as `sonvia-cli render` looks.
    while (player->isActive()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    bytes += player->bytesQueued();
    player->release();
  }
  state.SetBytesProcessed(bytes);
  state.counters["cpu_ms_per_song"] = (processCpuMs() - cpuBefore) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_RenderThroughEngine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
