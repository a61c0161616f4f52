#pragma once
#include "platform/ui/Geometry.h"
#include "platform/ui/Image.h"

namespace s::gui::win {

// An image to paint a window into before it goes to the screen, kept between paints: it is
// made anew only when the area outgrows it, or when the area has shrunk so far that 0.7 of the
// image's area exceeds it (a window made much smaller should not keep a huge image).
class BackBuffer {
 public:
  // The image, at least `size` large.
  platform::ui::Image& imageFor(platform::ui::Size size);
  platform::ui::Size size() const { return {image_.width(), image_.height()}; }
  void drop() { image_ = platform::ui::Image(); }

 private:
  platform::ui::Image image_;
};

}  // namespace s::gui::win
