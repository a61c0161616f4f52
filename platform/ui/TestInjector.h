#pragma once
#include <chrono>
#include <string>
#include <vector>

#include "platform/ui/Backend.h"

namespace platform::ui {

class WindowSystem;

// Input as a backend would report it, and a clock that moves only when told to: what tests use
// to click, type, drop files and step timers. The program itself never injects anything.
class TestInjector {
 public:
  explicit TestInjector(WindowSystem& ws) : ws_(ws) {}

  void inject(InputEvent e);
  void mouse(Handle top, InputEvent::Kind kind, Point client, int button = 0, unsigned modifiers = 0);
  void click(Handle top, Point client, int button = 0);
  void wheel(Handle top, Point client, int delta);
  void key(Handle top, unsigned virtualKey, unsigned modifiers = 0, char32_t text = 0);
  void drop(Handle top, Point client, std::vector<std::string> paths);

  // From now on timers of this window system fire only as advanceClock moves time on.
  void useManualClock();
  void advanceClock(std::chrono::milliseconds by);

 private:
  WindowSystem& ws_;
};

}  // namespace platform::ui
