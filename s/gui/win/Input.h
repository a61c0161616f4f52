#pragma once
#include "platform/ui/Geometry.h"

namespace s::gui::win {

// Input as a component receives it: decoded once, by Component, from the window messages.

struct MouseEvent {
  platform::ui::Point point;  // client coordinates of the component
  int button = 0;             // the button pressed or released: 0 left, 1 right, 2 middle
  bool leftHeld = false;      // buttons held during the event
  bool rightHeld = false;
  bool shift = false;
  bool control = false;
};

struct WheelEvent {
  int delta = 0;  // 120 per notch, positive away from the user
  platform::ui::Point screen;
  bool shift = false;
  bool control = false;
  // Whole notches, at least one in the direction of the turn.
  int notches() const { return delta == 0 ? 0 : delta / 120 != 0 ? delta / 120 : (delta > 0 ? 1 : -1); }
};

struct KeyEvent {
  unsigned key = 0;  // platform::ui::vk code
  bool shift = false;
  bool control = false;
  bool alt = false;
  bool repeat = false;
};

}  // namespace s::gui::win
