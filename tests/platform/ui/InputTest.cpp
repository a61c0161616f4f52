#include <gtest/gtest.h>

#include "tests/platform/ui/UiTestSupport.h"

namespace {

using namespace platform::ui;
using uitest::UiTest;
using Kind = InputEvent::Kind;

class InputTest : public UiTest {
 protected:
  void SetUp() override {
    top = topLevel(Rect::fromSize(100, 100, 200, 150));
    box = child(top, Rect::fromSize(10, 10, 100, 100));
    button = child(box, Rect::fromSize(20, 20, 30, 30));
    ws.processPending();
    log.clear();
  }
  Handle top = kNoWindow, box = kNoWindow, button = kNoWindow;
};

TEST_F(InputTest, PressGoesToTheDeepestWindowInItsOwnCoordinates) {
  input.click(top, {35, 40});
  ws.processPending();
  auto downs = log.of(button, msg::kLButtonDown);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(unpackPoint(downs[0].lParam), (Point{5, 10}));
  EXPECT_EQ(downs[0].wParam & mk::kLButton, mk::kLButton);
  EXPECT_EQ(log.count(button, msg::kLButtonUp), 1);
  EXPECT_EQ(log.count(top, msg::kActivate), 1);
  EXPECT_EQ(ws.activeWindow(), top);

  input.click(top, {15, 15}, 1);
  ws.processPending();
  EXPECT_EQ(log.count(box, msg::kRButtonDown), 1);
  EXPECT_EQ(log.count(box, msg::kRButtonUp), 1);
}

TEST_F(InputTest, TransparentAndDisabledWindowsLetThePressThrough) {
  ws.setProc(button, [&](const Message& m) -> LResult {
    log.seen.push_back(m);
    return m.code == msg::kHitTest ? hit::kTransparent : ws.defaultProc(m);
  });
  input.click(top, {35, 40});
  ws.processPending();
  EXPECT_EQ(log.count(button, msg::kLButtonDown), 0);
  EXPECT_EQ(log.count(box, msg::kLButtonDown), 1);

  ws.setProc(button, log.proc());
  ws.enable(button, false);
  log.clear();
  input.click(top, {38, 43}, 1);
  ws.processPending();
  EXPECT_EQ(log.count(button, msg::kRButtonDown), 0);
  EXPECT_EQ(log.count(box, msg::kRButtonDown), 1);
}

TEST_F(InputTest, CaptureKeepsTheMouseAndLeaveFollowsThePointer) {
  input.mouse(top, Kind::kMouseMove, {35, 40});
  input.mouse(top, Kind::kMouseMove, {15, 15});
  ws.processPending();
  EXPECT_EQ(log.count(button, msg::kMouseLeave), 1);

  ws.setCapture(button);
  log.clear();
  input.mouse(top, Kind::kMouseMove, {190, 5});
  ws.processPending();
  auto moves = log.of(button, msg::kMouseMove);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(unpackPoint(moves[0].lParam), (Point{160, -25}));
  EXPECT_EQ(log.count(box, msg::kMouseMove), 0);

  ws.setCapture(box);
  EXPECT_EQ(log.count(button, msg::kCaptureChanged), 1);
  ws.releaseCapture();
  EXPECT_EQ(log.count(box, msg::kCaptureChanged), 1);
  EXPECT_EQ(ws.captureWindow(), kNoWindow);
}

TEST_F(InputTest, SecondQuickPressIsADoubleClickAndAThirdStartsOver) {
  for (int i = 0; i < 3; ++i) input.click(top, {35, 40});
  ws.processPending();
  EXPECT_EQ(log.count(button, msg::kLButtonDown), 2);
  EXPECT_EQ(log.count(button, msg::kLButtonDoubleClick), 1);
  InputEvent late;
  late.kind = Kind::kButtonDown;
  late.window = top;
  late.point = {35, 40};
  late.screen = ws.clientToScreen(top, late.point);
  late.timeMs = 1000;
  input.inject(late);
  late.timeMs = 1000 + 600;  // too slow
  input.inject(late);
  ws.processPending();
  EXPECT_EQ(log.count(button, msg::kLButtonDoubleClick), 1);
}

TEST_F(InputTest, UnhandledWheelClimbsToTheParent) {
  input.wheel(top, {35, 40}, -240);
  ws.processPending();
  auto wheels = log.of(box, msg::kMouseWheel);
  ASSERT_EQ(wheels.size(), 1u);
  EXPECT_EQ(wheelDelta(wheels[0].wParam), -240);
  EXPECT_EQ(unpackPoint(wheels[0].lParam), (Point{135, 140})) << "screen coordinates";
  EXPECT_EQ(log.count(top, msg::kMouseWheel), 1);
}

TEST_F(InputTest, KeysGoToTheFocusWindowWithModifiers) {
  input.key(top, 'A', key::kControl | key::kShift, U'A');
  ws.processPending();
  EXPECT_EQ(log.count(top, msg::kKeyDown), 1) << "no focus: the top-level window";
  ws.setFocus(button);
  EXPECT_EQ(log.count(button, msg::kSetFocus), 1);
  log.clear();
  input.key(top, vk::kLeft, key::kAlt);
  input.key(top, 'Z', 0, U'ž');
  ws.processPending();
  auto downs = log.of(button, msg::kKeyDown);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].wParam, vk::kLeft);
  EXPECT_EQ(downs[0].lParam & key::kAlt, key::kAlt);
  auto chars = log.of(button, msg::kChar);
  ASSERT_EQ(chars.size(), 1u);
  EXPECT_EQ(chars[0].wParam, static_cast<WParam>(U'ž'));
  ws.setFocus(box);
  EXPECT_EQ(log.count(button, msg::kKillFocus), 1);
  ws.destroy(box);
  EXPECT_EQ(ws.focusWindow(), kNoWindow);
}

TEST_F(InputTest, DroppedFilesReachTheNearestWindowThatTakesThem) {
  input.drop(top, {35, 40}, {"/music/a.mp3"});
  ws.processPending();
  EXPECT_TRUE(log.of(box, msg::kDropFiles).empty()) << "nobody takes files yet";
  ws.acceptFiles(box, true);
  std::vector<std::string> got;
  Point at;
  ws.setProc(box, [&](const Message& m) -> LResult {
    if (m.code == msg::kDropFiles) {
      auto* d = reinterpret_cast<DroppedFiles*>(m.lParam);
      got = d->paths;
      at = d->point;
    }
    return ws.defaultProc(m);
  });
  input.drop(top, {35, 40}, {"/music/a.mp3", "/music/Ünïcødé.wav"});
  ws.processPending();
  EXPECT_EQ(got, (std::vector<std::string>{"/music/a.mp3", "/music/Ünïcødé.wav"}));
  EXPECT_EQ(at, (Point{25, 30}));
}

TEST_F(InputTest, WhatTheDisplayDidToTheWindowIsTakenOver) {
  InputEvent e;
  e.window = top;
  e.kind = Kind::kDeactivated;
  input.inject(e);
  e.kind = Kind::kActivated;
  input.inject(e);
  e.kind = Kind::kResizedBySystem;
  e.bounds = Rect::fromSize(10, 20, 300, 200);
  input.inject(e);
  ws.processPending();
  auto activations = log.of(top, msg::kActivate);
  ASSERT_EQ(activations.size(), 1u) << "not active before, so only the activation is news";
  EXPECT_EQ(activations[0].wParam, 1u);
  EXPECT_EQ(ws.boundsOf(top), Rect::fromSize(10, 20, 300, 200));
  ASSERT_EQ(log.count(top, msg::kSize), 1);
  EXPECT_EQ(unpackSize(log.of(top, msg::kSize)[0].lParam), (Size{300, 200}));
  EXPECT_EQ(log.count(top, msg::kMove), 1);
  EXPECT_EQ(ws.snapshot(top).width(), 300);

  e.kind = Kind::kCloseRequested;
  input.inject(e);
  ws.processPending();
  EXPECT_EQ(log.count(top, msg::kClose), 1);
  EXPECT_FALSE(ws.exists(top)) << "without a procedure of its own that says no, closing destroys";
  EXPECT_EQ(ws.activeWindow(), kNoWindow);
}

TEST_F(InputTest, CursorBelongsToTheTopLevelWindow) {
  EXPECT_EQ(ws.cursorOf(top), Cursor::kArrow);
  EXPECT_TRUE(ws.setCursor(button, Cursor::kSizeNorthWestSouthEast));
  EXPECT_EQ(ws.cursorOf(top), Cursor::kSizeNorthWestSouthEast);
  EXPECT_FALSE(ws.setCursor(999999, Cursor::kHand));
}

TEST_F(InputTest, MoveDragCarriesTheWindowWithThePointerWithinLimits) {
  ws.setProc(top, [&](const Message& m) -> LResult {
    if (m.code == msg::kLButtonDown) ws.beginMoveDrag(top);
    if (m.code == msg::kWindowPosChanging) {  // keep inside x >= 0
      auto* pos = reinterpret_cast<WindowPos*>(m.lParam);
      if (pos->bounds.left < 0) pos->bounds = pos->bounds.offset(-pos->bounds.left, 0);
    }
    return ws.defaultProc(m);
  });
  input.mouse(top, Kind::kButtonDown, {150, 5});
  ws.processPending();
  EXPECT_EQ(ws.pointerPosition(), (Point{250, 105}));
  InputEvent move;
  move.kind = Kind::kMouseMove;
  move.window = top;
  move.screen = {280, 125};  // pointer 30 right, 20 down
  input.inject(move);
  ws.processPending();
  EXPECT_EQ(ws.boundsOf(top), Rect::fromSize(130, 120, 200, 150));
  move.screen = {0, 125};
  input.inject(move);
  ws.processPending();
  EXPECT_EQ(ws.boundsOf(top).left, 0);
  move.kind = Kind::kButtonUp;
  input.inject(move);
  ws.processPending();
  EXPECT_EQ(ws.captureWindow(), kNoWindow);
  move.kind = Kind::kMouseMove;
  move.screen = {500, 500};
  input.inject(move);
  ws.processPending();
  EXPECT_EQ(ws.boundsOf(top).left, 0) << "the drag ended with the release";
}

}  // namespace
