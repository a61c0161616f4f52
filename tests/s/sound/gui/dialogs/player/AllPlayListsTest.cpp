#include "s/sound/gui/dialogs/player/AllPlayLists.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "s/gui/listbox2/Record.h"
#include "s/gui/win/ListBox2.h"
#include "s/lang/Localizer.h"
#include "s/reg/MappedData.h"
#include "s/sound/gui/dialogs/player/ListColumns.h"
#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "s/sound/mp3/win/Info.h"
#include "tests/s/sound/gui/dialogs/player/PlayListFixtures.h"
#include "tests/support/ScopedEnv.h"

namespace {

using namespace playlist_test;
using s::gui::win::ListBox2;
using s::sound::gui::dialogs::player::AllPlayLists;
using s::sound::gui::dialogs::player::PlayListFile;
namespace fs = std::filesystem;

s::lang::Localizer* texts() {
  static std::unique_ptr<s::lang::Localizer> table = s::lang::Localizer::createFromResource();
  return table.get();
}

constexpr int kAsStored = INT_MIN;

// Settings in a registry hive of the test's own, the music folder in the test's folder.
class AllPlayListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    keep("XDG_CONFIG_HOME", dir_.file("config"));
    keep("XDG_MUSIC_DIR", dir_.file("music"));
    settings_ = s::reg::openRegistryStore(u"Software\\Pruv\\Pruv Sonvia\\SaveData");
    lists_ = AllPlayLists::create();
    view_ = ListBox2::create();
    s::sound::gui::dialogs::player::addSongColumns(*view_, nullptr);
  }
  void TearDown() override {
    lists_->clear(view_);
    lists_->release();
    view_->release();
    settings_->release();
    env_.restore();
  }
  void keep(const std::string& name, const std::string& value) { env_.set(name, value); }

  // A list file named `name`.mpl holding songs `songs` (WAVE files beside it).
  std::string listFile(const std::string& name, std::vector<std::string> songs = {}) {
    return writeListFile(dir_.file("lists"), name, songs, texts());
  }
  void store(const std::vector<std::string>& paths, int selected, int count = kAsStored) {
    for (std::size_t i = 0; i < paths.size(); ++i)
      settings_->setString(u"PlayLists", (u"_" + wide(std::to_string(i))).c_str(),
                           wide(paths[i]).c_str());
    settings_->setS32(u"PlayLists", u"NumOfPlayLists",
                      count != kAsStored ? count : static_cast<int>(paths.size()));
    settings_->setS32(u"PlayLists", u"SelectedPlayList", selected);
  }
  std::vector<std::string> openTitles() {
    std::vector<std::string> out;
    for (int i = 0; i < lists_->getListCount(); ++i)
      out.push_back(narrow(lists_->getList(i)->getFileTitle()));
    return out;
  }
  std::vector<std::string> viewPaths() {
    std::vector<std::string> out;
    for (int i = 0; i < view_->getRowCount(); ++i)
      out.push_back(narrow(dynamic_cast<IInfo*>(view_->getRow(i)->getUserData())->getPath()));
    return out;
  }

  testing_support::TempDir dir_;
  testing_support::ScopedEnv env_;
  s::reg::MappedData* settings_ = nullptr;
  AllPlayLists* lists_ = nullptr;
  ListBox2* view_ = nullptr;
};

TEST_F(AllPlayListsTest, RestoreOpensTheStoredListsThatRemainAndKeepsTheSelectionOnThem) {
  struct Case {
    const char* name;
    std::vector<std::string> stored;
    int selected;
    std::vector<std::string> deleted;
    std::string start;  // a list file name, "" for none
    std::vector<std::string> open;
    int expectSelected;
    int count = kAsStored;  // "NumOfPlayLists" when it differs from the stored paths
  } cases[] = {
      {"the selected list is gone", {"A", "B", "C"}, 1, {"B"}, "", {"A", "C"}, 0},
      {"a list before the selected one is gone", {"A", "B"}, 1, {"A"}, "", {"B"}, 0},
      {"the selection stays on its list", {"A", "B", "C"}, 2, {"B"}, "", {"A", "C"}, 1},
      {"a start list not stored is opened last and selected", {"A", "B"}, 0, {}, "D", {"A", "B", "D"}, 2},
      {"a start list already stored leaves the selection", {"A", "B"}, 1, {}, "A", {"A", "B"}, 1},
      {"a start list that is missing", {"A"}, 0, {"D"}, "D", {"A"}, 0},
      {"nothing stored: the default list", {}, 0, {}, "", {"DefaultPlayList"}, 0},
      {"every stored list gone: the default list", {"A", "B"}, 1, {"A", "B"}, "", {"DefaultPlayList"}, 0},
      {"a selection past the end", {"A", "B"}, 7, {}, "", {"A", "B"}, 1},
      {"a negative selection", {"A", "B"}, -5, {}, "", {"A", "B"}, 0},
      {"one file stored twice", {"A", "A", "B"}, 2, {}, "", {"A", "B"}, 1},
      {"a count far beyond the stored paths", {"A", "B"}, 1, {}, "", {"A", "B"}, 1, 2147483647},
      {"a negative count", {"A", "B"}, 1, {}, "", {"DefaultPlayList"}, 0, -4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::TempDir caseDir;
    settings_->removePath(u"PlayLists");
    std::vector<std::string> paths;
    for (const std::string& name : c.stored) paths.push_back(caseDir.file(name + ".mpl"));
    for (const std::string& path : paths) {
      PooledList empty;
      ASSERT_TRUE(PlayListFile::saveList(texts(), empty.list, wide(path), nullptr));
    }
    const std::string start = c.start.empty() ? "" : caseDir.file(c.start + ".mpl");
    if (!start.empty() && !fs::exists(start)) {
      PooledList empty;
      ASSERT_TRUE(PlayListFile::saveList(texts(), empty.list, wide(start), nullptr));
    }
    for (const std::string& name : c.deleted) fs::remove(caseDir.file(name + ".mpl"));
    store(paths, c.selected, c.count);

    lists_->clear(view_);
    lists_->restore(settings_, wide(start), view_, nullptr);
    EXPECT_EQ(openTitles(), c.open);
    EXPECT_EQ(lists_->getSelected(), c.expectSelected);
  }
  EXPECT_EQ(narrow(lists_->getList(0)->getFilePath()),
            dir_.file("music") + "/Pruv Sonvia/DefaultPlayList.mpl");
}

TEST_F(AllPlayListsTest, ASongToStartWithIsAddedToTheSelectedList) {
  store({listFile("A", {"a.wav"}), listFile("B", {"b.wav"})}, 1);
  const std::string song = dir_.file("start.wav");
  ASSERT_TRUE(makeSong(song));
  bool added = false;
  lists_->restore(settings_, wide(song), view_, &added);
  EXPECT_TRUE(added);
  EXPECT_EQ(viewPaths(), (std::vector<std::string>{dir_.file("lists/b.wav"), song}));
  EXPECT_EQ(lists_->selectedSongCount(), 2);
}

// Started with another player's list, the player adds its songs instead of taking the list for
// a song, and tells once what it passed over.
TEST_F(AllPlayListsTest, AnotherPlayersListToStartWithAddsItsSongs) {
  store({listFile("A", {"a.wav"})}, 0);
  const std::string one = dir_.file("radio/one.wav"), two = dir_.file("radio/two.wav");
  ASSERT_TRUE(makeSong(one));
  ASSERT_TRUE(makeSong(two));
  const std::string start = dir_.file("radio/Mix.PLS");
  std::ofstream(start) << "[playlist]\r\nFile2=two.wav\r\nFile1=one.wav\r\n"
                          "File3=http://radio.example/live\r\nNumberOfEntries=2\r\n";
  bool added = false;
  lists_->restore(settings_, wide(start), view_, &added);
  EXPECT_TRUE(added);
  EXPECT_EQ(lists_->getListCount(), 1);
  EXPECT_EQ(viewPaths(), (std::vector<std::string>{dir_.file("lists/a.wav"), one, two}));
  EXPECT_EQ(lists_->takeNotices(),
            (std::vector<std::string>{
                "Mix.PLS: added 2 songs; skipped 1: 1 web address (streams are not played)"}));
  EXPECT_TRUE(lists_->takeNotices().empty());

  const auto unreadable = lists_->addListToSelected(wide(dir_.file("radio/none.m3u")), view_);
  EXPECT_FALSE(unreadable.opened);
  EXPECT_EQ(lists_->takeNotices(),
            (std::vector<std::string>{"none.m3u: cannot be read: No such file or directory"}));
  EXPECT_EQ(lists_->selectedSongCount(), 3);
}

TEST_F(AllPlayListsTest, SaveAllWritesEveryListAndTheSetAndRestoreBringsThemBack) {
  store({listFile("A", {"a1.wav", "a2.wav"}), listFile("B", {"b1.wav", "b2.wav", "b3.wav"})}, 0);
  lists_->restore(settings_, u"", view_, nullptr);
  ASSERT_TRUE(lists_->openFile(wide(listFile("C"))));
  EXPECT_FALSE(lists_->openFile(wide(dir_.file("lists/C.mpl"))));  // already open
  EXPECT_EQ(lists_->getListCount(), 3);
  lists_->select(1, view_);
  // The user reorders the view of B; the other lists keep their order.
  view_->moveRows({2}, 0);
  ASSERT_TRUE(lists_->saveAll(settings_, view_, texts()));
  EXPECT_EQ(settings_->getS32(u"PlayLists", u"NumOfPlayLists", 0), 3);
  EXPECT_EQ(settings_->getS32(u"PlayLists", u"SelectedPlayList", 0), 1);
  EXPECT_EQ(narrow(settings_->getString(u"PlayLists", u"_2", u"")), dir_.file("lists/C.mpl"));

  AllPlayLists* again = AllPlayLists::create();
  ListBox2* view = ListBox2::create();
  again->restore(settings_, u"", view, nullptr);
  EXPECT_EQ(again->getListCount(), 3);
  EXPECT_EQ(again->getSelected(), 1);
  std::vector<std::string> shown;
  for (int i = 0; i < view->getRowCount(); ++i)
    shown.push_back(fs::path(narrow(dynamic_cast<IInfo*>(view->getRow(i)->getUserData())->getPath()))
                        .filename()
                        .string());
  EXPECT_EQ(shown, (std::vector<std::string>{"b3.wav", "b1.wav", "b2.wav"}));
  again->clear(view);
  again->release();
  view->release();
}

TEST_F(AllPlayListsTest, SelectingBringsTheViewsChangesIntoTheListItLeaves) {
  store({listFile("A", {"a1.wav", "a2.wav"}), listFile("B", {"b1.wav"})}, 0);
  lists_->restore(settings_, u"", view_, nullptr);
  EXPECT_EQ(viewPaths().size(), 2u);
  view_->removeRow(0);  // a row dragged away
  lists_->select(1, view_);
  EXPECT_EQ(viewPaths(), (std::vector<std::string>{dir_.file("lists/b1.wav")}));
  EXPECT_EQ(lists_->getList(0)->getSongCount(), 1);
  for (int index : {-1, 2, 1}) {  // out of range or already selected: nothing happens
    lists_->select(index, view_);
    EXPECT_EQ(lists_->getSelected(), 1);
  }
  lists_->select(0, view_);
  EXPECT_EQ(viewPaths(), (std::vector<std::string>{dir_.file("lists/a2.wav")}));
}

TEST_F(AllPlayListsTest, ClosingSelectsTheListBeforeAndNeverClosesTheLastOne) {
  struct Case {
    const char* name;
    int lists;
    int selected;
    bool closed;
    std::vector<std::string> left;
    int expectSelected;
  } cases[] = {
      {"the last of two", 2, 1, true, {"L0"}, 0},
      {"the first of two", 2, 0, true, {"L1"}, 0},
      {"the middle of three", 3, 1, true, {"L0", "L2"}, 0},
      {"the only list", 1, 0, false, {"L0"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    lists_->clear(view_);
    settings_->removePath(u"PlayLists");
    std::vector<std::string> paths;
    for (int i = 0; i < c.lists; ++i) paths.push_back(listFile("L" + std::to_string(i), {"s.wav"}));
    store(paths, c.selected);
    lists_->restore(settings_, u"", view_, nullptr);
    // A song added since the list was opened is written when it closes.
    const std::string extra = dir_.file("lists/extra" + std::to_string(c.selected) + ".wav");
    ASSERT_TRUE(makeSong(extra));
    lists_->addToSelected(wide(extra), view_, nullptr, nullptr, nullptr);
    const std::string closedFile = paths[static_cast<std::size_t>(c.selected)];
    EXPECT_EQ(lists_->closeSelected(view_, texts()), c.closed);
    EXPECT_EQ(openTitles(), c.left);
    EXPECT_EQ(lists_->getSelected(), c.expectSelected);
    EXPECT_EQ(view_->getRowCount(), lists_->selectedSongCount());
    EXPECT_EQ(lists_->isOpen(wide(closedFile)), !c.closed);
    if (c.closed) {
      PooledList written;
      PlayListFile::loadList(written.list, wide(closedFile), nullptr);
      EXPECT_EQ(written->getSongCount(), 2);
    }
  }
}

// A list whose file is no play list stays open (empty, with the reason) and its file is never
// written over, neither by saving all nor by closing it.
TEST_F(AllPlayListsTest, AListThatFailedToLoadIsNeverWrittenOverItsFile) {
  const std::string good = listFile("Good", {"g.wav"});
  const std::string other = dir_.file("lists/Other.mpl");
  const std::string text = "<SkinSetXml><Skin name=\"mine\"></Skin></SkinSetXml>";
  std::ofstream(other) << text;
  store({good, other}, 1);
  lists_->restore(settings_, u"", view_, nullptr);
  ASSERT_EQ(lists_->getListCount(), 2);
  EXPECT_TRUE(lists_->selectedList()->hasLoadFailed());
  EXPECT_NE(lists_->selectedList()->getLoadFailure().find("not a play list"), std::string::npos);
  const std::string song = dir_.file("lists/new.wav");
  ASSERT_TRUE(makeSong(song));
  lists_->addToSelected(wide(song), view_, nullptr, nullptr, nullptr);
  EXPECT_TRUE(lists_->saveAll(settings_, view_, texts()));
  EXPECT_EQ(tag_test_files::readFile(other), text);
  EXPECT_EQ(narrow(settings_->getString(u"PlayLists", u"_1", u"")), other);  // tried next time
  EXPECT_TRUE(lists_->closeSelected(view_, texts()));
  EXPECT_EQ(tag_test_files::readFile(other), text);
}

// A damaged list opens with what it holds, the window is told once, and saving all keeps the
// damaged file beside the list before writing the list over it.
TEST_F(AllPlayListsTest, ADamagedListOpensInPartAndItsFileIsKeptOnSave) {
  const std::string full = listFile("Damaged", {"d1.wav", "d2.wav"});
  const std::string whole = tag_test_files::readFile(full);
  const std::string cut = whole.substr(0, whole.find("<_1 ") + 8);
  std::ofstream(full, std::ios::trunc) << cut;
  store({listFile("Good", {"g.wav"}), full}, 1);
  lists_->restore(settings_, u"", view_, nullptr);
  ASSERT_EQ(lists_->getListCount(), 2);
  EXPECT_EQ(viewPaths(), (std::vector<std::string>{dir_.file("lists/d1.wav")}));
  const std::vector<std::string> notices = lists_->takeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("Damaged.mpl is damaged"), std::string::npos) << notices[0];
  EXPECT_TRUE(lists_->takeNotices().empty());

  const std::string kept = narrow(lists_->selectedList()->getDamagedCopyPath());
  EXPECT_TRUE(lists_->saveAll(settings_, view_, texts()));
  EXPECT_EQ(tag_test_files::readFile(kept), cut);
  PooledList written;
  EXPECT_EQ(PlayListFile::loadList(written.list, wide(full), nullptr).status,
            PlayListFile::LoadResult::kLoaded);
  EXPECT_EQ(paths(*written), (std::vector<std::string>{dir_.file("lists/d1.wav")}));
}

TEST_F(AllPlayListsTest, MovingTakesOutOnlyWhatTheTargetNowHolds) {
  const std::string shared = "shared.mp3";
  store({listFile("Source", {"keep.wav", "go.wav", "gone.wav", shared}),
         listFile("Target", {shared})},
        0);
  lists_->restore(settings_, u"", view_, nullptr);
  fs::remove(dir_.file("lists/gone.wav"));
  for (int row : {1, 2, 3}) view_->select(row);

  // A copy adds what is missing and leaves the source as it is.
  EXPECT_EQ(lists_->moveOrCopy(1, view_, false, false, -1, nullptr), 1);
  EXPECT_EQ(paths(*lists_->getList(1)),
            (std::vector<std::string>{dir_.file("lists/shared.mp3"), dir_.file("lists/go.wav")}));
  EXPECT_EQ(lists_->getList(0)->getSongCount(), 4);
  EXPECT_EQ(lists_->moveOrCopy(1, view_, false, false, -1, nullptr), 0);  // all there already
  EXPECT_EQ(lists_->getList(1)->getSongCount(), 2);

  // A move removes go.wav and shared.mp3 (the target holds both) but not the missing gone.wav.
  bool wasCurrent = false;
  lists_->moveOrCopy(1, view_, true, true, 1, &wasCurrent);
  EXPECT_TRUE(wasCurrent);
  EXPECT_EQ(viewPaths(),
            (std::vector<std::string>{dir_.file("lists/keep.wav"), dir_.file("lists/gone.wav")}));
  EXPECT_EQ(paths(*lists_->getList(0)), viewPaths());
  EXPECT_EQ(lists_->moveOrCopy(0, view_, true, false, -1, nullptr), 0);  // onto itself: nothing
}

TEST_F(AllPlayListsTest, ACopyCarriesTheValuesSetInTheList) {
  store({listFile("Source", {"song.mp3"}), listFile("Target")}, 0);
  lists_->restore(settings_, u"", view_, nullptr);
  IInfo* record = lists_->getList(0)->getSong(0);
  record->setTitle(u"Own title");
  record->setArtist(u"Own artist");
  record->setAlbum(u"Own album");
  record->setGenre(u"Own genre");
  record->setVolumeBoost(25);
  view_->select(0);
  ASSERT_EQ(lists_->moveOrCopy(1, view_, false, false, -1, nullptr), 1);
  IInfo* copy = lists_->getList(1)->getSong(0);
  EXPECT_EQ(copy->getTitle(), u"Own title");
  EXPECT_EQ(copy->getArtist(), u"Own artist");
  EXPECT_EQ(copy->getAlbum(), u"Own album");
  EXPECT_EQ(copy->getGenre(), u"Own genre");
  EXPECT_EQ(copy->getVolumeBoost(), 25);
}

TEST_F(AllPlayListsTest, ListsAreShownByNameDefaultOrFileTitle) {
  lists_->restore(settings_, u"", view_, nullptr);  // the default list
  ASSERT_TRUE(lists_->openFile(wide(listFile("Road Trip"))));
  ASSERT_TRUE(lists_->openFile(wide(listFile("x"))));
  lists_->getList(2)->setName(u"Named");
  EXPECT_EQ(lists_->displayName(0, texts()), texts()->getText(950000));
  EXPECT_EQ(lists_->displayName(1, texts()), u"Road Trip");
  EXPECT_EQ(lists_->displayName(2, texts()), u"Named");
  EXPECT_TRUE(lists_->isDefaultSelected());
  lists_->select(1, view_);
  EXPECT_FALSE(lists_->isDefaultSelected());
  AllPlayLists::TabCaptions tabs = lists_->tabCaptions(texts());
  EXPECT_EQ(tabs.name, u"Road Trip");
  EXPECT_EQ(tabs.left, u"< " + std::u16string(texts()->getText(950000)).substr(0, 5) + u"...");
  EXPECT_EQ(tabs.right, u"Named >");
}

TEST_F(AllPlayListsTest, TabCaptionsCutLongNames) {
  struct Case {
    const char16_t* previous;  // null: none
    const char16_t* next;
    const char16_t* left;
    bool leftEnabled;
    const char16_t* right;
    bool rightEnabled;
  } cases[] = {
      {nullptr, nullptr, u"<     ", false, u"     >", false},
      {u"Rock", u"Jazz", u"< Rock", true, u"Jazz >", true},
      {u"Sixsix", u"Sixsix", u"< Sixsix", true, u"Sixsix >", true},
      {u"Seven77", u"Seven77", u"< Seven...", true, u"Seven... >", true},
      {u"Thirteen char", u"Thirteen char", u"< Thirt...", true, u"Thirt... >", true},
      // Ten letters: "< " and the first five of them, then "...", ten characters in all.
      {u"Tenletters", nullptr, u"< Tenle...", true, u"     >", false},
      {u"日本語のリスト名前", u"日本語のリスト", u"< 日本語のリ...", true, u"日本語のリ... >", true},
      {u"😀😀😀😀😀😀😀😀", nullptr, u"< 😀😀😀😀😀...", true, u"     >", false},
  };
  for (const Case& c : cases) {
    std::u16string previous = c.previous ? c.previous : u"", next = c.next ? c.next : u"";
    AllPlayLists::TabCaptions tabs = AllPlayLists::tabCaptionsFor(
        u"Now", c.previous ? &previous : nullptr, c.next ? &next : nullptr);
    SCOPED_TRACE(narrow(tabs.left) + " | " + narrow(tabs.right));
    EXPECT_EQ(tabs.name, u"Now");
    EXPECT_EQ(tabs.left, c.left);
    EXPECT_EQ(tabs.leftEnabled, c.leftEnabled);
    EXPECT_EQ(tabs.right, c.right);
    EXPECT_EQ(tabs.rightEnabled, c.rightEnabled);
  }
}

}  // namespace
