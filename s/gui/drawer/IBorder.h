#pragma once
#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

struct BorderState {
  int style = 1;  // 0 plain 1-pixel frame, 1 frame with cut corners, 2 rounded frame
  int look = 0;   // 0 at rest, 1 raised (hover), 2 pressed
  platform::ui::Color color = 0;
};

// The frame around a button face, a slider or a thumb, in the colour its owner passes.
class IBorder : public IDrawer {
 public:
  virtual void paint(const BorderState& state, const platform::ui::Rect& rect,
                     platform::ui::Canvas& canvas) const = 0;
};

}  // namespace s::gui::drawer
