#include <gtest/gtest.h>

#include "platform/ui/Canvas.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

using namespace platform::ui;
using uitest::UiTest;

constexpr Color kRed = rgb(255, 0, 0);
constexpr Color kBlue = rgb(0, 0, 255);
constexpr Color kGreen = rgb(0, 160, 0);

class PaintTest : public UiTest {
 protected:
  // A window that fills everything it is asked to paint with one colour, and counts its paints.
  WindowProc filler(Color c, int* paints = nullptr, Region* lastInvalid = nullptr) {
    return [this, c, paints, lastInvalid](const Message& m) -> LResult {
      if (m.code == msg::kPaint) {
        auto* p = reinterpret_cast<PaintEvent*>(m.lParam);
        p->canvas.fillRect({-1000, -1000, 1000, 1000}, c);  // the clip keeps it in place
        if (paints) ++*paints;
        if (lastInvalid) *lastInvalid = p->invalid;
        return 0;
      }
      return ws.defaultProc(m);
    };
  }
};

TEST_F(PaintTest, ParentNeverPaintsOverChildrenAndUpperSiblingsWin) {
  Handle top = topLevel(Rect::fromSize(0, 0, 100, 80));
  ws.setProc(top, filler(kRed));
  child(top, Rect::fromSize(10, 10, 30, 30), nullptr, kBlue);  // erased only: background colour
  child(top, Rect::fromSize(30, 30, 30, 30), filler(kGreen));  // above the blue one
  Image img = ws.snapshot(top);
  ASSERT_EQ(img.width(), 100);
  EXPECT_EQ(img.pixel(5, 5), kRed);
  EXPECT_EQ(img.pixel(15, 15), kBlue);
  EXPECT_EQ(img.pixel(35, 35), kGreen) << "overlap belongs to the upper sibling";
  EXPECT_EQ(img.pixel(55, 55), kGreen);
  EXPECT_EQ(img.pixel(70, 70), kRed);
}

TEST_F(PaintTest, InvalidAreasAccumulateIntoOnePaintPerWindowPerPass) {
  Handle top = topLevel(Rect::fromSize(0, 0, 100, 80));
  int topPaints = 0, childPaints = 0;
  Region invalid;
  ws.setProc(top, filler(kRed, &topPaints, &invalid));
  Handle c = child(top, Rect::fromSize(60, 0, 40, 40), filler(kBlue, &childPaints));
  ws.processPending();
  topPaints = childPaints = 0;
  ws.invalidate(top, Rect::fromSize(0, 0, 10, 10));
  ws.invalidate(top, Rect::fromSize(20, 20, 10, 10));
  ws.invalidate(top, Rect::fromSize(5, 5, 10, 10));
  ws.processPending();
  EXPECT_EQ(topPaints, 1);
  EXPECT_EQ(childPaints, 0) << "invalidating a parent leaves its children alone";
  Region expected(Rect::fromSize(0, 0, 10, 10));
  expected.unite(Rect::fromSize(20, 20, 10, 10));
  expected.unite(Rect::fromSize(5, 5, 10, 10));
  EXPECT_TRUE(invalid == expected);
  ws.processPending();
  EXPECT_EQ(topPaints, 1) << "validated after painting";

  // Some of the invalid area lies under the child: the parent is only asked for the rest.
  ws.invalidate(top, Rect::fromSize(50, 0, 30, 10));
  ws.processPending();
  EXPECT_TRUE(invalid == Region(Rect::fromSize(50, 0, 10, 10)));
  ws.invalidate(c);
  ws.update(c);
  EXPECT_EQ(childPaints, 1) << "update paints without the loop";
}

TEST_F(PaintTest, HidingMovingAndDestroyingChildrenRepaintWhatWasUnderneath) {
  Handle top = topLevel(Rect::fromSize(0, 0, 100, 80));
  ws.setProc(top, filler(kRed));
  Handle c = child(top, Rect::fromSize(10, 10, 20, 20), filler(kBlue));
  EXPECT_EQ(ws.snapshot(top).pixel(15, 15), kBlue);
  ws.show(c, false);
  EXPECT_EQ(ws.snapshot(top).pixel(15, 15), kRed);
  ws.show(c, true);
  ws.move(c, {50, 40});
  Image img = ws.snapshot(top);
  EXPECT_EQ(img.pixel(15, 15), kRed);
  EXPECT_EQ(img.pixel(55, 45), kBlue);
  ws.destroy(c);
  EXPECT_EQ(ws.snapshot(top).pixel(55, 45), kRed);
}

TEST_F(PaintTest, InvalidatingWhilePaintingIsPaintedInTheNextPass) {
  Handle top = topLevel(Rect::fromSize(0, 0, 40, 40));
  int paints = 0;
  ws.setProc(top, [&](const Message& m) -> LResult {
    if (m.code == msg::kPaint) {
      auto* p = reinterpret_cast<PaintEvent*>(m.lParam);
      p->canvas.fillRect({0, 0, 40, 40}, paints == 0 ? kRed : kGreen);
      if (++paints == 1) {
        ws.invalidate(top);  // an animation asking for its next frame
        ws.update(top);      // cannot paint inside the pass that runs
      }
      return 0;
    }
    return ws.defaultProc(m);
  });
  ws.processPending();
  EXPECT_EQ(paints, 2);
  EXPECT_EQ(ws.snapshot(top).pixel(20, 20), kGreen);
}

TEST_F(PaintTest, ShapeMakesTheSnapshotTransparentOutside) {
  Handle top = topLevel(Rect::fromSize(0, 0, 60, 40));
  ws.setProc(top, filler(kBlue));
  ws.setShape(top, Region::roundRect({0, 0, 60, 40}, 11, 11));
  Image img = ws.snapshot(top);
  EXPECT_EQ(img.alpha(0, 0), 0);
  EXPECT_EQ(img.alpha(59, 39), 0);
  EXPECT_EQ(img.alpha(30, 0), 255);
  EXPECT_EQ(img.alpha(0, 20), 255);
  ws.setShape(top, std::nullopt);
  EXPECT_EQ(ws.snapshot(top).alpha(0, 0), 255);
}

}  // namespace
