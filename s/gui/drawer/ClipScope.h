#pragma once
#include "platform/ui/Canvas.h"

namespace s::gui::drawer {

// Narrows the canvas's clip to a rectangle for one drawing step and gives the caller's clip back
// afterwards: a drawer must not leave the widget's clip changed.
class ClipScope {
 public:
  ClipScope(platform::ui::Canvas& canvas, const platform::ui::Rect& rect)
      : canvas_(canvas), saved_(canvas.clip()) {
    canvas_.intersectClip(rect);
  }
  ~ClipScope() { canvas_.setClip(saved_); }
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;

 private:
  platform::ui::Canvas& canvas_;
  platform::ui::Region saved_;
};

}  // namespace s::gui::drawer
