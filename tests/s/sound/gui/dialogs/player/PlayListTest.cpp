#include "s/sound/gui/dialogs/player/PlayList.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "s/gui/listbox2/Record.h"
#include "s/gui/win/ListBox2.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/gui/dialogs/player/ListColumns.h"
#include "s/sound/mp3/win/Info.h"
#include "s/thread/win/Thread.h"
#include "tests/s/sound/gui/dialogs/player/PlayListFixtures.h"

namespace {

using namespace playlist_test;
using s::gui::win::ListBox2;
namespace fs = std::filesystem;

// A view with the song columns, emptied and given back before the list it shows.
struct View {
  ListBox2* view = ListBox2::create();
  View() { s::sound::gui::dialogs::player::addSongColumns(*view, nullptr); }
  ~View() {
    view->removeAll();
    view->release();
  }
  ListBox2* operator->() const { return view; }
  operator ListBox2*() const { return view; }
};

IInfo* recordOfRow(ListBox2* view, int i) {
  return dynamic_cast<IInfo*>(view->getRow(i)->getUserData());
}

class PlayListTest : public ::testing::Test {
 protected:
  std::string song(const std::string& name) {
    std::string path = dir_.file(name);
    if (!fs::exists(path)) {
      EXPECT_TRUE(makeSong(path)) << path;
    }
    return path;
  }
  PlayList::Row* add(PlayList* list, const std::string& name, ListBox2* view = nullptr) {
    return list->addFile(nullptr, wide(song(name)), view, nullptr, nullptr, nullptr, -1);
  }
  int rowOf(ListBox2* view, const std::string& name) {
    for (int i = 0; i < view->getRowCount(); ++i)
      if (narrow(recordOfRow(view, i)->getPath()) == dir_.file(name)) return i;
    return -1;
  }

  testing_support::TempDir dir_;
};

// Each step is "add X", "remove X" (its row selected and removed), "drop X" (its row taken out
// of the view, then the list brought in step), "delete X" (the file), "missing" (removeMissing)
// or "clear"; the result is "name=number ..." in list order and the next number.
TEST_F(PlayListTest, SongNumbersFollowAdditionsAndRemovals) {
  struct Case {
    const char* name;
    std::vector<std::string> steps;
    const char* songs;
    int next;
  } cases[] = {
      {"a new list counts from 1", {"add a", "add b", "add c"}, "a=1 b=2 c=3", 4},
      {"the largest number removed is given again",
       {"add a", "add b", "add c", "remove c", "add d"}, "a=1 b=2 d=3", 4},
      {"a number below the largest is not", {"add a", "add b", "add c", "remove b", "add d"},
       "a=1 c=3 d=4", 5},
      {"clearing starts again at 1", {"add a", "add b", "clear", "add c"}, "c=1", 2},
      {"a song gone from disk is taken out", {"add a", "add b", "add c", "delete b", "missing"},
       "a=1 c=3", 4},
      {"with every file there, nothing changes, not even the next number",
       {"add a", "add b", "add c", "drop c", "missing"}, "a=1 b=2", 4},
      {"the same file twice is one song", {"add a", "add a", "add b"}, "a=1 b=2", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::TempDir caseDir;
    PooledList list;
    View view;
    auto path = [&](const std::string& name) { return caseDir.file(name + ".wav"); };
    for (const std::string& step : c.steps) {
      std::string verb = step.substr(0, step.find(' '));
      std::string name = step.substr(step.find(' ') + 1);
      if (verb == "add") {
        if (!fs::exists(path(name))) {
          ASSERT_TRUE(makeSong(path(name)));
        }
        list->addFile(nullptr, wide(path(name)), view, nullptr, nullptr, nullptr, -1);
      } else if (verb == "remove" || verb == "drop") {
        int row = -1;
        for (int i = 0; i < view->getRowCount(); ++i)
          if (narrow(recordOfRow(view, i)->getPath()) == path(name)) row = i;
        ASSERT_GE(row, 0) << step;
        if (verb == "remove") {
          view->selectAll(false);
          view->select(row);
          list->removeSelected(view, -1, false, nullptr, nullptr);
        } else {
          view->removeRow(row);
          list->syncFromView(view);
        }
      } else if (verb == "delete") {
        fs::remove(path(name));
      } else if (verb == "missing") {
        list->removeMissing(view, false, -1, nullptr);
      } else if (verb == "clear") {
        list->clearAll(view);
      }
    }
    std::ostringstream songs;
    for (int i = 0; i < list->getSongCount(); ++i)
      songs << (i ? " " : "") << fs::path(narrow(list->getSong(i)->getPath())).stem().string()
            << "=" << list->getSong(i)->getSongNumber();
    EXPECT_EQ(songs.str(), c.songs);
    EXPECT_EQ(list->getNextSongNumber(), c.next);
    EXPECT_EQ(view->getRowCount(), list->getSongCount());
  }
}

TEST_F(PlayListTest, OnlyExistingSongFilesOfTheTwoTypesAreAdded) {
  fs::create_directories(dir_.file("folder.wav"));
  std::ofstream(dir_.file("list.m3u")) << "#EXTM3U\n";
  std::ofstream(dir_.file("cover.png")) << "PNG";
  ASSERT_TRUE(makeSong(dir_.file("loud.WAV")));
  ASSERT_TRUE(makeSong(dir_.file("tune.MP3")));
  struct Case {
    const char* name;
    bool added;
  } cases[] = {
      {"loud.WAV", true},  {"tune.MP3", true},    {"list.m3u", false},
      {"cover.png", false}, {"absent.wav", false}, {"folder.wav", false},
  };
  PooledList list;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    s::sound::IEncodedAudio* source = nullptr;
    PlayList::Row* row =
        list->addFile(nullptr, wide(dir_.file(c.name)), nullptr, nullptr, &source, nullptr, -1);
    EXPECT_EQ(row != nullptr, c.added);
    EXPECT_EQ(source != nullptr, c.added);  // the opened source is handed over
    EXPECT_EQ(list->containsPath(wide(dir_.file(c.name))), c.added);
    if (source) source->release();
  }
  EXPECT_EQ(list->getSongCount(), 2);
}

// Linux file names differ by case: "Song.wav" and "song.wav" are two files and two songs; the
// same path again is the same song, whose row comes back with the file read again.
TEST_F(PlayListTest, DuplicatePathsAreOneSongAndPathsDifferingInCaseAreTwo) {
  PooledList list;
  View view;
  const std::string upper = song("Song.mp3"), lower = song("song.mp3");
  PlayList::Row* first = add(list.list, "Song.mp3", view);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(list->addFile(nullptr, wide(upper), nullptr, nullptr, nullptr, nullptr, -1), nullptr);

  ASSERT_TRUE(tag_test_files::run("id3v2 -t Retitled -a Someone " + upper));
  std::u16string title;
  int32_t boost = -1;
  PlayList::Row* again =
      list->addFile(nullptr, wide(upper), view, &title, nullptr, &boost, -1);
  EXPECT_EQ(again, first);
  EXPECT_EQ(title, u"Retitled - Someone");
  EXPECT_EQ(boost, 0);
  EXPECT_EQ(list->getSong(0)->getTitle(), u"Retitled");
  EXPECT_EQ(first->getCellText(1), u"Retitled");  // the row shows what was read again

  ASSERT_NE(add(list.list, "song.mp3", view), nullptr);
  EXPECT_EQ(paths(*list), (std::vector<std::string>{upper, lower}));
  EXPECT_EQ(view->getRowCount(), 2);
}

TEST_F(PlayListTest, ATemplateCarriesTheListsOwnValuesButNotTheFilesOthers) {
  const std::string path = song("tagged.mp3");
  ASSERT_TRUE(tag_test_files::run("id3v2 -t FileTitle -y 1999 " + path));
  s::sound::mp3::win::Info* templ = s::sound::mp3::win::Info::create();
  templ->setTitle(u"Set in the list");
  templ->setArtist(u"Artist");
  templ->setAlbum(u"Album");
  templ->setGenre(u"Genre");
  templ->setYear(u"2024");
  templ->setVolumeBoost(30);
  PooledList list;
  std::u16string title;
  int32_t boost = -1;
  ASSERT_NE(list->addFile(templ, wide(path), nullptr, &title, nullptr, &boost, -1), nullptr);
  templ->release();
  IInfo* record = list->getSong(0);
  EXPECT_EQ(record->getTitle(), u"Set in the list");
  EXPECT_EQ(record->getArtist(), u"Artist");
  EXPECT_EQ(record->getAlbum(), u"Album");
  EXPECT_EQ(record->getGenre(), u"Genre");
  EXPECT_EQ(record->getYear(), u"1999");  // the year is the file's
  EXPECT_EQ(record->getVolumeBoost(), 30);
  EXPECT_EQ(title, u"Set in the list - Artist");
  EXPECT_EQ(boost, 0);  // reported for a new song as "none yet"
}

TEST_F(PlayListTest, DisplayTitleTakesWhatTheRecordHas) {
  s::sound::mp3::win::Info* record = s::sound::mp3::win::Info::create();
  record->setPath(u"/music/Some Song.mp3");
  struct Case {
    const char16_t* title;
    const char16_t* artist;
    const char16_t* shown;
  } cases[] = {{u"T", u"A", u"T - A"}, {u"T", u"", u"T"}, {u"", u"A", u"A"},
               {u"", u"", u"Some Song"}};
  for (const Case& c : cases) {
    record->setTitle(c.title);
    record->setArtist(c.artist);
    EXPECT_EQ(PlayList::displayTitle(record), c.shown);
  }
  record->release();
}

// Files of a folder by name, then each subfolder by name, depth first; links to folders lead
// nowhere (one of them points back up), links to files are songs of their own.
TEST_F(PlayListTest, AFolderIsAddedDepthFirstInNameOrderWithoutFollowingFolderLinks) {
  const std::string root = dir_.file("music");
  for (const char* name : {"b.wav", "a.mp3", "sub2/c.wav", "sub1/d.wav", "sub1/deeper/e.wav"})
    ASSERT_TRUE(makeSong(root + "/" + name));
  ASSERT_TRUE(makeSong(dir_.file("outside/x.wav")));
  std::ofstream(root + "/notes.txt") << "not a song";
  fs::create_directory_symlink(root, root + "/sub1/loop");
  fs::create_directory_symlink(dir_.file("outside"), root + "/elsewhere");
  fs::create_symlink(root + "/sub2/c.wav", root + "/c-link.wav");

  PooledList list;
  View view;
  EXPECT_EQ(list->addFolder(wide(root), view), 6);
  EXPECT_EQ(paths(*list), (std::vector<std::string>{
                              root + "/a.mp3", root + "/b.wav", root + "/c-link.wav",
                              root + "/sub1/d.wav", root + "/sub1/deeper/e.wav",
                              root + "/sub2/c.wav"}));
  EXPECT_EQ(numbers(*list), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(view->getRowCount(), 6);
  EXPECT_EQ(list->addFolder(wide(root), view), 0);  // all known already
}

// Another player's list adds its songs in its order, as if each were added by hand; what it
// names that is no song (a folder, another list) is counted, never followed.
TEST_F(PlayListTest, AnotherPlayersListAddsItsSongsInOrderAndCountsWhatItPassesOver) {
  const std::string b = song("songs/b.wav"), a = song("songs/a.mp3"),
                    c = song("songs/album/c.wav");
  std::ofstream(dir_.file("songs/notes.txt")) << "not a song";
  std::ofstream(dir_.file("songs/inner.m3u")) << "b.wav\n";
  const std::string list = dir_.file("songs/mix.m3u");
  std::ofstream(list) << "#EXTM3U\n#EXTINF:1,Bee\nb.wav\nhttp://radio.example/live\n"
                         "album\nnotes.txt\ninner.m3u\ngone.wav\nfile://" + a +
                         "\nb.wav\nalbum/c.wav\n";

  PooledList songs;
  View view;
  add(songs.list, "songs/a.mp3", view);
  const auto result = songs->addListFile(wide(list), view);
  EXPECT_TRUE(result.opened);
  EXPECT_EQ(result.added, 2);
  EXPECT_EQ(paths(*songs), (std::vector<std::string>{a, b, c}));
  EXPECT_EQ(numbers(*songs), (std::vector<int>{1, 2, 3}));
  ASSERT_EQ(view->getRowCount(), 3);
  EXPECT_EQ(narrow(recordOfRow(view, 2)->getPath()), c);
  EXPECT_EQ(result.summary(),
            "added 2 songs; skipped 7: 1 web address (streams are not played), 1 missing file, "
            "3 entries that are not songs (.mp3 or .wav), 2 songs already in the list");

  const auto none = songs->addListFile(wide(dir_.file("songs/absent.pls")), view);
  EXPECT_FALSE(none.opened);
  EXPECT_EQ(songs->getSongCount(), 3);
}

// The list owns its records; the view only shows their rows. Every way a song leaves the list
// takes its row out of the view first, and a row taken out of the view by the user leaves its
// record alone until the list is brought in step.
TEST_F(PlayListTest, RowsLeaveTheViewBeforeTheirRecordsGo) {
  PooledList list;
  View view;
  for (const char* name : {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"})
    ASSERT_NE(add(list.list, name, view), nullptr);

  view->select(rowOf(view, "b.wav"));
  view->select(rowOf(view, "d.wav"));
  bool wasCurrent = false;
  std::vector<std::u16string> removed;
  list->removeSelected(view, rowOf(view, "d.wav"), true, &wasCurrent, &removed);
  EXPECT_TRUE(wasCurrent);
  EXPECT_EQ(removed, (std::vector<std::u16string>{wide(dir_.file("d.wav")),
                                                  wide(dir_.file("b.wav"))}));
  view->select(rowOf(view, "a.wav"));
  list->removeSelected(view, rowOf(view, "c.wav"), true, &wasCurrent, nullptr);
  EXPECT_FALSE(wasCurrent);

  fs::remove(dir_.file("e.wav"));
  list->removeMissing(view, true, rowOf(view, "e.wav"), &wasCurrent);
  EXPECT_TRUE(wasCurrent);

  // The user dragged c out of sight: its record stays until the list follows the view.
  PlayList::Row* row = view->removeRow(0);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(list->getSongCount(), 1);
  EXPECT_EQ(dynamic_cast<IInfo*>(row->getUserData()), list->getSong(0));
  list->syncFromView(view);
  EXPECT_EQ(list->getSongCount(), 0);
  EXPECT_FALSE(list->containsPath(wide(dir_.file("c.wav"))));

  // Every row still shown belongs to a live record (the sanitizer would see a freed one).
  for (const char* name : {"f.wav", "g.wav"}) add(list.list, name, view);
  list->clearAll(view);
  EXPECT_EQ(view->getRowCount(), 0);
  EXPECT_EQ(list->getNextSongNumber(), 1);
}

TEST_F(PlayListTest, InsertingAtARowAndShowingAgainKeepTheViewAndListApart) {
  PooledList list;
  View view;
  add(list.list, "a.wav", view);
  add(list.list, "b.wav", view);
  ASSERT_NE(list->addFile(nullptr, wide(song("c.wav")), view, nullptr, nullptr, nullptr, 0),
            nullptr);
  EXPECT_EQ(rowOf(view, "c.wav"), 0);
  // The list keeps the order of adding until it follows the view.
  EXPECT_EQ(paths(*list), (std::vector<std::string>{dir_.file("a.wav"), dir_.file("b.wav"),
                                                    dir_.file("c.wav")}));
  list->renumberFromView(view);
  EXPECT_EQ(paths(*list), (std::vector<std::string>{dir_.file("c.wav"), dir_.file("a.wav"),
                                                    dir_.file("b.wav")}));
  EXPECT_EQ(numbers(*list), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(view->getRow(0)->getCellText(0), u"1");
  EXPECT_EQ(list->getNextSongNumber(), 4);

  view->removeAll();
  list->showInView(view);
  ASSERT_EQ(view->getRowCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(recordOfRow(view, i), list->getSong(i));
}

TEST_F(PlayListTest, SortingByTitleAndRenumberingGivesOneToNTopDown) {
  PooledList list;
  View view;
  for (const char* name : {"b.wav", "c.wav", "a.wav"}) add(list.list, name, view);
  view->clickColumn(1);  // Title: the file name without extension for WAVE songs
  list->renumberFromView(view);
  EXPECT_EQ(paths(*list), (std::vector<std::string>{dir_.file("a.wav"), dir_.file("b.wav"),
                                                    dir_.file("c.wav")}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(view->getRow(i)->getCellText(0), std::u16string(1, u'1' + i));
}

// A task that runs until the list is being reset.
struct UntilStopped : s::thread::ITask {
  PlayList* list = nullptr;
  std::atomic<bool> started{false};
  void run() override {
    started = true;
    while (!list->isStopping()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
};

TEST_F(PlayListTest, GivingAListBackStopsItsWorkerAndEmptiesIt) {
  PlayList* list = PlayList::create();
  add(list, "a.wav");
  list->setName(u"Mine");
  list->setFilePath(u"/tmp/x.mpl");
  EXPECT_EQ(list->worker()->getPriority(), s::thread::win::Thread::kPriorityHighest);
  UntilStopped task;
  task.list = list;
  list->worker()->runOnce(&task);
  while (!task.started) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  list->reset();  // what the pool does with a list given back
  // The task saw the stop flag in time: the thread was not given up.
  EXPECT_TRUE(list->worker()->isIdle());
  EXPECT_EQ(list->worker()->abandonedCount(), 0);
  EXPECT_EQ(list->getSongCount(), 0);
  EXPECT_TRUE(list->getName().empty());
  EXPECT_TRUE(list->getFilePath().empty());
  EXPECT_EQ(list->getNextSongNumber(), 1);
  EXPECT_FALSE(list->isStopping());
  list->release();
}

}  // namespace
