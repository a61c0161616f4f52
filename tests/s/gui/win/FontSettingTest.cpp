#include <gtest/gtest.h>

#include "s/gui/win/Font.h"

namespace {

using s::gui::win::Font;
using s::gui::win::FontSetting;

TEST(FontSetting, SizeCodes) {
  struct Case {
    int code;
    double points;
    int weight;
  };
  const Case cases[] = {{5, 15, 400}, {0, 10, 400}, {-2, 8, 400}, {103, 17, 700}, {100001, 8, 400},
                        {1500, FontSetting::kDefaultPointSize, 400}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    FontSetting f;
    f.setSizeCode(c.code);
    EXPECT_EQ(f.pointSize(), c.points);
    EXPECT_EQ(f.weight(), c.weight);
    EXPECT_EQ(f.isCustomized(), c.code != 1500);
  }
}

TEST(FontSetting, AnExplicitHeightKeepsItsSizeAgainstSizeCodes) {
  FontSetting f;
  f.setHeight(16);  // 12 points at 96 dots per inch
  f.setSizeCode(103);
  EXPECT_EQ(f.pointSize(), 12);
  EXPECT_EQ(f.weight(), 700);
}

TEST(Font, LineHeightComesFromRealTextAndGrowsWithTheSize) {
  Font small, large;
  small.setSizeCode(-2);
  large.setSizeCode(10);
  EXPECT_GT(small.getLineHeight(), 6);
  EXPECT_GT(large.getLineHeight(), small.getLineHeight());
  EXPECT_GT(small.getLineHeight(2), small.getLineHeight());  // at the display's scale
}

}  // namespace
