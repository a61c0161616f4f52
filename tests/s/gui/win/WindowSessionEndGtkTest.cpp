// The end of the desktop session seen from a real process: a window on its own X server closes
// the normal way (its close listeners run) whether the session ends by a signal or because the
// X server itself goes away.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <csignal>
#include <string>

#include "tests/platform/ui/desktop/DesktopSession.h"
#include "tests/support/FileText.h"
#include "tests/support/TempDir.h"

namespace {

using namespace desktoptest;

enum class Ending { kServerGone, kTerminated, kHungUp };

struct Case {
  const char* name;
  Ending ending;
};

class WindowSessionEnd : public ::testing::TestWithParam<Case> {};

TEST_P(WindowSessionEnd, RunsTheCloseListenersAndEndsByItself) {
  Child server;
  std::string number =
      server.startForLine({"Xvfb", "-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp"});
  if (number.empty()) GTEST_SKIP() << "Xvfb is not installed";
  ScopedEnv display("DISPLAY");
  display.set(":" + number);
  ScopedEnv wayland("WAYLAND_DISPLAY");
  wayland.unset();

  testing_support::TempDir dir;
  std::string record = dir.file("closed.txt");
  Child probe;
  ASSERT_EQ(probe.startForLine({SONVIA_CLOSE_PROBE_PATH, record}), "up");

  switch (GetParam().ending) {
    case Ending::kServerGone: server.stop(); break;
    case Ending::kTerminated: probe.signal(SIGTERM); break;
    case Ending::kHungUp: probe.signal(SIGHUP); break;
  }
  std::optional<int> status = probe.waitForExit(std::chrono::seconds(20));
  ASSERT_TRUE(status.has_value()) << "the program did not end";
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "wait status " << *status;
  EXPECT_EQ(testing_support::readText(record), "closed at session end\n");
}

INSTANTIATE_TEST_SUITE_P(Endings, WindowSessionEnd,
                         ::testing::Values(Case{"ServerGone", Ending::kServerGone},
                                           Case{"Terminated", Ending::kTerminated},
                                           Case{"HungUp", Ending::kHungUp}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
