#pragma once
#include <chrono>
#include <vector>

#include "platform/ui/Message.h"

namespace platform::ui {

// What one UI thread knows about its input.
struct UiThreadState {
  Handle capture = kNoWindow;
  Handle focus = kNoWindow;
  Handle hover = kNoWindow;
  WParam buttons = 0;
  Point pointer;  // last pointer position on the screen
  std::uint32_t pointerTime = 0;
  struct Press {
    Handle window = kNoWindow;
    int button = -1;
    std::uint32_t time = 0;
    Point point;
  } lastPress;
  struct Drag {
    Handle window = kNoWindow;
    Point anchor;  // pointer position inside the window when the drag began
  } drag;
  struct Timer {
    Handle window;
    unsigned id;
    unsigned interval;
    std::chrono::steady_clock::time_point due;
  };
  std::vector<Timer> timers;
  bool quit = false;
  int quitCode = 0;
};

}  // namespace platform::ui
