// A process killed while it saves a play list must leave the list file whole: the list as it was
// before, or as it was being written, never a mix or a cut-off document.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "s/sound/mp3/win/Info.h"
#include "tests/s/sound/gui/dialogs/player/PlayListFixtures.h"

namespace {

using namespace playlist_test;
using s::sound::gui::dialogs::player::PlayListFile;

// `count` MP3 songs made in memory, tagged, none of them read from a file.
void fill(PlayList* list, int count, const std::u16string& folder) {
  for (int i = 0; i < count; ++i) {
    auto* record = s::sound::mp3::win::Info::create();
    const std::u16string n = wide(std::to_string(i));
    record->setPath(folder + u"/Artist " + n + u"/Song " + n + u".mp3");
    record->setTitle(u"Title «" + n + u"» & more");
    record->setArtist(u"Artist " + n);
    record->setAlbum(u"Album");
    record->setPlayTimeMs(180000 + i);
    list->adoptLoaded(record, false, nullptr);
  }
}

TEST(PlayListCrash, AListKilledWhileSavingIsTheOldOrTheNewListWhole) {
  testing_support::TempDir dir;
  const std::u16string target = wide(dir.file("big.mpl"));
  constexpr int kOld = 3000, kNew = kOld + 1;
  PooledList before, after;
  fill(before.list, kOld, u"/music/old");
  fill(after.list, kNew, u"/music/new");
  ASSERT_TRUE(PlayListFile::saveList(nullptr, before.list, target, nullptr));

  // How long one save takes here, so that the kills spread over whole saves.
  const auto began = std::chrono::steady_clock::now();
  ASSERT_TRUE(PlayListFile::saveList(nullptr, after.list, target, nullptr));
  const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - began);

  std::mt19937 random(20260101u);
  std::uniform_int_distribution<long> delay(0, 2 * oneSave.count());
  constexpr int kKills = 25;
  for (int kill = 1; kill <= kKills; ++kill) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Saves the two lists in turn until killed.
      for (long i = 0;; ++i)
        PlayListFile::saveList(nullptr, i % 2 ? before.list : after.list, target, nullptr);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    // A cut-off document would load as damaged; a mix would hold songs of both lists.
    PooledList loaded;
    PlayListFile::LoadResult result = PlayListFile::loadList(loaded.list, target, nullptr);
    ASSERT_EQ(result.status, PlayListFile::LoadResult::kLoaded) << "kill " << kill << ": "
                                                               << result.reason;
    const int length = loaded->getSongCount();
    ASSERT_TRUE(length == kOld || length == kNew) << length;
    EXPECT_EQ(loaded->getSong(0)->getPath().find(length == kOld ? u"/music/old/" : u"/music/new/"),
              0u);
    const std::u16string_view last = loaded->getSong(length - 1)->getPath();
    EXPECT_EQ(last.find(length == kOld ? u"/music/old/" : u"/music/new/"), 0u);
  }
  // A stale ".tmp" of the last kill is no obstacle.
  EXPECT_TRUE(PlayListFile::saveList(nullptr, before.list, target, nullptr));
}

}  // namespace
