#pragma once
#include <memory>

#include "platform/ui/Region.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

class Canvas;
struct WindowRecord;

// Paints what is invalid in the top-level windows of the calling thread into their images, each
// window once per pass, clipped so that no window paints over its children or over the siblings
// above it, and hands the changed part to the backend.
class Compositor {
 public:
  explicit Compositor(WindowSystem& ws) : ws_(ws) {}
  // Paints every top-level window of this thread that waits for it; false when none did.
  bool paintPending();
  void paintTop(const std::shared_ptr<WindowRecord>& top);

 private:
  void paintTree(const std::shared_ptr<WindowRecord>& rec, Canvas& canvas, Point offset,
                 const Region& allowed, Region& painted);
  WindowSystem& ws_;
};

}  // namespace platform::ui
