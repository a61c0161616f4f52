#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "s/gui/drawer/window/win/Thin.h"
#include "s/thread/Pooled.h"
#include "tests/s/gui/drawer/DrawerFixtures.h"

namespace {

using namespace drawer_test;
using platform::ui::Rect;
using platform::ui::Region;
using platform::ui::Size;
using s::gui::drawer::WindowState;
using Window = s::gui::drawer::window::win::Thin;

struct WindowDrawerTest : ::testing::Test {
  WindowDrawerTest() { drawer->configure(colors); }
  // Rows of the window's top-left 7 x 7 corner: F frame, B background.
  std::vector<std::string> corner(int top, int bottom, bool bottomEdge = false) {
    auto image = paper(20, 14);
    platform::ui::Canvas canvas(image);
    drawer->paint({top, bottom}, image.bounds(), canvas);
    std::vector<std::string> rows;
    for (int i = 0; i < 7; ++i) {
      const int y = bottomEdge ? 13 - i : i;
      std::string row;
      for (int x = 0; x < 7; ++x) row += image.pixel(x, y) == colors[Role::kWindowFg] ? 'F' : 'B';
      rows.push_back(row);
    }
    return rows;
  }
  SkinColors colors = distinctPalette();
  s::thread::Pooled<Window> drawer{Window::create()};
};

TEST_F(WindowDrawerTest, CornerStylesAddTheirRunsInsideTheFrame) {
  EXPECT_EQ(corner(0, 0), (std::vector<std::string>{"FFFFFFF", "FBBBBBB", "FBBBBBB", "FBBBBBB", "FBBBBBB",
                                                    "FBBBBBB", "FBBBBBB"}));
  EXPECT_EQ(corner(1, 0), (std::vector<std::string>{"FFFFFFF", "FFBBBBB", "FBBBBBB", "FBBBBBB", "FBBBBBB",
                                                    "FBBBBBB", "FBBBBBB"}));
  EXPECT_EQ(corner(2, 0), (std::vector<std::string>{"FFFFFFF", "FFFFFBB", "FFFBBBB", "FFBBBBB", "FFBBBBB",
                                                    "FBBBBBB", "FBBBBBB"}));
  // the bottom corners mirror the top ones, and do not depend on them
  EXPECT_EQ(corner(0, 2, true), corner(2, 0));
  EXPECT_EQ(corner(1, 1, true), corner(1, 0));
}

TEST_F(WindowDrawerTest, RegionFollowsTheCorners) {
  const Size size{40, 30};
  EXPECT_EQ(drawer->region({0, 0}, size), Region(Rect{0, 0, 40, 30}));
  for (int style : {1, 2}) {
    const Region both = drawer->region({style, style}, size);
    EXPECT_FALSE(both.contains({0, 0}));
    EXPECT_FALSE(both.contains({39, 29}));
    EXPECT_TRUE(both.contains({20, 0}));
    EXPECT_TRUE(both.contains({0, 15}));
    const Region topOnly = drawer->region({style, 0}, size);
    EXPECT_FALSE(topOnly.contains({0, 0}));
    EXPECT_TRUE(topOnly.contains({0, 29}));
    EXPECT_TRUE(topOnly.contains({39, 29}));
    const Region bottomOnly = drawer->region({0, style}, size);
    EXPECT_TRUE(bottomOnly.contains({0, 0}));
    EXPECT_FALSE(bottomOnly.contains({39, 29}));
  }
  // the round corner cuts deeper than the slight one
  EXPECT_TRUE(drawer->region({1, 1}, size).contains({2, 0}));
  EXPECT_FALSE(drawer->region({2, 2}, size).contains({2, 0}));
}

TEST_F(WindowDrawerTest, TransparentWindowKeepsWhatIsBehind) {
  drawer->setTransparent(true);
  auto image = paper(10, 10);
  platform::ui::Canvas canvas(image);
  drawer->paint({}, image.bounds(), canvas);
  EXPECT_EQ(image.pixel(5, 5), kPaper);
  EXPECT_EQ(image.pixel(0, 5), colors[Role::kWindowFg]);
}

}  // namespace
