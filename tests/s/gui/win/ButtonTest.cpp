#include <gtest/gtest.h>

#include <chrono>

#include "s/gui/win/Button.h"
#include "tests/s/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using s::gui::win::Button;
using namespace std::chrono_literals;

class ButtonTest : public GuiTest {
 protected:
  ButtonTest() {
    button->setText(u"Play");
    button->addClickListener(&heard);
    button->addToggleListener(&heard);
    button->addPressListener(&heard);
    root.add(button.get());
    pump();
  }
  ~ButtonTest() override { root.remove(button.get()); }

  s::thread::Pooled<Button> button{Button::create()};
  Heard heard;
};

TEST_F(ButtonTest, SizesItselfToItsCaption) {
  EXPECT_GT(button->getWidth(), 20);
  EXPECT_GT(button->getHeight(), 8);
  int before = button->getWidth();
  button->setText(u"A much longer caption");
  EXPECT_GT(button->getWidth(), before);
}

TEST_F(ButtonTest, PressThenReleaseInsideIsAClickInThatOrder) {
  press(*button, 5, 5);
  EXPECT_EQ(button->hoverState(), 2);
  releaseAt(*button, 6, 6);
  EXPECT_EQ(heard.codes(), (std::vector<int>{Button::kPressed, Button::kClicked}));
  EXPECT_EQ(button->hoverState(), 1);
}

TEST_F(ButtonTest, LeavingBeforeTheReleaseCancelsTheClick) {
  press(*button, 5, 5);
  moveTo(*button, button->getWidth() + 20, 5);
  EXPECT_EQ(button->hoverState(), 0);
  releaseAt(*button, button->getWidth() + 20, 5);
  EXPECT_EQ(heard.codes(), (std::vector<int>{Button::kPressed}));
  // Coming back and releasing inside would have clicked: the capture kept the button informed.
  press(*button, 5, 5);
  moveTo(*button, button->getWidth() + 20, 5);
  moveTo(*button, 4, 4);
  EXPECT_EQ(button->hoverState(), 2);
  releaseAt(*button, 4, 4);
  EXPECT_EQ(heard.codes().back(), Button::kClicked);
}

TEST_F(ButtonTest, ADisabledButtonRaisesNothing) {
  button->setEnabled(false);
  press(*button, 5, 5);
  releaseAt(*button, 5, 5);
  input.key(top, vk::kSpace);
  pump();
  EXPECT_TRUE(heard.events.empty());
}

TEST_F(ButtonTest, ToggleThatMayNotTurnOffStaysCheckedAndStillReports) {
  button->setToggle(true, false, false);
  press(*button, 5, 5);
  releaseAt(*button, 5, 5);
  EXPECT_TRUE(button->isChecked());
  heard.events.clear();
  press(*button, 5, 5);
  releaseAt(*button, 5, 5);
  EXPECT_TRUE(button->isChecked());
  EXPECT_EQ(heard.codes(), (std::vector<int>{Button::kPressed, Button::kClicked, Button::kToggled}));
  button->setToggle(true, true, false);
  press(*button, 5, 5);
  releaseAt(*button, 5, 5);
  EXPECT_FALSE(button->isChecked());
}

TEST_F(ButtonTest, AutoRepeatPressesAfterHalfASecondThenEveryTenth) {
  input.useManualClock();
  button->setAutoRepeat(true);
  press(*button, 5, 5);
  EXPECT_EQ(heard.codes().size(), 1u);
  input.advanceClock(499ms);
  pump();
  EXPECT_EQ(heard.codes().size(), 1u);
  input.advanceClock(1ms);
  pump();  // the delay ends: from now on every 100 ms
  for (int tick = 1; tick <= 5; ++tick) {
    input.advanceClock(100ms);
    pump();
    EXPECT_EQ(heard.codes().size(), 1u + tick);
  }
  // Outside the button the timer keeps running but presses nothing.
  moveTo(*button, button->getWidth() + 30, 5);
  input.advanceClock(100ms);
  pump();
  EXPECT_EQ(heard.codes().size(), 6u);
  releaseAt(*button, button->getWidth() + 30, 5);
  input.advanceClock(1000ms);
  pump();
  EXPECT_EQ(heard.codes().size(), 6u);
}

TEST_F(ButtonTest, SpaceClicksTheFocusedButton) {
  press(*button, 5, 5);
  releaseAt(*button, 5, 5);
  heard.events.clear();
  input.key(top, vk::kSpace);
  pump();
  EXPECT_EQ(heard.codes(), (std::vector<int>{Button::kClicked}));
}

}  // namespace
