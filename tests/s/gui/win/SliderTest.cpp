#include <gtest/gtest.h>

#include "s/gui/win/Slider.h"
#include "tests/s/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using s::gui::win::Slider;

class SliderTest : public GuiTest {
 protected:
  SliderTest() {
    slider->setRange(0, 100);
    slider->setFixedWidth(110);  // a channel of 100 pixels: one value per pixel
    slider->setFixedHeight(12);
    slider->addChangeListener(&heard);
    root.add(slider.get());
    pump();
  }
  ~SliderTest() override { root.remove(slider.get()); }

  s::thread::Pooled<Slider> slider{Slider::create()};
  Heard heard;
};

TEST_F(SliderTest, ValueFromAPointerPosition) {
  // The channel runs from half a thumb in at either end; its left end is the minimum, and the
  // value at a point is trunc(min + q * (max - min - 1) + 0.5).
  EXPECT_EQ(slider->valueAt(5), 0);
  EXPECT_EQ(slider->valueAt(0), -4);  // beyond the channel, limited when it is taken
  EXPECT_EQ(slider->valueAt(55), 50);
  EXPECT_EQ(slider->valueAt(105), 99);
  EXPECT_EQ(slider->valueAt(106), 100);
}

TEST_F(SliderTest, DragFollowsThePointerClampsAndReportsEachChangeOnce) {
  press(*slider, 30, 5);
  EXPECT_TRUE(slider->isDragging());
  EXPECT_EQ(slider->getValue(), 25);
  moveTo(*slider, 30, 8);  // the same value: nothing to report
  moveTo(*slider, 60, 5);
  moveTo(*slider, 400, 5);  // far past the end
  moveTo(*slider, 500, 5);
  EXPECT_EQ(slider->getValue(), 100);
  moveTo(*slider, -300, 5);
  EXPECT_EQ(slider->getValue(), 0);
  releaseAt(*slider, -300, 5);
  EXPECT_FALSE(slider->isDragging());
  // 25, 54, 100, 0, then letting go once.
  EXPECT_EQ(heard.codes(), (std::vector<int>{Slider::kChanged, Slider::kChanged, Slider::kChanged,
                                             Slider::kChanged, Slider::kReleased}));
  moveTo(*slider, 60, 5);  // no button held: no drag
  EXPECT_EQ(slider->getValue(), 0);

  // A drag that loses the mouse to another window ends there, as if let go.
  heard.events.clear();
  press(*slider, 30, 5);
  ws.releaseCapture();
  pump();
  EXPECT_FALSE(slider->isDragging());
  EXPECT_EQ(heard.codes(), (std::vector<int>{Slider::kChanged, Slider::kReleased}));
}

TEST_F(SliderTest, WheelAndKeysStepWithinTheRange) {
  slider->setValue(50);
  input.wheel(top, at(*slider, 20, 5), 120);
  input.wheel(top, at(*slider, 20, 5), 240);
  pump();
  EXPECT_EQ(slider->getValue(), 53);
  press(*slider, 60, 5);
  releaseAt(*slider, 60, 5);  // takes the focus
  heard.events.clear();
  input.key(top, vk::kPageDown);
  input.key(top, vk::kHome);
  input.key(top, vk::kLeft);  // already at the minimum: no change, no event
  pump();
  EXPECT_EQ(slider->getValue(), 0);
  EXPECT_EQ(heard.codes().size(), 2u);
}

TEST_F(SliderTest, ProgramChangesAreLimitedAndNotReported) {
  slider->setValue(150);
  EXPECT_EQ(slider->getValue(), 100);
  slider->setLimitMode(true);
  slider->setLimit(50);
  EXPECT_EQ(slider->getLimit(), 101);  // always above the value, even past the maximum
  slider->setValue(0);
  slider->setLimit(50);
  slider->setValue(60);
  EXPECT_EQ(slider->getValue(), 49);
  slider->setValue(20);
  slider->setLimit(10);
  EXPECT_EQ(slider->getLimit(), 21);
  EXPECT_TRUE(heard.events.empty());
}

TEST_F(SliderTest, InLimitModeAPressOffBothThumbsChangesNothing) {
  slider->setLimitMode(true);
  slider->setValue(0);
  slider->setLimit(50);  // value thumb at 0..10, limit thumb at 50..60
  press(*slider, 30, 5);
  releaseAt(*slider, 30, 5);
  EXPECT_EQ(slider->getValue(), 0);
  EXPECT_EQ(slider->getLimit(), 50);
  // A press on the limit thumb drags the limit, which stays above the value.
  press(*slider, 55, 5);
  moveTo(*slider, 85, 5);
  releaseAt(*slider, 85, 5);
  EXPECT_EQ(slider->getLimit(), 79);
  EXPECT_EQ(slider->getValue(), 0);
}

TEST_F(SliderTest, EmptyRangeAndNarrowChannelDoNotDivideByZero) {
  slider->setFixedWidth(10);  // no channel at all
  root.doLayout();
  EXPECT_EQ(slider->valueAt(5), 0);
  slider->setRange(7, 7);
  slider->setFixedWidth(110);
  root.doLayout();
  press(*slider, 80, 5);
  releaseAt(*slider, 80, 5);
  EXPECT_EQ(slider->getValue(), 7);
  Image shot = ws.snapshot(top);  // painting an empty range divides by nothing either
  EXPECT_TRUE(shot.valid());
}

TEST_F(SliderTest, AVerticalSliderRunsDownwardsAndIsPaintedStandingUp) {
  auto upright = s::thread::holdPooled(Slider::create());
  upright->setVertical(true);
  upright->setFixedHeight(110);
  upright->addChangeListener(&heard);
  root.add(upright.get());
  pump();
  EXPECT_EQ(upright->getWidth(), 12);
  press(*upright, 6, 30);
  releaseAt(*upright, 6, 30);
  EXPECT_EQ(upright->getValue(), 25);
  upright->setValue(100);
  Image shot = ws.snapshot(top);
  Point thumb = at(*upright, 6, 105);
  Point track = at(*upright, 6, 50);
  EXPECT_NE(shot.pixel(thumb.x, thumb.y), shot.pixel(track.x, track.y));
  root.remove(upright.get());
}

}  // namespace
