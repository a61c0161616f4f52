#include <gtest/gtest.h>

#include "tests/platform/ui/UiTestSupport.h"

namespace {

using namespace platform::ui;
using uitest::UiTest;

class WindowTreeTest : public UiTest {};

TEST_F(WindowTreeTest, ChildrenHaveParentsZOrderAndScreenPositions) {
  Handle top = topLevel(Rect::fromSize(100, 50, 200, 150));
  Handle a = child(top, Rect::fromSize(10, 10, 50, 50));
  Handle b = child(top, Rect::fromSize(20, 20, 50, 50));
  Handle inner = child(a, Rect::fromSize(5, 6, 10, 10));
  ASSERT_NE(top, kNoWindow);
  EXPECT_EQ(ws.parentOf(inner), a);
  EXPECT_EQ(ws.topLevelOf(inner), top);
  EXPECT_EQ(ws.childrenOf(top), (std::vector<Handle>{b, a}));  // newest on top
  EXPECT_EQ(ws.clientToScreen(inner, {1, 2}), (Point{116, 68}));
  EXPECT_EQ(ws.screenToClient(inner, {116, 68}), (Point{1, 2}));

  ws.lower(b);
  EXPECT_EQ(ws.childrenOf(top), (std::vector<Handle>{a, b}));
  ws.raise(b);
  EXPECT_EQ(ws.childrenOf(top), (std::vector<Handle>{b, a}));
  Handle c = child(top, Rect::fromSize(0, 0, 5, 5));
  EXPECT_TRUE(ws.placeAbove(a, c));
  EXPECT_EQ(ws.childrenOf(top), (std::vector<Handle>{a, c, b}));
  EXPECT_FALSE(ws.placeAbove(a, inner)) << "not a sibling";
}

TEST_F(WindowTreeTest, DestroyTellsParentBeforeChildrenAndForgetsHandles) {
  Handle top = topLevel();
  Handle a = child(top, Rect::fromSize(0, 0, 10, 10));
  Handle inner = child(a, Rect::fromSize(0, 0, 5, 5));
  log.clear();
  ASSERT_TRUE(ws.destroy(a));
  std::vector<Handle> order;
  for (const Message& m : log.seen)
    if (m.code == msg::kDestroy) order.push_back(m.window);
  EXPECT_EQ(order, (std::vector<Handle>{a, inner}));
  EXPECT_FALSE(ws.exists(inner));
  EXPECT_TRUE(ws.childrenOf(top).empty());
  EXPECT_FALSE(ws.destroy(a));
  Handle again = child(top, Rect::fromSize(0, 0, 5, 5));
  EXPECT_NE(again, a);
  EXPECT_NE(again, inner);
}

TEST_F(WindowTreeTest, CreateRefusedByProcedureLeavesNoWindow) {
  WindowSetup setup;
  setup.bounds = Rect::fromSize(0, 0, 10, 10);
  setup.proc = [](const Message& m) -> LResult { return m.code == msg::kCreate ? -1 : 0; };
  EXPECT_EQ(ws.create(setup), kNoWindow);
  setup.parent = 12345;  // no such window
  setup.proc = nullptr;
  EXPECT_EQ(ws.create(setup), kNoWindow);
}

TEST_F(WindowTreeTest, PositionChangingMayAlterTheMoveAndMoveSizeFollow) {
  Handle top = topLevel(Rect::fromSize(0, 0, 100, 100));
  WindowSetup setup;
  setup.parent = top;
  setup.bounds = Rect::fromSize(0, 0, 10, 10);
  setup.visible = true;
  std::vector<std::uint32_t> codes;
  setup.proc = [&](const Message& m) -> LResult {
    codes.push_back(m.code);
    if (m.code == msg::kWindowPosChanging) {
      auto* pos = reinterpret_cast<WindowPos*>(m.lParam);
      pos->bounds.left = std::max(pos->bounds.left, 5);  // keep inside a margin
      pos->bounds.right = pos->bounds.left + 10;
    }
    if (m.code == msg::kSize) {
      EXPECT_EQ(unpackSize(m.lParam), (Size{10, 20}));
    }
    if (m.code == msg::kMove) {
      EXPECT_EQ(unpackPoint(m.lParam), (Point{5, 7}));
    }
    return ws.defaultProc(m);
  };
  Handle w = ws.create(setup);
  codes.clear();
  ws.setBounds(w, Rect::fromSize(-30, 7, 10, 20));
  EXPECT_EQ(ws.boundsOf(w), Rect::fromSize(5, 7, 10, 20));
  EXPECT_EQ(codes, (std::vector<std::uint32_t>{msg::kWindowPosChanging, msg::kMove, msg::kSize}));
  codes.clear();
  ws.setBounds(w, Rect::fromSize(5, 7, 10, 20));
  EXPECT_EQ(codes, (std::vector<std::uint32_t>{msg::kWindowPosChanging})) << "no change, no news";
}

TEST_F(WindowTreeTest, SizingFromAnEdgeLetsTheWindowAdjustTheProposal) {
  Handle top = topLevel(Rect::fromSize(100, 100, 200, 150));
  ws.setProc(top, [&](const Message& m) -> LResult {
    if (m.code == msg::kSizing) {
      auto* r = reinterpret_cast<Rect*>(m.lParam);
      EXPECT_EQ(m.wParam, static_cast<WParam>(edge::kLeft));
      if (r->width() < 120) r->left = r->right - 120;  // minimum width, left edge moves back
    }
    return ws.defaultProc(m);
  });
  ws.sizeFromEdge(top, edge::kLeft, {250, 100, 300, 250});
  EXPECT_EQ(ws.boundsOf(top), (Rect{180, 100, 300, 250}));
}

TEST_F(WindowTreeTest, TopLevelAttributesAndScreenGeometry) {
  Handle top = topLevel(Rect::fromSize(1300, 10, 200, 100));
  ws.setKeepOnTop(top, true);
  ws.setOpacity(top, 150);
  ws.setTitle(top, u"Пруф");
  EXPECT_TRUE(ws.isKeptOnTop(top));
  EXPECT_EQ(ws.opacityOf(top), 100);
  EXPECT_EQ(ws.titleOf(top), u"Пруф");
  Handle c = child(top, Rect::fromSize(0, 0, 5, 5));
  EXPECT_FALSE(ws.setOpacity(c, 50)) << "only top-level windows are layered";

  headless->setMonitors({{{0, 0, 1280, 1024}, {0, 0, 1280, 984}, true},
                         {{1280, 0, 3200, 1080}, {1280, 0, 3200, 1040}, false}});
  EXPECT_EQ(ws.virtualScreen(), (Rect{0, 0, 3200, 1080}));
  EXPECT_EQ(ws.workArea(), (Rect{0, 0, 1280, 984}));
  EXPECT_EQ(ws.monitorOf(c).bounds, (Rect{1280, 0, 3200, 1080}));
  ws.move(top, {-5000, 0});
  EXPECT_TRUE(ws.monitorOf(top).primary) << "off every screen: the primary monitor";

  log.clear();
  ws.setState(top, WindowState::kMinimized);
  ASSERT_EQ(log.count(top, msg::kSize), 1);
  EXPECT_EQ(log.of(top, msg::kSize)[0].wParam, static_cast<WParam>(SizeKind::kMinimized));
  EXPECT_EQ(ws.stateOf(top), WindowState::kMinimized);
}

}  // namespace
