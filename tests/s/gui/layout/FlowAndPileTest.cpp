#include <gtest/gtest.h>

#include <vector>

#include "tests/s/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using s::gui::win::Box;

class FlowAndPile : public GuiTest {};

TEST_F(FlowAndPile, FlowWrapsRowsAndRightAlignsThemToTheEdge) {
  Block a(30, 10), b(30, 12), c(30, 10), d(30, 10);
  Box box;
  box.setFlow();
  box.setHGap(5);
  box.setVGap(2);
  box.alignRight();
  for (Block* k : {&a, &b, &c, &d}) box.add(k);
  box.setSize(100, 40);
  box.doLayout();
  // 30 + 5 + 30 + 5 + 30 fills the first row exactly; the fourth starts the second.
  EXPECT_EQ(a.getX(), 0);
  EXPECT_EQ(c.getX(), 70);
  EXPECT_EQ(d.getX(), 70);
  EXPECT_EQ(d.getX() + d.getWidth(), 100);
  EXPECT_EQ(d.getY(), 14);  // below the tallest of the first row and the gap
  EXPECT_EQ(box.contentSizes().minHeight, 24);
  EXPECT_EQ(box.contentSizes().maxWidth, 4 * 30 + 3 * 5);
}

TEST_F(FlowAndPile, FlowLeavesOutTheGapsOfHiddenChildren) {
  Block a(30, 10), hidden(30, 10), c(30, 10);
  hidden.setVisible(false);
  Box box;
  box.setFlow();
  box.setHGap(5);
  for (Block* k : {&a, &hidden, &c}) box.add(k);
  box.setSize(200, 10);
  box.doLayout();
  EXPECT_EQ(hidden.getX(), 30);
  EXPECT_EQ(c.getX(), 65);
  // Only shown children at least 1 wide are separated by gaps in the maximum width.
  EXPECT_EQ(box.contentSizes().maxWidth, 95);
}

TEST_F(FlowAndPile, FlowGivesRoomBelowToChildrenThatMayGrow) {
  Block a(30, 10, 30, 30), b(30, 10);
  Box box;
  box.setFlow();
  box.add(&a);
  box.add(&b);
  box.setSize(30, 40);  // one per row
  box.doLayout();
  EXPECT_EQ(a.getHeight(), 30);
  EXPECT_EQ(b.getY(), 30);
}

TEST_F(FlowAndPile, PileAlignsEachShownChildAndSkipsHiddenOnes) {
  Block small(20, 10), hidden(20, 10);
  hidden.setBounds(3, 4, 5, 6);
  hidden.setVisible(false);
  Box box;
  box.setPile();
  box.alignCenter();
  box.alignBottom();
  box.add(&small);
  box.add(&hidden);
  box.setSize(100, 50);
  box.doLayout();
  EXPECT_EQ(small.getX(), 40);
  EXPECT_EQ(small.getY(), 40);
  EXPECT_EQ(hidden.getX(), 3);
  EXPECT_EQ(hidden.getWidth(), 5);
  EXPECT_EQ(box.contentSizes(), (s::gui::layout::ContentSizes{20, 10, 20, 10}));
}

TEST_F(FlowAndPile, PiledChildrenStretchToTheirMaximum) {
  Block wide(10, 10, 1000, 1000);
  Box box;
  box.setPile();
  box.add(&wide);
  box.setSize(80, 60);
  box.doLayout();
  EXPECT_EQ(wide.getWidth(), 80);
  EXPECT_EQ(wide.getHeight(), 1000);  // a pile gives every child its maximum height
}

TEST_F(FlowAndPile, ShowCardParksHiddenCardsBelowTheContent) {
  Block one(10, 10), two(10, 10);
  root.setPile();
  root.add(&one);
  root.add(&two);
  root.showCard(1);
  pump();
  EXPECT_FALSE(one.isShown());
  EXPECT_TRUE(two.isVisible());
  EXPECT_FALSE(ws.isVisible(one.nativeHandle()));
  // Hidden windows are parked out of every hit test.
  EXPECT_EQ(ws.boundsOf(one.nativeHandle()).left, -10000);
  root.remove(&one);
  root.remove(&two);
}

TEST_F(FlowAndPile, NativeWindowsFollowTheLayoutAfterAPass) {
  Block a(10, 20), b(10, 30);
  root.setVertical();
  root.setMargins(4);
  root.setVGap(2);
  root.add(&a);
  root.add(&b);
  pump();
  EXPECT_EQ(ws.boundsOf(a.nativeHandle()), Rect::fromSize(4, 4, 10, 20));
  EXPECT_EQ(ws.boundsOf(b.nativeHandle()), Rect::fromSize(4, 26, 10, 30));
  EXPECT_FALSE(a.isFrozen());
}

}  // namespace
