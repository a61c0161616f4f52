// Other players' lists of a million entries, generated as files: an .m3u in Windows-1252 (read
// twice: once to learn it is not UTF-8) with relative, file:// and web entries, and a .pls whose
// numbers run backwards. Reading must stay linear in the entries.
//
// Budgets on the development machine (release build): BM_ReadM3u and BM_ReadPls at most 1.5 s
// each for the million entries, files not looked up.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/text/Utf.h"
#include "s/sound/gui/dialogs/player/ForeignListFile.h"

namespace {

using s::sound::gui::dialogs::player::ForeignListFile;

constexpr int kEntries = 1000000;

std::string folder() {
  const auto path = std::filesystem::temp_directory_path() / "sonvia-foreign-list-bench";
  std::filesystem::create_directories(path);
  return path.string();
}

std::u16string write(const std::string& name, const std::string& text) {
  const std::string path = folder() + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return platform::text::fileNameToUtf16(path);
}

const std::u16string& m3uFile() {
  static const std::u16string path = [] {
    std::string text = "#EXTM3U\r\n";
    for (int i = 0; i < kEntries; ++i) {
      const std::string n = std::to_string(i);
      text += "#EXTINF:215,Artiste " + n + " - Caf\xE9 " + n + "\r\n";
      if (i % 10 == 0)
        text += "http://radio.example/stream/" + n + "\r\n";
      else if (i % 10 == 1)
        text += "file:///music/Albums/Caf%C3%A9%20" + n + "/track.mp3\r\n";
      else
        text += "..\\Albums\\Caf\xE9 " + std::to_string(i / 12) + "\\" + n + " Chanson.mp3\r\n";
    }
    return write("big.m3u", text);
  }();
  return path;
}

const std::u16string& plsFile() {
  static const std::u16string path = [] {
    std::string text = "[playlist]\nNumberOfEntries=" + std::to_string(kEntries) + "\n";
    for (int i = kEntries; i > 0; --i) {
      const std::string n = std::to_string(i);
      text += "File" + n + "=Albums/Album " + std::to_string(i / 12) + "/" + n + " Song.mp3\n";
      text += "Title" + n + "=Song " + n + "\nLength" + n + "=215\n";
    }
    text += "Version=2\n";
    return write("big.pls", text);
  }();
  return path;
}

void BM_ReadM3u(benchmark::State& state) {
  const std::u16string& path = m3uFile();
  for (auto _ : state) {
    ForeignListFile::Result result = ForeignListFile::read(path, false);
    if (result.paths.size() != kEntries * 9 / 10) state.SkipWithError("entries were lost");
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_ReadM3u)->Unit(benchmark::kMillisecond);

void BM_ReadPls(benchmark::State& state) {
  const std::u16string& path = plsFile();
  for (auto _ : state) {
    ForeignListFile::Result result = ForeignListFile::read(path, false);
    if (result.paths.size() != kEntries) state.SkipWithError("entries were lost");
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_ReadPls)->Unit(benchmark::kMillisecond);

}  // namespace
