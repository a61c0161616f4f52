#pragma once
#include "s/gui/drawer/SkinColors.h"

namespace s::gui::drawer {

// The four colours of the plainer drawers (status bar, combo box, tab box, menu): lines and
// marks in the widget colour, text, the window colour behind them, and disabled text.
struct FrameColors {
  platform::ui::Color frame = 0;
  platform::ui::Color text = 0;
  platform::ui::Color background = 0;
  platform::ui::Color disabled = 0;

  void configure(const SkinColors& colors) {
    frame = colors[Role::kCompFg];
    text = colors[Role::kText];
    background = colors[Role::kWindowBg];
    disabled = colors[Role::kCompDisabled];
  }
  void read(SkinColors& colors) const {
    colors[Role::kCompFg] = frame;
    colors[Role::kText] = text;
    colors[Role::kWindowBg] = background;
    colors[Role::kCompDisabled] = disabled;
  }
};

}  // namespace s::gui::drawer
