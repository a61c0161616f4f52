#include <gtest/gtest.h>

#include "platform/ui/Region.h"

namespace {

using namespace platform::ui;

int area(const Region& r) {
  int a = 0;
  for (const Rect& x : r.rects()) a += x.width() * x.height();
  return a;
}

TEST(RegionTest, UnionSubtractAndIntersectKeepRectanglesDisjoint) {
  Region r(Rect{0, 0, 10, 10});
  r.unite(Rect{5, 5, 15, 15});
  EXPECT_EQ(area(r), 100 + 100 - 25);
  EXPECT_EQ(r.bounds(), (Rect{0, 0, 15, 15}));
  EXPECT_TRUE(r.contains({14, 14}));
  EXPECT_FALSE(r.contains({14, 2}));
  r.subtract(Rect{2, 2, 8, 8});
  EXPECT_EQ(area(r), 175 - 36);
  EXPECT_FALSE(r.contains({4, 4}));
  r.intersect(Rect{0, 0, 10, 3});
  EXPECT_EQ(area(r), 30 - 6);
  r.offset(100, 0);
  EXPECT_TRUE(r.contains({100, 0}));
  EXPECT_TRUE(r.intersects(Rect{100, 0, 101, 1}));
  r.subtract(Rect{-1000, -1000, 1000, 1000});
  EXPECT_TRUE(r.empty());
  Region e;
  e.unite(Rect{3, 3, 3, 9});  // empty rectangles add nothing
  EXPECT_TRUE(e.empty());
}

TEST(RegionTest, EqualityIsAboutPixelsNotPieces) {
  Region a(Rect{0, 0, 10, 10});
  Region b(Rect{0, 0, 5, 10});
  b.unite(Rect{5, 0, 10, 10});
  EXPECT_TRUE(a == b);
  b.subtract(Rect{9, 9, 10, 10});
  EXPECT_FALSE(a == b);
}

TEST(RegionTest, RoundRectCutsSymmetricCorners) {
  Region r = Region::roundRect({0, 0, 40, 30}, 11, 11);
  EXPECT_FALSE(r.contains({0, 0}));
  EXPECT_FALSE(r.contains({39, 0}));
  EXPECT_FALSE(r.contains({0, 29}));
  EXPECT_FALSE(r.contains({39, 29}));
  EXPECT_TRUE(r.contains({5, 0}));
  EXPECT_TRUE(r.contains({0, 15}));
  EXPECT_TRUE(r.contains({20, 15}));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(r.contains({x, y}), r.contains({39 - x, 29 - y})) << x << "," << y;
  EXPECT_TRUE(Region::roundRect({0, 0, 40, 30}, 0, 0) == Region(Rect{0, 0, 40, 30}));
  EXPECT_TRUE(Region::roundRect({0, 0, 0, 30}, 5, 5).empty());
}

}  // namespace
