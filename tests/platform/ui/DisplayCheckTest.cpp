// Whether the program may show a window: names alone do not count, the display must open.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ui/DisplayCheck.h"
#include "tests/platform/ui/desktop/DesktopSession.h"

namespace {

// Sets the display variables for one case and puts them back after it.
class DisplayVariables {
 public:
  DisplayVariables() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
      const char* v = std::getenv(name);
      saved_.push_back({name, v ? v : "", v != nullptr});
    }
  }
  ~DisplayVariables() {
    for (const Saved& s : saved_) s.had ? setenv(s.name, s.value.c_str(), 1) : unsetenv(s.name);
  }
  static void set(const char* name, const char* value) {
    value ? setenv(name, value, 1) : unsetenv(name);
  }

 private:
  struct Saved {
    const char* name;
    std::string value;
    bool had;
  };
  std::vector<Saved> saved_;
};

TEST(DisplayCheck, ADisplayCountsOnlyWhenItOpens) {
  desktoptest::PrivateDisplay ownDisplay;
  const char* real = std::getenv("DISPLAY");
  const std::string display = real ? real : "";
  DisplayVariables keep;
  struct Case {
    const char* x11;
    const char* wayland;
    bool available;
    const char* reason;  // part of what the user is told
  };
  const std::vector<Case> cases = {
      {nullptr, nullptr, false, "neither DISPLAY nor WAYLAND_DISPLAY is set"},
      {"", "", false, "neither DISPLAY nor WAYLAND_DISPLAY is set"},
      {":4711", nullptr, false, "cannot open the display DISPLAY=:4711"},
      {nullptr, "sonvia-no-such-socket", false, "WAYLAND_DISPLAY=sonvia-no-such-socket"},
  };
  for (const Case& c : cases) {
    DisplayVariables::set("DISPLAY", c.x11);
    DisplayVariables::set("WAYLAND_DISPLAY", c.wayland);
    std::string why;
    EXPECT_EQ(platform::ui::displayAvailable(why), c.available) << (c.x11 ? c.x11 : "-");
    EXPECT_NE(why.find(c.reason), std::string::npos) << why;
  }
  if (display.empty()) GTEST_SKIP() << "needs Xvfb or an X display for the open case: run scripts/setup";
  DisplayVariables::set("DISPLAY", display.c_str());
  DisplayVariables::set("WAYLAND_DISPLAY", "sonvia-no-such-socket");
  std::string why;
  EXPECT_TRUE(platform::ui::displayAvailable(why)) << why;
  EXPECT_EQ(why, "");
}

}  // namespace
