// The play list reader on any file: the bytes become a ".mpl" file beside two real songs, are
// opened as a list, and whatever was read must save and read back as the same songs in the same
// order with the same numbers, boosts and tags. A file that could not be read must give an
// empty list that refuses to be written over it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "s/gui/win/ListBox2.h"
#include "s/sound/IInfo.h"
#include "s/sound/gui/dialogs/player/ListColumns.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "s/sound/mp3/TagFields.h"
#include "s/sound/mp3/win/Info.h"
#include "tests/fuzz/TextSeeds.h"
#include "tests/support/TempDir.h"

namespace {

using s::sound::IInfo;
using s::sound::gui::dialogs::player::PlayList;
using s::sound::gui::dialogs::player::PlayListFile;
using s::sound::mp3::TagFields;
using Mp3Info = s::sound::mp3::win::Info;

void writeBytes(const std::string& path, const void* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void put(std::string& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<char>(v >> (8 * i)));
}

// A folder made once per process with one WAVE song beside the list and one MP3 song in a
// subfolder, so relative entries can find existing files and missing ones alike.
struct Scene {
  testing_support::TempDir dir;
  std::u16string list, again;
  Scene() {
    std::string wave = "RIFF";
    put(wave, 36 + 32, 4);
    wave += "WAVEfmt ";
    put(wave, 16, 4);
    put(wave, 1, 2);
    put(wave, 1, 2);
    put(wave, 8000, 4);
    put(wave, 16000, 4);
    put(wave, 2, 2);
    put(wave, 16, 2);
    wave += "data";
    put(wave, 32, 4);
    wave.append(32, '\x10');
    writeBytes(dir.file("song.wav"), wave.data(), wave.size());
    std::string mp3 = "\xff\xfb\x90\x00";
    mp3.resize(417 * 3, '\x55');
    std::filesystem::create_directories(dir.file("sub"));
    writeBytes(dir.file("sub/tune.mp3"), mp3.data(), mp3.size());
    list = platform::text::fileNameToUtf16(dir.file("list.mpl"));
    again = platform::text::fileNameToUtf16(dir.file("again.mpl"));
  }
};

Scene& scene() {
  static Scene made;
  return made;
}

[[noreturn]] void fault(const char* what) {
  std::fprintf(stderr, "play list round trip: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Scene& at = scene();
  writeBytes(platform::text::fileNameFromUtf16(at.list), data, size);

  PlayListFile::LoadResult first;
  PlayList* list = PlayListFile::openListFile(at.list, &first);
  if (first.failed()) {
    if (list->getSongCount() != 0) fault("a list that failed to load has songs");
    if (PlayListFile::saveList(nullptr, list, at.list, nullptr))
      fault("a failed list was saved over");
  }
  if (first.added != list->getSongCount()) fault("the count of added songs is wrong");
  if (!PlayListFile::saveList(nullptr, list, at.again, nullptr))
    fault("the list could not be saved");

  // Read back through a view, as the player adds a list file's songs to the shown list.
  s::gui::win::ListBox2* view = s::gui::win::ListBox2::create();
  s::sound::gui::dialogs::player::addSongColumns(*view, nullptr);
  PlayList* back = PlayList::create();
  PlayListFile::LoadResult second = PlayListFile::loadList(back, at.again, view);
  if (second.status != PlayListFile::LoadResult::kLoaded) fault("the saved list did not load");
  if (back->getSongCount() != list->getSongCount()) fault("the song count changed");
  if (view->getRowCount() != back->getSongCount()) fault("the view lacks rows");
  for (int i = 0; i < list->getSongCount(); ++i) {
    IInfo* before = list->getSong(i);
    IInfo* after = back->getSong(i);
    if (after->getPath() != before->getPath()) {
      std::fprintf(stderr, "song %d: \"%s\" came back as \"%s\"\n", i,
                   platform::text::utf16ToUtf8(before->getPath()).c_str(),
                   platform::text::utf16ToUtf8(after->getPath()).c_str());
      fault("a path changed");
    }
    if (after->getFileType() != before->getFileType()) fault("a song's type changed");
    if (after->getSongNumber() != before->getSongNumber()) fault("a song number changed");
    if (after->getVolumeBoost() != before->getVolumeBoost()) fault("a volume boost changed");
    if (PlayList::recordOf(view->getRow(i)) != after) fault("the view's order differs");
    auto* mp3Before = dynamic_cast<Mp3Info*>(before);
    auto* mp3After = dynamic_cast<Mp3Info*>(after);
    for (int field = 0; mp3Before && mp3After && field < TagFields::kCount; ++field) {
      if (mp3After->getTag(field).view() != mp3Before->getTag(field).view())
        fault("a tag's text changed");
      const auto& a = mp3After->getTagBytes(field);
      const auto& b = mp3Before->getTagBytes(field);
      if (mp3Before->hasTag(field) &&
          (a.size() != b.size() || (a.size() && std::memcmp(a.bytes(), b.bytes(), a.size()))))
        fault("a tag's bytes changed");
      if (mp3Before->hasTag(field) &&
          mp3After->getTagCodePage(field) != mp3Before->getTagCodePage(field))
        fault("a tag's code page changed");
    }
  }
  // A dropped duplicate may have used up a number, so the first load can be ahead, never behind.
  if (back->getNextSongNumber() > list->getNextSongNumber()) fault("the next number grew");
  view->removeAll();
  view->release();
  back->release();
  list->release();
  return 0;
}

namespace {

const char* const kSeeds[] = {
    "<PlayListXml><Generator Application=\"Pruv Sonvia\" Version=\"1.0\" URL=\"x\"></Generator>"
    "<PlayList length=\"4\" filePath=\"/nowhere/list.mpl\">"
    "<_0 type=\"wav\" filePath=\"song.wav\" songNumber=\"3\" playTimeMilliSec=\"200\" "
    "isStereo=\"0\" sampleRate=\"8000\" individualVolumeBoost=\"15\"></_0>"
    "<_1 type=\"mp3\" filePath=\"sub/tune.mp3\" songNumber=\"1\" playTimeMilliSec=\"1000\" "
    "bitRateKBps=\"128\" isStereo=\"1\" sampleRate=\"44100\" title=\"T &amp; &#13;\" "
    "titleBytes=\"5400\" titleCodePage=\"1252\" titleCodePageName=\"windows-1252\"></_1>"
    "<_2 type=\"wav\" filePath=\"/missing/a.wav\"></_2>"
    "<_3 type=\"MP3\" filePath=\"..\\up\\b.mp3\" songNumber=\"2147483647\"></_3>"
    "</PlayList></PlayListXml>",
    "<PlayListXml><PlayList length=\"3\"><_2 type=\"wav\" filePath=\"C:\\Music\\x.wav\"></_2>"
    "<_0 type=\"wav\" filePath=\"\\\\server\\share\\y.wav\"></_0><_01 type=\"wav\"></_01>"
    "<_1 type=\"ogg\" filePath=\"./song.wav\"></_1></PlayList></PlayListXml>",
    "<PlayListXml><PlayList length=\"2\" filePath=\"\"><_0 type=\"wav\" filePath=\".\"></_0>"
    "<_1 type=\"wav\" filePath=\"song.wav\" songNumber=\"-7\"></_1><_1 type=\"mp3\"></_1>"
    "</PlayList></PlayListXml>",
    "\xEF\xBB\xBF<PlayListXml><PlayList length=\"-1\"></PlayList></PlayListXml>",
    "<SkinSetXml></SkinSetXml>",
    "<PlayListXml><PlayList length=\"9\"><_0 type=\"wav\" filePath=\"song.wav\">",
};

}  // namespace

SONVIA_TEXT_SEEDS(kSeeds)
