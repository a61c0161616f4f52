// The display as the play process drives it: the time counter, the position slider (left alone
// while the user drags it), the title, the graph, pausing and the return to idle.
#include <gtest/gtest.h>

#include <thread>

#include "s/gui/counter/CounterData.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/Counter.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/Slider.h"
#include "tests/s/sound/gui/dialogs/player/DialogFixture.h"

namespace {

using namespace dialog_test;
using platform::ui::InputEvent;

class DialogDisplayTest : public DialogTest {
 protected:
  void SetUp() override { open(); }
  // One display update with the position fields as the engine callback leaves them.
  void update(int32_t seconds, float percent) {
    dialog->state().shownSeconds = seconds;
    dialog->state().positionPercent = percent;
    onWindow([&] { dialog->showProgress(); });
  }
  std::u16string timeText() {
    std::u16string text;
    onWindow([&] { text = dialog->tree().time->getText(); });
    return text;
  }
  int sliderValue() {
    int v = 0;
    onWindow([&] { v = dialog->tree().position->getValue(); });
    return v;
  }
  int graphColumns() {
    int n = 0;
    onWindow([&] { n = dialog->tree().display->getFirstSeries()->count(); });
    return n;
  }
};

TEST_F(DialogDisplayTest, TheCounterShowsMinutesBelowAnHourAndWrapsAtADay) {
  struct Case {
    int32_t seconds;
    const char16_t* text;
  } cases[] = {{0, u"0:00"},         {5, u"0:05"},        {60, u"1:00"},          {605, u"10:05"},
               {3599, u"59:59"},     {3600, u"1:00:00"},  {3605, u"1:00:05"},     {36000 + 61, u"10:01:01"},
               {86399, u"23:59:59"}, {86400, u"0:00"},    {86400 + 3725, u"1:02:05"}};
  for (const Case& c : cases) {
    update(c.seconds, 0);
    EXPECT_EQ(timeText(), c.text) << c.seconds;
  }
}

TEST_F(DialogDisplayTest, TheSliderFollowsThePositionInTenthsOfAPercent) {
  struct Case {
    float percent;
    int value;
  } cases[] = {{0.0f, 0}, {12.34f, 123}, {12.39f, 123}, {50.0f, 500}, {99.99f, 999}, {100.0f, 1000}};
  for (const Case& c : cases) {
    update(1, c.percent);
    EXPECT_EQ(sliderValue(), c.value) << c.percent;
  }
}

TEST_F(DialogDisplayTest, TheSliderStaysWhereTheUserHoldsItAndSeeksWhereItIsLetGo) {
  dialog->state().playing = true;
  update(3, 10.0f);
  ASSERT_EQ(sliderValue(), 100);
  const platform::ui::Handle top = dialog->window()->topHandle();
  auto* slider = dialog->tree().position;
  const platform::ui::Rect r = placeOf(slider);
  input.mouse(top, InputEvent::Kind::kButtonDown, {r.left + r.width() * 3 / 4, r.top + r.height() / 2});
  ASSERT_TRUE(eventually([&] { return slider->isDragging(); }));
  const int held = sliderValue();
  EXPECT_GT(held, 600);
  // The song goes on while the user holds the thumb: no seek yet, and the display leaves it.
  EXPECT_EQ(dialog->state().seekRequest.load(), -1.0f);
  for (float percent : {11.0f, 12.0f, 13.0f}) {
    update(4, percent);
    EXPECT_EQ(sliderValue(), held);
  }
  input.mouse(top, InputEvent::Kind::kButtonUp, {r.left + r.width() * 3 / 4, r.top + r.height() / 2});
  ASSERT_TRUE(eventually([&] { return !slider->isDragging(); }));
  EXPECT_FLOAT_EQ(dialog->state().seekRequest.load(), static_cast<float>(held) / 10.0f);
  update(5, 14.0f);
  EXPECT_EQ(sliderValue(), 140);
}

TEST_F(DialogDisplayTest, BetweenSongsTheSliderCannotBeMoved) {
  const platform::ui::Handle top = dialog->window()->topHandle();
  auto* slider = dialog->tree().position;
  const platform::ui::Rect r = placeOf(slider);
  input.click(top, {r.left + r.width() / 2, r.top + r.height() / 2});
  EXPECT_TRUE(eventually([&] { return !slider->isDragging() && slider->getValue() == 0; }));
  EXPECT_EQ(dialog->state().seekRequest.load(), -1.0f);
}

TEST_F(DialogDisplayTest, ASongsTitleReplacesTheProductNameOnceAndIsKeptForResuming) {
  auto& state = dialog->state();
  onWindow([&] { state.titleText = u"Night Train - The Sleepers"; });
  update(0, 0);
  const auto& t = dialog->tree();
  onWindow([&] {
    EXPECT_EQ(t.title->getText(), u"");
    EXPECT_EQ(t.song->getText(), u"Night Train - The Sleepers");
    EXPECT_EQ(dialog->window()->getTitle(), u"Night Train - The Sleepers");
    EXPECT_EQ(state.lastTitle, u"Night Train - The Sleepers");
    EXPECT_TRUE(state.titleText.empty());
  });
  // A change of language does not bring the product name back over the song.
  texts()->selectByName(u"German");
  onWindow([&] { EXPECT_EQ(t.title->getText(), u""); });
  texts()->selectByName(u"English");

  onWindow([&] { dialog->showPaused(true); });
  onWindow([&] {
    EXPECT_EQ(t.title->getText(), u"Paused...");
    EXPECT_EQ(t.song->getText(), u"");
  });
  onWindow([&] { dialog->showPaused(false); });
  onWindow([&] {
    EXPECT_EQ(t.title->getText(), u"");
    EXPECT_EQ(t.song->getText(), u"Night Train - The Sleepers");
  });
}

TEST_F(DialogDisplayTest, AStopRequestFreezesTheDisplay) {
  update(7, 20.0f);
  dialog->state().stopRequest = true;
  update(8, 30.0f);
  EXPECT_EQ(timeText(), u"0:07");
  EXPECT_EQ(sliderValue(), 200);
}

TEST_F(DialogDisplayTest, TheGraphTakesColumnsFromThePlayThreadAndIsClearedWhenAsked) {
  std::thread play([&] {
    for (int i = 0; i < 40; ++i) dialog->addGraphColumn(i * 100, false);
  });
  play.join();
  EXPECT_EQ(graphColumns(), 40);
  std::thread again([&] { dialog->addGraphColumn(5, true); });
  again.join();
  EXPECT_EQ(graphColumns(), 1);
}

TEST_F(DialogDisplayTest, TheEndOfPlayingGoesBackToIdle) {
  auto& state = dialog->state();
  state.playing = true;
  state.paused = true;
  state.playThreadStarted = true;
  onWindow([&] {
    state.titleText = u"Harbour Lights";
    dialog->showPlayButton(true);
  });
  update(65, 42.0f);
  dialog->addGraphColumn(300, false);
  state.stopRequest = true;
  onWindow([&] { dialog->showIdle(); });
  const auto& t = dialog->tree();
  onWindow([&] {
    EXPECT_FALSE(state.playing || state.paused || state.playThreadStarted || state.stopRequest);
    EXPECT_EQ(t.play->getText(), u"#Play");
    EXPECT_EQ(t.time->getText(), u"0:00");
    EXPECT_EQ(t.song->getText(), u"");
    EXPECT_EQ(t.title->getText(), u"Pruv Sonvia");
    EXPECT_EQ(dialog->window()->getTitle(), u"Pruv Sonvia");
    EXPECT_EQ(t.position->getValue(), 0);
  });
  EXPECT_EQ(graphColumns(), 0);
}

TEST_F(DialogDisplayTest, RequestsFromThePlayThreadAreRefusedOnceTheWindowCloses) {
  bool ran = false;
  std::thread play([&] { EXPECT_TRUE(dialog->onWindowThread([&] { ran = true; })); });
  play.join();
  EXPECT_TRUE(ran);
  dialog->window()->close();
  dialog->waitUntilClosed();
  ran = false;
  std::thread late([&] { EXPECT_FALSE(dialog->onWindowThread([&] { ran = true; })); });
  late.join();
  EXPECT_FALSE(ran);
}

}  // namespace
