#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "s/gui/layout/Vertical.h"
#include "s/gui/win/Spacer.h"
#include "tests/s/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using s::gui::win::Box;

struct Child {
  int min;
  int max;
};

struct ColumnCase {
  std::string name;
  std::vector<Child> children;
  int gap;
  int inner;   // the box's inner height
  int vAlign;  // 0 top, 1 centre, 2 bottom
  std::vector<int> heights;
  std::vector<int> tops;
  int minContent;
  int maxContent;
};

class ColumnArithmetic : public GuiTest {};

TEST_F(ColumnArithmetic, WorkedExamplesAndEdgeCases) {
  const std::vector<ColumnCase> cases = {
      // A gap follows only a child at least 1 high (the numbered steps; not "0, 10, 15").
      {"empty child takes no gap of its own", {{10, 10}, {0, 0}, {10, 10}}, 5, 25, 0, {10, 0, 10}, {0, 15, 15}, 25, 25},
      {"trailing gap after an empty last child is dropped", {{10, 10}, {0, 0}}, 5, 10, 0, {10, 0}, {0, 15}, 10, 10},
      {"room for every maximum, rest above at bottom", {{10, 20}, {10, 20}}, 0, 100, 2, {20, 20}, {60, 80}, 20, 40},
      {"room for every maximum, centred", {{10, 20}, {10, 20}}, 0, 100, 1, {20, 20}, {30, 50}, 20, 40},
      {"growth in proportion to what each may grow", {{10, 20}, {10, 40}}, 0, 40, 0, {15, 25}, {0, 15}, 20, 60},
      {"truncation leftovers go to the first children", {{0, 10}, {0, 10}, {0, 10}}, 0, 10, 0, {4, 3, 3}, {0, 4, 7}, 0, 30},
      // Gaps count in the maxima but not between empty children: all reach their maximum with
      // 2 pixels left over, which stay unused instead of spinning forever.
      {"every child at its maximum with room left", {{0, 10}, {0, 10}}, 5, 22, 0, {10, 10}, {0, 15}, 0, 25},
      {"too little room: everyone at the minimum", {{10, 20}, {10, 20}}, 0, 5, 0, {10, 10}, {0, 10}, 20, 40},
      {"minimum above maximum: the minimum wins", {{30, 10}}, 0, 100, 0, {30}, {0}, 30, 30},
      {"zero inner height", {{0, 50}, {5, 50}}, 3, 0, 0, {0, 5}, {0, 0}, 5, 103},
  };
  for (const ColumnCase& c : cases) {
    SCOPED_TRACE(c.name);
    Box box;
    box.setVertical();
    box.setVGap(c.gap);
    if (c.vAlign == 1) box.alignMiddle();
    if (c.vAlign == 2) box.alignBottom();
    std::vector<std::unique_ptr<Block>> kids;
    for (const Child& k : c.children) {
      kids.push_back(std::make_unique<Block>(10, k.min, 10, k.max));
      box.add(kids.back().get());
    }
    box.setSize(10, c.inner);
    box.doLayout();
    std::vector<int> heights, tops;
    for (auto& k : kids) {
      heights.push_back(k->getHeight());
      tops.push_back(k->getY());
    }
    EXPECT_EQ(heights, c.heights);
    EXPECT_EQ(tops, c.tops);
    EXPECT_EQ(box.contentSizes().minHeight, c.minContent);
    EXPECT_EQ(box.contentSizes().maxHeight, c.maxContent);
  }
}

TEST_F(ColumnArithmetic, ChildrenAreStretchedAcrossWithinTheirMaximumAndAligned) {
  Box box;
  box.alignRight();
  Block narrow(10, 5, 30, 5), wide(10, 5, 500, 5);
  box.add(&narrow);
  box.add(&wide);
  box.setSize(100, 50);
  box.doLayout();
  EXPECT_EQ(narrow.getWidth(), 30);
  EXPECT_EQ(narrow.getX(), 70);
  EXPECT_EQ(wide.getWidth(), 100);
  EXPECT_EQ(wide.getX(), 0);
}

TEST_F(ColumnArithmetic, RowIsTheSameArithmeticAcross) {
  Box box;
  box.setHorizontal();
  box.setHGap(4);
  box.alignMiddle();
  Block a(10, 10, 20, 10), b(10, 30, 40, 30);
  box.add(&a);
  box.add(&b);
  box.setSize(54, 40);
  box.doLayout();
  // 54 = 10 + 4 + 10 + 30 extra; growth 10 and 30 of a possible 40 at ratio 0.75: +7 and +22,
  // then the one pixel truncation left goes to the first.
  EXPECT_EQ(a.getWidth(), 18);
  EXPECT_EQ(b.getWidth(), 32);
  EXPECT_EQ(b.getX(), 22);
  EXPECT_EQ(a.getY(), 15);  // centred in the row height 40
  EXPECT_EQ(box.contentSizes(), (s::gui::layout::ContentSizes{24, 30, 64, 30}));
}

TEST_F(ColumnArithmetic, PercentagesThatDoNotAddUpShareTheRoom) {
  Box box;
  box.setHorizontal();
  Block a(0, 10), b(0, 10);
  a.setWidthPercent(70);
  b.setWidthPercent(70);
  box.add(&a);
  box.add(&b);
  box.setSize(100, 10);
  box.doLayout();
  EXPECT_EQ(a.getWidth() + b.getWidth(), 100);
  EXPECT_EQ(a.getWidth(), 50);
}

TEST_F(ColumnArithmetic, PercentOfOddWidthRoundsForBoxesAndTruncatesForLeaves) {
  Box parent;
  parent.setSize(101, 50);
  Box child;
  Block leaf(0, 0);
  child.setWidthPercent(50, false);
  leaf.setWidthPercent(50);
  parent.add(&child);
  parent.add(&leaf);
  EXPECT_EQ(child.getMaxWidth(), 51);
  EXPECT_EQ(leaf.getMaxWidth(), 50);
}

TEST_F(ColumnArithmetic, SpacersTakeNothingAcrossTheirBox) {
  Box column, row;
  column.setVertical();
  row.setHorizontal();
  auto* across = s::gui::win::Spacer::create();
  auto* upright = s::gui::win::Spacer::create();
  across->setFixedHeight(20);  // still a horizontal spacer
  upright->setVertical();
  upright->setFixedHeight(20);  // becomes its fixed width when turned... set after turning
  upright->setFixedWidth(20);
  column.add(across);
  row.add(upright);
  EXPECT_EQ(across->getMinHeight(), 0);
  EXPECT_EQ(across->getMaxHeight(), 0);
  EXPECT_EQ(upright->getMinWidth(), 0);
  EXPECT_EQ(upright->getMaxWidth(), 0);
  column.remove(across);
  row.remove(upright);
  across->release();
  upright->release();
}

TEST_F(ColumnArithmetic, LayoutOfAChildCountsInTheParentsMinimum) {
  Box inner;
  inner.setMargins(3);
  Block a(40, 10);
  inner.add(&a);
  root.add(&inner);
  EXPECT_EQ(inner.getMinWidth(), 46);
  EXPECT_EQ(inner.getMinHeight(), 16);
  EXPECT_EQ(a.getX(), 0);  // inside the margins through the origin
  pump();
  EXPECT_EQ(ws.boundsOf(a.nativeHandle()).left, 3);
  root.remove(&inner);
}

TEST_F(ColumnArithmetic, ALayoutThatSetsOffItsOwnBoxNestsOnce) {
  struct Again : s::gui::events::IEventListener {
    Box* box = nullptr;
    int passes = 0;
    void onEvent(s::base::IObject*, int) override {
      ++passes;
      if (passes < 10) box->doLayout();
    }
  } again;
  Box box;
  Block a(10, 10);
  box.add(&a);
  again.box = &box;
  box.addLayoutListener(&again);
  box.doLayout();
  // The outer pass lets one nested pass run; the nested pass's own request is refused.
  EXPECT_LE(again.passes, 3);
  box.remove(&a);
}

TEST_F(ColumnArithmetic, AManagerLaysOutWithoutAlignmentGapsOrSizes) {
  Box box;
  box.setVGap(9);
  box.alignBottom();
  box.setLayoutManager(s::gui::layout::Vertical::shared());
  Block a(10, 10), b(10, 10);
  box.add(&a);
  box.add(&b);
  box.setSize(10, 100);
  box.doLayout();
  EXPECT_EQ(a.getY(), 0);
  EXPECT_EQ(b.getY(), 10);
  EXPECT_EQ(box.contentSizes(), s::gui::layout::ContentSizes{});
}

}  // namespace
