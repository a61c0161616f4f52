#pragma once
#include <memory>

#include "platform/ui/Backend.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

struct WindowRecord;

// Turns what the backend reports for a top-level window into window messages: hit testing with
// transparent windows, capture, hover and leave, double clicks, the keyboard focus, file drops,
// and the moves of an easy drag. Runs on the thread that owns the window.
class InputRouter {
 public:
  explicit InputRouter(WindowSystem& ws) : ws_(ws) {}
  void handle(const InputEvent& e);
  // The window under a point of the top-level window's client area, or none.
  Handle hitTest(const std::shared_ptr<WindowRecord>& top, Point p);

 private:
  Handle hitTestIn(const std::shared_ptr<WindowRecord>& rec, Point p);
  WindowSystem& ws_;
};

}  // namespace platform::ui
