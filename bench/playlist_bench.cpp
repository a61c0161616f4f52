// A play list of 100,000 MP3 songs, each entry as the player writes it (tags with their bytes
// and code pages), generated as an .mpl file.
//
// Budgets on the development machine: BM_LoadList and BM_SaveList at most 1 s each,
// BM_SortByTitle (one header click on the list view) at most 0.3 s.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/text/Utf.h"
#include "s/gui/win/ListBox2.h"
#include "s/sound/gui/dialogs/player/ListColumns.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "s/system/codepage/CodePageList.h"

namespace {

using s::sound::gui::dialogs::player::PlayList;
using s::sound::gui::dialogs::player::PlayListFile;

constexpr int kSongs = 100000;

std::string hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out + "00";
}

// One tag as the MP3 record saves it: text, bytes with their terminator, code page.
std::string tag(const std::string& key, const std::string& text, const std::string& codePage,
                int number) {
  return " " + key + "=\"" + text + "\" " + key + "Bytes=\"" + hex(text) + "\" " + key +
         "CodePage=\"" + std::to_string(number) + "\" " + key + "CodePageName=\"" + codePage +
         "\"";
}

const std::string& listFile() {
  static const std::string path = [] {
    const std::string folder =
        (std::filesystem::temp_directory_path() / "sonvia-playlist-bench").string();
    std::filesystem::create_directories(folder);
    const std::string file = folder + "/big.mpl";
    const auto* western = s::system::codepage::CodePageList::byNumber(1252);
    const std::string name = western ? platform::text::utf16ToUtf8(western->getName()) : "";
    std::mt19937 random(7);
    std::string text = "<PlayListXml><Generator Application=\"Pruv Sonvia\" Version=\"1.56\" "
                       "URL=\"\"></Generator><PlayList length=\"" + std::to_string(kSongs) +
                       "\" filePath=\"" + file + "\">";
    for (int i = 0; i < kSongs; ++i) {
      const std::string n = std::to_string(random() % 1000000);
      const std::string artist = "Artist " + std::to_string(i % 700);
      text += "<_" + std::to_string(i) + " type=\"mp3\" filePath=\"/home/user/Music/" + artist +
              "/Album " + std::to_string(i % 50) + "/" + std::to_string(i) + " Song " + n +
              ".mp3\" songNumber=\"" + std::to_string(i + 1) + "\" playTimeMilliSec=\"" +
              std::to_string(120000 + random() % 300000) +
              "\" bitRateKBps=\"192\" isStereo=\"1\" sampleRate=\"44100\"" +
              tag("title", "Song " + n, name, 1252) + tag("artist", artist, name, 1252) +
              tag("album", "Album " + std::to_string(i % 50), name, 1252) +
              tag("genre", "Rock", name, 1252) + "></_" + std::to_string(i) + ">";
    }
    text += "</PlayList></PlayListXml>";
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }();
  return path;
}

std::u16string wide(const std::string& path) { return platform::text::fileNameToUtf16(path); }

void BM_LoadList(benchmark::State& state) {
  const std::u16string file = wide(listFile());
  for (auto _ : state) {
    PlayList* list = PlayList::create();
    PlayListFile::LoadResult result = PlayListFile::loadList(list, file, nullptr);
    if (result.added != kSongs) state.SkipWithError("not every song was loaded");
    state.PauseTiming();
    list->release();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadList)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SaveList(benchmark::State& state) {
  PlayList* list = PlayList::create();
  PlayListFile::loadList(list, wide(listFile()), nullptr);
  const std::u16string copy = wide(listFile() + ".saved.mpl");
  for (auto _ : state)
    if (!PlayListFile::saveList(nullptr, list, copy, nullptr)) state.SkipWithError("save failed");
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(listFile() + ".saved.mpl"));
  list->release();
}
BENCHMARK(BM_SaveList)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortByTitle(benchmark::State& state) {
  PlayList* list = PlayList::create();
  PlayListFile::loadList(list, wide(listFile()), nullptr);
  s::gui::win::ListBox2* view = s::gui::win::ListBox2::create();
  s::sound::gui::dialogs::player::addSongColumns(*view, nullptr);
  for (auto _ : state) {
    state.PauseTiming();
    view->removeAll();
    list->showInView(view);  // the unsorted order again
    state.ResumeTiming();
    view->clickColumn(s::sound::gui::dialogs::player::kTitleColumn);
  }
  view->removeAll();
  view->release();
  list->release();
}
BENCHMARK(BM_SortByTitle)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
