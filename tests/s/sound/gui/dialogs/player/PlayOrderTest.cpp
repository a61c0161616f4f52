#include "s/sound/gui/dialogs/player/PlayOrder.h"

#include <gtest/gtest.h>

#include "s/sound/gui/dialogs/player/Shuffler.h"
#include "tests/s/sound/gui/dialogs/player/PlayFixture.h"

namespace {

using namespace playtest;
using s::sound::gui::dialogs::player::PlayOrder;
using s::sound::gui::dialogs::player::Shuffler;

// The play order alone, on the test's thread: no process runs.
class PlayOrderTest : public PlayFixture {
 protected:
  PlayOrder order() { return PlayOrder(state_, *lists_, *view_); }
  std::string nameAt(const std::u16string& path) { return path.empty() ? "" : nameOf(path); }
  void playing(int row) { state_.currentEntry = PlayList::recordOf(view_->getRow(row)); }
};

TEST_F(PlayOrderTest, RowsAfterAndBeforeTheCurrentOneWrapOnlyWithRepeatPlayList) {
  addSongs({"a", "b", "c"});
  const struct {
    int current;  // -1: an entry that is not in the view
    bool repeatList;
    int after, before;
  } cases[] = {
      {0, false, 1, -1}, {2, false, -1, 1}, {0, true, 1, 2},
      {2, true, 0, 1},   {-1, false, -1, -1}, {-1, true, 0, 2},
  };
  // A song of another list: its row is not in the view.
  playlist_test::PooledList other;
  const std::string elsewhere = dir_.file("elsewhere.wav");
  ASSERT_TRUE(playlist_test::makeSong(elsewhere));
  other->addFile(nullptr, playlist_test::wide(elsewhere), nullptr, nullptr, nullptr, nullptr, -1);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.current << " " << c.repeatList);
    state_.repeatList = c.repeatList;
    if (c.current >= 0) playing(c.current);
    else state_.currentEntry = other->getSong(0);
    EXPECT_EQ(order().rowAfterCurrent(), c.after);
    EXPECT_EQ(order().rowBeforeCurrent(), c.before);
  }
}

TEST_F(PlayOrderTest, NextEndsWithoutACurrentEntryAndRepeatsTheSongWithRepeatSong) {
  addSongs({"a", "b"});
  std::u16string path = u"x";
  EXPECT_FALSE(order().next(path));
  EXPECT_TRUE(path.empty());
  playing(1);
  state_.repeatSong = true;
  ASSERT_TRUE(order().next(path));
  EXPECT_EQ(nameAt(path), "b");
  state_.repeatSong = false;
  EXPECT_FALSE(order().next(path));
}

TEST_F(PlayOrderTest, TheFirstSongOfAnEmptyListIsNone) {
  EXPECT_EQ(order().first(), u"");
  state_.shuffle = true;
  EXPECT_EQ(order().first(), u"");
}

TEST_F(PlayOrderTest, PreviousInShuffleAfterSongsWereRemovedStaysInTheList) {
  addSongs({"a", "b", "c", "d"});
  state_.shuffle = true;
  playing(0);
  // The position belonged to a list of ten songs before six were removed.
  state_.shufflePosition = 10;
  bool stop = true;
  const std::u16string path = order().previousByUser(stop);
  EXPECT_FALSE(stop);
  EXPECT_EQ(nameAt(path), arrayOrder()[3]);
  EXPECT_EQ(state_.shufflePosition, 4);
}

TEST_F(PlayOrderTest, PreviousInShuffleBeforeTheFirstSongStopsOrWrapsToANewOrder) {
  addSongs({"a", "b", "c", "d", "e", "f"});
  state_.shuffle = true;
  Shuffler::seed(3);
  ASSERT_FALSE(order().first().empty());
  EXPECT_EQ(state_.shufflePosition, 1);
  bool stop = false;
  EXPECT_EQ(order().previousByUser(stop), u"");
  EXPECT_TRUE(stop);
  EXPECT_EQ(state_.shufflePosition, 0);

  state_.repeatList = true;
  state_.shufflePosition = 1;
  const auto before = arrayOrder();
  const std::u16string path = order().previousByUser(stop);
  EXPECT_FALSE(stop);
  EXPECT_NE(arrayOrder(), before);
  EXPECT_EQ(nameAt(path), arrayOrder()[5]);
  EXPECT_EQ(state_.shufflePosition, 6);
}

}  // namespace
