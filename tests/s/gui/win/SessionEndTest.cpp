#include "s/gui/win/SessionEnd.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>

namespace {

TEST(SessionEnd, ASignalWithNoWindowToCloseEndsTheProcessAsUsual) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        s::gui::win::SessionEnd::install();
        std::raise(SIGTERM);
        while (true) pause();
      },
      ::testing::KilledBySignal(SIGTERM), "");
}

}  // namespace
