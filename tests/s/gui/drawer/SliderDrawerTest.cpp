#include <gtest/gtest.h>

#include "s/gui/drawer/slider/win/Thin.h"
#include "s/thread/Pooled.h"
#include "tests/s/gui/drawer/DrawerFixtures.h"

namespace {

using namespace drawer_test;
using platform::ui::Rect;
using s::gui::drawer::SliderState;
using Slider = s::gui::drawer::slider::win::Thin;

struct SliderDrawerTest : ::testing::Test {
  SliderDrawerTest() { drawer->configure(colors); }
  platform::ui::Image paint(const SliderState& state, int w = 110, int h = 12) {
    auto image = paper(w, h);
    platform::ui::Canvas canvas(image);
    drawer->paint(state, image.bounds(), canvas);
    return image;
  }
  // Leftmost column of the thumb's frame on the middle row: the first fg pixel after x = 1
  // that is followed by the thumb's inside.
  SkinColors colors = distinctPalette();
  s::thread::Pooled<Slider> drawer{Slider::create()};
};

TEST_F(SliderDrawerTest, ThumbSitsAtItsShareOfTheWidthLessTheThumb) {
  SliderState s;
  s.minimum = 0;
  s.maximum = 100;
  for (int value : {0, 50, 100}) {
    s.value = value;
    const auto image = paint(s);  // W = 110: the thumb's left edge at value
    const int x = value;
    EXPECT_EQ(image.pixel(x, 6), colors[Role::kCompFg]) << value;
    EXPECT_EQ(image.pixel(x + 9, 6), colors[Role::kCompFg]) << value;
    EXPECT_EQ(image.pixel(x + 1, 2), colors[Role::kSliderBg]) << value;
  }
}

TEST_F(SliderDrawerTest, HighlightFillsFromTheLeftUpToTheThumb) {
  SliderState s;
  s.value = 50;
  s.highlight = true;
  const auto image = paint(s);
  const auto fill = colors[Role::kCompFg];
  EXPECT_EQ(count(image, {1, 1, 50, 11}, fill), 49 * 10);
  EXPECT_EQ(count(image, {61, 2, 109, 10}, fill), 0);
  s.highlight = false;
  EXPECT_EQ(count(paint(s), {2, 2, 49, 10}, fill), 0);
}

TEST_F(SliderDrawerTest, LimitModeHighlightsBetweenTheThumbs) {
  SliderState s;
  s.value = 20;
  s.limit = 70;
  s.limitMode = true;
  s.highlight = true;
  const auto image = paint(s);
  const auto fill = colors[Role::kCompFg];
  EXPECT_EQ(count(image, {30, 1, 70, 11}, fill), 40 * 10);
  EXPECT_EQ(count(image, {2, 2, 19, 10}, fill), 0);
  EXPECT_EQ(image.pixel(79, 6), fill);  // the limit thumb's right edge
}

TEST_F(SliderDrawerTest, DisabledSliderUsesTheDisabledColourForEverything) {
  SliderState s;
  s.value = 50;
  s.highlight = true;
  s.enabled = false;
  const auto image = paint(s);
  EXPECT_EQ(count(image, image.bounds(), colors[Role::kCompFg]), 0);
  EXPECT_GT(count(image, image.bounds(), colors[Role::kCompDisabled]), 49 * 10);
}

TEST_F(SliderDrawerTest, EmptyRangesAndNarrowSlidersDrawOnlyTheTrack) {
  struct Case {
    int minimum, maximum, width;
  } cases[] = {{5, 5, 110}, {10, 0, 110}, {0, 100, 10}, {0, 100, 3}, {0, 100, 1}};
  for (const Case& c : cases) {
    SliderState s;
    s.minimum = c.minimum;
    s.maximum = c.maximum;
    s.value = c.minimum;
    s.highlight = true;
    const auto image = paint(s, c.width);
    // the frame and the track, no thumb or highlight inside
    if (c.width > 2) {
      EXPECT_EQ(count(image, {1, 1, c.width - 1, 11}, colors[Role::kCompFg]), 0) << c.width;
    }
  }
}

TEST_F(SliderDrawerTest, TrackColouringRunsAcrossTheTrackAroundTheThumb) {
  SliderState s;
  s.value = 100;
  s.trackMode = 1;
  s.trackP = static_cast<int>(platform::ui::rgb(0, 0, 0));
  s.trackQ = static_cast<int>(platform::ui::rgb(255, 255, 255));
  const auto image = paint(s);
  EXPECT_EQ(image.pixel(1, 5), platform::ui::rgb(0, 0, 0));
  const int mid = platform::ui::redOf(image.pixel(50, 5));
  EXPECT_GT(mid, 100);
  EXPECT_LT(mid, 160);
  s.trackMode = 5;  // hue range at full saturation, half lightness
  s.trackP = 100;
  s.trackQ = 50;
  EXPECT_EQ(paint(s).pixel(1, 5), platform::ui::rgb(255, 0, 0));
}

}  // namespace
