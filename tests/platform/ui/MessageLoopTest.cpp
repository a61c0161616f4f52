#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "tests/platform/ui/UiTestSupport.h"

namespace {

using namespace platform::ui;
using namespace std::chrono_literals;
using uitest::UiTest;

class MessageLoopTest : public UiTest {};

TEST_F(MessageLoopTest, PostedMessagesArriveInOrderAndDeadWindowsGetNothing) {
  Handle top = topLevel();
  Handle gone = child(top, Rect::fromSize(0, 0, 5, 5));
  ws.processPending();
  log.clear();
  EXPECT_TRUE(ws.post(top, msg::kUser + 3, 1, 2));
  EXPECT_TRUE(ws.post(gone, msg::kApp + 7));
  EXPECT_TRUE(ws.post(top, msg::kApp + 2, 3, 4));
  ws.destroy(gone);
  EXPECT_FALSE(ws.post(gone, msg::kUser));
  log.clear();
  EXPECT_EQ(ws.processPending(), 2);
  std::vector<Message> privateOnes;
  for (const Message& m : log.seen)
    if (m.code >= msg::kUser) privateOnes.push_back(m);
  ASSERT_EQ(privateOnes.size(), 2u);
  EXPECT_EQ(privateOnes[0].code, msg::kUser + 3);
  EXPECT_EQ(privateOnes[0].lParam, 2);
  EXPECT_EQ(privateOnes[1].code, msg::kApp + 2);
}

TEST_F(MessageLoopTest, SendOnTheOwningThreadCallsDirectly) {
  Handle top = topLevel();
  ws.setProc(top, [](const Message& m) -> LResult { return m.code == msg::kUser + 1 ? 42 : 0; });
  EXPECT_EQ(ws.send(top, msg::kUser + 1), 42);
  EXPECT_EQ(ws.send(999999, msg::kUser + 1), 0);
}

TEST_F(MessageLoopTest, QuitEndsTheLoopWithItsCode) {
  Handle top = topLevel();
  ws.setProc(top, [&](const Message& m) -> LResult {
    if (m.code == msg::kUser) ws.postQuit(7);
    return ws.defaultProc(m);
  });
  ws.post(top, msg::kUser);
  EXPECT_EQ(ws.run(), 7);
}

// The UI thread is inside a nested loop (as in a modal dialog) when another thread sends to it:
// the send is served there, and the nested loop ends by a posted message.
TEST_F(MessageLoopTest, SendFromAnotherThreadIsServedInsideANestedLoop) {
  Handle top = topLevel();
  std::thread::id uiThread = std::this_thread::get_id();
  bool modalDone = false;
  std::atomic<bool> inModal{false};
  LResult answerInModal = 0;
  ws.setProc(top, [&](const Message& m) -> LResult {
    switch (m.code) {
      case msg::kUser + 1: {  // opens the "modal dialog"
        inModal = true;
        Message inner;
        while (!modalDone && ws.getMessage(inner)) ws.dispatch(inner);
        ws.postQuit(0);
        return 0;
      }
      case msg::kUser + 2:
        EXPECT_EQ(std::this_thread::get_id(), uiThread);
        return static_cast<LResult>(m.wParam * 2);
      case msg::kUser + 3:
        modalDone = true;
        return 0;
    }
    return ws.defaultProc(m);
  });
  std::thread other([&] {
    while (!inModal) std::this_thread::sleep_for(1ms);
    answerInModal = ws.send(top, msg::kUser + 2, 21);
    ws.post(top, msg::kUser + 3);
  });
  ws.post(top, msg::kUser + 1);
  ws.run();
  other.join();
  EXPECT_EQ(answerInModal, 42);
}

// Two UI threads send to each other while each waits for the other's answer.
TEST_F(MessageLoopTest, CrossSendsBetweenTwoUiThreadsDoNotDeadlock) {
  Handle first = topLevel();
  std::promise<Handle> secondMade;
  std::atomic<bool> stop{false};
  std::thread second([&] {
    WindowSetup setup;
    setup.bounds = Rect::fromSize(0, 0, 10, 10);
    Handle w = kNoWindow;
    setup.proc = [&](const Message& m) -> LResult {
      if (m.code == msg::kUser + 2) return ws.send(first, msg::kUser + 3) + 1;  // back to the first
      return ws.defaultProc(m);
    };
    w = ws.create(setup);
    secondMade.set_value(w);
    Message m;
    while (!stop) {
      while (ws.peekMessage(m)) ws.dispatch(m);
      std::this_thread::sleep_for(1ms);
    }
    ws.destroy(w);
  });
  Handle other = secondMade.get_future().get();
  ws.setProc(first, [&](const Message& m) -> LResult {
    if (m.code == msg::kUser + 1) return ws.send(other, msg::kUser + 2) + 1;
    if (m.code == msg::kUser + 3) return 40;
    return ws.defaultProc(m);
  });
  // From a plain thread into the first UI thread, which is pumping below.
  std::future<LResult> answer = std::async(std::launch::async, [&] { return ws.send(first, msg::kUser + 1); });
  while (answer.wait_for(1ms) != std::future_status::ready) ws.processPending();
  EXPECT_EQ(answer.get(), 42);
  stop = true;
  second.join();
  EXPECT_FALSE(ws.exists(other));
}

TEST_F(MessageLoopTest, SendToAThreadThatEndedReturnsAtOnce) {
  Handle orphan = kNoWindow;
  std::thread t([&] {
    WindowSetup setup;
    setup.bounds = Rect::fromSize(0, 0, 10, 10);
    orphan = ws.create(setup);
  });
  t.join();
  EXPECT_EQ(ws.send(orphan, msg::kUser), 0);
  EXPECT_FALSE(ws.post(orphan, msg::kUser));
}

TEST_F(MessageLoopTest, ChildCreatedFromAnotherThreadBelongsToTheWindowsThread) {
  Handle top = topLevel();
  std::thread::id uiThread = std::this_thread::get_id();
  std::thread::id createdOn;
  std::future<Handle> made = std::async(std::launch::async, [&] {
    WindowSetup setup;
    setup.parent = top;
    setup.bounds = Rect::fromSize(0, 0, 10, 10);
    setup.proc = [&](const Message& m) -> LResult {
      if (m.code == msg::kCreate) createdOn = std::this_thread::get_id();
      return 0;
    };
    return ws.create(setup);
  });
  while (made.wait_for(1ms) != std::future_status::ready) ws.processPending();
  Handle c = made.get();
  EXPECT_NE(c, kNoWindow);
  EXPECT_EQ(createdOn, uiThread);
  EXPECT_EQ(ws.parentOf(c), top);
}

TEST_F(MessageLoopTest, TimersFireByIdUntilKilled) {
  Handle top = topLevel();
  int ticks7 = 0, ticks9 = 0;
  ws.setProc(top, [&](const Message& m) -> LResult {
    if (m.code == msg::kTimer && m.wParam == 7 && ++ticks7 == 3) {
      ws.killTimer(top, 7);
      ws.postQuit(0);
    }
    if (m.code == msg::kTimer && m.wParam == 9) ++ticks9;
    return ws.defaultProc(m);
  });
  ASSERT_TRUE(ws.setTimer(top, 7, 5));
  ASSERT_TRUE(ws.setTimer(top, 9, 100000));
  ws.run();
  EXPECT_EQ(ticks7, 3);
  EXPECT_EQ(ticks9, 0);
  EXPECT_FALSE(ws.killTimer(top, 7)) << "already gone";
  std::this_thread::sleep_for(15ms);
  ws.processPending();
  EXPECT_EQ(ticks7, 3);
  ws.destroy(top);
  EXPECT_FALSE(ws.killTimer(top, 9));
}

}  // namespace
