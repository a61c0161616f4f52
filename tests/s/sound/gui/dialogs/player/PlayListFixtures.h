#pragma once
// Songs on disk and small helpers for the play list tests. WAVE songs are written directly, MP3
// songs are encoded by lame and tagged by id3v2, all in the test's own temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "s/sound/IInfo.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "tests/s/sound/mp3/TagTestFiles.h"
#include "tests/support/Signals.h"
#include "tests/support/TempDir.h"

namespace playlist_test {

using s::sound::IInfo;
using s::sound::gui::dialogs::player::PlayList;

inline std::u16string wide(const std::string& path) {
  return platform::text::fileNameToUtf16(path);
}
inline std::string narrow(std::u16string_view path) {
  return platform::text::fileNameFromUtf16(path);
}

// A song file at `path`, its kind by extension (any case): a short WAVE tone, or an untagged
// MP3. Folders on the way are made.
inline bool makeSong(const std::string& path, double seconds = 0.2) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == ".mp3") return tag_test_files::makeMp3(path);
  return testing_support::writeWave16(path, testing_support::sine16(440, seconds, 8000, 1), 8000,
                                      1);
}

// The songs' paths (narrow) in list order.
inline std::vector<std::string> paths(const PlayList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.getSongCount(); ++i) out.push_back(narrow(list.getSong(i)->getPath()));
  return out;
}

inline std::vector<int> numbers(const PlayList& list) {
  std::vector<int> out;
  for (int i = 0; i < list.getSongCount(); ++i) out.push_back(list.getSong(i)->getSongNumber());
  return out;
}

// A list taken from the pool and given back at the end of the scope.
struct PooledList {
  PlayList* list = PlayList::create();
  ~PooledList() { list->release(); }
  PlayList* operator->() const { return list; }
  PlayList& operator*() const { return *list; }
};

// A list file `folder`/`name`.mpl holding the WAVE songs `songs`, made beside it where missing.
inline std::string writeListFile(const std::string& folder, const std::string& name,
                                 const std::vector<std::string>& songs, s::lang::Localizer* texts) {
  const std::string path = folder + "/" + name + ".mpl";
  PooledList list;
  for (const std::string& song : songs) {
    const std::string file = folder + "/" + song;
    if (!std::filesystem::exists(file)) {
      EXPECT_TRUE(makeSong(file));
    }
    list->addFile(nullptr, wide(file), nullptr, nullptr, nullptr, nullptr, -1);
  }
  EXPECT_TRUE(s::sound::gui::dialogs::player::PlayListFile::saveList(texts, list.list, wide(path), nullptr));
  return path;
}

}  // namespace playlist_test
