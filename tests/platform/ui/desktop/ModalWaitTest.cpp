#include <gtest/gtest.h>

#include <thread>

#include "platform/ui/desktop/ModalWait.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

using namespace uitest;
using platform::ui::desktop::ModalWait;

constexpr std::uint32_t kAsk = msg::kUser + 50;
constexpr std::uint32_t kQuitNow = msg::kUser + 51;
constexpr std::uint32_t kDestroyNow = msg::kUser + 52;

class ModalWaitTest : public UiTest {};

// The dialog's answer comes from another thread, as GTK's does. Meanwhile that thread sends to
// the waiting thread's window and waits for the reply: a plain blocking wait would deadlock here.
TEST_F(ModalWaitTest, WaitingUiThreadServesSendsUntilTheAnswer) {
  Handle top = topLevel();
  ModalWait wait(ws, top);
  std::thread dialog([&] {
    ws.send(top, kAsk, 0, 0);
    wait.finish();
  });
  EXPECT_TRUE(wait.wait());
  dialog.join();
  EXPECT_EQ(log.count(top, kAsk), 1);
  ws.processPending();
  EXPECT_EQ(log.count(top, msg::kDialogEnded), 0) << "the wake-up is swallowed by the wait";
}

TEST_F(ModalWaitTest, QuitOrALostOwnerEndsTheWaitUnanswered) {
  Handle top = topLevel();
  ws.setProc(top, [&](const Message& m) -> LResult {
    if (m.code == kQuitNow) ws.postQuit(7);
    if (m.code == kDestroyNow) ws.destroy(m.window);
    return ws.defaultProc(m);
  });
  {
    ModalWait wait(ws, top);
    ws.post(top, kQuitNow);
    EXPECT_FALSE(wait.wait());
    Message m;
    EXPECT_FALSE(ws.getMessage(m)) << "the quit must reach the outer loop";
    EXPECT_EQ(m.wParam, 7u);
  }
  {
    ModalWait wait(ws, top);
    ws.post(top, kDestroyNow);
    EXPECT_FALSE(wait.wait());
    EXPECT_FALSE(ws.exists(top));
    wait.finish();  // the dialog's late answer goes nowhere
  }
}

TEST_F(ModalWaitTest, WithoutOwnerOrOffTheUiThreadTheAnswerStillArrives) {
  {
    ModalWait wait(ws, kNoWindow);
    std::thread dialog([&] { wait.finish(); });
    EXPECT_TRUE(wait.wait());
    dialog.join();
  }
  bool answered = false;
  std::thread plain([&] {
    ModalWait wait(ws, kNoWindow);
    std::thread dialog([&] { wait.finish(); });
    answered = wait.wait();
    dialog.join();
  });
  plain.join();
  EXPECT_TRUE(answered);
}

}  // namespace
