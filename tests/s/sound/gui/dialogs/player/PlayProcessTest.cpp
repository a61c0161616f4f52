#include "s/sound/gui/dialogs/player/PlayProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <set>

#include "s/sound/gui/dialogs/player/Shuffler.h"
#include "tests/s/sound/gui/dialogs/player/PlayFixture.h"
#include "tests/s/system/audio/TestSinks.h"

namespace {

using namespace playtest;
using Strings = std::vector<std::string>;

struct Order {
  bool repeatSong, repeatList, shuffle;
};
std::ostream& operator<<(std::ostream& out, const Order& o) {
  return out << (o.repeatSong ? "Repeat Song " : "") << (o.repeatList ? "Repeat Play List " : "")
             << (o.shuffle ? "shuffle" : "");
}

class PlayProcessTest : public PlayFixture {
 protected:
  // Sets the play order, presses Play and waits until the process is back to idle.
  void playThroughWith(const Order& order) {
    state_.repeatSong = order.repeatSong;
    state_.repeatList = order.repeatList;
    state_.shuffle = order.shuffle;
    const int idlesBefore = idles();
    onWindow([&] { transport_->playOrPause(); });
    ASSERT_TRUE(waitUntil([&] { return idles() > idlesBefore && !state_.playThreadStarted; }));
  }
};

TEST_F(PlayProcessTest, PlaysTheRowsInOrderAndEndsAfterTheLast) {
  addSongs({"a", "b", "c"});
  onWindow([&] { transport_->playOrPause(); });
  ASSERT_TRUE(ended());
  EXPECT_EQ(played(), (Strings{"a", "b", "c"}));
  EXPECT_EQ(idles(), 1);
  EXPECT_TRUE(errors().empty());
  EXPECT_FALSE(state_.stopRequest);
  EXPECT_EQ(view_->getCurrentRow(), -1);  // no playing-row mark left behind
}

TEST_F(PlayProcessTest, PlayingFromARowGoesOnWithTheRowsAfterIt) {
  addSongs({"a", "b", "c"});
  onWindow([&] { transport_->playRow(1); });
  ASSERT_TRUE(ended());
  EXPECT_EQ(played(), (Strings{"b", "c"}));
}

TEST_F(PlayProcessTest, RepeatSongPlaysTheSameSongUntilStopped) {
  addSongs({"a", "b", "c"});
  onWindow([&] { EXPECT_TRUE((view_->select(1), transport_->playSelected(true))); });
  ASSERT_TRUE(waitUntil([&] { return playedCount() >= 4; }));
  onWindow([&] { transport_->stop(); });
  ASSERT_TRUE(ended());
  EXPECT_TRUE(state_.repeatSong);
  for (const std::string& name : played()) EXPECT_EQ(name, "b");
}

TEST_F(PlayProcessTest, RepeatPlayListStartsAgainFromTheFirstRow) {
  addSongs({"a", "b", "c"});
  state_.repeatList = true;
  onWindow([&] { transport_->playRow(1); });
  ASSERT_TRUE(waitUntil([&] { return playedCount() >= 6; }));
  onWindow([&] { transport_->stop(); });
  ASSERT_TRUE(ended());
  const Strings seen = played();
  EXPECT_EQ(Strings(seen.begin(), seen.begin() + 6), (Strings{"b", "c", "a", "b", "c", "a"}));
}

TEST_F(PlayProcessTest, ShufflePlaysEverySongOnceInTheShuffledOrder) {
  addSongs({"a", "b", "c", "d", "e", "f"});
  state_.shuffle = true;
  onWindow([&] { transport_->playOrPause(); });
  ASSERT_TRUE(ended());
  const Strings seen = played();
  EXPECT_EQ(seen, arrayOrder());
  EXPECT_EQ(std::set<std::string>(seen.begin(), seen.end()).size(), 6u);
  EXPECT_EQ(seen.size(), 6u);
}

TEST_F(PlayProcessTest, ShuffleWithRepeatPlayListPlaysTheSameOrderAgain) {
  addSongs({"a", "b", "c", "d", "e"});
  state_.shuffle = true;
  state_.repeatList = true;
  onWindow([&] { transport_->playOrPause(); });
  ASSERT_TRUE(waitUntil([&] { return playedCount() >= 12; }));
  onWindow([&] { transport_->stop(); });
  ASSERT_TRUE(ended());
  const Strings seen = played();
  const Strings round(seen.begin(), seen.begin() + 5);
  EXPECT_EQ(Strings(seen.begin() + 5, seen.begin() + 10), round);
  EXPECT_EQ(std::set<std::string>(round.begin(), round.end()).size(), 5u);
  EXPECT_EQ(arrayOrder(), round);
}

TEST_F(PlayProcessTest, ASongWhoseFileWasDeletedStopsPlaybackWhenReached) {
  for (bool repeatList : {false, true}) {
    SCOPED_TRACE(repeatList);
    lists_->clear(view_);
    lists_->openFile(playlist_test::wide(dir_.file(repeatList ? "r.mpl" : "n.mpl")));
    lists_->select(lists_->getListCount() - 1, view_);
    const auto before = played();
    const int idlesBefore = idles();
    addSongs({"a", "b", "c"});
    std::filesystem::remove(dir_.file("songs/b.wav"));
    state_.repeatList = repeatList;
    onWindow([&] { transport_->playRow(0); });
    ASSERT_TRUE(waitUntil([&] { return idles() > idlesBefore && !state_.playThreadStarted; }));
    const Strings after = played();
    EXPECT_EQ(Strings(after.begin() + static_cast<std::ptrdiff_t>(before.size()), after.end()), Strings{"a"});
  }
}

TEST_F(PlayProcessTest, ADeviceThatCannotBeOpenedIsReportedOnceAndEndsTheProcess) {
  addSongs({"a", "b", "c"});
  transport_->setOutputDevice("file:" + dir_.file("no-such-folder/out.wav"));
  const Order cases[] = {
      {false, false, false}, {true, false, false}, {false, true, false}, {false, true, true}};
  int expectedErrors = 0;
  for (const Order& c : cases) {
    SCOPED_TRACE(c);
    const std::size_t playedBefore = playedCount();
    ASSERT_NO_FATAL_FAILURE(playThroughWith(c));
    ++expectedErrors;
    const auto seen = errors();
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(expectedErrors));
    EXPECT_NE(seen.back().find(u"no-such-folder"), std::u16string::npos);
    EXPECT_EQ(playedCount(), playedBefore + 1);  // one song tried, no more
  }
}

TEST_F(PlayProcessTest, ADeviceThatBreaksDownMidSongIsReportedAndEndsTheProcess) {
  enginetest::addTestSinks();
  addSongs({"a", "b"}, 30.0);
  state_.repeatList = true;
  // Two buffers of 8192 bytes: about a second of the song at 16000 bytes a second.
  transport_->setOutputDevice("breaking:2");
  onWindow([&] { transport_->playOrPause(); });
  ASSERT_TRUE(ended());
  const auto seen = errors();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NE(seen[0].find(u"the test card was pulled out"), std::u16string::npos);
  EXPECT_EQ(played(), Strings{"a"});
}

TEST_F(PlayProcessTest, SongsWithoutAudioEndTheProcessAfterOneRound) {
  const Order cases[] = {{false, true, false}, {true, false, false}, {false, true, true}};
  for (const std::string& name : {"x", "y", "z"}) {
    const std::string path = dir_.file("songs/" + name + ".wav");
    std::filesystem::create_directories(dir_.file("songs"));
    ASSERT_TRUE(testing_support::writeWave16(path, {}, 8000, 1));
    ASSERT_NE(lists_->addToSelected(playlist_test::wide(path), view_, nullptr, nullptr, nullptr), nullptr);
  }
  for (const Order& c : cases) {
    SCOPED_TRACE(c);
    const std::size_t playedBefore = playedCount();
    ASSERT_NO_FATAL_FAILURE(playThroughWith(c));
    // One round and the first song once more, which shows that the round gave nothing.
    EXPECT_EQ(playedCount() - playedBefore, c.repeatSong ? 2u : 4u);
  }
}

TEST_F(PlayProcessTest, APlayRequestWhileASongStartsEndsThatSongAtOnce) {
  realTimeDevice();
  addSongs({"long", "next"}, 60.0);
  addSong("wanted");
  bool asked = false;
  window_->onRowMark = [&, mark = window_->onRowMark] {
    mark();
    // The first song has been opened and marked, its engine not yet started.
    if (!asked && state_.currentEntry) {
      asked = true;
      transport_->playRow(2);
    }
  };
  onWindow([&] { transport_->playRow(0); });
  // "long" would play for a minute; the request ends it as it starts.
  ASSERT_TRUE(waitUntil([&] { return playedCount() >= 2; }, 15000));
  EXPECT_EQ(played(), (Strings{"long", "wanted"}));
  onWindow([&] { transport_->stop(); });
  ASSERT_TRUE(ended());
}

TEST_F(PlayProcessTest, ARequestThatComesAsTheProcessEndsStartsItAgain) {
  realTimeDevice();
  addSongs({"a", "b"}, 60.0);
  onWindow([&] { transport_->playRow(0); });
  ASSERT_TRUE(nowPlaying("a"));
  // The process is on its way out when the request comes: it must not be lost.
  onWindow([&] {
    transport_->stop();
    transport_->playRow(1);
  });
  ASSERT_TRUE(nowPlaying("b"));
  EXPECT_TRUE(state_.playThreadStarted);
  onWindow([&] { transport_->stop(); });
  ASSERT_TRUE(ended());
  EXPECT_EQ(played(), (Strings{"a", "b"}));
}

TEST_F(PlayProcessTest, StopDropsARequestMadeBeforeIt) {
  realTimeDevice();
  addSongs({"a", "b"}, 60.0);
  onWindow([&] { transport_->playRow(0); });
  ASSERT_TRUE(nowPlaying("a"));
  onWindow([&] {
    transport_->playRow(1);
    transport_->stop();
  });
  ASSERT_TRUE(ended());
  EXPECT_EQ(played(), Strings{"a"});
}

TEST_F(PlayProcessTest, PlayWithAnEmptyListStartsNothing) {
  onWindow([&] { transport_->playOrPause(); });
  EXPECT_FALSE(state_.playThreadStarted);
  state_.shuffle = true;
  onWindow([&] { transport_->playOrPause(); });
  EXPECT_FALSE(state_.playThreadStarted);
  EXPECT_EQ(idles(), 0);
}

}  // namespace
