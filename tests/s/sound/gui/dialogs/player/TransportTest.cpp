#include "s/sound/gui/dialogs/player/Transport.h"

#include <gtest/gtest.h>

#include "s/sound/gui/dialogs/player/ListEdits.h"
#include "s/sound/gui/dialogs/player/Shuffler.h"
#include "tests/s/sound/gui/dialogs/player/PlayFixture.h"

namespace {

using namespace playtest;
using s::sound::gui::dialogs::player::ListEdits;
using s::sound::gui::dialogs::player::Shuffler;
using Strings = std::vector<std::string>;

// Songs long enough to be still playing while the test acts, on the real-time device.
constexpr double kLong = 30.0;

class TransportTest : public PlayFixture {
 protected:
  void SetUp() override {
    PlayFixture::SetUp();
    realTimeDevice();
  }
  void stopAndWait() {
    onWindow([&] { transport_->stop(); });
    ASSERT_TRUE(waitUntil([&] { return !state_.playThreadStarted && !state_.playing; }));
  }
};

TEST_F(TransportTest, NextAndPreviousAtTheEndsOfTheRows) {
  addSongs({"a", "b", "c"}, kLong);
  const struct {
    bool repeatList;
    int startRow;
    bool next;
    const char* then;  // the song playing after it; "" when playback stops; null: nothing happens
  } cases[] = {
      {false, 1, true, "c"}, {false, 1, false, "a"},  {false, 2, true, ""},
      {true, 2, true, "a"},  {false, 0, false, nullptr}, {true, 0, false, "c"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.repeatList << " row " << c.startRow
                                    << (c.next ? " next" : " previous"));
    state_.repeatList = c.repeatList;
    onWindow([&] { transport_->playRow(c.startRow); });
    const std::string start(1, static_cast<char>('a' + c.startRow));
    ASSERT_TRUE(nowPlaying(start));
    bool asked = false;
    onWindow([&] {
      c.next ? transport_->next() : transport_->previous(true);
      asked = state_.skipRequest;
    });
    if (!c.then) {
      // Nothing before the first row: no request, the song plays on.
      EXPECT_FALSE(asked);
      EXPECT_TRUE(nowPlaying(start));
    } else if (!*c.then) {
      EXPECT_TRUE(waitUntil([&] { return !state_.playThreadStarted; }));
    } else {
      EXPECT_TRUE(nowPlaying(c.then));
    }
    stopAndWait();
  }
}

TEST_F(TransportTest, PreviousRestartsASongPlayedForFourSecondsUnlessForced) {
  // At 44.1 kHz the engine's queue runs about a second ahead of what is heard.
  addSongs({"a", "b"}, 12.0, 44100);
  const struct {
    float seek;  // percent of the 12 s song; -1 for none
    bool forced;
    const char* then;
  } cases[] = {{50.0f, false, "b"}, {50.0f, true, "a"}, {-1.0f, false, "a"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.seek << " forced " << c.forced);
    onWindow([&] { transport_->playRow(1); });
    ASSERT_TRUE(nowPlaying("b"));
    if (c.seek >= 0) {
      state_.seekRequest = c.seek;
      ASSERT_TRUE(waitUntil([&] { return state_.seekRequest < 0 && state_.shownSeconds >= 5; }));
    }
    const std::size_t before = playedCount();
    onWindow([&] { transport_->previous(c.forced); });
    ASSERT_TRUE(waitUntil([&] { return playedCount() > before; }));
    EXPECT_EQ(played().back(), c.then);
    EXPECT_TRUE(nowPlaying(c.then));
    EXPECT_LT(state_.shownSeconds, 4);
    stopAndWait();
  }
}

TEST_F(TransportTest, NextAtTheEndOfTheShuffledOrderDealsANewOne) {
  addSongs({"a", "b", "c", "d", "e", "f"}, kLong);
  Shuffler::seed(7);
  state_.shuffle = true;
  state_.repeatList = true;
  onWindow([&] { transport_->playOrPause(); });
  ASSERT_TRUE(waitUntil([&] { return playedCount() == 1; }));
  const Strings first = arrayOrder();
  for (std::size_t i = 1; i < first.size(); ++i) {
    onWindow([&] { transport_->next(); });
    ASSERT_TRUE(nowPlaying(first[i]));
  }
  onWindow([&] { transport_->next(); });
  ASSERT_TRUE(waitUntil([&] { return playedCount() == 7; }));
  const Strings second = arrayOrder();
  EXPECT_NE(second, first);
  EXPECT_EQ(played(), (Strings{first[0], first[1], first[2], first[3], first[4], first[5], second[0]}));
  // Back before the start of the order without Repeat Play List: playback stops.
  state_.repeatList = false;
  onWindow([&] { transport_->previous(true); });
  EXPECT_TRUE(waitUntil([&] { return !state_.playThreadStarted; }));
}

TEST_F(TransportTest, PauseAndResumeShowOnTheWindow) {
  addSongs({"a"}, kLong);
  onWindow([&] { transport_->playOrPause(); });
  ASSERT_TRUE(nowPlaying("a"));
  onWindow([&] { transport_->playOrPause(); });
  EXPECT_TRUE(state_.paused);
  {
    std::lock_guard<std::mutex> hold(window_->lock());
    EXPECT_TRUE(window_->pausedShown);
    EXPECT_FALSE(window_->pauseGlyph);
  }
  onWindow([&] { transport_->playOrPause(); });
  EXPECT_FALSE(state_.paused);
  {
    std::lock_guard<std::mutex> hold(window_->lock());
    EXPECT_FALSE(window_->pausedShown);
    EXPECT_TRUE(window_->pauseGlyph);
  }
  // A song asked for while paused plays: the pause ends with it.
  onWindow([&] { transport_->playOrPause(); });
  onWindow([&] { transport_->playRow(0); });
  EXPECT_FALSE(state_.paused);
  ASSERT_TRUE(waitUntil([&] { return playedCount() == 2; }));
  stopAndWait();
  std::lock_guard<std::mutex> hold(window_->lock());
  EXPECT_FALSE(window_->pauseGlyph);
}

TEST_F(TransportTest, TheEngineGetsTheVolumeWithTheSongsBoostAndSilenceWhenMuted) {
  addSongs({"a"}, kLong);
  lists_->selectedList()->getSong(0)->setVolumeBoost(50);
  state_.volumeFactor = 1.0f;
  onWindow([&] { transport_->playRow(0); });
  ASSERT_TRUE(nowPlaying("a"));
  EXPECT_EQ(state_.individualVolume, 50);
  EXPECT_TRUE(waitUntil([&] { return transport_->engineVolume() == 1.5f; })) << transport_->engineVolume();
  state_.muted = true;
  EXPECT_TRUE(waitUntil([&] { return transport_->engineVolume() == 0.0f; })) << transport_->engineVolume();
  state_.muted = false;
  EXPECT_TRUE(waitUntil([&] { return transport_->engineVolume() == 1.5f; })) << transport_->engineVolume();
  state_.volumeFactor = 0.5f;
  EXPECT_TRUE(waitUntil([&] { return transport_->engineVolume() == 0.75f; })) << transport_->engineVolume();
  stopAndWait();
}

// The playing song's record goes with its list or its row: the process must stop without ever
// reading it again (the address sanitizer watches).
TEST_F(TransportTest, EditsThatTakeThePlayingSongAwayStopPlaybackSafely) {
  enum Edit { kClose, kClear, kRemovePlaying, kMovePlaying, kRemoveMissing };
  for (Edit edit : {kClose, kClear, kRemovePlaying, kMovePlaying, kRemoveMissing}) {
    SCOPED_TRACE(edit);
    lists_->clear(view_);
    const std::string name = "list" + std::to_string(edit);
    lists_->openFile(playlist_test::wide(dir_.file(name + ".mpl")));
    lists_->openFile(playlist_test::wide(dir_.file(name + "-other.mpl")));
    addSongs({"a", "b", "c"}, kLong);
    ListEdits edits(state_, *lists_, *view_, *transport_);
    onWindow([&] { transport_->playRow(1); });
    ASSERT_TRUE(nowPlaying("b"));
    onWindow([&] {
      EXPECT_EQ(transport_->currentRow(), 1);
      view_->select(1);
      switch (edit) {
        case kClose: EXPECT_TRUE(edits.closeSelectedList(nullptr)); break;
        case kClear: edits.clearSelectedList(); break;
        case kRemovePlaying: edits.removeSelectedSongs(nullptr); break;
        case kMovePlaying: EXPECT_EQ(edits.moveOrCopySelected(1, true), 1); break;
        case kRemoveMissing:
          std::filesystem::remove(dir_.file("songs/b.wav"));
          edits.removeMissingSongs();
          break;
      }
      EXPECT_EQ(state_.currentEntry, nullptr);
      EXPECT_EQ(view_->getCurrentRow(), -1);
    });
    EXPECT_TRUE(waitUntil([&] { return !state_.playThreadStarted && !state_.playing; }));
  }
}

TEST_F(TransportTest, EditsThatLeaveThePlayingSongLetItPlayOn) {
  lists_->openFile(playlist_test::wide(dir_.file("other.mpl")));
  addSongs({"a", "b", "c"}, kLong);
  ListEdits edits(state_, *lists_, *view_, *transport_);
  onWindow([&] { transport_->playRow(1); });
  ASSERT_TRUE(nowPlaying("b"));
  onWindow([&] {
    view_->select(2);
    edits.removeSelectedSongs(nullptr);
    view_->select(0);
    EXPECT_EQ(edits.moveOrCopySelected(1, false), 1);
    EXPECT_EQ(lists_->getList(1)->getSongCount(), 1);
    EXPECT_FALSE(state_.stopRequest);
    EXPECT_NE(state_.currentEntry, nullptr);
  });
  EXPECT_TRUE(nowPlaying("b"));
  stopAndWait();
}

TEST_F(TransportTest, SwitchingListsLetsTheSongFinishAndThenStops) {
  lists_->openFile(playlist_test::wide(dir_.file("other.mpl")));
  addSongs({"a", "b"}, 3.0);
  ListEdits edits(state_, *lists_, *view_, *transport_);
  onWindow([&] { transport_->playRow(0); });
  ASSERT_TRUE(waitUntil([&] { return playedCount() == 1; }));
  onWindow([&] { edits.selectList(1); });
  EXPECT_EQ(lists_->getSelected(), 1);
  EXPECT_TRUE(waitUntil([&] { return !state_.playThreadStarted && !state_.playing; }));
  EXPECT_EQ(played(), Strings{"a"});
}

}  // namespace
