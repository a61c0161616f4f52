#pragma once
#include "platform/ui/Region.h"
#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

struct WindowState {
  int topCorners = 0;     // 0 square, 1 slightly rounded, 2 rounded
  int bottomCorners = 0;  // the same for the bottom corners
};

// The top-level window's background and frame, and the window shape that matches its corners.
class IWindow : public IDrawer {
 public:
  virtual void paint(const WindowState& state, const platform::ui::Rect& rect,
                     platform::ui::Canvas& canvas) const = 0;
  // The window region for a window of this size, with (0, 0) at its top-left corner.
  virtual platform::ui::Region region(const WindowState& state, platform::ui::Size size) const = 0;
  // The colour behind everything in the window, for widgets whose background is transparent.
  virtual platform::ui::Color background() const = 0;
};

}  // namespace s::gui::drawer
