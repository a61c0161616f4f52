// The keys of the player window: play and pause, stepping, seeking, the volume, removing songs.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "s/gui/win/Label.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/Slider.h"
#include "tests/s/sound/gui/dialogs/player/DialogMenusFixture.h"

namespace {

using namespace dialog_menus_test;

class DialogKeysTest : public DialogMenusTest {};

TEST_F(DialogKeysTest, TheWindowsKeysPlayPauseStepAndSetTheVolume) {
  namespace vk = platform::ui::vk;
  auto& state = dialog->state();
  const auto& t = dialog->tree();
  const auto top = dialog->window()->topHandle();
  onWindow([&] { t.volume->setValue(8); });
  struct Press {
    unsigned key;
    unsigned modifiers;
    const char* what;
    std::function<bool()> holds;
  };
  const std::vector<Press> presses = {
      {vk::kRight, 0, "nothing plays: no step", [&] { return !state.playing; }},
      {vk::kSpace, 0, "space plays", [&] { return state.playing && t.song->getText() == u"first"; }},
      {vk::kRight, 0, "right: next", [&] { return t.song->getText() == u"second"; }},
      {vk::kOemPeriod, 0, "period pauses", [&] { return state.paused.load(); }},
      {vk::kReturn, 0, "enter resumes", [&] { return !state.paused; }},
      {vk::kDown, 0, "down: 8 to 3, 10 % marked, not stored",
       [&] { return t.volume->getValue() == 3 && radio(111) && std::abs(state.volumeFactor - 0.03f) < 1e-6f &&
                    storedInt(u"MainWindow\\Volume", u"") == -1000; }},
      {vk::kDown, 0, "down at 3: 0, mute marked, not muted",
       [&] { return t.volume->getValue() == 0 && radio(M::kMute) && radio(M::kTrayMute) && !state.muted &&
                    state.volumeFactor == 0.0f; }},
      {vk::kDown, 0, "stays at 0", [&] { return t.volume->getValue() == 0; }},
      {vk::kUp, 0, "up: 5, 10 % marked", [&] { return t.volume->getValue() == 5 && radio(111) && !radio(M::kMute); }},
  };
  for (const Press& p : presses) {
    SCOPED_TRACE(p.what);
    input.key(top, p.key, p.modifiers);
    EXPECT_TRUE(eventually(p.holds));
  }
}

TEST(DialogKeysSeekTest, ControlArrowsSeekFivePercentClampedToTheSong) {
  const struct {
    int slider;
    bool forward;
    float seek;
  } cases[] = {{30, false, 0.0f}, {980, true, 100.0f}, {500, true, 55.0f}, {500, false, 45.0f}, {0, false, 0.0f}};
  for (const auto& c : cases) EXPECT_EQ(Dialog::seekByArrow(c.slider, c.forward), c.seek) << c.slider << " " << c.forward;
}

TEST_F(DialogKeysTest, ControlLeftNearTheStartSeeksToTheBeginning) {
  auto& state = dialog->state();
  const auto top = dialog->window()->topHandle();
  input.key(top, platform::ui::vk::kSpace);
  ASSERT_TRUE(eventually([&] { return state.playing.load() && state.positionPercent >= 1.0f; }));
  // Paused, no chunk moves the position on after the seek has set it.
  input.key(top, platform::ui::vk::kSpace);
  ASSERT_TRUE(eventually([&] { return state.paused.load(); }));
  onWindow([&] { dialog->tree().position->setValue(30); });
  input.key(top, platform::ui::vk::kLeft, platform::ui::key::kControl);
  EXPECT_TRUE(eventually([&] { return state.seekRequest < 0.0f && state.positionPercent < 1.0f; }));
}

TEST_F(DialogKeysTest, DeleteRemovesTheSelectedSongs) {
  auto* list = dialog->tree().list;
  onWindow([&] { list->select(1); });
  input.key(dialog->window()->topHandle(), platform::ui::vk::kDelete);
  EXPECT_TRUE(eventually([&] { return list->getRowCount() == 2; }));
}

}  // namespace
