#include <gtest/gtest.h>

#include <initializer_list>

#include "s/gui/counter/CounterData.h"
#include "s/gui/drawer/counter/win/Basic.h"
#include "s/thread/Pooled.h"
#include "tests/s/gui/drawer/DrawerFixtures.h"

namespace {

using namespace drawer_test;
using platform::ui::Rect;
using s::gui::counter::CounterData;
using s::gui::drawer::CounterState;
using Counter = s::gui::drawer::counter::win::Basic;

struct CounterDrawerTest : ::testing::Test {
  CounterDrawerTest() {
    drawer->configure(colors);
    first->setAutomaticMaximum(true);
  }
  platform::ui::Image paint(int style, bool withSecond = false, bool swap = false, int w = 20, int h = 10) {
    auto image = paper(w, h);
    platform::ui::Canvas canvas(image);
    CounterState state;
    state.style = style;
    state.first = first.get();
    state.second = withSecond ? second.get() : nullptr;
    state.swapColors = swap;
    drawer->paint(state, image.bounds(), canvas);
    return image;
  }
  void add(CounterData& series, std::initializer_list<int> samples) {
    for (int v : samples) series.addSample(v);
  }
  // Height of the history line in a column.
  int column(const platform::ui::Image& image, int x, platform::ui::Color c) {
    return count(image, {x, 0, x + 1, image.height()}, c);
  }
  SkinColors colors = distinctPalette();
  s::thread::Pooled<Counter> drawer{Counter::create()};
  s::thread::Pooled<CounterData> first{CounterData::create()};
  s::thread::Pooled<CounterData> second{CounterData::create()};
};

TEST_F(CounterDrawerTest, HistoryWithOneSampleDrawsNothing) {
  add(*first, {500});
  const auto image = paint(2);
  EXPECT_EQ(count(image, image.bounds(), kPaper), 20 * 10);
}

TEST_F(CounterDrawerTest, HistoryRunsFromTheRightAndTheHighestSampleFillsTheHeight) {
  // The maximum stays at its reset value 100 unless a drawn sample is higher.
  add(*first, {9999, 50, 400, 200});  // the oldest sample is never drawn
  const auto image = paint(2);
  const auto c = colors[Role::kCounter01];
  EXPECT_EQ(column(image, 19, c), 5);   // 200 of 400
  EXPECT_EQ(column(image, 18, c), 10);  // the highest drawn sample: full height
  EXPECT_EQ(column(image, 17, c), 1);   // 50 * 10 / 400, truncated
  EXPECT_EQ(column(image, 16, c), 0);
  EXPECT_EQ(image.pixel(19, 2), c);  // centred: (10 - 5) / 2 from the top
  EXPECT_EQ(image.pixel(19, 1), kPaper);
}

TEST_F(CounterDrawerTest, FixedMaximumScalesAndClipsToTheGraph) {
  first->setAutomaticMaximum(false);
  first->setFixedMaximum(50);
  add(*first, {0, 25, 500});
  const auto image = paint(2);
  EXPECT_EQ(column(image, 19, colors[Role::kCounter01]), 10);
  EXPECT_EQ(column(image, 18, colors[Role::kCounter01]), 5);
}

TEST_F(CounterDrawerTest, EmptyRangeDrawsNothingInsteadOfDividing) {
  first->setAutomaticMaximum(false);
  first->setFixedMaximum(0);
  add(*first, {0, 5, 7});
  for (int style : {1, 2}) {
    const auto image = paint(style);
    EXPECT_EQ(count(image, image.bounds(), kPaper), 20 * 10) << style;
  }
}

TEST_F(CounterDrawerTest, BarsShowTheNewestSamplesWithTheSecondOverTheFirst) {
  add(*first, {10, 80});
  add(*second, {40});
  second->setAutomaticMaximum(false);
  second->setFixedMaximum(100);
  const auto image = paint(1, true);  // first: 80 of 100 = 16 px; second: 40 of 100 = 8 px
  EXPECT_EQ(count(image, {0, 0, 20, 1}, colors[Role::kCounter02]), 8);
  EXPECT_EQ(count(image, {0, 0, 20, 1}, colors[Role::kCounter01]), 8);
  EXPECT_EQ(image.pixel(16, 5), kPaper);
  const auto swapped = paint(1, true, true);
  EXPECT_EQ(swapped.pixel(0, 0), colors[Role::kCounter01]);
  EXPECT_EQ(swapped.pixel(10, 0), colors[Role::kCounter02]);
}

TEST_F(CounterDrawerTest, OwnColourAndPeakCaps) {
  first->setColor(9, 8, 7);
  first->setPeakCaps(true);
  add(*first, {0, 100});
  const auto image = paint(2, false, false, 20, 20);
  const auto own = platform::ui::rgb(9, 8, 7);
  EXPECT_EQ(column(image, 19, own), 10);  // two 5-pixel caps of a 20-pixel line
  EXPECT_EQ(image.pixel(19, 0), own);
  EXPECT_EQ(image.pixel(19, 10), kPaper);
  EXPECT_EQ(image.pixel(19, 19), own);
}

TEST(CounterDataTest, RingKeepsTheNewestSamplesThroughWrapsAndResizes) {
  s::thread::Pooled<CounterData> series{CounterData::create()};
  series->setCapacity(3);
  for (int v = 1; v <= 5; ++v) series->addSample(v);
  EXPECT_EQ(series->count(), 3);
  EXPECT_EQ(series->sample(0), 5);
  EXPECT_EQ(series->sample(2), 3);
  EXPECT_EQ(series->sample(3), 0);
  series->setCapacity(2);
  EXPECT_EQ(series->sample(0), 5);
  EXPECT_EQ(series->sample(1), 4);
  series->setCapacity(10);
  series->addSample(6);
  EXPECT_EQ(series->count(), 3);
  EXPECT_EQ(series->sample(2), 4);
  series->clear();
  EXPECT_EQ(series->count(), 0);
}

}  // namespace
