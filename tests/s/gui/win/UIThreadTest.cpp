#include "s/gui/win/UIThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using s::gui::win::UIThread;

TEST(UIThread, AFailedStartIsReportedAndNeverWaitedOn) {
  UIThread thread;
  bool looped = false;
  EXPECT_FALSE(thread.start([] { return std::string("no display"); }, [&] { looped = true; }));
  EXPECT_EQ(thread.error(), "no display");
  EXPECT_FALSE(thread.isRunning());
  EXPECT_TRUE(thread.join(5000));
  EXPECT_FALSE(looped);
}

TEST(UIThread, StartsOnceTheWindowsExistAndEndsWithItsLoop) {
  UIThread thread;
  std::atomic<bool> created{false}, quit{false};
  std::thread::id ranOn;
  ASSERT_TRUE(thread.start(
      [&] {
        created = true;
        ranOn = std::this_thread::get_id();
        return std::string();
      },
      [&] {
        while (!quit) std::this_thread::yield();
      }));
  EXPECT_TRUE(created) << "start returns only after the creator ran";
  EXPECT_NE(ranOn, std::this_thread::get_id());
  EXPECT_TRUE(thread.isRunning());
  quit = true;
  EXPECT_TRUE(thread.join(5000));
  EXPECT_FALSE(thread.isRunning());
}

TEST(UIThread, ALoopThatDoesNotEndInTimeIsLeftToItself) {
  auto quit = std::make_shared<std::atomic<bool>>(false);
  {
    UIThread thread;
    ASSERT_TRUE(thread.start([] { return std::string(); },
                             [quit] {
                               while (!*quit) std::this_thread::yield();
                             }));
    EXPECT_FALSE(thread.join(20));
  }  // the object goes while its thread still runs
  *quit = true;
}

}  // namespace
