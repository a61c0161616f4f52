// The window's controls as the user works them: transport buttons and a double-clicked row
// (played through the "null" device), the speaker and the volume slider, the window buttons.
#include <gtest/gtest.h>

#include "s/gui/win/Button.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/Slider.h"
#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "tests/s/sound/gui/dialogs/player/DialogFixture.h"

namespace {

using namespace dialog_test;
using s::sound::gui::dialogs::player::PlayListFile;
using s::sound::gui::dialogs::player::ViewSettings;

class DialogControlsTest : public DialogTest {
 protected:
  void SetUp() override {
    keep("SONVIA_AUDIO_DEVICE", "null");
    storeThreeSongs();
    open();
  }
  std::u16string song() {
    std::u16string text;
    onWindow([&] { text = dialog->tree().song->getText(); });
    return text;
  }
};

TEST_F(DialogControlsTest, PlayPauseAndStopDriveThePlayProcess) {
  const auto& t = dialog->tree();
  auto& state = dialog->state();
  click(t.play);
  ASSERT_TRUE(eventually([&] { return t.song->getText() == u"first"; }));
  EXPECT_TRUE(state.playing);
  onWindow([&] { EXPECT_EQ(t.play->getText(), u"#Pause"); });

  click(t.play);
  ASSERT_TRUE(eventually([&] { return state.paused.load(); }));
  onWindow([&] {
    EXPECT_EQ(t.title->getText(), u"Paused...");
    EXPECT_EQ(t.song->getText(), u"");
    EXPECT_EQ(t.play->getText(), u"#Play");
  });
  click(t.play);
  ASSERT_TRUE(eventually([&] { return !state.paused && t.song->getText() == u"first"; }));

  click(t.next);
  ASSERT_TRUE(eventually([&] { return t.song->getText() == u"second"; }));
  click(t.stop);
  ASSERT_TRUE(eventually([&] { return !state.playing && t.title->getText() == u"Pruv Sonvia"; }));
  onWindow([&] {
    EXPECT_EQ(t.time->getText(), u"0:00");
    EXPECT_EQ(t.play->getText(), u"#Play");
    EXPECT_EQ(dialog->window()->getTitle(), u"Pruv Sonvia");
  });
}

TEST_F(DialogControlsTest, ADoubleClickedRowPlays) {
  onWindow([&] { dialog->tree().list->doubleClickRow(2); });
  EXPECT_TRUE(eventually([&] { return dialog->tree().song->getText() == u"third"; }));
  // The playing row is marked.
  EXPECT_TRUE(eventually([&] { return dialog->tree().list->getCurrentRow() == 2; }));
}

TEST_F(DialogControlsTest, TheSpeakerMutesWithoutTouchingTheVolume) {
  const auto& t = dialog->tree();
  auto& state = dialog->state();
  const float factor = state.volumeFactor;
  click(t.speaker);
  ASSERT_TRUE(eventually([&] { return state.muted.load(); }));
  onWindow([&] {
    EXPECT_EQ(t.speaker->getText(), u"#Mute");
    EXPECT_FALSE(t.volume->isEnabled());
  });
  EXPECT_EQ(state.volumeFactor, factor);
  click(t.speaker);
  ASSERT_TRUE(eventually([&] { return !state.muted.load(); }));
  onWindow([&] {
    EXPECT_EQ(t.speaker->getText(), u"#Speaker");
    EXPECT_TRUE(t.volume->isEnabled());
  });
}

TEST_F(DialogControlsTest, TheVolumeSliderSetsTheFactorAndIsStored) {
  const auto* volume = dialog->tree().volume;
  const platform::ui::Rect r = placeOf(volume);
  struct Case {
    int x;
  } cases[] = {{0}, {r.width() - 1}, {r.width() / 3}};
  for (const Case& c : cases) {
    input.click(dialog->window()->topHandle(), {r.left + c.x, r.top + r.height() / 2});
    int value = -1;
    ASSERT_TRUE(eventually([&] {
      value = volume->getValue();
      return settings->getS32(ViewSettings::kVolume, u"", -1) == value;
    })) << c.x;
    EXPECT_FLOAT_EQ(dialog->state().volumeFactor, value / 100.0f) << c.x;
  }
  EXPECT_EQ(settings->getS32(ViewSettings::kVolume, u"", -1), volume->getValue());
}

TEST_F(DialogControlsTest, TheCloseButtonClosesAndSavesTheWindow) {
  click(dialog->tree().close);
  dialog->waitUntilClosed();
  EXPECT_TRUE(dialog->window()->isClosed());
  dialog->finish();
  EXPECT_EQ(settings->getS32(u"PlayLists", u"NumOfPlayLists", 0), 1);
  EXPECT_EQ(settings->getS32(ViewSettings::kLargeWidth, u"", 0), 350);
}

// The switches the desktop's media controls reach: the play thread sees them, the slider shows the
// volume, and the next start finds them.
TEST_F(DialogControlsTest, PlayOrderAndVolumeSetFromOutsideAreShownAndKept) {
  struct Case {
    bool repeatSong, repeatList, shuffle;
    int volume, shown;  // asked for, and where the slider (and the sound) end up
  };
  const Case cases[] = {{true, false, true, 30, 30}, {false, true, false, 100, 100}, {false, false, false, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.volume);
    open();
    onWindow([&] {
      dialog->setPlayOrder(c.repeatSong, c.repeatList, c.shuffle);
      dialog->setVolume(c.volume);
      EXPECT_EQ(dialog->tree().volume->getValue(), c.shown);
    });
    EXPECT_EQ(dialog->state().repeatSong.load(), c.repeatSong);
    EXPECT_EQ(dialog->state().repeatList.load(), c.repeatList);
    EXPECT_EQ(dialog->state().shuffle.load(), c.shuffle);
    EXPECT_FLOAT_EQ(dialog->state().volumeFactor.load(), static_cast<float>(c.shown) / 100.0f);
    closeWindow();
    open();
    EXPECT_EQ(dialog->state().repeatSong.load(), c.repeatSong);
    EXPECT_EQ(dialog->state().repeatList.load(), c.repeatList);
    EXPECT_EQ(dialog->state().shuffle.load(), c.shuffle);
    onWindow([&] { EXPECT_EQ(dialog->tree().volume->getValue(), c.shown); });
    closeWindow();
  }
}

}  // namespace
